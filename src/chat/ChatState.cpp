// The engine's state machine, all of it.
//
// A peer starts in csStarting when its window is created and opens its socket at the first
// activation (csConnecting). It then claims its nickname (csRegistering) for 500 ms; an
// objection sends it back to csConnecting to choose again, silence leads through a list
// refresh (csInterrogating, 1000 ms of collecting answers) to csReady. A refresh can start in
// every state but csInterrogating, and a change of user starts a new claim from csReady or
// csConnecting. The change-of-user dialog is modal but datagrams keep arriving while it is
// open, so a refresh may have started under it: the claim that follows the dialog replaces
// that refresh. Nothing else moves the state.
#include "chat/ChatState.h"

#include "lang/LngDefId.h"

namespace {

struct TTransition {
    TChatEvent Event;
    bool (*From)(TChatState);
    TChatState To;
};

bool Any(TChatState)
{
    return true;
}
bool IsStarting(TChatState s)
{
    return s == TChatState::csStarting;
}
bool IsConnectingOrReady(TChatState s)
{
    return s == TChatState::csConnecting || s == TChatState::csReady;
}
bool IsConnectingReadyOrInterrogating(TChatState s)
{
    return IsConnectingOrReady(s) || s == TChatState::csInterrogating;
}
bool IsRegistering(TChatState s)
{
    return s == TChatState::csRegistering;
}
bool IsNotInterrogating(TChatState s)
{
    return s != TChatState::csInterrogating;
}
bool IsInterrogating(TChatState s)
{
    return s == TChatState::csInterrogating;
}

const TTransition Transitions[] = {
    {TChatEvent::WindowCreated, Any, TChatState::csStarting},
    {TChatEvent::FirstActivation, IsStarting, TChatState::csConnecting},
    {TChatEvent::RegistrationStarted, IsConnectingReadyOrInterrogating, TChatState::csRegistering},
    {TChatEvent::NickRejected, IsRegistering, TChatState::csConnecting},
    {TChatEvent::RefreshStarted, IsNotInterrogating, TChatState::csInterrogating},
    {TChatEvent::RefreshTimedOut, IsInterrogating, TChatState::csReady},
};

const TTransition* Find(TChatEvent event, TChatState state)
{
    for (const TTransition& t : Transitions)
        if (t.Event == event && t.From(state))
            return &t;
    return nullptr;
}

} // namespace

bool TChatStateMachine::Fire(TChatEvent event)
{
    const TTransition* t = Find(event, FState);
    if (!t)
        return false;
    FState = t->To;
    return true;
}

bool TChatStateMachine::Accepts(TChatEvent event) const
{
    return Find(event, FState) != nullptr;
}

bool TChatStateMachine::AcceptsOutgoing() const
{
    return FState == TChatState::csReady || FState == TChatState::csInterrogating;
}

bool TChatStateMachine::AcceptsChangeOfUser() const
{
    return IsConnectingOrReady(FState);
}

int ChatStateTextId(TChatState state)
{
    switch (state) {
    case TChatState::csReady:
        return sidReady;
    case TChatState::csConnecting:
    case TChatState::csStarting:
        return sidConnecting;
    case TChatState::csRegistering:
        return sidRegistering;
    case TChatState::csInterrogating:
        return sidInterrogating;
    }
    return sidConnecting;
}
