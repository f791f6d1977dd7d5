#pragma once

#include "net/ChatDatagram.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>

// The engine's timers. The host owns one single-shot timer per entry and reports its expiry
// back through TChatEngine::TimerExpired.
enum class TChatTimer {
    QueryUniqueTimer, // nickname claim, 500 ms
    QueryUpdateTimer, // list refresh, 1000 ms
    ConferenceFlood,  // delay of a repeated conference text
    PrivateFlood,     // delay of a repeated private text
    PrivateHintTimer, // life of the "select recipient" hint, 1500 ms
    PieceTimer,       // pause between the pieces of a long message, 120 ms
};
inline constexpr int ChatTimerCount = 6;

enum class TChatView { Conference, Private };

enum class TChatSound { seNewContact, seIncomingMessage, seIncomingPrivateMessage };

// One chat line as the console receives it; texts from the network stay 8-bit.
struct TChatMessage {
    TChatView View = TChatView::Conference;
    bool ShowTime = true;
    bool IsContinuation = false;
    bool IsOutgoing = false;
    bool IsPrivate = false;
    QByteArray Text;
    QByteArray Addressee;
    QByteArray Nick;
    std::uint32_t Color = 0;
};

// The editor font's part of an outgoing message.
struct TEditorFont {
    std::uint32_t Color = 0;
    bool Bold = false;
    bool Italic = false;
};

// Everything the engine causes in the world goes through this interface: the desktop program
// implements it with the socket, QTimers and widgets, the headless mode with the socket and
// standard output, tests with a recorder and a fake clock.
class IChatHost
{
public:
    virtual ~IChatHost() = default;

    // Network: bool + error code, error 0 when refused for want of an open socket.
    virtual bool OpenChatSocket(int& error) = 0;
    virtual bool CloseChatSocket(int& error) = 0;
    virtual bool SendDatagram(const TChatDatagram& datagram, int& error) = 0;
    // One datagram as received (any length); the engine decodes it.
    virtual bool ReceiveDatagram(QByteArray& bytes, int& error) = 0;
    virtual QString LocalAddressText() const = 0;
    virtual QString LocalHostName() const = 0;
    virtual void ResumeReceiveThread() = 0;

    // Time. MonotonicMs never goes back; LocalNow is the wall clock for texts.
    virtual qint64 MonotonicMs() const = 0;
    virtual QDateTime LocalNow() const = 0;

    // Timers: arming an armed timer restarts it.
    virtual void StartTimer(TChatTimer timer, int intervalMs) = 0;
    virtual void StopTimer(TChatTimer timer) = 0;

    // Consoles and history.
    virtual void AddChatMessage(const TChatMessage& message) = 0;
    virtual void AddEventMessage(TChatView view, bool showTime, const QString& text) = 0;
    virtual void AddNoticeMessage(TChatView view, const QString& text) = 0;
    virtual void AddErrorMessage(TChatView view, const QString& text, int errorCode) = 0;
    virtual void WriteMessage(const QByteArray& nick, const QByteArray& text) = 0;
    virtual void WriteSessionEvent(const QString& text, bool emptyLineAfter) = 0;

    // Attention.
    virtual void StartConferenceBlink() = 0;
    virtual void StartPrivateBlink() = 0;
    virtual bool FileExists(const QString& path) const = 0;
    virtual void PlayChatSound(TChatSound sound, const QString& file) = 0;
    virtual void ShowPopupMessage(const QByteArray& nick, const QByteArray& text,
                                  std::uint32_t color, bool animated, int showTimeSeconds,
                                  bool isPrivate) = 0;
    virtual bool IsApplicationActive() const = 0;
    virtual bool IsWindowCovered() const = 0;
    virtual bool IsWindowMinimizedOrHidden() const = 0;
    virtual void StartTrayAnimation() = 0;
    virtual void FlashTaskbarButton() = 0;

    // Windows of the program.
    virtual void SetStatusText(int panel, const QString& text) = 0;
    // The modal warning box; returns when the user has closed it.
    virtual void ShowNickInUse(const QString& text) = 0;
    // The modal registration dialog: in the short form (changeUserMode) nickname and gender
    // only. The dialog stores what the user chose into the settings; false when nothing was
    // chosen (the headless mode without a pending nickname).
    virtual bool ShowRegistrationDialog(bool changeUserMode) = 0;
    virtual void ShowRecipientHint(const QString& text) = 0;
    virtual void HideRecipientHint() = 0;
    virtual void PostStartChat() = 0;
    virtual void PostMinimize() = 0;

    // The message editor.
    virtual QString EditorText() const = 0;
    virtual void SetEditorText(const QString& text, int caret) = 0;
    virtual TEditorFont EditorFont() const = 0;
    virtual void FocusEditor() = 0;
    virtual void UpdateEditCommands() = 0;
};
