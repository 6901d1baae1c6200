#include "uniIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace rav {

RunError::RunError(const QString& text) : std::runtime_error(text.toStdString()), text_(text)
{
}

QString ErrorText(int err, const QString& path)
{
    switch (err) {
    case ENOENT:
        // A missing folder on the way reads as a bad name, a missing file as not found.
        if (!path.isEmpty() && !QFileInfo(QFileInfo(path).absolutePath()).isDir()) {
            return QStringLiteral("Invalid filename");
        }
        return QStringLiteral("File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return QStringLiteral("Invalid filename");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("File access denied");
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Disk full");
    default:
        return QStringLiteral("I/O error %1").arg(err);
    }
}

int StrToInt(const QString& text)
{
    int i = 0;
    const int len = static_cast<int>(text.size());
    while (i < len && text.at(i) == QLatin1Char(' ')) {
        ++i;
    }
    bool negative = false;
    if (i < len && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    const int firstDigit = i;
    long long value = 0;
    for (; i < len; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            break;
        }
        value = value * 10 + (c.unicode() - '0');
        if (value > 2147483648LL) {
            break;
        }
    }
    if (i != len || i == firstDigit || value > (negative ? 2147483648LL : 2147483647LL)) {
        throw RunError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
    return static_cast<int>(negative ? -value : value);
}

namespace {

// The upper halves (0x80..0xFF) of the two code pages. Bytes a code page leaves
// undefined map to the control character of the same number.
constexpr char16_t kUpper1252[128] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0,
    0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6,
    0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1,
    0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC,
    0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2,
    0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED,
    0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, 0x00F8,
    0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr char16_t kUpper1250[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160,
    0x2039, 0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0,
    0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6,
    0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1,
    0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A,
    0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2,
    0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED,
    0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, 0x0159,
    0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

const char16_t* UpperTable(CodePage cp)
{
    return cp == CodePage::Windows1250 ? kUpper1250 : kUpper1252;
}

#ifdef _WIN32
std::FILE* OpenFile(const QString& path, const wchar_t* mode)
{
    return _wfopen(reinterpret_cast<const wchar_t*>(path.utf16()), mode);
}
#define RAV_MODE(m) L##m
#else
std::FILE* OpenFile(const QString& path, const char* mode)
{
    return std::fopen(QFile::encodeName(path).constData(), mode);
}
#define RAV_MODE(m) m
#endif

bool ReplaceFile(const QString& from, const QString& to)
{
#ifdef _WIN32
    return MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()),
                       reinterpret_cast<const wchar_t*>(to.utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData())
           == 0;
#endif
}

bool SyncFile(std::FILE* f)
{
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

} // namespace

QString DecodeBytes(const QByteArray& bytes, CodePage cp)
{
    const char16_t* upper = UpperTable(cp);
    QString out;
    out.resize(bytes.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = b < 0x80 ? QChar(b) : QChar(upper[b - 0x80]);
    }
    return out;
}

QByteArray EncodeText(const QString& text, CodePage cp)
{
    const char16_t* upper = UpperTable(cp);
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            out.append(static_cast<char>(u));
            continue;
        }
        const char16_t* hit = std::find(upper, upper + 128, u);
        out.append(hit == upper + 128 ? '?' : static_cast<char>(0x80 + (hit - upper)));
    }
    return out;
}

QByteArray ReadWholeFile(const QString& path)
{
    errno = 0;
    std::FILE* f = OpenFile(path, RAV_MODE("rb"));
    if (f == nullptr) {
        throw RunError(ErrorText(errno, path));
    }
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, f);
        data.append(buffer, static_cast<qsizetype>(got));
        if (got < sizeof buffer) {
            break;
        }
    }
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) {
        throw RunError(ErrorText(err, path));
    }
    return data;
}

QList<QByteArray> SplitTextLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray current;
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    bool atLineStart = true;
    while (i < n) {
        const char c = bytes[i];
        if (atLineStart && c == '\x1a') {
            return lines;
        }
        atLineStart = false;
        if (c == '\n') {
            lines.append(current);
            current.clear();
            atLineStart = true;
        } else if (c == '\r') {
            if (i + 1 < n && bytes[i + 1] == '\n') {
                lines.append(current);
                current.clear();
                atLineStart = true;
                ++i;
            }
            // A CR not followed by LF is dropped.
        } else {
            current.append(c);
        }
        ++i;
    }
    if (!atLineStart) {
        lines.append(current);
    }
    return lines;
}

QList<QByteArray> ReadTextLines(const QString& path)
{
    return SplitTextLines(ReadWholeFile(path));
}

namespace {

qint64 ProcessId()
{
#ifdef _WIN32
    return static_cast<qint64>(GetCurrentProcessId());
#else
    return static_cast<qint64>(getpid());
#endif
}

} // namespace

AtomicWriter::AtomicWriter(const QString& path) : path_(path)
{
    static std::atomic<unsigned> counter{0};
    const QFileInfo info(path);
    temp_ = info.absolutePath() + QStringLiteral("/.") + info.fileName()
            + QStringLiteral(".%1-%2.tmp").arg(ProcessId()).arg(counter.fetch_add(1));
    errno = 0;
    file_ = OpenFile(temp_, RAV_MODE("wb"));
    if (file_ == nullptr) {
        throw RunError(ErrorText(errno, path_));
    }
    // A large buffer: tickets of millions of lines are written in big blocks.
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
}

AtomicWriter::~AtomicWriter()
{
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    if (!committed_) {
        QFile::remove(temp_);
    }
}

void AtomicWriter::Write(const char* data, std::size_t size)
{
    errno = 0;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        throw RunError(ErrorText(errno, path_));
    }
}

void AtomicWriter::Commit()
{
    errno = 0;
    if (std::fflush(file_) != 0 || !SyncFile(file_)) {
        throw RunError(ErrorText(errno, path_));
    }
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fclose(f) != 0) {
        throw RunError(ErrorText(errno, path_));
    }
    errno = 0;
    if (!ReplaceFile(temp_, path_)) {
        throw RunError(ErrorText(errno, path_));
    }
    committed_ = true;
}

void WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    AtomicWriter f(path);
    f.Write(bytes);
    f.Commit();
}

void WriteTextLinesAtomic(const QString& path, const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes.append(line);
        bytes.append("\r\n", 2);
    }
    WriteFileAtomic(path, bytes);
}

QStringList ListFolder(const QString& folder, const QString& suffix)
{
    QDir dir(folder);
    if (!dir.exists()) {
        return {};
    }
    QStringList names;
    const QStringList all
        = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDir::NoSort);
    for (const QString& name : all) {
        if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive)) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        if (c != 0) {
            return c < 0;
        }
        return QFile::encodeName(a) < QFile::encodeName(b);
    });
    return names;
}

bool EnsureFolder(const QString& folder)
{
    QDir dir(folder);
    if (dir.exists()) {
        return true;
    }
    return QDir().mkdir(folder);
}

} // namespace rav
