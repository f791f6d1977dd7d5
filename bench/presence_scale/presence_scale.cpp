// A list refresh on a crowded network: a real headless peer asks for the list while a
// thousand simulated peers answer at once on loopback. Figures: the answers that made it
// into the contact list within the 1000 ms window, the contacts listed, and whether the
// list was in view order (case-insensitive) all along. The last part runs in-process:
// the same arrivals into a TContactList whose mirrored view is checked after every insert,
// and the cost of Add as the list grows.
//
//   presence_scale [PEERS]   (1000)
#include "HeadlessProcess.h"
#include "ListAnswerer.h"
#include "LoopbackSocket.h"

#include "chat/ContList.h"
#include "net/NetProc.h"
#include "platform/CodePage.h"

#include <QCollator>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QRandomGenerator>
#include <QSet>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// Distinct nicknames of mixed case and length in a shuffled arrival order, some of them
// differing from another only in case (Bob and bob are two contacts).
QList<QByteArray> MakeNicks(int count, quint32 seed)
{
    static const char* const syllables[] = {"an", "bo", "ca", "DE", "el", "Fi", "go", "ha",
                                            "Ix", "jo", "ka", "LU", "mi", "no", "Or", "pe"};
    QRandomGenerator random(seed);
    QSet<QByteArray> seen;
    QList<QByteArray> nicks;
    while (nicks.size() < count) {
        QByteArray nick;
        const int parts = 2 + random.bounded(4);
        for (int p = 0; p < parts; ++p)
            nick += syllables[random.bounded(16)];
        if (random.bounded(8) == 0)
            nick = nick.toUpper();
        nick += QByteArray::number(random.bounded(100));
        if (!seen.contains(nick)) {
            seen.insert(nick);
            nicks << nick;
        }
    }
    return nicks;
}

QCollator ViewCollator()
{
    QCollator collator{QLocale()};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

bool InViewOrder(const QStringList& captions)
{
    const QCollator collator = ViewCollator();
    for (qsizetype i = 1; i < captions.size(); ++i)
        if (collator.compare(captions[i - 1], captions[i]) > 0)
            return false;
    return true;
}

// A list widget's stand-in that checks, at every insertion, that the new row sits between
// its neighbours: with a sorted start that is "sorted all along".
class TOrderCheckingView final : public IContactView
{
public:
    QStringList Rows;
    bool Sorted = true;

    void InsertItem(int row, const QString& caption, int) override
    {
        Rows.insert(row, caption);
        if ((row > 0 && FCollator.compare(Rows[row - 1], caption) > 0) ||
            (row + 1 < Rows.size() && FCollator.compare(caption, Rows[row + 1]) > 0))
            Sorted = false;
    }
    void RemoveItem(int row) override { Rows.removeAt(row); }
    void SetItemImage(int, int) override {}
    void ClearItems() override { Rows.clear(); }

private:
    QCollator FCollator = ViewCollator();
};

bool SortedAllAlong(const QList<QByteArray>& nicks)
{
    TContactList list;
    TOrderCheckingView view;
    list.AttachView(&view);
    for (const QByteArray& nick : nicks)
        list.Add(nick, 2);
    QStringList order;
    for (const TContactInfo* c : list.ViewOrder())
        order << FromAnsi(c->Nick);
    return view.Sorted && order == view.Rows && InViewOrder(order) && list.Count() == nicks.size();
}

// Nanoseconds per Add when a list of n contacts is filled; constant or slowly rising means
// n log n, doubling with n would mean quadratic.
void MeasureAddCost()
{
    for (int n = 1000; n <= 16000; n *= 2) {
        const QList<QByteArray> nicks = MakeNicks(n, 7 + n);
        TContactList list;
        QElapsedTimer clock;
        clock.start();
        for (const QByteArray& nick : nicks)
            list.Add(nick, 1);
        const qint64 ns = clock.nsecsElapsed();
        std::printf("Add: %5d contacts in %8.2f ms, %7.0f ns per Add\n", n,
                    static_cast<double>(ns) / 1e6, static_cast<double>(ns) / n);
    }
}

struct TRefreshFigure {
    int Answers = 0;
    int Contacts = 0;
    bool InOrder = false;
};

std::optional<TRefreshFigure> ReadFigure(THeadlessProcess& peer, const QSet<QString>& simulated)
{
    peer.Send(QStringLiteral("/contacts"));
    const std::optional<QStringList> contacts = peer.ReadContacts(10000);
    if (!contacts)
        return std::nullopt;
    TRefreshFigure f;
    f.Contacts = static_cast<int>(contacts->size());
    for (const QString& nick : *contacts)
        f.Answers += simulated.contains(nick) ? 1 : 0;
    f.InOrder = InViewOrder(*contacts);
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int peers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const quint16 wirePort = static_cast<quint16>(44600 + getpid() % 400);

    const QList<QByteArray> nicks = MakeNicks(peers, 2026);
    QSet<QString> simulated;
    for (const QByteArray& nick : nicks)
        simulated.insert(FromAnsi(nick));

    MeasureAddCost();
    const bool sortedAllAlong = SortedAllAlong(nicks);
    std::printf("in-process: %d arrivals, view sorted after every insert: %s\n", peers,
                sortedAllAlong ? "yes" : "no");

    TListAnswerer answerer(wirePort, nicks);
    if (!answerer.IsValid()) {
        std::fprintf(stderr, "presence_scale: cannot open the loopback sockets\n");
        return 1;
    }
    answerer.Start();

    THeadlessProcess peer(QStringLiteral("ScaleObserver"), TChatSocket::WirePort(wirePort));
    if (!peer.Start() || !peer.WaitForLine(QStringLiteral("state Ready"), 10000)) {
        std::fprintf(stderr, "presence_scale: the peer did not become Ready\n");
        return 1;
    }
    const std::optional<TRefreshFigure> join = ReadFigure(peer, simulated);
    if (!join)
        return 1;
    std::printf("join: answers=%d/%d contacts=%d in_order=%s\n", join->Answers, peers,
                join->Contacts, join->InOrder ? "yes" : "no");

    const qint64 dropsBefore = UdpReceiveBufferErrors();
    const int queriesBefore = answerer.Queries();
    peer.Send(QStringLiteral("/update"));
    if (!peer.WaitForLine(QStringLiteral("state Interrogating..."), 5000) ||
        !peer.WaitForLine(QStringLiteral("state Ready"), 5000)) {
        std::fprintf(stderr, "presence_scale: the refresh did not end in Ready\n");
        return 1;
    }
    const std::optional<TRefreshFigure> refresh = ReadFigure(peer, simulated);
    if (!refresh)
        return 1;
    const qint64 drops = UdpReceiveBufferErrors() - dropsBefore;
    std::printf("refresh: %d query answered with %d answers in %lld us; kernel receive-buffer "
                "drops meanwhile: %lld\n",
                answerer.Queries() - queriesBefore, peers,
                static_cast<long long>(answerer.LastBurstMicroseconds()),
                static_cast<long long>(drops));
    peer.Quit();

    const bool inOrder = refresh->InOrder && sortedAllAlong;
    std::printf("presence_scale answers=%d/%d contacts=%d in_order=%s (target %d of %d)\n",
                refresh->Answers, peers, refresh->Contacts, inOrder ? "yes" : "no", peers, peers);
    return refresh->Answers == peers && refresh->Contacts == peers + 1 && inOrder ? 0 : 2;
}
