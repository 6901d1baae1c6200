// Shared by the fuzz targets: a program folder in a temporary directory that
// lives as long as the fuzzing process, and a reader that takes fields off the
// front of the input.
#pragma once

#include "model/uniGlobal.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace fuzz {

// The program folder of this process, with its sub-folders.
inline const QString& ProgramFolder()
{
    static QTemporaryDir* dir = [] {
        auto* d = new QTemporaryDir();
        if (!d->isValid()) {
            std::abort();
        }
        QDir root(d->path());
        for (const char* sub : { "data", "wheels", "languages", "tickets" }) {
            root.mkdir(QString::fromLatin1(sub));
        }
        return d;
    }();
    static const QString folder = dir->path() + QLatin1Char('/');
    return folder;
}

// Writes `bytes` to `path` exactly; aborts when that fails (a broken fuzzer,
// not a finding).
inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::abort();
    }
}

// Removes every file of a sub-folder of the program folder.
inline void ClearFolder(const char* sub)
{
    QDir d(ProgramFolder() + QString::fromLatin1(sub));
    for (const QString& name : d.entryList(QDir::Files | QDir::Hidden)) {
        d.remove(name);
    }
}

// Takes fields off the front of the fuzz input; past its end every field is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Bytes up to the next byte `sep` (dropped) or the end.
    QByteArray Until(char sep)
    {
        const std::size_t start = pos_;
        while (pos_ < size_ && data_[pos_] != static_cast<std::uint8_t>(sep)) {
            ++pos_;
        }
        QByteArray out(
            reinterpret_cast<const char*>(data_ + start), static_cast<qsizetype>(pos_ - start));
        if (pos_ < size_) {
            ++pos_;
        }
        return out;
    }
    QByteArray Rest()
    {
        QByteArray out(
            reinterpret_cast<const char*>(data_ + pos_), static_cast<qsizetype>(size_ - pos_));
        pos_ = size_;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A state with one open game of `pairs` pairs in the fuzz program folder; kept
// off the stack (it is large).
inline std::unique_ptr<rav::AppState> NewState(int pairs)
{
    auto st = std::make_unique<rav::AppState>();
    st->ProgramFolder = ProgramFolder();
    st->Games[1] = rav::tLutrija{ QStringLiteral("Fuzz"), pairs, 10 };
    st->GameCount = 1;
    st->CurrentGame = 1;
    st->LanguageName = QStringLiteral("English");
    st->Words.LangAbbWheel = QStringLiteral("Abbreviated Wheel");
    st->Words.LangCombinations = QStringLiteral("combinations");
    return st;
}

} // namespace fuzz
