// Limits at their edges where a file is applied, not only parsed: the 1000th
// entry of a language file still counts, the 1001st does not.
#include "test_language_fixture.h"

using namespace rav;
using language_test::Folder;
using language_test::LanguageBytes;
using language_test::RecordingSink;

TEST(Limits, LanguageEntry1000AppliesAnd1001DoesNot)
{
    std::vector<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 1; i <= 998; ++i) {
        entries.push_back({ "filler " + QByteArray::number(i), "x" });
    }
    entries.push_back({ "Save", "Entry 999" });
    entries.push_back({ "Full Wheel", "Entry 1000" });
    entries.push_back({ "Save", "Entry 1001" });
    entries.push_back({ "Open Game", "Entry 1002" });
    Folder f;
    f.WriteLanguage(QStringLiteral("English"), LanguageBytes(entries));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("English"), sink);
    EXPECT_EQ(f.st->Words.LangFullWheel, QStringLiteral("Entry 1000"));
    EXPECT_EQ(sink.Last(FormId::Main, QStringLiteral("btnFullWheel")), QStringLiteral("Entry 1000"));
    // Neither of the entries past the limit reached a caption.
    for (const auto& r : sink.Captions) {
        EXPECT_NE(r.Text, QStringLiteral("Entry 1001"));
        EXPECT_NE(r.Text, QStringLiteral("Entry 1002"));
    }
}
