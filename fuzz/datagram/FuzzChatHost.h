#pragma once

#include "chat/ChatHost.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <deque>
#include <optional>

// The least a chat engine needs to run under the fuzzer: a clock that moves only when told,
// timers kept as deadlines, and every datagram sent kept for the checks and for the echo
// that a real network would bring back. No sockets, no files, no windows.
class TFuzzChatHost final : public IChatHost
{
public:
    qint64 Now = 0;
    std::array<std::optional<qint64>, ChatTimerCount> Deadlines{};
    // Sent and not yet echoed, oldest first.
    std::deque<TChatDatagram> Outbox;
    int SentCount = 0;
    QString Editor;

    // The armed timer that is due first, if any.
    std::optional<TChatTimer> NextTimer() const;

    bool OpenChatSocket(int& error) override;
    bool CloseChatSocket(int& error) override;
    bool SendDatagram(const TChatDatagram& datagram, int& error) override;
    bool ReceiveDatagram(QByteArray& bytes, int& error) override;
    QString LocalAddressText() const override { return QStringLiteral("127.0.0.1"); }
    QString LocalHostName() const override { return QStringLiteral("fuzzhost"); }
    void ResumeReceiveThread() override {}
    qint64 MonotonicMs() const override { return Now; }
    QDateTime LocalNow() const override;
    void StartTimer(TChatTimer timer, int intervalMs) override;
    void StopTimer(TChatTimer timer) override;
    void AddChatMessage(const TChatMessage&) override {}
    void AddEventMessage(TChatView, bool, const QString&) override {}
    void AddNoticeMessage(TChatView, const QString&) override {}
    void AddErrorMessage(TChatView, const QString&, int) override {}
    void WriteMessage(const QByteArray&, const QByteArray&) override {}
    void WriteSessionEvent(const QString&, bool) override {}
    void StartConferenceBlink() override {}
    void StartPrivateBlink() override {}
    bool FileExists(const QString&) const override { return true; }
    void PlayChatSound(TChatSound, const QString&) override {}
    void ShowPopupMessage(const QByteArray&, const QByteArray&, std::uint32_t, bool, int,
                          bool) override
    {
    }
    bool IsApplicationActive() const override { return false; }
    bool IsWindowCovered() const override { return true; }
    bool IsWindowMinimizedOrHidden() const override { return false; }
    void StartTrayAnimation() override {}
    void FlashTaskbarButton() override {}
    void SetStatusText(int, const QString&) override {}
    void ShowNickInUse(const QString&) override {}
    // Confirms the nickname the settings hold, as a user pressing OK would.
    bool ShowRegistrationDialog(bool) override { return true; }
    void ShowRecipientHint(const QString&) override {}
    void HideRecipientHint() override {}
    void PostStartChat() override {}
    void PostMinimize() override {}
    QString EditorText() const override { return Editor; }
    void SetEditorText(const QString& text, int) override { Editor = text; }
    TEditorFont EditorFont() const override { return {0x00FF8000, false, true}; }
    void FocusEditor() override {}
    void UpdateEditCommands() override {}
};
