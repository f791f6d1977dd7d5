#include "ui/MainCaptions.h"

#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "ui/MainActions.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace {

struct TCaption {
    const char* Name;
    int Id;
};

// Menu items and their texts; an item found in several menus (main, pop-up, tray) has one
// row per name.
const TCaption MenuCaptions[] = {
    {"miFile", sidMenuFile},
    {"miEdit", sidMenuEdit},
    {"miView", sidMenuView},
    {"miTools", sidMenuOptions},
    {"miHelp", sidMenuHelp},
    {"miLanguage", sidMenuLanguage},
    {"miNewUser", sidChangeUser},
    {"mitrChangeUser", sidChangeUser},
    {"miSaveSession", sidSaveSession},
    {"mipSaveSession", sidSaveSession},
    {"miOpenHistory", sidOpenHistory},
    {"miAntiboss", sidAntibossCommand},
    {"mitrAntiboss", sidAntibossCommand},
    {"miExit", sidExit},
    {"mitrExit", sidExit},
    {"miCut", sidCut},
    {"mipCut", sidCut},
    {"miCopy", sidCopy},
    {"mipCopy", sidCopy},
    {"miPaste", sidPaste},
    {"mipPaste", sidPaste},
    {"miSelectAll", sidSelectAll},
    {"mipSelectAll", sidSelectAll},
    {"miClearEditor", sidClearEditor},
    {"miClearCurrentPage", sidClearCurrentPage},
    {"miClearAll", sidClearAll},
    {"miUpdateClients", sidUpdateContactList},
    {"mipUpdateList", sidUpdateContactList},
    {"miFontSizePlus", sidIncreaseFontSizeMenu},
    {"miFontSizeMinus", sidDecreaseFontSizeMenu},
    {"miShowNic", sidShowNicAtStatusBar},
    {"miSortByGender", sidSortByGenderMenu},
    {"mipSortByGender", sidSortByGenderMenu},
    {"miSortByNic", sidSortByNicMenu},
    {"mipSortByNic", sidSortByNicMenu},
    {"miPreferences", sidPreferencesMenu},
    {"mitrPreferences", sidPreferencesMenu},
    {"miHelpContents", sidHelpContents},
    {"miZelkitChatOnTheWeb", sidOnTheWeb},
    {"miCheckForUpdates", sidCheckForUpdatesMenu},
    {"miAbout", sidAboutMenu},
    {"mitrAbout", sidAboutMenu},
    {"miFontColor", sidColorOfMyMessagesMenu},
    {"miFont", sidSelectFontMenu},
    {"mipClearWindow", sidClearWindow},
    {"mipIgnore", sidIgnore},
    {"miDonate", sidDonate},
};

const TCaption ToolHints[] = {
    {"btEmoticons", sidInsertEmoticonHint},
    {"btFontSizeMinus", sidDecreaseFontSizeHint},
    {"btFontSizePlus", sidIncreaseFontSizeHint},
    {"btColor", sidColorOfMyMessagesHint},
    {"btFont", sidSelectFontHint},
    {"btPreferences", sidPreferencesHint},
};

} // namespace

void ApplyMainCaptions(QObject& window, const TLangControl& lang)
{
    for (const TCaption& row : MenuCaptions) {
        const QString text = lang.GetString(row.Id);
        if (QMenu* menu = FindMenu(window, row.Name))
            menu->setTitle(text);
        else if (QAction* action = FindAction(window, row.Name))
            action->setText(text);
    }
    for (const TCaption& row : ToolHints)
        if (auto* button = window.findChild<QToolButton*>(QString::fromLatin1(row.Name)))
            button->setToolTip(lang.GetString(row.Id));
    if (auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageCtrlMessages"))) {
        pages->setTabText(0, lang.GetString(sidConference));
        pages->setTabText(1, lang.GetString(sidPrivate));
    }
    if (auto* send = window.findChild<QPushButton*>(QStringLiteral("btSend")))
        send->setText(lang.GetString(sidSend));
}
