#pragma once

#include <QImage>
#include <QList>
#include <QSize>

#include <functional>

class QMenu;
class QPlainTextEdit;
class QToolButton;
class QWidget;

// The insert-emoticon menu: one picture per item, tag = picture index, laid out as the
// pictures' columns of two (items 0 and 1 in the first column, 2 and 3 in the second, ...),
// so sixteen pictures make 8 columns of 2. The items are flat tool buttons in one widget
// action (objectName "emoticonN"); one under the mouse shows a button frame.
using TEmoticonClick = std::function<void(int tag)>;

// Clears the menu and fills it once; a click closes the menu and reports the item's tag.
void BuildEmoticonMenu(QMenu& menu, const QList<QImage>& images, const TEmoticonClick& onClick);

// An item's size: the picture's height + 10 high, three quarters of its width plus the
// margins a menu gives an item wide (29 high for the 19 x 19 pictures).
QSize EmoticonItemSize(QSize imageSize);

// Opens the menu at the left edge of the button, just below it.
void btEmoticonsClick(QMenu& popupMenuEmoticons, const QWidget& btEmoticons);

// Puts the picture's code and a blank at the editor's caret; a selection stays.
void EmoticonMenuItemClick(QPlainTextEdit& edMsg, int tag);
