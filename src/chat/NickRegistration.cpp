// Claiming the nickname and refreshing the contact list: there is no server to ask, so a
// peer asks everybody and waits.
#include "chat/ChatEngine.h"

#include "config/Config.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "platform/CodePage.h"

void TChatEngine::StartRegistration()
{
    if (ChatState() == TChatState::csInterrogating) {
        // A refresh started while the dialog was open: the claim ends in a refresh of its
        // own, and until then the list shows what it showed before.
        FHost.StopTimer(TChatTimer::QueryUpdateTimer);
        FBackup.CopyTo(FContacts);
    }
    FChangeUserMode = true;
    SetChatState(TChatEvent::RegistrationStarted);
    SendShortCommand(TDatagramKind::dkNickQuery, OwnNick(), OwnGender());
    FHost.StartTimer(TChatTimer::QueryUniqueTimer, QueryUniqueInterval);
}

void TChatEngine::QueryUniqueTimerTimer()
{
    if (ChatState() != TChatState::csRegistering)
        return;
    ShowOwnNick();
    SendShortCommand(TDatagramKind::dkEnter, OwnNick(), OwnGender());
    FRegistered = true;
    miUpdateClientsClick();
}

void TChatEngine::miUpdateClientsClick()
{
    if (ChatState() == TChatState::csInterrogating)
        return;
    FContacts.CopyTo(FBackup);
    SetChatState(TChatEvent::RefreshStarted);
    FContacts.Clear();
    FHost.FocusEditor();
    TChatDatagram query;
    query.Kind = static_cast<std::uint8_t>(TDatagramKind::dkListQuery);
    Send(query);
    FHost.StartTimer(TChatTimer::QueryUpdateTimer, QueryUpdateInterval);
}

void TChatEngine::QueryUpdateTimerTimer()
{
    SetChatState(TChatEvent::RefreshTimedOut);
}

void TChatEngine::ShowOwnNick()
{
    FHost.SetStatusText(4, FShowNic ? FConfig.GetStr(user_name) : QString());
}
