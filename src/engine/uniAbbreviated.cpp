#include "engine/uniGenerators.h"

namespace rav {

// Placeholder until the wheel-file reader lands: no wheel is ever generated.
GenerationResult MakeAbbreviatedWheel(AppState& st, int /*level*/)
{
    st.CombinationCount = 0;
    GenerationResult r;
    r.Ok = false;
    r.Error = QStringLiteral("Wheel does not exist!");
    return r;
}

} // namespace rav
