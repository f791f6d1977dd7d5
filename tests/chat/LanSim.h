#pragma once
// A virtual LAN for the engine: N peers, one virtual clock, datagrams delivered to every
// peer (the sender included) after a latency, timers kept as deadlines. Nothing sleeps and
// nothing touches a socket, so the protocol's timings are checked to the millisecond.

#include "chat/ChatEngine.h"
#include "chat/ConsoleText.h"
#include "config/Config.h"
#include "lang/Lang.h"
#include "platform/CodePage.h"

#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TSimLan;

class TSimPeer final : public IChatHost
{
public:
    TSimPeer(TSimLan& lan, const QString& nick, int gender);

    TSimLan& Lan;
    TConfig Config{QStringLiteral("/nonexistent/zelkit-sim/user.reg")};
    TLangControl Lang{[] { return QString(); }};
    std::unique_ptr<TChatEngine> Engine;

    // What the peer showed and did, one readable line each.
    QStringList Log;
    std::vector<TChatDatagram> Sent;
    std::deque<QByteArray> Inbox;
    std::array<std::optional<qint64>, ChatTimerCount> Deadlines{};
    QString Editor;
    bool SocketOpen = false;
    bool FailOpen = false;
    bool FailSend = false;
    bool Covered = false;
    bool Active = false;
    bool MinimizedOrHidden = false;
    // What the registration dialog answers next (nick, gender); none: keeps the settings.
    std::optional<std::pair<QString, int>> DialogAnswer;
    bool DialogCancels = false;
    // Runs while the registration dialog is open: a modal dialog keeps the event loop, and
    // with it the dispatch of datagrams, running.
    std::function<void()> WhileDialogOpen;
    QStringList Existing; // files that exist
    TEditorFont Font{0x0000FF, true, false};

    QByteArray Nick() const { return ToAnsi(Config.GetStr(user_name)); }
    // Log lines that start with prefix.
    QStringList Lines(const QString& prefix) const
    {
        QStringList out;
        for (const QString& l : Log)
            if (l.startsWith(prefix))
                out << l;
        return out;
    }
    QStringList ContactNames() const
    {
        QStringList out;
        for (const TContactInfo* c : Engine->Contacts().ViewOrder())
            out << FromAnsi(c->Nick);
        return out;
    }
    // Starts the peer as the window would: creation, first activation, start of the chat.
    void Start(const QStringList& args = {})
    {
        Engine->FormCreate();
        Engine->FormActivate(args);
        Engine->StartChat();
    }
    void Type(const QString& text) { Editor = text; }

    // IChatHost
    bool OpenChatSocket(int& error) override
    {
        if (FailOpen) {
            error = 98;
            return false;
        }
        SocketOpen = true;
        return true;
    }
    bool CloseChatSocket(int&) override
    {
        SocketOpen = false;
        return true;
    }
    bool SendDatagram(const TChatDatagram& d, int& error) override;
    bool ReceiveDatagram(QByteArray& bytes, int& error) override
    {
        if (Inbox.empty()) {
            error = 11;
            return false;
        }
        bytes = Inbox.front();
        Inbox.pop_front();
        return true;
    }
    QString LocalAddressText() const override { return QStringLiteral("127.0.0.1"); }
    QString LocalHostName() const override { return QStringLiteral("simhost"); }
    void ResumeReceiveThread() override { Log << QStringLiteral("resume"); }
    qint64 MonotonicMs() const override;
    QDateTime LocalNow() const override
    {
        return QDateTime(QDate(2026, 12, 10), QTime(10, 0)).addMSecs(MonotonicMs());
    }
    void StartTimer(TChatTimer t, int ms) override
    {
        Deadlines[static_cast<int>(t)] = MonotonicMs() + ms;
    }
    void StopTimer(TChatTimer t) override { Deadlines[static_cast<int>(t)].reset(); }
    bool TimerArmed(TChatTimer t) const { return Deadlines[static_cast<int>(t)].has_value(); }
    void AddChatMessage(const TChatMessage& m) override
    {
        const QString view = m.View == TChatView::Conference ? QStringLiteral("conference")
                                                             : QStringLiteral("private");
        Log << view + (m.IsContinuation ? QStringLiteral("+ ") : QStringLiteral(" ")) +
                   ComposeChatLine(m, QString()).Whole();
    }
    void AddEventMessage(TChatView view, bool, const QString& text) override
    {
        Log << (view == TChatView::Conference ? QStringLiteral("event conference ")
                                              : QStringLiteral("event private ")) +
                   text;
    }
    void AddNoticeMessage(TChatView, const QString& text) override
    {
        Log << QStringLiteral("notice ") + text;
    }
    void AddErrorMessage(TChatView, const QString& text, int code) override
    {
        Log << QStringLiteral("error ") + text + QStringLiteral(" #") + QString::number(code);
    }
    void WriteMessage(const QByteArray& nick, const QByteArray& text) override
    {
        Log << QStringLiteral("history <") + FromAnsi(nick) + QStringLiteral("> ") + FromAnsi(text);
    }
    void WriteSessionEvent(const QString& text, bool emptyLine) override
    {
        Log << QStringLiteral("history-event ") + text +
                   (emptyLine ? QStringLiteral(" +") : QString());
    }
    void StartConferenceBlink() override { Log << QStringLiteral("blink conference"); }
    void StartPrivateBlink() override { Log << QStringLiteral("blink private"); }
    bool FileExists(const QString& path) const override { return Existing.contains(path); }
    void PlayChatSound(TChatSound s, const QString& file) override
    {
        Log << QStringLiteral("sound %1 %2").arg(static_cast<int>(s)).arg(file);
    }
    void ShowPopupMessage(const QByteArray& nick, const QByteArray& text, std::uint32_t, bool, int,
                          bool isPrivate) override
    {
        Log << QStringLiteral("popup%1 <%2> %3")
                   .arg(isPrivate ? QStringLiteral(" private") : QString(), FromAnsi(nick),
                        FromAnsi(text));
    }
    bool IsApplicationActive() const override { return Active; }
    bool IsWindowCovered() const override { return Covered; }
    bool IsWindowMinimizedOrHidden() const override { return MinimizedOrHidden; }
    void StartTrayAnimation() override { Log << QStringLiteral("tray"); }
    void FlashTaskbarButton() override { Log << QStringLiteral("flash"); }
    void SetStatusText(int panel, const QString& text) override
    {
        Log << QStringLiteral("status%1 %2").arg(panel).arg(text);
    }
    void ShowNickInUse(const QString& text) override { Log << QStringLiteral("box ") + text; }
    bool ShowRegistrationDialog(bool shortForm) override
    {
        Log << (shortForm ? QStringLiteral("dialog short") : QStringLiteral("dialog full"));
        if (WhileDialogOpen)
            std::exchange(WhileDialogOpen, nullptr)();
        if (DialogCancels)
            return false;
        if (DialogAnswer) {
            Config.SetStr(user_name, DialogAnswer->first);
            Config.SetInt(user_gender, DialogAnswer->second);
            DialogAnswer.reset();
        }
        return true;
    }
    void ShowRecipientHint(const QString& text) override { Log << QStringLiteral("hint ") + text; }
    void HideRecipientHint() override { Log << QStringLiteral("hint-off"); }
    void PostStartChat() override {}
    void PostMinimize() override { Log << QStringLiteral("minimize"); }
    QString EditorText() const override { return Editor; }
    void SetEditorText(const QString& text, int) override { Editor = text; }
    TEditorFont EditorFont() const override { return Font; }
    void FocusEditor() override {}
    void UpdateEditCommands() override {}
};

