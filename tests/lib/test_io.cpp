// The file layer: line splitting, code pages, number conversion, error texts,
// atomic writes and the folder listing order.
#include "model/uniIO.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rav;

namespace {

QByteArray ReadRaw(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void Touch(const QString& path, const QByteArray& bytes = QByteArray())
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString ErrorOf(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const RunError& e) {
        return e.Text();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(TextLines, LineEndsLoneCrAndCtrlZ)
{
    EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (QList<QByteArray>{"a", "b", "c"}));
    EXPECT_EQ(SplitTextLines("a\r\n"), (QList<QByteArray>{"a"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (QList<QByteArray>{"a", ""}));
    EXPECT_EQ(SplitTextLines(""), QList<QByteArray>{});
    // A CR not followed by LF is dropped from the line.
    EXPECT_EQ(SplitTextLines("ab\rc\r\nd\r"), (QList<QByteArray>{"abc", "d"}));
    // Ctrl-Z where a line begins ends the file; inside a line it is an ordinary byte.
    EXPECT_EQ(SplitTextLines("a\r\n\x1a"
                             "b\r\n"),
              (QList<QByteArray>{"a"}));
    EXPECT_EQ(SplitTextLines("a\x1a"
                             "b\r\n"),
              (QList<QByteArray>{"a\x1a"
                                 "b"}));
    EXPECT_EQ(SplitTextLines("\x1a"), QList<QByteArray>{});
}

TEST(CodePages, CentralEuropeanAndWestern)
{
    // 0xC8 is "Č" in Windows-1250 and "È" in Windows-1252.
    EXPECT_EQ(DecodeBytes("\xc8", CodePage::Windows1250), QString(QChar(0x010C)));
    EXPECT_EQ(DecodeBytes("\xc8", CodePage::Windows1252), QString(QChar(0x00C8)));
    // č ć đ š ž in Windows-1250.
    EXPECT_EQ(DecodeBytes("\xe8\xe6\xf0\x9a\x9e", CodePage::Windows1250),
              QString::fromUtf8("\xc4\x8d\xc4\x87\xc4\x91\xc5\xa1\xc5\xbe"));
    EXPECT_EQ(DecodeBytes("\x80", CodePage::Windows1252), QString(QChar(0x20AC)));
    EXPECT_EQ(DecodeBytes("Plain", CodePage::Windows1252), QStringLiteral("Plain"));

    // Every byte survives a round trip through each table.
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    EXPECT_EQ(EncodeText(DecodeBytes(all, CodePage::Windows1250), CodePage::Windows1250), all);
    EXPECT_EQ(EncodeText(DecodeBytes(all, CodePage::Windows1252), CodePage::Windows1252), all);

    // A character the code page cannot hold is written as "?".
    EXPECT_EQ(EncodeText(QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac \xe6\x97\xa5"),
                         CodePage::Windows1252),
              QByteArray("Caf\xe9 \x80 ?"));
}

TEST(Numbers, DecimalConversionAndItsError)
{
    EXPECT_EQ(StrToInt(QStringLiteral("13")), 13);
    EXPECT_EQ(StrToInt(QStringLiteral(" 7")), 7);
    EXPECT_EQ(StrToInt(QStringLiteral("-4")), -4);
    EXPECT_EQ(StrToInt(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), -2147483647 - 1);
    for (const char* bad : {"", "x", "1 3", "13 ", "2147483648", "-", "0x10", "99999999999"}) {
        EXPECT_EQ(ErrorOf([&] { StrToInt(QLatin1String(bad)); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(bad)))
            << bad;
    }
}

TEST(Files, ReadErrorsCarryTheRunTimeTexts)
{
    QTemporaryDir dir;
    EXPECT_EQ(ErrorOf([&] { ReadWholeFile(dir.path() + "/missing.txt"); }),
              QStringLiteral("File not found"));
    EXPECT_EQ(ErrorOf([&] { ReadWholeFile(dir.path() + "/nofolder/missing.txt"); }),
              QStringLiteral("Invalid filename"));
    EXPECT_EQ(ErrorText(ENOSPC, QString()), QStringLiteral("Disk full"));
    EXPECT_EQ(ErrorText(EACCES, QString()), QStringLiteral("File access denied"));
    EXPECT_EQ(ErrorText(EIO, QString()), QStringLiteral("I/O error %1").arg(EIO));
}

TEST(Files, AtomicWriteReplacesWholeAndFailsCleanly)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/game.def";
    WriteTextLinesAtomic(path, {"first", "second"});
    EXPECT_EQ(ReadRaw(path), QByteArray("first\r\nsecond\r\n"));
    WriteTextLinesAtomic(path, {"x"});
    EXPECT_EQ(ReadRaw(path), QByteArray("x\r\n"));
    WriteTextLinesAtomic(path, {});
    EXPECT_EQ(ReadRaw(path), QByteArray());

    // A write that cannot be put in place (the name is taken by a folder) fails
    // with a run-time text and leaves no temporary file behind.
    QDir(dir.path()).mkdir("taken.def");
    EXPECT_NE(ErrorOf([&] { WriteTextLinesAtomic(dir.path() + "/taken.def", {"y"}); }),
              QStringLiteral("<no error>"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"game.def"});

    // A missing folder is a bad name.
    EXPECT_EQ(ErrorOf([&] { WriteFileAtomic(dir.path() + "/none/a.txt", "z"); }),
              QStringLiteral("Invalid filename"));

    // A writer dropped before its commit leaves the earlier file whole.
    WriteTextLinesAtomic(path, {"kept"});
    {
        AtomicWriter w(path);
        w.Write(QByteArray("half a line"));
    }
    EXPECT_EQ(ReadRaw(path), QByteArray("kept\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"game.def"});
}

TEST(Files, ListingIsSortedWithoutRegardToCase)
{
    QTemporaryDir dir;
    for (const char* name : {"b.def", "A.def", "a.DEF", "C.def", "notes.txt", ".hidden.def"}) {
        Touch(dir.path() + "/" + name);
    }
    QDir(dir.path()).mkdir("folder.def");
    // Case-insensitive order; equal names without case sort by their exact bytes.
    EXPECT_EQ(ListFolder(dir.path(), ".def"),
              (QStringList{".hidden.def", "A.def", "a.DEF", "b.def", "C.def"}));
    EXPECT_TRUE(ListFolder(dir.path() + "/missing", ".def").isEmpty());
}
