#pragma once

#include "chat/ChatEngine.h"
#include "host/ChatHostBase.h"

#include "HeadlessEvents.h"
#include "LineOutput.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <array>
#include <deque>
#include <memory>
#include <optional>

class TChatLog;
class TChatSocket;
class TConfig;
class TLangControl;

// The chat engine without windows: a real socket, the settings it was given, standard input
// for commands and standard output for what a window would show, one line per event.
class THeadlessPeer final : public TChatHostBase
{
    Q_OBJECT
public:
    // json: every output line is one JSON object.
    THeadlessPeer(TChatSocket& socket, TConfig& config, TLangControl& lang, TChatLog& log,
                  bool json = false);
    ~THeadlessPeer() override;

    // Joins at once; the program ends when the peer has left (/quit, end of input, SIGTERM),
    // with status 0, or 3 when it never had a nickname of its own.
    void Start();
    void Quit();
    static constexpr int ExitNoNickname = 3;

    // IChatHost, beyond the socket, timers and clock of the base
    void AddChatMessage(const TChatMessage& message) override;
    void AddEventMessage(TChatView view, bool showTime, const QString& text) override;
    void AddNoticeMessage(TChatView view, const QString& text) override;
    void AddErrorMessage(TChatView view, const QString& text, int errorCode) override;
    void WriteMessage(const QByteArray& nick, const QByteArray& text) override;
    void WriteSessionEvent(const QString& text, bool emptyLineAfter) override;
    void StartConferenceBlink() override {}
    void StartPrivateBlink() override {}
    bool FileExists(const QString&) const override { return false; }
    void PlayChatSound(TChatSound, const QString&) override {}
    void ShowPopupMessage(const QByteArray&, const QByteArray&, std::uint32_t, bool, int,
                          bool) override
    {
    }
    bool IsApplicationActive() const override { return false; }
    bool IsWindowCovered() const override { return false; }
    bool IsWindowMinimizedOrHidden() const override { return true; }
    void StartTrayAnimation() override {}
    void FlashTaskbarButton() override {}
    void SetStatusText(int panel, const QString& text) override;
    void ShowNickInUse(const QString& text) override;
    bool ShowRegistrationDialog(bool changeUserMode) override;
    void ShowRecipientHint(const QString& text) override;
    void HideRecipientHint() override {}
    void PostStartChat() override;
    void PostMinimize() override {}
    QString EditorText() const override { return FEditor; }
    void SetEditorText(const QString& text, int) override { FEditor = text; }
    TEditorFont EditorFont() const override;
    void FocusEditor() override {}
    void UpdateEditCommands() override {}

protected:
    void TimerHandled(TChatTimer timer) override;
    void DatagramSent(const TChatDatagram& datagram) override;

private:
    QString TimeStamp() const;
    void WarnIfChanged(const char* what, const QString& text, int maxBytes = 0) const;
    void SendConference(const QString& text);
    void SendPrivate(const QString& text);
    void ToggleIgnore(const QString& nick);
    // The end of input: what is queued still goes, and the echo of the last message is
    // awaited for at most the echo window, so that a script sees it printed.
    void FinishWhenDone();
    void ReadInput();
    void SchedulePump();
    void Pump();
    bool ReadyForInput() const;
    void Execute(const QString& line);

    TConfig& FConfig;
    TLangControl& FLang;
    TChatLog& FLog;
    std::unique_ptr<TChatEngine> FEngine;
    std::unique_ptr<QSocketNotifier> FInput;
    QByteArray FInputBuffer;
    std::deque<QString> FLines;
    bool FEndOfInput = false;
    bool FPumpScheduled = false;
    bool FQuitting = false;
    bool FEnding = false;
    bool FRefused = false;
    bool FEverRegistered = false;
    // The text of the last conference datagram sent, until its echo is back.
    std::optional<QByteArray> FAwaitedEcho;
    qint64 FLastConferenceSendMs = 0;
    QTimer FEchoTimer;
    // Set when a claim was refused and the user must name another nickname.
    bool FAwaitingNick = false;
    std::optional<std::pair<QString, int>> FPendingNick;
    QString FEditor;
    // The stamp of the current second: a busy conference formats it once, not per line.
    mutable qint64 FStampSecond = -1;
    mutable QString FStamp;
    // Written by const members too: printing a line changes nothing of the peer.
    mutable TLineOutput FOutput;
    mutable THeadlessEvents FEvents;
};
