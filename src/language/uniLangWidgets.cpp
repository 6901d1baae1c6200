#include "uniLangWidgets.h"

#include "games/uniGameFiles.h"
#include "language/uniLinks.h"
#include "mainwindow/uniMain.h"
#include "mainwindow/uniMessages.h"
#include "mainwindow/uniWidgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

namespace rav {

namespace {

// The window `form` points to, found among the main window's own windows by
// its address, so this code needs none of the window classes' declarations.
template <class T> QWidget* OwnedWindow(TfrmMain& main, T* form)
{
    if (form == nullptr) {
        return nullptr;
    }
    const void* target = form;
    for (QWidget* w : main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (dynamic_cast<const void*>(w) == target) {
            return w;
        }
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (dynamic_cast<const void*>(w) == target) {
            return w;
        }
    }
    return nullptr;
}

// Every object named `name` under `parent`, not descending into the other
// windows a window owns (menus are searched: they hold the menu entries).
void CollectNamed(QObject* parent, const QString& name, QList<QObject*>& found)
{
    for (QObject* child : parent->children()) {
        const auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && w->isWindow() && qobject_cast<const QMenu*>(w) == nullptr) {
            continue;
        }
        if (child->objectName() == name) {
            found.append(child);
        }
        CollectNamed(child, name, found);
    }
}

void SetCaption(QObject* o, const QString& text)
{
    if (auto* menu = qobject_cast<QMenu*>(o)) {
        menu->setTitle(text);
    } else if (auto* action = qobject_cast<QAction*>(o)) {
        action->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(o)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(o)) {
        // A label sized to its text stays sized to its new text.
        const bool fitted = !label->wordWrap() && label->size() == label->sizeHint();
        label->setText(text);
        if (fitted) {
            label->adjustSize();
        }
    } else if (auto* widget = qobject_cast<QWidget*>(o); widget != nullptr && widget->isWindow()) {
        widget->setWindowTitle(text);
    } else {
        o->setProperty("text", text);
    }
}

class FormsSink : public LanguageSink {
public:
    explicit FormsSink(TfrmMain& main)
        : main_(main)
    {
    }

    void SetCaption(FormId form, const QString& control, const QString& text) override
    {
        SetControlCaption(FormWindow(main_, form), control, text);
    }

    // The file's bytes were decoded in the language's code page, so every
    // control already shows the language's own letters; the fonts hold both
    // character sets.
    void SetCharset(int) override { }

    void RefreshStatusLine() override { main_.WriteStatusLine(); }

private:
    TfrmMain& main_;
};

QAction* LanguageEntry(TfrmMain& main, int k)
{
    return main.findChild<QAction*>(QStringLiteral("mnuLang%1").arg(k, 2, 10, QLatin1Char('0')));
}

} // namespace

QWidget* FormWindow(TfrmMain& main, FormId form)
{
    Forms& f = main.FormTable();
    switch (form) {
    case FormId::Main:
        return &main;
    case FormId::Lines:
        return OwnedWindow(main, f.frmLines);
    case FormId::Progress:
        return OwnedWindow(main, f.frmProgress);
    case FormId::About:
        return OwnedWindow(main, f.frmAbout);
    case FormId::NewGame:
        return OwnedWindow(main, f.frmNewGame);
    case FormId::Open:
        return OwnedWindow(main, f.frmOpen);
    case FormId::Help:
        return OwnedWindow(main, f.frmHelp);
    case FormId::NewTicket:
        return OwnedWindow(main, f.frmNewTicket);
    case FormId::Tickets:
        return OwnedWindow(main, f.frmTickets);
    case FormId::CheckW:
        return OwnedWindow(main, f.frmCheckW);
    }
    return nullptr;
}

void SetControlCaption(QWidget* window, const QString& control, const QString& text)
{
    if (window == nullptr) {
        return;
    }
    if (control.isEmpty()) {
        window->setWindowTitle(text);
        return;
    }
    QList<QObject*> found;
    CollectNamed(window, control, found);
    for (QObject* o : found) {
        SetCaption(o, text);
    }
}

bool ApplyLanguageToForms(TfrmMain& main, AppState& st, const QString& name)
{
    return Guarded(&main, [&] {
        FormsSink sink(main);
        try {
            ApplyLanguage(st, name, sink);
        } catch (const SettingsWriteError&) {
            // The settings file is written at every return to the main window: a
            // folder the user cannot write is reported once, not at every return.
            if (st.SettingsErrorShown) {
                return;
            }
            st.SettingsErrorShown = true;
            throw;
        }
        st.SettingsErrorShown = false;
    });
}

void FillLanguageMenu(TfrmMain& main, AppState& st)
{
    FallBackToEnglish(st);
    const QStringList names = LanguageNames(st);
    for (int k = 1; k <= LanguageMenuPlaces; ++k) {
        QAction* entry = LanguageEntry(main, k);
        if (entry == nullptr) {
            continue;
        }
        if (k <= names.size()) {
            entry->setText(names[k - 1]);
            entry->setVisible(true);
        } else if (k > 1) {
            entry->setVisible(false);
        }
    }
    for (int k = 1; k <= LanguageMenuPlaces; ++k) {
        QAction* entry = LanguageEntry(main, k);
        if (entry != nullptr && entry->isVisible()
            && StripAccelerator(entry->text()) == st.LanguageName) {
            entry->setChecked(true);
        }
    }
}

void LanguageMenuClick(TfrmMain& main, int k)
{
    for (int i = 1; i <= LanguageMenuPlaces; ++i) {
        if (QAction* entry = LanguageEntry(main, i)) {
            entry->setChecked(i == k);
        }
    }
    if (QAction* chosen = LanguageEntry(main, k)) {
        main.ApplyLanguage(chosen->text());
    }
}

void OpenAddress(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

void AddOutsideLinks(QMenu* help)
{
    struct Link {
        const char* name;
        const char* caption;
        QString (*address)();
    };
    static constexpr Link links[] = {
        { "ZadizorezOVidazidiz1", "Zadizorez OV idazidiz", &CatalogueHomePage },
        { "DuriDARezed1", "Duri DA Rezed", &SponsorHomePage },
        { "PlayChessOnline1", "Play Chess Online", &SponsorChessPage },
    };
    for (const Link& link : links) {
        QAction* a = help->addAction(QLatin1String(link.caption));
        a->setObjectName(QLatin1String(link.name));
        const auto address = link.address;
        QObject::connect(a, &QAction::triggered, a, [address] { OpenAddress(address()); });
    }
}

void BuildSponsorBanner(QWidget* statusPanel)
{
    constexpr int height = 16;
    auto* panel = new ClickLabel(statusPanel);
    panel->setObjectName(QStringLiteral("pnlSponsor"));
    panel->setGeometry(0, statusPanel->height() - height, statusPanel->width(), height);
    SetBackground(panel, QColor(64, 128, 128));
    panel->setCursor(Qt::PointingHandCursor);

    auto* text = new ClickLabel(SponsorBannerText(), panel);
    text->setObjectName(QStringLiteral("Label1"));
    text->setFont(VerdanaFont(11, true));
    QPalette pal = text->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    text->setPalette(pal);
    text->adjustSize();
    text->move((panel->width() - text->width()) / 2, (height - text->height()) / 2);
    text->setCursor(Qt::PointingHandCursor);

    QObject::connect(panel, &ClickLabel::clicked, panel, [] { OpenAddress(SponsorHomePage()); });
    QObject::connect(text, &ClickLabel::clicked, text, [] { OpenAddress(SponsorHomePage()); });
}

} // namespace rav
