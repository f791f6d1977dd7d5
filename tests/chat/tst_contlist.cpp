#include "chat/ContList.h"
#include "platform/CodePage.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// A list widget that only remembers what it was told, row by row.
class TFakeView final : public IContactView
{
public:
    QStringList Captions;
    QList<int> Images;
    QStringList Calls;

    void InsertItem(int row, const QString& caption, int image) override
    {
        QVERIFY(row >= 0 && row <= Captions.size());
        Captions.insert(row, caption);
        Images.insert(row, image);
        Calls.append(QStringLiteral("insert %1 %2").arg(row).arg(caption));
    }
    void RemoveItem(int row) override
    {
        QVERIFY(row >= 0 && row < Captions.size());
        Captions.removeAt(row);
        Images.removeAt(row);
        Calls.append(QStringLiteral("remove %1").arg(row));
    }
    void SetItemImage(int row, int image) override
    {
        QVERIFY(row >= 0 && row < Captions.size());
        Images[row] = image;
        Calls.append(QStringLiteral("image %1 %2").arg(row).arg(image));
    }
    void ClearItems() override
    {
        Captions.clear();
        Images.clear();
        Calls.append(QStringLiteral("clear"));
    }
};

QStringList ViewCaptions(const TContactList& list)
{
    QStringList captions;
    for (const TContactInfo* contact : list.ViewOrder())
        captions.append(FromAnsi(contact->Nick));
    return captions;
}

// The view shows exactly the list's caption order, each row with its contact's image.
void CheckMirror(const TContactList& list, const TFakeView& view)
{
    QCOMPARE(view.Captions, ViewCaptions(list));
    QList<int> images;
    for (const TContactInfo* contact : list.ViewOrder())
        images.append(TContactList::ContactImageIndex(*contact));
    QCOMPARE(view.Images, images);
    QCOMPARE(static_cast<int>(list.ViewOrder().size()), list.Count());
}

struct TLocaleScope {
    QLocale Saved;
    explicit TLocaleScope(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~TLocaleScope() { QLocale::setDefault(Saved); }
};

} // namespace

