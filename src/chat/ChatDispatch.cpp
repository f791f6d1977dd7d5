// The interpretation of every incoming datagram. Everything from the network is hostile:
// DecodeDatagram has already clamped every length, and nothing here treats a nickname or a
// text as markup or as a format.
#include "chat/ChatEngine.h"

#include "config/Config.h"
#include "lang/FormatText.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "platform/CodePage.h"

void TChatEngine::RecTimerTimer()
{
    QByteArray bytes;
    int error = 0;
    if (!FHost.ReceiveDatagram(bytes, error)) {
        ReportError(sidReceiveError, error);
        return;
    }
    DispatchDatagram(bytes);
}

void TChatEngine::DispatchDatagram(QByteArrayView bytes)
{
    const TChatDatagram d = DecodeDatagram(bytes);
    const bool isMessage = d.Kind == static_cast<std::uint8_t>(TDatagramKind::dkConferenceMsg) ||
                           d.Kind == static_cast<std::uint8_t>(TDatagramKind::dkPrivateMsg);
    if (isMessage && ChatState() == TChatState::csReady && !PassesMessageFilter(d))
        return;

    const bool continuation =
        d.SenderNick == FLastMsgNick && d.PartMarker == Datagram::NextPartMarker;
    switch (d.kind()) {
    case TDatagramKind::dkConferenceMsg:
        OnConferenceMessage(d, continuation);
        break;
    case TDatagramKind::dkPrivateMsg:
        OnPrivateMessage(d, continuation);
        break;
    case TDatagramKind::dkNickQuery:
        OnNickQuery(d);
        break;
    case TDatagramKind::dkNickInUse:
        OnNickInUse(d);
        break;
    case TDatagramKind::dkEnter:
        OnEnter(d);
        break;
    case TDatagramKind::dkLeave:
        OnLeave(d);
        break;
    case TDatagramKind::dkHidden:
        FContacts.SetHidden(d.SenderNick, true);
        break;
    case TDatagramKind::dkVisible:
        FContacts.SetHidden(d.SenderNick, false);
        break;
    case TDatagramKind::dkListQuery:
        OnListQuery();
        break;
    case TDatagramKind::dkListAnswer:
        OnListAnswer(d);
        break;
    default:
        break; // a kind of a later protocol
    }
}

bool TChatEngine::PassesMessageFilter(const TChatDatagram& d)
{
    const TContactInfo* sender = FContacts.Find(d.SenderNick);
    if (!sender) {
        miUpdateClientsClick();
        return false;
    }
    const qint64 now = FHost.MonotonicMs();
    // A further piece of a long message may repeat the piece before it (a line of dashes);
    // only a whole message's repeated echo is dropped.
    const bool ownEcho = d.PartMarker != Datagram::NextPartMarker && d.Text == FLastMsgText &&
                         d.SenderNick == FLastMsgNick && d.SenderNick == OwnNick() &&
                         FLastMsgTime && qAbs(now - *FLastMsgTime) < EchoWindowMs;
    if (ownEcho)
        return false;
    FLastMsgText = d.Text;
    FLastMsgNick = d.SenderNick;
    FLastMsgTime = now;
    PlayMessageSound(d);
    return !sender->Ignored;
}

bool TChatEngine::SoundsAllowed() const
{
    return FConfig.GetBool(enable_sounds) &&
           (!FConfig.GetBool(sound_only_if_chat_inactive) || !FHost.IsApplicationActive());
}

void TChatEngine::PlayIfEnabled(TChatSound sound, int enabledId, int fileId)
{
    const QString file = FConfig.GetStr(fileId);
    if (FConfig.GetBool(enabledId) && FHost.FileExists(file))
        FHost.PlayChatSound(sound, file);
}

void TChatEngine::PlayMessageSound(const TChatDatagram& d)
{
    if (!SoundsAllowed())
        return;
    const QByteArray own = OwnNick();
    if (d.kind() == TDatagramKind::dkPrivateMsg && d.RecipientNick == own)
        PlayIfEnabled(TChatSound::seIncomingPrivateMessage, sound_enabled_incoming_private_msg,
                      sound_file_incoming_private_msg);
    else if (d.kind() == TDatagramKind::dkConferenceMsg && d.SenderNick != own)
        PlayIfEnabled(TChatSound::seIncomingMessage, sound_enabled_incoming_msg,
                      sound_file_incoming_msg);
}

void TChatEngine::OnConferenceMessage(const TChatDatagram& d, bool continuation)
{
    TChatMessage m;
    m.View = TChatView::Conference;
    m.IsContinuation = continuation;
    m.Text = d.Text;
    m.Addressee = d.RecipientNick;
    m.Nick = d.SenderNick;
    m.Color = d.TextColor;
    FHost.AddChatMessage(m);
    FHost.StartConferenceBlink();
    FHost.WriteMessage(d.SenderNick, d.Text);
    Notify(d, false);
}

