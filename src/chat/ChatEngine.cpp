#include "chat/ChatEngine.h"

#include "chat/ConsoleText.h"

#include "config/Config.h"
#include "lang/FormatText.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "platform/CodePage.h"

#include <QLocale>

TChatEngine::TChatEngine(IChatHost& host, TConfig& config, TLangControl& lang)
    : FHost(host), FConfig(config), FLang(lang)
{
    FConferenceFlood.OnSend = [this](const QString& text) { ConferenceSender(text); };
    FConferenceFlood.OnArmTimer = [this](int ms) {
        FHost.StartTimer(TChatTimer::ConferenceFlood, ms);
    };
    FPrivateFlood.OnSend = [this](const QString& text) { PrivateSender(text); };
    FPrivateFlood.OnArmTimer = [this](int ms) { FHost.StartTimer(TChatTimer::PrivateFlood, ms); };
}

void TChatEngine::FormCreate()
{
    FRegistered = false;
    FShowNic = FConfig.GetBool(show_nic_at_statusbar);
    SetChatState(TChatEvent::WindowCreated);
}

void TChatEngine::FormActivate(const QStringList& arguments)
{
    if (ChatState() != TChatState::csStarting)
        return;
    int error = 0;
    if (!FHost.OpenChatSocket(error))
        ReportError(sidCantCreateSocket, error);
    SetChatState(TChatEvent::FirstActivation);
    FHost.PostStartChat();
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("/minimized"))
        FHost.PostMinimize();
}

void TChatEngine::StartChat()
{
    FHost.ResumeReceiveThread();
    FHost.SetStatusText(2, FHost.LocalAddressText());
    FHost.SetStatusText(3, FHost.LocalHostName());

    const bool firstRun = FConfig.GetBool(first_run);
    if (!FConfig.GetBool(save_settings) || firstRun)
        miNewUserClick();
    else
        StartRegistration();

    if (firstRun) {
        FHost.AddNoticeMessage(TChatView::Conference, Text(sidWelcome));
        FHost.AddNoticeMessage(TChatView::Conference, Text(sidVisitHomePage));
    }

    const QLocale locale;
    const QDateTime now = FHost.LocalNow();
    const QString prefix = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1String(", ") +
                           locale.toString(now.time(), LongTimeFormat()) + QLatin1String(" - ");
    FHost.AddEventMessage(TChatView::Conference, false, prefix + Text(sidNewConference));
    FHost.AddEventMessage(TChatView::Private, false, prefix + Text(sidNewPrivateSession));
    FHost.WriteSessionEvent(Text(sidNewSession), false);
}

void TChatEngine::miNewUserClick()
{
    if (!FMachine.AcceptsChangeOfUser())
        return;
    if (!FChangeUserMode) {
        if (FHost.ShowRegistrationDialog(false))
            StartRegistration();
        return;
    }
    const QString oldNick = FConfig.GetStr(user_name);
    const int oldGender = FConfig.GetInt(user_gender);
    if (!FHost.ShowRegistrationDialog(true))
        return;
    // Case matters: bob becoming Bob is a new identity for every peer.
    const bool changed =
        FConfig.GetStr(user_name) != oldNick || FConfig.GetInt(user_gender) != oldGender;
    if (!changed && FRegistered)
        return;
    if (FRegistered) {
        SendShortCommand(TDatagramKind::dkLeave, ToAnsi(oldNick), oldGender);
        FRegistered = false;
    }
    StartRegistration();
}

void TChatEngine::AnnounceLeave()
{
    SendShortCommand(TDatagramKind::dkLeave, OwnNick(), OwnGender());
}

void TChatEngine::FormClose()
{
    AnnounceLeave();
    // Pieces of a long message that have not gone yet would only fail on the closed socket.
    FPieces.clear();
    FHost.StopTimer(TChatTimer::PieceTimer);
    int error = 0;
    if (!FHost.CloseChatSocket(error))
        ReportError(sidCantCloseSocket, error);
}

void TChatEngine::FormDestroy()
{
    FHost.WriteSessionEvent(Text(sidSessionFinished), true);
    FConfig.SetBool(first_run, false);
    FBackup.Clear();
}

bool TChatEngine::miShowNicClick()
{
    FShowNic = !FShowNic;
    FConfig.SetBool(show_nic_at_statusbar, FShowNic);
    ShowOwnNick();
    return FShowNic;
}

void TChatEngine::TimerExpired(TChatTimer timer)
{
    FHost.StopTimer(timer);
    switch (timer) {
    case TChatTimer::QueryUniqueTimer:
        QueryUniqueTimerTimer();
        break;
    case TChatTimer::QueryUpdateTimer:
        QueryUpdateTimerTimer();
        break;
    case TChatTimer::ConferenceFlood:
        FConferenceFlood.DelayTimerExpired();
        break;
    case TChatTimer::PrivateFlood:
        FPrivateFlood.DelayTimerExpired();
        break;
    case TChatTimer::PrivateHintTimer:
        FHost.HideRecipientHint();
        break;
    case TChatTimer::PieceTimer:
        SendNextPiece();
        break;
    }
}

void TChatEngine::SetChatState(TChatEvent event)
{
    if (FMachine.Fire(event))
        FHost.SetStatusText(0, Text(ChatStateTextId(FMachine.State())));
}

QString TChatEngine::Text(int id) const
{
    return FLang.GetString(id);
}

QByteArray TChatEngine::OwnNick() const
{
    // The identity on the wire is the first 32 bytes; comparing with anything longer would
    // make the user a stranger to their own datagrams.
    const QString nick = FConfig.GetStr(user_name);
    if (nick != FOwnNickSource) {
        FOwnNickSource = nick;
        FOwnNick = ToAnsi(nick).left(Datagram::NickCapacity);
    }
    return FOwnNick;
}

int TChatEngine::OwnGender() const
{
    return FConfig.GetInt(user_gender);
}

bool TChatEngine::SameNickIgnoringCase(const QByteArray& a, const QByteArray& b) const
{
    const TCodePage& page = TCodePage::Ansi();
    return page.UpperCase(a) == page.UpperCase(b);
}

void TChatEngine::ReportError(int messageId, int errorCode)
{
    FHost.AddErrorMessage(TChatView::Conference, Text(messageId), errorCode);
}

void TChatEngine::Send(const TChatDatagram& datagram)
{
    int error = 0;
    if (!FHost.SendDatagram(datagram, error))
        ReportError(sidSendError, error);
}

void TChatEngine::SendShortCommand(TDatagramKind kind, const QByteArray& nick, int value)
{
    Send(MakeShortCommand(kind, nick, value));
}
