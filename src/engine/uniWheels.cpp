#include "uniWheels.h"

namespace rav {

QString FormatWheelLine(const tWheel& wheel)
{
    return QLatin1Char(' ') + RightStr(QLatin1Char(' ') + QString::number(wheel.Triples), 2)
           + QStringLiteral("     ") + RightStr(QLatin1Char(' ') + QString::number(wheel.Doubles), 2)
           + QStringLiteral("    ")
           + RightStr(QStringLiteral("      ") + QString::number(wheel.Combinations), 6)
           + QStringLiteral("  ");
}

int FindWheel(const AppState& st, int level)
{
    const tSelectionCounts counts = CountSelection(st);
    int found = 0;
    for (int i = 1; i <= st.WheelCount; ++i) {
        const tWheel& w = st.Wheels[i];
        if (w.Doubles == counts.Doubles && w.Triples == counts.Triples
            && w.OutOf - w.Hits == level) {
            found = i;
        }
    }
    return found;
}

} // namespace rav
