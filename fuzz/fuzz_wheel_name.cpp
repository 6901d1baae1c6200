// The wheel file name parse, and the packed row decoding, over arbitrary text.
#include "engine/uniWheels.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString& name : { QString::fromUtf8(bytes), QString::fromLatin1(bytes) }) {
        rav::tWheel wheel;
        if (rav::ParseWheelFileName(name, wheel)) {
            // What a parsed name promises the generator.
            const int level = wheel.OutOf - wheel.Hits;
            if (wheel.Triples < 0 || wheel.Doubles < 0 || wheel.Triples + wheel.Doubles > 15
                || level < 1 || level > 3 || wheel.Combinations < 1 || wheel.FileName != name) {
                std::abort();
            }
            (void)rav::FormatWheelLine(wheel);
        }
    }
    (void)rav::DecodeWheelRow(bytes);
    return 0;
}