class TestContList : public QObject
{
    Q_OBJECT
private slots:
    void nicknamesAreExactKeys()
    {
        TContactList list;
        QVERIFY(list.Add("Anna", 1));
        QVERIFY(!list.Add("Anna", 0));
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.Find("Anna")->Gender, 1);
        QVERIFY(list.Add("anna", 0));
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Item(0).Nick, QByteArray("Anna"));
        QCOMPARE(list.Item(1).Nick, QByteArray("anna"));
        QVERIFY(!list.Find("ANNA"));
        QVERIFY(!list.Find("Ann"));
    }

    void longNicknameIsCutTo32Bytes()
    {
        TContactList list;
        const QByteArray nick40(40, 'x');
        QVERIFY(list.Add(nick40, 2));
        QCOMPARE(list.Item(0).Nick, QByteArray(32, 'x'));
        QVERIFY(!list.Find(nick40));
        QVERIFY(list.Find(QByteArray(32, 'x')));
        // A second long nick with the same first 32 bytes names the same contact.
        QVERIFY(!list.Add(QByteArray(32, 'x') + "other", 0));
        QCOMPARE(list.Count(), 1);
    }

    void captionOrder_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QByteArrayList>("arrivals");
        QTest::addColumn<QStringList>("shown");
        for (const QString& locale : {QStringLiteral("C"), QStringLiteral("en_US")}) {
            QTest::addRow("%s case-insensitive", qPrintable(locale))
                << locale << QByteArrayList{"bob", "Anna", "Carl"}
                << QStringList{"Anna", "bob", "Carl"};
            QTest::addRow("%s equal captions keep arrival order", qPrintable(locale))
                << locale << QByteArrayList{"anna", "Zed", "ANNA", "Anna"}
                << QStringList{"anna", "ANNA", "Anna", "Zed"};
        }
        QTest::newRow("en_US accented letter among its base letter")
            << "en_US" << QByteArrayList{"Zed", "\xC4pfel", "Bob", "Adam"}
            << QStringList{"Adam", QStringLiteral("Äpfel"), "Bob", "Zed"};
    }
    void captionOrder()
    {
        QFETCH(QString, locale);
        QFETCH(QByteArrayList, arrivals);
        QFETCH(QStringList, shown);
        const TLocaleScope scope(locale);
        TContactList list;
        TFakeView view;
        list.AttachView(&view);
        for (const QByteArray& nick : arrivals)
            QVERIFY(list.Add(nick, 2));
        QCOMPARE(ViewCaptions(list), shown);
        CheckMirror(list, view);
        for (int i = 0; i < arrivals.size(); ++i)
            QCOMPARE(list.Item(i).Nick, arrivals[i]);

        list.SortByGender();
        QCOMPARE(ViewCaptions(list), shown);
        list.SortByNick();
        QCOMPARE(ViewCaptions(list), shown);
        CheckMirror(list, view);
    }

    void imageIndex_data()
    {
        QTest::addColumn<int>("gender");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("ignored");
        QTest::addColumn<int>("image");
        QTest::newRow("undefined") << 2 << false << false << 0;
        QTest::newRow("undefined hidden") << 2 << true << false << 1;
        QTest::newRow("male") << 0 << false << false << 2;
        QTest::newRow("male hidden") << 0 << true << false << 3;
        QTest::newRow("female") << 1 << false << false << 4;
        QTest::newRow("female hidden") << 1 << true << false << 5;
        QTest::newRow("unknown code") << 7 << false << false << 4;
        QTest::newRow("unknown code hidden") << 255 << true << false << 5;
        QTest::newRow("ignored wins") << 0 << true << true << 6;
    }
    void imageIndex()
    {
        QFETCH(int, gender);
        QFETCH(bool, hidden);
        QFETCH(bool, ignored);
        QFETCH(int, image);
        const TContactInfo contact{"Nick", static_cast<std::uint8_t>(gender), ignored, hidden};
        QCOMPARE(TContactList::ContactImageIndex(contact), image);
    }

    void flagsRedrawTheirRow()
    {
        TContactList list;
        TFakeView view;
        list.AttachView(&view);
        list.Add("bob", 0);
        list.Add("Anna", 1);
        QVERIFY(list.SetIgnored("Anna", true));
        QCOMPARE(view.Images[0], 6);
        QVERIFY(list.SetIgnored("Anna", false));
        QCOMPARE(view.Images[0], 4);
        QVERIFY(list.SetHidden("Anna", true));
        QCOMPARE(view.Images[0], 5);
        QCOMPARE(view.Images[1], 2);
        QVERIFY(list.Find("Anna")->Hidden);

        const QStringList before = view.Calls;
        QVERIFY(!list.SetHidden("anna", true));
        QVERIFY(!list.SetIgnored("Zed", true));
        QCOMPARE(view.Calls, before);
    }

    void removeTakesTheRightRow()
    {
        TContactList list;
        TFakeView view;
        list.AttachView(&view);
        for (const char* nick : {"Carl", "bob", "Anna"})
            list.Add(nick, 2);
        QVERIFY(list.RemoveByNick("bob"));
        QCOMPARE(view.Calls.last(), QStringLiteral("remove 1"));
        QCOMPARE(view.Captions, QStringList({"Anna", "Carl"}));
        QCOMPARE(list.Count(), 2);
        QVERIFY(!list.Find("bob"));
        QCOMPARE(list.ViewRow("Carl"), 1);

        const int calls = view.Calls.size();
        QVERIFY(!list.RemoveByNick("Bob"));
        QCOMPARE(view.Calls.size(), calls);
        CheckMirror(list, view);
    }

    void copyToKeepsTheFlags()
    {
        TContactList main;
        TContactList backup;
        TFakeView view;
        main.AttachView(&view);
        main.Add("Anna", 1);
        main.Add("bob", 0);
        main.Add("Carl", 2);
        main.SetIgnored("bob", true);
        main.SetHidden("Carl", true);

        backup.Add("stale", 0);
        main.CopyTo(backup);
        main.Clear();
        QCOMPARE(view.Captions, QStringList());
        main.Add("Zed", 0);
        backup.CopyTo(main);

        QCOMPARE(main.Count(), 3);
        QVERIFY(!main.Find("stale") && !main.Find("Zed"));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(main.Item(i).Nick, backup.Item(i).Nick);
            QCOMPARE(main.Item(i).Gender, backup.Item(i).Gender);
        }
        QVERIFY(main.Find("bob")->Ignored && !main.Find("bob")->Hidden);
        QVERIFY(main.Find("Carl")->Hidden && !main.Find("Carl")->Ignored);
        QVERIFY(!main.Find("Anna")->Ignored && !main.Find("Anna")->Hidden);
        CheckMirror(main, view);
        QCOMPARE(view.Images, QList<int>({4, 6, 1}));

        main.CopyTo(main);
        QCOMPARE(main.Count(), 3);
    }

    void attachFillsAndDetachStops()
    {
        TContactList list;
        list.Add("bob", 0);
        list.Add("Anna", 1);
        TFakeView view;
        view.Captions = {"left over"};
        view.Images = {0};
        list.AttachView(&view);
        CheckMirror(list, view);

        list.AttachView(nullptr);
        const QStringList calls = view.Calls;
        list.Add("Carl", 2);
        list.RemoveByNick("bob");
        list.SetIgnored("Anna", true);
        list.Clear();
        QCOMPARE(view.Calls, calls);
        QVERIFY(!list.View());
    }

    void viewFollowsEveryChange()
    {
        // A long mixed run of arrivals, departures and flag changes on a small set of names,
        // so that duplicates, misses and re-arrivals all happen.
        TContactList list;
        TFakeView view;
        list.AttachView(&view);
        const QByteArrayList names{"Anna", "anna", "bob", "Bob", "Carl", "\xC4rni",
                                   "zed",  "Zed",  "x",   "X1",  "ann",  "Annabel"};
        QRandomGenerator random(20240607);
        for (int step = 0; step < 2000; ++step) {
            const QByteArray nick = names[random.bounded(names.size())];
            const bool known = list.Find(nick) != nullptr;
            switch (random.bounded(6)) {
            case 0:
            case 1:
                QCOMPARE(list.Add(nick, static_cast<std::uint8_t>(random.bounded(3))), !known);
                break;
            case 2:
                QCOMPARE(list.RemoveByNick(nick), known);
                break;
            case 3:
                QCOMPARE(list.SetIgnored(nick, random.bounded(2) == 1), known);
                break;
            case 4:
                QCOMPARE(list.SetHidden(nick, random.bounded(2) == 1), known);
                break;
            default:
                if (random.bounded(20) == 0)
                    list.Clear();
                break;
            }
            CheckMirror(list, view);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void clicks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("modifier");
        QTest::addColumn<QByteArray>("addressed");
        QTest::addColumn<QByteArray>("quoted");
        QTest::newRow("plain click addresses") << 1 << false << QByteArray("bob") << QByteArray();
        QTest::newRow("modifier quotes") << 0 << true << QByteArray() << QByteArray("Anna");
        QTest::newRow("below the rows") << 2 << false << QByteArray() << QByteArray();
        QTest::newRow("no row") << -1 << true << QByteArray() << QByteArray();
    }
    void clicks()
    {
        QFETCH(int, row);
        QFETCH(bool, modifier);
        QFETCH(QByteArray, addressed);
        QFETCH(QByteArray, quoted);
        TContactList list;
        list.Add("bob", 0);
        list.Add("Anna", 1);
        QByteArray gotAddressed;
        QByteArray gotQuoted;
        list.OnAddressContact = [&](const QByteArray& nick) { gotAddressed += nick; };
        list.OnQuoteContact = [&](const QByteArray& nick) { gotQuoted += nick; };
        list.ContactClicked(row, modifier);
        QCOMPARE(gotAddressed, addressed);
        QCOMPARE(gotQuoted, quoted);
    }

    void clickWithoutCallbackIsSkipped()
    {
        TContactList list;
        list.Add("bob", 0);
        QByteArray quoted;
        list.OnQuoteContact = [&](const QByteArray& nick) { quoted = nick; };
        list.ContactClicked(0, false);
        QVERIFY(quoted.isEmpty());
        // The callback may remove the contact it was given.
        list.OnAddressContact = [&](const QByteArray& nick) { list.RemoveByNick(nick); };
        list.ContactClicked(0, false);
        QCOMPARE(list.Count(), 0);
    }
};

QTEST_APPLESS_MAIN(TestContList)
#include "tst_contlist.moc"
