// The language file reader together with applying its entries: the bytes are
// the file of a language, applied through a sink that only records.
#include "fuzz_common.h"

#include "language/uniLanguage.h"
#include "model/uniIO.h"

namespace {

class NullSink : public rav::LanguageSink {
public:
    void SetCaption(rav::FormId, const QString& control, const QString& text) override
    {
        length_ += control.size() + text.size();
    }
    void SetCharset(int charset) override
    {
        if (charset != rav::CharsetWestern && charset != rav::CharsetCentralEuropean) {
            std::abort();
        }
    }
    void RefreshStatusLine() override { }
    qsizetype length_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    // The first byte picks the code page by the name the file is read under.
    const QString name = (in.Byte() & 1) ? QStringLiteral("Hrvatski") : QStringLiteral("English");
    const QByteArray bytes = in.Rest();

    const QList<rav::tLangEntry> entries
        = rav::ParseLanguageEntries(bytes, rav::LanguageCodePage(name));
    if (entries.size() > rav::MaxLangEntries) {
        std::abort();
    }
    for (const rav::tLangEntry& e : entries) {
        (void)rav::FindLanguageKey(rav::EntryKey(e));
    }

    auto st = fuzz::NewState(13);
    fuzz::ClearFolder("languages");
    fuzz::WriteBytes(
        st->ProgramFolder + QStringLiteral("languages/") + name + QStringLiteral(".lng"), bytes);
    NullSink sink;
    try {
        rav::ApplyLanguage(*st, QStringLiteral("&") + name, sink);
    } catch (const rav::RunError&) {
        // A failing settings write is reported by the window; not a finding.
    }
    (void)rav::LanguageNames(*st);
    (void)rav::StatusLineText(*st);
    return 0;
}
