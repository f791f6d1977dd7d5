#pragma once

#include <QString>
#include <QStringView>

#include <functional>

// How a popup reaches the user. A window of our own where the platform lets a program place
// it (X11, Windows, offscreen); a desktop notification where it does not (Wayland, where a
// client cannot put a window at the corner of the work area).
enum class TPopupMode { Window, Notification };

// By the Qt platform plugin's name ("xcb", "wayland", "wayland-egl", "offscreen", ...).
TPopupMode ChoosePopupMode(QStringView platformName);

// The desktop's notification service as the popup uses it.
class IPopupNotifier
{
public:
    using TClickHandler = std::function<void()>;

    virtual ~IPopupNotifier() = default;

    // Shows the notification, replacing the one shown before. timeoutMs 0: it stays until the
    // user closes it. Caption and text are plain text. Without a service nothing is shown
    // and nothing is reported.
    virtual void Notify(const QString& caption, const QString& text, int timeoutMs) = 0;
    // Takes back the notification shown last, if it is still there.
    virtual void Close() = 0;
    // Run when the user clicks the notification shown last.
    virtual void SetOnClick(TClickHandler handler) = 0;
};
