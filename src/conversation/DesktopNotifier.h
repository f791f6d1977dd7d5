#pragma once

#include "conversation/PopupNotifier.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

// Popups as notifications of the freedesktop.org service (org.freedesktop.Notifications on the
// session bus). Every call is asynchronous: the GUI thread never waits for the service.
//
// The service is asked once for its capabilities before the first notification, because a
// service that understands body markup would otherwise read markup in a message from the
// network; for such a service the text is escaped. A missing bus or service means no
// notification, silently; the next one asks again, so a service started later is found.
class TDesktopNotifier final : public QObject, public IPopupNotifier
{
    Q_OBJECT

public:
    static constexpr char Service[] = "org.freedesktop.Notifications";
    static constexpr char Path[] = "/org/freedesktop/Notifications";
    static constexpr char Interface[] = "org.freedesktop.Notifications";

    explicit TDesktopNotifier(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                              QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(TDesktopNotifier)

    void Notify(const QString& caption, const QString& text, int timeoutMs) override;
    void Close() override;
    void SetOnClick(TClickHandler handler) override { FOnClick = std::move(handler); }

    // The service's id of the notification shown last; 0 when none is known to be shown.
    uint CurrentId() const { return FId; }

private Q_SLOTS:
    void OnActionInvoked(uint id, const QString& action);
    void OnNotificationClosed(uint id, uint reason);

private:
    struct TNote {
        QString Caption;
        QString Text;
        int TimeoutMs = 0;
    };

    // Sends the pending notification unless an answer of the service is still awaited.
    void Flush();
    void AskCapabilities();
    void Send(const TNote& note);
    void CloseId(uint id);

    QDBusConnection FBus;
    TClickHandler FOnClick;
    std::optional<TNote> FPending;
    bool FAsking = false;
    bool FSending = false;
    bool FCapabilitiesKnown = false;
    bool FBodyMarkup = false;
    uint FId = 0;
    // Counts the calls of Notify, so that an answer tells which of them it was for.
    quint64 FNoteSerial = 0;
    // Bumped by Close, so that the reply to a notification taken back meanwhile is dropped.
    uint FGeneration = 0;
};