class TSimLan final
{
public:
    qint64 Now = 0;
    int LatencyMs = 1;
    std::vector<std::unique_ptr<TSimPeer>> Peers;
    // Datagrams on their way: delivery time, bytes.
    std::deque<std::pair<qint64, QByteArray>> InFlight;
    // Raw bytes every peer sent, in order, for wire checks.
    std::vector<QByteArray> Wire;

    TSimPeer& Add(const QString& nick, int gender = 0)
    {
        Peers.push_back(std::make_unique<TSimPeer>(*this, nick, gender));
        return *Peers.back();
    }
    void Broadcast(const QByteArray& bytes)
    {
        Wire.push_back(bytes);
        InFlight.emplace_back(Now + LatencyMs, bytes);
    }
    // Injects bytes from a peer outside the simulation.
    void Inject(const QByteArray& bytes) { InFlight.emplace_back(Now, bytes); }

    // Runs every delivery and timer due up to Now + ms, in time order.
    void Advance(qint64 ms)
    {
        const qint64 end = Now + ms;
        for (;;) {
            qint64 next = end + 1;
            for (const auto& f : InFlight)
                next = std::min(next, f.first);
            for (const auto& p : Peers)
                for (const auto& d : p->Deadlines)
                    if (d)
                        next = std::min(next, *d);
            if (next > end)
                break;
            Now = next;
            RunDue();
        }
        Now = end;
    }

private:
    void RunDue()
    {
        std::vector<QByteArray> due;
        for (auto it = InFlight.begin(); it != InFlight.end();) {
            if (it->first <= Now) {
                due.push_back(it->second);
                it = InFlight.erase(it);
            } else {
                ++it;
            }
        }
        for (const QByteArray& bytes : due)
            for (const auto& p : Peers)
                if (p->SocketOpen) {
                    p->Inbox.push_back(bytes);
                    p->Engine->RecTimerTimer();
                }
        for (const auto& p : Peers)
            for (int t = 0; t < ChatTimerCount; ++t)
                if (p->Deadlines[t] && *p->Deadlines[t] <= Now) {
                    p->Deadlines[t].reset();
                    p->Engine->TimerExpired(static_cast<TChatTimer>(t));
                }
    }
};

inline TSimPeer::TSimPeer(TSimLan& lan, const QString& nick, int gender) : Lan(lan)
{
    Config.SetStr(user_name, nick);
    Config.SetInt(user_gender, gender);
    Config.SetBool(first_run, false);
    Engine = std::make_unique<TChatEngine>(*this, Config, Lang);
}

inline bool TSimPeer::SendDatagram(const TChatDatagram& d, int& error)
{
    if (!SocketOpen || FailSend) {
        error = SocketOpen ? 101 : 0;
        return false;
    }
    Sent.push_back(d);
    Lan.Broadcast(EncodeDatagram(d));
    return true;
}

inline qint64 TSimPeer::MonotonicMs() const
{
    return Lan.Now;
}
