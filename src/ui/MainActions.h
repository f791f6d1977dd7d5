#pragma once

class QAction;
class QMainWindow;
class QMenu;
class QObject;

// Builds the main menu and the pop-up menus of the editors and the contacts on window:
// every item a QAction (or a QMenu for a submenu) whose objectName is its name in the
// program (miNewUser, mipCopy, ...), with its shortcut and glyph. The captions are the
// string table's, set by ApplyMainCaptions.
void BuildMainMenus(QMainWindow& window);

// The action named name below root (the menu actions of submenus included); nullptr when
// there is none.
QAction* FindAction(const QObject& root, const char* name);
QMenu* FindMenu(const QObject& root, const char* name);
