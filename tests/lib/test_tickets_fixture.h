// Shared set-up of the ticket tests: a program folder with its ticket folders,
// a state with one open game, and wheels laid into the combination list.
#pragma once

#include "model/uniGlobal.h"
#include "tickets/uniTicketFile.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace tickets_test {

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return f.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// The outcome character of a code as a ticket shows it.
inline char Outcome(int code)
{
    return code == 0 ? 'X' : static_cast<char>('0' + code);
}

class TicketFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        st_ = std::make_unique<rav::AppState>();
        st_->ProgramFolder = dir_.path() + QLatin1Char('/');
        for (int n = 10; n <= 15; ++n) {
            ASSERT_TRUE(QDir().mkpath(
                st_->ProgramFolder + QStringLiteral("tickets/") + QString::number(n)));
        }
        ASSERT_TRUE(QDir().mkpath(st_->ProgramFolder + QStringLiteral("wheels")));
        SetPairs(10);
        st_->LanguageName = QStringLiteral("English");
        st_->Words.LangFullWheel = QStringLiteral("Full Wheel");
        st_->Words.LangCombinations = QStringLiteral("combinations");
    }

    void SetPairs(int pairs)
    {
        st_->GameCount = 1;
        st_->CurrentGame = 1;
        st_->Games[1].Name = QStringLiteral("Test game");
        st_->Games[1].Pairs = pairs;
    }

    // A full wheel in the generators' order: pairs 1..triples are triples
    // ("1", "X", "2"), the rest single "1"; pair 1 runs slowest.
    void LayFullWheel(int triples)
    {
        const int pairs = st_->CurrentPairs();
        std::int32_t total = 1;
        for (int t = 0; t < triples; ++t) {
            total *= 3;
        }
        ASSERT_TRUE(st_->CombinationList.Resize(static_cast<std::size_t>(total) + 10));
        static constexpr std::uint8_t order[3] = { 1, 0, 2 };
        for (std::int32_t i = 1; i <= total; ++i) {
            rav::tCombination& row = st_->CombinationList[static_cast<std::size_t>(i)];
            std::int32_t j = i - 1;
            for (int p = triples; p >= 1; --p) {
                row[static_cast<std::size_t>(p)] = order[j % 3];
                j /= 3;
            }
            for (int p = triples + 1; p <= pairs; ++p) {
                row[static_cast<std::size_t>(p)] = 1;
            }
        }
        st_->CombinationCount = total;
        st_->WheelMode = 1;
    }

    // The ticket line of combination i of LayFullWheel, built with printf.
    std::string ExpectedLine(std::int32_t i, int triples, int width) const
    {
        const int pairs = st_->CurrentPairs();
        static constexpr int order[3] = { 1, 0, 2 };
        std::string outcomes(static_cast<std::size_t>(pairs), '1');
        std::int32_t j = i - 1;
        for (int p = triples; p >= 1; --p) {
            outcomes[static_cast<std::size_t>(p - 1)] = Outcome(order[j % 3]);
            j /= 3;
        }
        char number[32];
        std::snprintf(number, sizeof number, "%*d: ", width, static_cast<int>(i));
        std::string line = number;
        for (int p = 0; p < pairs; ++p) {
            if (p > 0) {
                line += '-';
            }
            line += outcomes[static_cast<std::size_t>(p)];
        }
        return line;
    }

    QString Folder() const { return rav::TicketFolder(*st_); }

    // Every file under the program folder, hidden ones included, relative.
    QStringList AllFiles() const
    {
        QStringList files;
        QDirIterator it(
            dir_.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            files.append(it.next().mid(dir_.path().size()));
        }
        files.sort();
        return files;
    }

    QTemporaryDir dir_;
    std::unique_ptr<rav::AppState> st_;
};

} // namespace tickets_test
