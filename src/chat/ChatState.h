#pragma once

#include <cstdint>

// The engine's state. Only TChatStateMachine changes it.
enum class TChatState : std::uint8_t {
    csReady = 0,         // registered and idle; messages flow
    csConnecting = 1,    // socket opened (or failed); nickname not (yet) registered
    csStarting = 2,      // window created, socket not yet opened
    csRegistering = 3,   // nickname query sent, waiting for objections
    csInterrogating = 4, // list query sent, collecting answers
};

// What happens to the engine; each event moves the state along one row of the table in
// ChatState.cpp or not at all.
enum class TChatEvent : std::uint8_t {
    WindowCreated,
    FirstActivation,
    RegistrationStarted,
    NickRejected,
    RefreshStarted,
    RefreshTimedOut,
};

class TChatStateMachine final
{
public:
    TChatState State() const { return FState; }
    // Applies the event; false (and no change) when the table has no row for it in the
    // current state.
    bool Fire(TChatEvent event);
    // Whether an event would change the state, without changing it.
    bool Accepts(TChatEvent event) const;

    // Outgoing messages are accepted only while registered or collecting answers.
    bool AcceptsOutgoing() const;
    // The change-of-user command runs only when idle or not yet registered.
    bool AcceptsChangeOfUser() const;

private:
    TChatState FState = TChatState::csStarting;
};

// String-table identifier of the status text of a state.
int ChatStateTextId(TChatState state);