void TChatEngine::OnPrivateMessage(const TChatDatagram& d, bool continuation)
{
    if (d.RecipientNick != OwnNick())
        return;
    TChatMessage m;
    m.View = TChatView::Private;
    m.IsContinuation = continuation;
    m.IsPrivate = true;
    m.Text = d.Text;
    m.Addressee = d.RecipientNick;
    m.Nick = d.SenderNick;
    m.Color = d.TextColor;
    FHost.AddChatMessage(m);
    FHost.WriteMessage(d.SenderNick, ToAnsi(Text(sidPrivateMarker)) + ' ' + d.Text);
    FHost.StartPrivateBlink();
    Notify(d, true);
}

void TChatEngine::Notify(const TChatDatagram& d, bool isPrivate)
{
    if (!FHost.IsWindowCovered())
        return;
    const bool fromOther = d.SenderNick != OwnNick();
    const bool popup = FConfig.GetBool(enable_popups) && fromOther &&
                       (isPrivate || !FConfig.GetBool(popup_on_private_only));
    if (popup)
        FHost.ShowPopupMessage(d.SenderNick, d.Text, d.TextColor, FConfig.GetBool(popups_animated),
                               FConfig.GetInt(popup_show_time), isPrivate);
    if (!FHost.IsApplicationActive()) {
        FHost.StartTrayAnimation();
        FHost.FlashTaskbarButton();
    }
}

void TChatEngine::OnNickQuery(const TChatDatagram& d)
{
    if (ChatState() == TChatState::csRegistering)
        return;
    const QByteArray own = OwnNick();
    if (SameNickIgnoringCase(d.SenderNick, own))
        SendShortCommand(TDatagramKind::dkNickInUse, own, OwnGender());
}

void TChatEngine::OnNickInUse(const TChatDatagram& d)
{
    if (ChatState() != TChatState::csRegistering || !SameNickIgnoringCase(d.SenderNick, OwnNick()))
        return;
    FHost.StopTimer(TChatTimer::QueryUniqueTimer);
    FHost.ShowNickInUse(Text(sidNicInUse));
    SetChatState(TChatEvent::NickRejected);
    miNewUserClick();
}

QString TChatEngine::PresenceLine(int id, const QByteArray& nick) const
{
    return FormatWithNick(Text(id), FromAnsi(nick));
}

void TChatEngine::PresencePopup(const TChatDatagram& d, const QString& line)
{
    if (d.SenderNick == OwnNick() || !FConfig.GetBool(enable_popups) ||
        !FConfig.GetBool(popup_on_enter_leave) || FHost.IsWindowMinimizedOrHidden())
        return;
    FHost.ShowPopupMessage(d.SenderNick, ToAnsi(line), d.TextColor,
                           FConfig.GetBool(popups_animated), FConfig.GetInt(popup_show_time),
                           false);
}

void TChatEngine::OnEnter(const TChatDatagram& d)
{
    if (d.SenderNick != OwnNick() && SoundsAllowed())
        PlayIfEnabled(TChatSound::seNewContact, sound_enabled_new_contact, sound_file_new_contact);
    if (FContacts.Count() >= MaxContacts || !FContacts.Add(d.SenderNick, d.Gender))
        return;
    const QString line = PresenceLine(sidUserEntering, d.SenderNick);
    FHost.AddEventMessage(TChatView::Conference, true, line);
    PresencePopup(d, line);
}

void TChatEngine::OnLeave(const TChatDatagram& d)
{
    if (!FContacts.Find(d.SenderNick))
        return;
    FContacts.RemoveByNick(d.SenderNick);
    const QString line = PresenceLine(sidUserLeaving, d.SenderNick);
    FHost.AddEventMessage(TChatView::Conference, true, line);
    PresencePopup(d, line);
}

void TChatEngine::OnListQuery()
{
    if (ChatState() == TChatState::csRegistering)
        return;
    TChatDatagram answer;
    answer.Kind = static_cast<std::uint8_t>(TDatagramKind::dkListAnswer);
    answer.SenderNick = OwnNick();
    answer.Gender = static_cast<std::uint8_t>(OwnGender() & 0xFF);
    Send(answer);
}

void TChatEngine::OnListAnswer(const TChatDatagram& d)
{
    if (ChatState() != TChatState::csInterrogating || FContacts.Count() >= MaxContacts ||
        FContacts.Find(d.SenderNick))
        return;
    FContacts.Add(d.SenderNick, d.Gender);
    FContacts.SetHidden(d.SenderNick, d.RecipientNick == Datagram::HiddenMarker);
    if (const TContactInfo* before = FBackup.Find(d.SenderNick))
        FContacts.SetIgnored(d.SenderNick, before->Ignored);
}
