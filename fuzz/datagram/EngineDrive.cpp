#include "EngineDrive.h"

#include "FuzzChatHost.h"

#include "chat/ChatEngine.h"
#include "config/Config.h"
#include "lang/Lang.h"
#include "net/ChatDatagram.h"
#include "platform/CodePage.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int MaxDatagrams = 8;
// A datagram may make the engine send at most a few; more echoes than this are a loop.
constexpr int MaxEchoesPerStep = 32;
constexpr int MaxTimerExpiriesAtEnd = 64;

const QByteArray KnownPeers[] = {"Anna", "bob", "Carl"};

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "engine check failed: %s\n", what);
    std::abort();
}

struct TDriveOptions {
    TChatState State = TChatState::csReady;
    int Datagrams = 1;
    bool Echo = false;
    bool Type = false;
    bool LongNick = false;
    quint8 TimerMask = 0;
    int ClockStepMs = 0;
};

TDriveOptions ReadOptions(QByteArrayView input)
{
    auto byte = [&](int i) { return i < input.size() ? static_cast<quint8>(input[i]) : 0; };
    static constexpr TChatState states[] = {TChatState::csReady, TChatState::csRegistering,
                                            TChatState::csInterrogating, TChatState::csReady};
    TDriveOptions o;
    o.State = states[byte(0) & 3];
    o.Datagrams = 1 + ((byte(0) >> 2) & 7);
    o.Echo = byte(0) & 0x20;
    o.Type = byte(0) & 0x40;
    o.LongNick = byte(0) & 0x80;
    o.TimerMask = byte(1);
    o.ClockStepMs = byte(2) * 8;
    return o;
}

QList<QByteArrayView> CutDatagrams(QByteArrayView rest, int count)
{
    QList<QByteArrayView> out;
    while (static_cast<int>(out.size()) < count - 1 && rest.size() >= 2) {
        const int length =
            (static_cast<quint8>(rest[0]) | static_cast<quint8>(rest[1]) << 8) % 1024;
        rest = rest.sliced(2);
        const qsizetype take = std::min<qsizetype>(length, rest.size());
        out << rest.first(take);
        rest = rest.sliced(take);
    }
    out << rest;
    return out;
}

QByteArray ListAnswer(const QByteArray& nick, quint8 gender)
{
    TChatDatagram d;
    d.Kind = static_cast<quint8>(TDatagramKind::dkListAnswer);
    d.SenderNick = nick;
    d.Gender = gender;
    return EncodeDatagram(d);
}

class TEngineRun
{
public:
    explicit TEngineRun(const TDriveOptions& options) : FOptions(options)
    {
        FConfig.SetStr(user_name, options.LongNick
                                      ? QStringLiteral("AnUncommonlyLongNicknameOfFortyBytes!!")
                                      : QStringLiteral("Fuzzer"));
        FConfig.SetInt(user_gender, 1);
        FConfig.SetBool(first_run, false);
        FConfig.SetBool(enable_sounds, true);
        FConfig.SetBool(enable_popups, true);
        FEngine = std::make_unique<TChatEngine>(FHost, FConfig, Lang());
        ReachState();
    }

    void Step(QByteArrayView datagram, int index)
    {
        FHost.Now += FOptions.ClockStepMs;
        Dispatch(datagram);
        if (FOptions.Type)
            TypeAndSend(datagram, index);
        if (FOptions.TimerMask & (1 << index))
            ExpireNextTimer();
        HearEchoes();
    }

    // What is armed runs out, as it would if the input stopped here.
    void Finish()
    {
        for (int i = 0; i < MaxTimerExpiriesAtEnd && FHost.NextTimer(); ++i) {
            ExpireNextTimer();
            HearEchoes();
        }
    }

private:
    static TLangControl& Lang()
    {
        static TLangControl lang([] { return QString(); });
        return lang;
    }

    void ReachState()
    {
        FEngine->FormCreate();
        FEngine->FormActivate({});
        FEngine->StartChat();
        if (FOptions.State != TChatState::csRegistering) {
            ExpireNextTimer(); // the claim's wait ends: enter, then the list query
            for (const QByteArray& nick : KnownPeers)
                Dispatch(ListAnswer(nick, 0));
            Dispatch(ListAnswer(ToAnsi(FConfig.GetStr(user_name)), 1));
        }
        if (FOptions.State == TChatState::csReady)
            ExpireNextTimer(); // the refresh's wait ends
        if (FEngine->ChatState() != FOptions.State)
            Fail("the engine did not reach the state chosen");
        FHost.Outbox.clear();
        FHost.Editor.clear();
    }

    void Dispatch(QByteArrayView datagram)
    {
        FEngine->DispatchDatagram(datagram);
        ++FDispatched;
        Check();
    }

    void TypeAndSend(QByteArrayView datagram, int index)
    {
        const QString text = FromAnsi(datagram);
        if (index % 2 == 0) {
            FHost.Editor = text;
            FEngine->SendConferenceCommand();
        } else {
            FHost.Editor = FromAnsi(KnownPeers[index % 3]) + QLatin1String(": ") + text;
            FEngine->SendPrivateCommand();
        }
        Check();
    }

    void ExpireNextTimer()
    {
        const std::optional<TChatTimer> timer = FHost.NextTimer();
        if (!timer)
            return;
        FHost.Now = std::max(FHost.Now, *FHost.Deadlines[static_cast<int>(*timer)]);
        FHost.Deadlines[static_cast<int>(*timer)].reset();
        FEngine->TimerExpired(*timer);
        Check();
    }

    void HearEchoes()
    {
        if (!FOptions.Echo) {
            FHost.Outbox.clear();
            return;
        }
        for (int i = 0; i < MaxEchoesPerStep && !FHost.Outbox.empty(); ++i) {
            const QByteArray wire = EncodeDatagram(FHost.Outbox.front());
            FHost.Outbox.pop_front();
            Dispatch(wire);
        }
        if (!FHost.Outbox.empty())
            Fail("the engine keeps answering its own datagrams");
    }

    void Check() const
    {
        const TContactList& contacts = FEngine->Contacts();
        // Each datagram adds at most one contact; a refresh may only start over.
        if (contacts.Count() > FDispatched)
            Fail("more contacts than datagrams");
        if (FEngine->BackupContacts().Count() > FDispatched)
            Fail("more backup contacts than datagrams");
        const auto order = contacts.ViewOrder();
        if (static_cast<int>(order.size()) != contacts.Count())
            Fail("view rows and contacts differ");
        for (const TContactInfo* c : order) {
            if (c->Nick.size() > Datagram::NickCapacity)
                Fail("a nickname longer than the wire allows");
            if (contacts.Find(c->Nick) != c)
                Fail("a nickname that occurs twice or cannot be found");
        }
    }

    TDriveOptions FOptions;
    TFuzzChatHost FHost;
    TConfig FConfig{QStringLiteral("/nonexistent/zelkit-fuzz/user.reg")};
    std::unique_ptr<TChatEngine> FEngine;
    int FDispatched = 0;
};

} // namespace

void DriveEngine(QByteArrayView input)
{
    const TDriveOptions options = ReadOptions(input);
    TEngineRun run(options);
    const QList<QByteArrayView> datagrams =
        CutDatagrams(input.sliced(std::min<qsizetype>(3, input.size())), options.Datagrams);
    for (int i = 0; i < static_cast<int>(datagrams.size()); ++i)
        run.Step(datagrams[i], i);
    run.Finish();
}
