#include "conversation/DesktopNotifier.h"

#include "config/Globals.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace {
constexpr char DefaultAction[] = "default";
// A service that does not answer within this time counts as absent for that notification.
constexpr int CallTimeoutMs = 5000;

QDBusMessage Call(const char* method)
{
    return QDBusMessage::createMethodCall(TDesktopNotifier::Service, TDesktopNotifier::Path,
                                          TDesktopNotifier::Interface, method);
}
} // namespace

TDesktopNotifier::TDesktopNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), FBus(bus)
{
    if (!FBus.isConnected())
        return;
    FBus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                 SLOT(OnActionInvoked(uint, QString)));
    FBus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                 SLOT(OnNotificationClosed(uint, uint)));
}

void TDesktopNotifier::Notify(const QString& caption, const QString& text, int timeoutMs)
{
    if (!FBus.isConnected())
        return;
    FPending = TNote{caption, text, qMax(0, timeoutMs)};
    ++FNoteSerial;
    Flush();
}

void TDesktopNotifier::Flush()
{
    if (!FPending || FAsking || FSending)
        return;
    if (!FCapabilitiesKnown) {
        AskCapabilities();
        return;
    }
    const TNote note = *FPending;
    FPending.reset();
    Send(note);
}

void TDesktopNotifier::Close()
{
    FPending.reset();
    ++FGeneration;
    if (FId == 0)
        return;
    CloseId(FId);
    FId = 0;
}

void TDesktopNotifier::CloseId(uint id)
{
    QDBusMessage close = Call("CloseNotification");
    close << id;
    FBus.call(close, QDBus::NoBlock);
}

void TDesktopNotifier::AskCapabilities()
{
    FAsking = true;
    const quint64 askedFor = FNoteSerial;
    auto* watcher =
        new QDBusPendingCallWatcher(FBus.asyncCall(Call("GetCapabilities"), CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, askedFor](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                FAsking = false;
                const QDBusPendingReply<QStringList> reply = *w;
                if (reply.isError()) {
                    // No service for that one; a notification that came meanwhile asks again.
                    if (FNoteSerial == askedFor)
                        FPending.reset();
                    Flush();
                    return;
                }
                FCapabilitiesKnown = true;
                FBodyMarkup = reply.value().contains(QStringLiteral("body-markup"));
                Flush();
            });
}

void TDesktopNotifier::Send(const TNote& note)
{
    QDBusMessage notify = Call("Notify");
    notify << QString::fromLatin1(ApplicationTitle) << FId << QString() << note.Caption
           << (FBodyMarkup ? note.Text.toHtmlEscaped() : note.Text)
           << QStringList{QString::fromLatin1(DefaultAction), note.Caption} << QVariantMap()
           << qint32(note.TimeoutMs);
    const uint generation = FGeneration;
    FSending = true;
    auto* watcher = new QDBusPendingCallWatcher(FBus.asyncCall(notify, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                FSending = false;
                const QDBusPendingReply<uint> reply = *w;
                // One taken back while it was on its way is closed as soon as its id is known.
                // A service gone away is asked again next time: its successor may differ.
                if (reply.isError())
                    FCapabilitiesKnown = false;
                else if (generation != FGeneration)
                    CloseId(reply.value());
                else
                    FId = reply.value();
                // A newer notification waited for this id to replace it.
                Flush();
            });
}

void TDesktopNotifier::OnActionInvoked(uint id, const QString& action)
{
    if (id != 0 && id == FId && action == QLatin1String(DefaultAction) && FOnClick)
        FOnClick();
}

void TDesktopNotifier::OnNotificationClosed(uint id, uint /*reason*/)
{
    if (id == FId)
        FId = 0;
}
