#include "guitest.h"

#include "mainwindow/uniMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

namespace guitest {

ProgramFolder::ProgramFolder()
{
    QDir root(dir_.path());
    root.mkdir(QStringLiteral("data"));
    root.mkdir(QStringLiteral("wheels"));
    root.mkdir(QStringLiteral("languages"));
    WriteFile(QStringLiteral("languages/English.lng"), EnglishLanguageFile());
}

QString ProgramFolder::Path() const
{
    return dir_.path() + QLatin1Char('/');
}

void ProgramFolder::AddGame(const QString& stem, const QString& name, int pairs)
{
    WriteFile(QStringLiteral("data/") + stem + QStringLiteral(".def"),
              CrLf({"[DO NOT CHANGE THIS FILE]", name.toLatin1(), QByteArray::number(pairs),
                    "10"}));
}

void ProgramFolder::WriteSettings(const QString& game, const QString& language)
{
    WriteFile(QStringLiteral("ravolin.ini"),
              CrLf({"[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", game.toLatin1(), "[LANGUAGE]",
                    language.toLatin1()}));
}

void ProgramFolder::WriteFile(const QString& relative, const QByteArray& bytes)
{
    const QString path = Path() + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QByteArray ProgramFolder::ReadFile(const QString& relative) const
{
    QFile f(Path() + relative);
    if (!f.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return f.readAll();
}

bool ProgramFolder::Exists(const QString& relative) const
{
    return QFileInfo::exists(Path() + relative);
}

MessageRecorder::MessageRecorder()
{
    rav::SetMessageHook([this](QMessageBox::Icon icon, const QString& caption,
                               const QString& text) { Messages.append({icon, caption, text}); });
}

MessageRecorder::~MessageRecorder()
{
    rav::SetMessageHook({});
}

void SetEnglishWords(rav::AppState& st)
{
    rav::tUiWords& w = st.Words;
    w.LangSelected = QStringLiteral("Selected");
    w.LangSingles = QStringLiteral("Singles");
    w.LangDoubles = QStringLiteral("Doubles");
    w.LangTriples = QStringLiteral("Triples");
    w.LangFullWheel = QStringLiteral("Full Wheel");
    w.LangAbbWheel = QStringLiteral("Abbreviated Wheel");
    w.LangCondWheel = QStringLiteral("Conditioned Wheel");
    w.LangCombinations = QStringLiteral("combinations");
    w.LangTicketSaved = QStringLiteral("Ticket Saved");
    w.LangOK = QStringLiteral("OK");
    w.LangCancel = QStringLiteral("Cancel");
    w.LangClose = QStringLiteral("Close");
    w.LangOf = QStringLiteral("of");
}

void Mark(QWidget* root, std::initializer_list<const char*> pairs)
{
    static const char* const letters[3] = {"D", "N", "G"};
    int p = 1;
    for (const char* text : pairs) {
        for (const char* c = text; *c != '\0'; ++c) {
            const int o = *c == '1' ? 0 : *c == 'X' ? 1 : 2;
            const QString name = QStringLiteral("img%1%2")
                                     .arg(QLatin1String(letters[o]))
                                     .arg(p, 2, 10, QLatin1Char('0'));
            QTest::mouseClick(Find<QLabel>(root, name), Qt::LeftButton);
        }
        ++p;
    }
}

QByteArray CrLf(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines) {
        out += l + "\r\n";
    }
    return out;
}

QByteArray EnglishLanguageFile()
{
    static const char* const entries[][2] = {
        {"File", "&File"}, {"Language", "&Language"}, {"Tickets", "Tickets"},
        {"Open Game", "Open Game"}, {"Open", "Open"}, {"New Game", "New Game"},
        {"Exit", "E&xit"}, {"Selection", "&Selection"}, {"Clear Teams", "Clear Teams"},
        {"Clear All", "Clear All"}, {"Select All", "Select All"}, {"Help", "Help"},
        {"Contents", "Contents"}, {"Pairs:", "Pairs:"}, {"Name:", "Name:"},
        {"New Ticket", "New Ticket"}, {"Enter Ticket Name", "Enter ticket name"},
        {"Ticket Saved", "Ticket Saved"}, {"About", "About"}, {"Full Wheel", "Full Wheel"},
        {"Abbreviated Wheel", "Abbreviated Wheel"}, {"Conditioned Wheel", "Conditioned Wheel"},
        {"Selected", "Selected"}, {"Singles", "Singles"}, {"Doubles", "Doubles"},
        {"Triples", "Triples"}, {"combinations", "combinations"},
        {"Combinations", "Combinations"}, {"Hits", "Hits"}, {"Save", "Save"}, {"OK", "OK"},
        {"Cancel", "Cancel"}, {"Close", "Close"}, {"Teams", "Teams"}, {"Menu", "< Menu"},
        {"Make Wheel", "Make Wheel"}, {"Guarantee", " Guarantee "}, {"Print", "Print"},
        {"Delete", "Delete"}, {"Minimum", "Minimum"}, {"Maximum", "Maximum"}, {"of", "of"},
        {"Please Wait", "Please wait"}, {"Calculating", "Calculating"},
        {"Check Winnings", "Check Winnings"},
    };
    QList<QByteArray> lines;
    for (const auto& e : entries) {
        lines.append(QByteArray("*") + e[0]);
        lines.append(e[1]);
    }
    return CrLf(lines);
}

} // namespace guitest
