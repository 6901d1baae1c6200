// Shared helpers of the window tests: a temporary program folder, a recorder for
// message boxes, and widget look-up by layout name.
#pragma once

#include "model/uniGlobal.h"

#include <QByteArray>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <initializer_list>

namespace guitest {

// A program folder in a temporary directory: data/, wheels/, languages/ with
// English.lng and, on request, games, a settings file and other files.
class ProgramFolder {
public:
    ProgramFolder();
    // The folder with its trailing "/", as ProgramFolder holds it.
    QString Path() const;
    void AddGame(const QString& stem, const QString& name, int pairs);
    void WriteSettings(const QString& game, const QString& language);
    void WriteFile(const QString& relative, const QByteArray& bytes);
    QByteArray ReadFile(const QString& relative) const;
    bool Exists(const QString& relative) const;

private:
    QTemporaryDir dir_;
};

// Records every message box instead of showing it, for the life of the object.
struct Message {
    QMessageBox::Icon Icon;
    QString Caption;
    QString Text;
};
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QList<Message> Messages;
};

// The English words of the status line, guarantee captions and descriptions.
void SetEnglishWords(rav::AppState& st);

// Clicks the outcome pictures of each pair of the coupon in `root` (a main
// window): texts such as "1", "1X2", "X2", pair 1 first.
void Mark(QWidget* root, std::initializer_list<const char*> pairs);

// CR LF after every line, as the program writes its files.
QByteArray CrLf(const QList<QByteArray>& lines);

// The English language file as the program ships it (all 45 keys). Every
// ProgramFolder holds it as languages/English.lng, so that activating a main
// window applies a language instead of reporting a missing file.
QByteArray EnglishLanguageFile();

// The child of `root` with the given object name; fails the test if missing.
template <class T> T* Find(QObject* root, const QString& name)
{
    T* w = root->findChild<T*>(name);
    if (w == nullptr) {
        qFatal("no widget named %s", qPrintable(name));
    }
    return w;
}

} // namespace guitest
