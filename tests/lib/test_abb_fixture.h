// A program folder with a wheels folder, an open game and marks, for the tests of
// the wheel table and the abbreviated wheel.
#pragma once

#include "engine/uniWheels.h"
#include "model/uniGlobal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace abbtest {

class WheelFolder {
public:
    explicit WheelFolder(int pairs = 10, bool withWheelsFolder = true)
    {
        if (withWheelsFolder) {
            QDir(dir_.path()).mkdir(QStringLiteral("wheels"));
        }
        st->ProgramFolder = dir_.path() + QLatin1Char('/');
        st->Games[1] = rav::tLutrija {QStringLiteral("Test"), pairs, 10};
        st->GameCount = 1;
        st->CurrentGame = 1;
        st->Words.LangAbbWheel = QStringLiteral("Abbreviated Wheel");
        st->Words.LangCombinations = QStringLiteral("combinations");
    }

    // Writes wheels/<name> with exactly these bytes.
    void Write(const QString& name, const QByteArray& bytes)
    {
        QFile f(st->ProgramFolder + QStringLiteral("wheels/") + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(name);
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // Writes a wheel file whose rows are given as digit strings ("2100"), packed
    // with EncodeWheelRow, CR LF after every line.
    void WriteRows(const QString& name, std::initializer_list<QByteArray> digitRows)
    {
        QByteArray bytes;
        for (const QByteArray& d : digitRows) {
            bytes += rav::EncodeWheelRow(d) + "\r\n";
        }
        Write(name, bytes);
    }

    // Marks pair by pair: each text lists the marked outcomes ("1X2", "X2", "1").
    void Mark(std::initializer_list<const char*> pairs)
    {
        std::array<std::array<bool, 3>, rav::MaxPairs> marked {};
        int p = 0;
        for (const char* text : pairs) {
            for (const char* c = text; *c != '\0'; ++c) {
                marked[p][*c == '1' ? 0 : *c == 'X' ? 1 : 2] = true;
            }
            ++p;
        }
        rav::RebuildSelection(*st, marked);
    }

    // The state is large; keep it off the stack.
    std::unique_ptr<rav::AppState> st = std::make_unique<rav::AppState>();

private:
    QTemporaryDir dir_;
};

// Pair outcomes of row r as text ("21211..."), pairs 1..n, "X" for the draw.
inline QString RowText(const rav::AppState& st, int r)
{
    QString s;
    for (int p = 1; p <= st.CurrentPairs(); ++p) {
        s += rav::OutcomeChar(st.CombinationList[r][p]);
    }
    return s;
}

} // namespace abbtest
