#include "ui/MainActions.h"

#include "ui/ProgramImages.h"
#include "ui/RyMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* Add(QMenu& menu, const char* name, const QKeySequence& shortcut = {}, int glyph = -1)
{
    auto* action = menu.addAction(QString::fromLatin1(name));
    action->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (glyph >= 0)
        action->setIcon(MenuGlyph(glyph));
    return action;
}

// A pop-up entry showing the key of its main-menu twin, which alone owns the key in the
// window: the pop-up's copy answers only while the pop-up itself is open.
QAction* AddTwin(QMenu& menu, const char* name, const QKeySequence& shortcut, int glyph = -1)
{
    QAction* action = Add(menu, name, shortcut, glyph);
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

QMenu* AddMenu(QWidget& parent, QMenuBar* bar, QMenu* into, const char* name)
{
    auto* menu = new QMenu(QString::fromLatin1(name), &parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    if (bar)
        bar->addMenu(menu);
    else
        into->addMenu(menu);
    return menu;
}

// The two sort items form one choice in each menu.
void MakeRadioPair(QObject& owner, QAction* a, QAction* b)
{
    auto* group = new QActionGroup(&owner);
    for (QAction* x : {a, b}) {
        x->setCheckable(true);
        group->addAction(x);
    }
}

} // namespace

void BuildMainMenus(QMainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = AddMenu(window, bar, nullptr, "miFile");
    Add(*file, "miNewUser", QKeySequence(Qt::CTRL | Qt::Key_N));
    Add(*file, "miSaveSession", QKeySequence(Qt::CTRL | Qt::Key_S), 7);
    file->addSeparator();
    Add(*file, "miOpenHistory", QKeySequence(Qt::CTRL | Qt::Key_H));
    file->addSeparator();
    Add(*file, "miAntiboss", {}, 0);
    Add(*file, "miExit");

    QMenu* edit = AddMenu(window, bar, nullptr, "miEdit");
    Add(*edit, "miCut", QKeySequence(Qt::CTRL | Qt::Key_X), 1);
    Add(*edit, "miCopy", QKeySequence(Qt::CTRL | Qt::Key_C), 2);
    Add(*edit, "miPaste", QKeySequence(Qt::CTRL | Qt::Key_V), 3);
    edit->addSeparator();
    Add(*edit, "miSelectAll", QKeySequence(Qt::CTRL | Qt::Key_A));
    edit->addSeparator();
    Add(*edit, "miClearEditor", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete));
    Add(*edit, "miClearCurrentPage");
    Add(*edit, "miClearAll");

    QMenu* view = AddMenu(window, bar, nullptr, "miView");
    Add(*view, "miUpdateClients", QKeySequence(Qt::Key_F5), 8);
    view->addSeparator();
    Add(*view, "miFontSizeMinus",
        QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus), 4);
    Add(*view, "miFontSizePlus",
        QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Plus), 5);
    view->addSeparator();
    QMenu* colour = AddMenu(window, nullptr, view, "miFontColor");
    colour->menuAction()->setIcon(MenuGlyph(9));
    Add(*view, "miFont", QKeySequence(Qt::CTRL | Qt::Key_F), 10);
    view->addSeparator();
    Add(*view, "miShowNic", QKeySequence(Qt::SHIFT | Qt::Key_F6))->setCheckable(true);
    view->addSeparator()->setVisible(false);
    QAction* byGender = Add(*view, "miSortByGender", QKeySequence(Qt::CTRL | Qt::Key_F1), 11);
    QAction* byNic = Add(*view, "miSortByNic", QKeySequence(Qt::CTRL | Qt::Key_F2), 12);
    MakeRadioPair(window, byGender, byNic);
    byGender->setVisible(false);
    byNic->setVisible(false);

    QMenu* tools = AddMenu(window, bar, nullptr, "miTools");
    Add(*tools, "miPreferences", QKeySequence(Qt::CTRL | Qt::Key_P), 13);
    tools->addSeparator();
    QMenu* language = AddMenu(window, nullptr, tools, "miLanguage");
    Add(*language, "miDefLanguage")->setCheckable(true);

    QMenu* help = AddMenu(window, bar, nullptr, "miHelp");
    QAction* contents = Add(*help, "miHelpContents", QKeySequence(Qt::Key_F1), 6);
    contents->setVisible(false);
    contents->setEnabled(false);
    help->addSeparator()->setVisible(false);
    Add(*help, "miZelkitChatOnTheWeb", {}, 14);
    Add(*help, "miDonate");
    Add(*help, "miCheckForUpdates")->setVisible(false);
    help->addSeparator();
    Add(*help, "miAbout", {}, 15);

    QMenu* editors = new QMenu(&window);
    editors->setObjectName(QStringLiteral("PopupMenuEditors"));
    AddTwin(*editors, "mipCut", QKeySequence(Qt::CTRL | Qt::Key_X), 1);
    AddTwin(*editors, "mipCopy", QKeySequence(Qt::CTRL | Qt::Key_C), 2);
    AddTwin(*editors, "mipPaste", QKeySequence(Qt::CTRL | Qt::Key_V), 3);
    editors->addSeparator();
    AddTwin(*editors, "mipSelectAll", QKeySequence(Qt::CTRL | Qt::Key_A));
    editors->addSeparator();
    Add(*editors, "mipClearWindow");
    AddTwin(*editors, "mipSaveSession", QKeySequence(Qt::CTRL | Qt::Key_S), 7);

    QMenu* clients = new QMenu(&window);
    clients->setObjectName(QStringLiteral("PopupMenuClients"));
    Add(*clients, "mipIgnore")->setCheckable(true);
    AddTwin(*clients, "mipUpdateList", QKeySequence(Qt::Key_F5), 8);
    QAction* pByGender = Add(*clients, "mipSortByGender", {}, 11);
    QAction* pByNic = Add(*clients, "mipSortByNic", {}, 12);
    MakeRadioPair(window, pByGender, pByNic);
    pByGender->setVisible(false);
    pByNic->setVisible(false);

    for (QWidget* menu : std::initializer_list<QWidget*>{bar, editors, clients})
        AppMenuPainter().Attach(menu);
}

QAction* FindAction(const QObject& root, const char* name)
{
    const QString wanted = QString::fromLatin1(name);
    for (QAction* a : root.findChildren<QAction*>())
        if (a->objectName() == wanted)
            return a;
    for (QMenu* m : root.findChildren<QMenu*>())
        if (m->menuAction()->objectName() == wanted)
            return m->menuAction();
    return nullptr;
}

QMenu* FindMenu(const QObject& root, const char* name)
{
    return root.findChild<QMenu*>(QString::fromLatin1(name));
}
