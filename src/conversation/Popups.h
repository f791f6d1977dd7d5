#pragma once

#include "chat/ChatHost.h"
#include "conversation/PopupNotifier.h"

#include <QGuiApplication>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QTimer;
class QToolButton;

// The notification popup: one window for the whole program, reused for every popup. It
// slides in at the bottom right of the primary screen's work area, stays for the popup time
// and slides out again; a click on it brings up the chat on the matching page.
//
// States: hidden -> appearing (TimerMove) -> shown (TimerClose, unless the time is 0) ->
// leaving (TimerMove) -> hidden. A new popup at any point starts over as appearing; the
// close button and a click go straight to hidden.
//
// The window is a tool tip to the window system: always on top, never focused, without a
// task-bar button, and placed exactly where we put it. In TPopupMode::Notification (Wayland)
// the same popups go to the desktop's notification service and the window is never shown.
//
// Children under their object names: lblCapt, btClose, ImageLetter, pb (the text), and the
// timers TimerClose and TimerMove. Main thread only.
class TFormPopupMsg final : public QWidget
{
    Q_OBJECT

public:
    // Receives the page a click on a popup asks for: TChatView::Private for a private
    // message, TChatView::Conference otherwise. The main window binds its tray toggle here.
    using TClickHandler = std::function<void(TChatView page)>;

    explicit TFormPopupMsg(TPopupMode mode = ChoosePopupMode(QGuiApplication::platformName()),
                           QWidget* parent = nullptr);
    ~TFormPopupMsg() override;
    Q_DISABLE_COPY_MOVE(TFormPopupMsg)

    void SetOnClick(TClickHandler handler) { FOnClick = std::move(handler); }
    // The notification service of TPopupMode::Notification; the session bus's by default.
    void SetNotifier(std::unique_ptr<IPopupNotifier> notifier);

    // Shows a popup, replacing the one on screen. Nick and Text are plain text; Color is
    // 0x00BBGGRR; ShowTimeSec 0 (or less) keeps the popup until the user closes it.
    void ShowPopupMessage(const QString& nick, const QString& text, std::uint32_t color,
                          bool animated, int showTimeSec, bool isPrivate);
    // Starts the leaving slide of a popup on screen; the antiboss command and TimerClose.
    void HidePopupMessage();
    // The window height for the stored text (text height kept to 15..180, plus 34).
    void FitHeightToText();

    // Handlers, public so that tests drive the timers by calling them.
    void FormClick();
    void btCloseClick();
    void TimerCloseEvent();
    void TimerMoveEvent();

    TPopupMode Mode() const { return FMode; }
    bool IsPrivate() const { return FIsPrivate; }
    bool Animated() const { return FAnimated; }
    QString Text() const { return FText; }
    std::uint32_t Color() const { return FColor; }
    // True while appearing or shown, false while leaving.
    bool IsAppearing() const { return FAppearing; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void pbPaint();
    void LayOutChildren();
    void UpdatePictures();
    void SetCaption(const QString& caption);
    QRect ScreenRect() const;
    QRect WorkArea() const;

    QLabel* lblCapt = nullptr;
    QToolButton* btClose = nullptr;
    QLabel* ImageLetter = nullptr;
    QWidget* pb = nullptr;
    QTimer* TimerClose = nullptr;
    QTimer* TimerMove = nullptr;

    TPopupMode FMode;
    std::unique_ptr<IPopupNotifier> FNotifier;
    TClickHandler FOnClick;
    bool FIsPrivate = false;
    bool FAnimated = true;
    bool FAppearing = true;
    QString FText;
    std::uint32_t FColor = 0;
    int FShowTimeMs = 0;
    qreal FPictureRatio = 0;
};
