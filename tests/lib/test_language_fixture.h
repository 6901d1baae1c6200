// Shared set-up of the language tests: a program folder with a languages
// folder, a state with one open game, and a sink that records what a language
// sets, in order.
#pragma once

#include "language/uniLanguage.h"
#include "model/uniGlobal.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace language_test {

inline QByteArray CrLf(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines) {
        out += l + "\r\n";
    }
    return out;
}

// Entries of a language file from (key, text) pairs, each key behind a "*" marker.
inline QByteArray LanguageBytes(const std::vector<std::pair<QByteArray, QByteArray>>& entries)
{
    QList<QByteArray> lines;
    for (const auto& [key, text] : entries) {
        lines.append("*" + key);
        lines.append(text);
    }
    return CrLf(lines);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return f.readAll();
}

struct Folder {
    Folder()
    {
        st = std::make_unique<rav::AppState>();
        st->ProgramFolder = dir.path() + QLatin1Char('/');
        QDir(dir.path()).mkdir(QStringLiteral("languages"));
        st->Games[1] = rav::tLutrija{ QStringLiteral("Ten"), 10, 10 };
        st->GameCount = 1;
        st->CurrentGame = 1;
    }

    void Write(const QString& relative, const QByteArray& bytes)
    {
        QFile f(st->ProgramFolder + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    void WriteLanguage(const QString& name, const QByteArray& bytes)
    {
        Write(QStringLiteral("languages/") + name + QStringLiteral(".lng"), bytes);
    }

    QByteArray Settings() const
    {
        return ReadBytes(st->ProgramFolder + QStringLiteral("ravolin.ini"));
    }

    QTemporaryDir dir;
    std::unique_ptr<rav::AppState> st;
};

// What a language set, in the order it was set.
struct Recorded {
    rav::FormId Form;
    QString Control;
    QString Text;
    bool operator==(const Recorded& o) const
    {
        return Form == o.Form && Control == o.Control && Text == o.Text;
    }
};

class RecordingSink : public rav::LanguageSink {
public:
    void SetCaption(rav::FormId form, const QString& control, const QString& text) override
    {
        Captions.push_back({ form, control, text });
        Events.push_back(QStringLiteral("caption"));
    }
    void SetCharset(int charset) override
    {
        Charsets.push_back(charset);
        Events.push_back(QStringLiteral("charset"));
    }
    void RefreshStatusLine() override { Events.push_back(QStringLiteral("status")); }

    // The last text given to a control (the window title when `control` is
    // empty); a null string when it was never set.
    QString Last(rav::FormId form, const QString& control) const
    {
        QString text;
        for (const Recorded& r : Captions) {
            if (r.Form == form && r.Control == control) {
                text = r.Text.isNull() ? QStringLiteral("") : r.Text;
            }
        }
        return text;
    }
    bool WasSet(rav::FormId form, const QString& control) const
    {
        for (const Recorded& r : Captions) {
            if (r.Form == form && r.Control == control) {
                return true;
            }
        }
        return false;
    }

    std::vector<Recorded> Captions;
    std::vector<int> Charsets;
    std::vector<QString> Events;
};

} // namespace language_test
