#pragma once

#include <QList>
#include <QRect>

class QWidget;
class TConfig;

// The parts of the main window its layout keeps besides the window's placement. The main
// window carries them out (its rules keep the values within bounds); a test stands in.
class IWindowLayoutParts
{
public:
    virtual ~IWindowLayoutParts() = default;

    // The conversation page: 0 conference, 1 private.
    virtual int ActivePage() const = 0;
    virtual void SetActivePage(int page) = 0;
    // The height of the message-editor area.
    virtual int MsgEditorHeight() const = 0;
    virtual void SetMsgEditorHeight(int height) = 0;
    // Whether the contact pane is collapsed to the strip that re-opens it.
    virtual bool ContactListHidden() const = 0;
    // The pane at the splitter's minimum size, then the splitter-moved handling, which
    // collapses it.
    virtual void CollapseContactList() = 0;
    virtual int ContactListWidth() const = 0;
    virtual void SetContactListWidth(int width) = 0;
};

// The main window's normal (restored) placement as settings window_x, window_y,
// window_width and window_height keep it: the position of the outer frame (where the user
// sees the window) and the size of the window without its frame (which is all a window not
// shown yet can be given, so that saving and restoring never lets the window grow).

// The placement the settings hold; a width or height below 1 (a damaged value) is its
// default.
QRect StoredNormalRect(const TConfig& config);
void StoreNormalRect(TConfig& config, const QRect& rect);

// The normal placement of a window now, even while maximized or minimized; an empty
// rectangle when the window has never been shown in its normal state.
QRect NormalFrameRect(const QWidget& window);

// Where a window saved at `saved` comes back, given the work areas of the screens there are
// now. It stays where it was when its top strip (where its title bar is) can be seen on one
// screen; otherwise (the screen it was on has gone, or become smaller) it is moved to lie
// inside the screen holding the most of it, or the primary one. Either way it is made no
// larger than that screen's work area.
QRect PlaceOnScreens(const QRect& saved, const QList<QRect>& workAreas, const QRect& primary);

// When the main window closes: the normal placement (unless the window never had one),
// whether it is maximized, and the parts' page, editor height and contact pane. Memory
// only; the settings reach the registry with SaveAll.
void SaveWindowLayout(const QWidget& window, const IWindowLayoutParts& parts, TConfig& config);
// At the end of the main window's creation, before it is shown: the stored normal
// placement, brought onto the screens of now.
void RestoreWindowPlacement(QWidget& window, const TConfig& config);
// After the first activation: maximized if it was (a window hidden in the tray or
// minimized comes back maximized), then the page, the editor height and the contact pane,
// collapsed or at its width.
void RestoreWindowLayout(QWidget& window, IWindowLayoutParts& parts, const TConfig& config);
