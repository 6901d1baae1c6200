// File and number operations with the run-time error texts users know, the
// folder listing order, the two single-byte code pages, and atomic writes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdio>
#include <stdexcept>

namespace rav {

// A failed file operation or number conversion. The text is what the
// application's error box shows ("File not found", "Disk full", ...).
class RunError : public std::runtime_error {
public:
    explicit RunError(const QString& text);
    QString Text() const { return text_; }

private:
    QString text_;
};

// The run-time text for a system error number met while working on `path`.
QString ErrorText(int err, const QString& path);

// Decimal string to integer. Leading blanks and one sign are allowed; anything
// else raises "'<text>' is not a valid integer value".
int StrToInt(const QString& text);

// Single-byte code pages.
enum class CodePage { Windows1250, Windows1252 };
QString DecodeBytes(const QByteArray& bytes, CodePage cp);
// A character the code page cannot hold is written as "?".
QByteArray EncodeText(const QString& text, CodePage cp);

// Reads a whole file. Raises a RunError with the run-time text on failure.
QByteArray ReadWholeFile(const QString& path);

// Splits file bytes into lines: CR LF or a bare LF ends a line, a CR not followed
// by LF is dropped, and byte 26 (Ctrl-Z) where a line would begin ends the file.
// A final line without a line end still counts; an empty file has no lines.
QList<QByteArray> SplitTextLines(const QByteArray& bytes);

// Reads a text file into lines (ReadWholeFile + SplitTextLines).
QList<QByteArray> ReadTextLines(const QString& path);

// Writes `lines` with CR LF after every line, the last one included. The file is
// written to a temporary file in the same folder and renamed over the old one
// only when complete, so a failed write leaves the previous file whole.
// Raises a RunError with the run-time text on failure.
void WriteTextLinesAtomic(const QString& path, const QList<QByteArray>& lines);

// Same, for bytes that are already laid out.
void WriteFileAtomic(const QString& path, const QByteArray& bytes);

// A file written whole and put in place only by Commit(): the bytes go to a
// temporary file in the same folder, which Commit() renames over `path`. A
// writer destroyed without a Commit() removes its temporary file and leaves the
// previous file as it was. Every failure raises a RunError with the run-time text.
class AtomicWriter {
public:
    explicit AtomicWriter(const QString& path);
    ~AtomicWriter();
    AtomicWriter(const AtomicWriter&) = delete;
    AtomicWriter& operator=(const AtomicWriter&) = delete;

    void Write(const char* data, std::size_t size);
    void Write(const QByteArray& bytes) { Write(bytes.constData(), static_cast<std::size_t>(bytes.size())); }
    void Commit();

private:
    QString path_;
    QString temp_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

// The regular files in `folder` whose names end in `suffix` (compared without
// regard to case, as a Windows wildcard "*.ext" does), in the order a Windows
// file system lists them: by name, case-insensitively, ties by exact bytes.
// A missing folder gives an empty list.
QStringList ListFolder(const QString& folder, const QString& suffix);

// Creates `folder` (one level) unless it exists. Returns false on failure.
bool EnsureFolder(const QString& folder);

} // namespace rav
