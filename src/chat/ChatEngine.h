#pragma once

#include "chat/ChatHost.h"
#include "chat/ChatState.h"
#include "chat/ContList.h"
#include "chat/FloodControl.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class TConfig;
class TLangControl;

// The chat protocol of one peer: joining and leaving, the interpretation of every datagram,
// the contact list, sending with flood control, the nickname claim and the list refresh.
//
// Sans-I/O: it is driven by calls (a datagram has arrived, a timer has expired, the user gave
// a command) and acts only through its host. Time comes from the host's clock. Every call
// returns before anything else happens, except the modal dialogs the host shows on request.
class TChatEngine final
{
public:
    TChatEngine(IChatHost& host, TConfig& config, TLangControl& lang);
    TChatEngine(const TChatEngine&) = delete;
    TChatEngine& operator=(const TChatEngine&) = delete;

    // Start-up and shut-down, in the order the window meets them.
    void FormCreate();
    // First activation of the window: opens the socket, posts the start of the chat.
    // arguments: the program's command line without the program itself.
    void FormActivate(const QStringList& arguments);
    // The posted start of the chat (the window's WM_STARTCHAT).
    void StartChat();
    // Close of the window: the leave announcement and the socket's close.
    void FormClose();
    // Destruction of the window: the last history line and the settings' end of run.
    void FormDestroy();

    // User commands.
    void miNewUserClick();
    void miUpdateClientsClick();
    // Toggles the check mark of "Show My Nic at Status Bar"; returns the new state.
    bool miShowNicClick();
    void SendConferenceCommand();
    void SendPrivateCommand();

    // The receive thread's hand-over: reads and dispatches exactly one datagram.
    void RecTimerTimer();
    // Dispatches datagram bytes as if just received (any length, any content).
    void DispatchDatagram(QByteArrayView bytes);

    void TimerExpired(TChatTimer timer);

    void StartRegistration();
    void AnnounceLeave();

    TChatState ChatState() const { return FMachine.State(); }
    bool Registered() const { return FRegistered; }
    // The user's nickname as it goes on the wire: the first 32 bytes in the code page.
    QByteArray OwnNick() const;
    bool ChangeUserMode() const { return FChangeUserMode; }
    TContactList& Contacts() { return FContacts; }
    const TContactList& Contacts() const { return FContacts; }
    const TContactList& BackupContacts() const { return FBackup; }
    TFloodControl& ConferenceFlood() { return FConferenceFlood; }
    TFloodControl& PrivateFlood() { return FPrivateFlood; }
    // Pieces of a long message that have not gone out yet.
    bool PiecesPending() const { return !FPieces.empty(); }

    // Timer intervals of the protocol.
    static constexpr int QueryUniqueInterval = 500;
    static constexpr int QueryUpdateInterval = 1000;
    static constexpr int PrivateHintInterval = 1500;
    static constexpr int PieceInterval = 120;
    static constexpr qint64 EchoWindowMs = 2000;
    // Far above any LAN's head count; it only stops a stream of forged enter datagrams from
    // growing the list without end.
    static constexpr int MaxContacts = 10000;

private:
    void SetChatState(TChatEvent event);
    QString Text(int id) const;
    int OwnGender() const;
    bool SameNickIgnoringCase(const QByteArray& a, const QByteArray& b) const;
    void ReportError(int messageId, int errorCode);
    void Send(const TChatDatagram& datagram);
    void SendShortCommand(TDatagramKind kind, const QByteArray& nick, int value);

    // Dispatch, one function per concern.
    bool PassesMessageFilter(const TChatDatagram& d);
    void PlayMessageSound(const TChatDatagram& d);
    bool SoundsAllowed() const;
    void PlayIfEnabled(TChatSound sound, int enabledId, int fileId);
    void OnConferenceMessage(const TChatDatagram& d, bool continuation);
    void OnPrivateMessage(const TChatDatagram& d, bool continuation);
    void OnNickQuery(const TChatDatagram& d);
    void OnNickInUse(const TChatDatagram& d);
    void OnEnter(const TChatDatagram& d);
    void OnLeave(const TChatDatagram& d);
    void OnListQuery();
    void OnListAnswer(const TChatDatagram& d);
    void Notify(const TChatDatagram& d, bool isPrivate);
    void PresencePopup(const TChatDatagram& d, const QString& line);
    QString PresenceLine(int id, const QByteArray& nick) const;

    // Sending.
    void ConferenceSender(const QString& text);
    void PrivateSender(const QString& text);
    TChatDatagram MessageTemplate(TDatagramKind kind) const;
    void QueuePieces(TChatDatagram datagram, QList<QByteArray> pieces);
    void SendNextPiece();

    // Registration and refresh.
    void QueryUniqueTimerTimer();
    void QueryUpdateTimerTimer();
    void ShowOwnNick();

    // The 8-bit own nickname is asked for by every datagram; it is converted again only when
    // the setting changes.
    mutable QString FOwnNickSource;
    mutable QByteArray FOwnNick;

    IChatHost& FHost;
    TConfig& FConfig;
    TLangControl& FLang;
    TChatStateMachine FMachine;
    bool FRegistered = false;
    bool FChangeUserMode = false;
    bool FShowNic = true;

    QByteArray FLastMsgText;
    QByteArray FLastMsgNick;
    std::optional<qint64> FLastMsgTime;

    TContactList FContacts;
    TContactList FBackup;
    TFloodControl FConferenceFlood;
    TFloodControl FPrivateFlood;
    // Pieces of long messages still to go, in order; one leaves every PieceInterval.
    std::deque<TChatDatagram> FPieces;
};
