// The About box: its look, the version line, the links and the keys that close it; opened
// from the help and tray menus of the main window, in the language in use.
#include "MainFormProbe.h"
#include "Utf16File.h"

#include "config/Globals.h"
#include "lang/LngDefId.h"
#include "ui/AboutBox.h"
#include "ui/MainActions.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Stands in for the browser and the mail program.
class TUrlRecorder final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened << url; }
};

QLabel* Label(const TFormAbout& box, const char* name)
{
    return box.findChild<QLabel*>(QString::fromLatin1(name));
}

QColor TextColour(const QLabel& label)
{
    return label.palette().color(QPalette::WindowText);
}

void Send(QWidget& widget, QEvent::Type type)
{
    QEvent event(type);
    QApplication::sendEvent(&widget, &event);
}

// Runs inspect on the modal box the action opens, then closes the box; the box that was
// found, or nullptr.
QPointer<TFormAbout> OnModalBox(QAction& action, const std::function<void(TFormAbout&)>& inspect)
{
    QPointer<TFormAbout> seen;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<TFormAbout*>(QApplication::activeModalWidget());
        if (seen) {
            inspect(*seen);
            seen->close();
        }
    });
    action.trigger();
    return seen;
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

    TUrlRecorder FUrls;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        ReadProductVersion();
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &FUrls, "Open");
    }
    void cleanupTestCase()
    {
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    void init() { FUrls.Opened.clear(); }

    void versionLine()
    {
        const TFormAbout box;
        QCOMPARE(Label(box, "lbVersion")->text(), QStringLiteral("version 2.3 build 301"));
    }

    void look()
    {
        TFormAbout box;
        box.show();
        QCOMPARE(box.windowTitle(), QStringLiteral("About Zelkit Chat"));
        QCOMPARE(box.size(), QSize(396, 314));
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                       Qt::WindowContextHelpButtonHint)));
        auto* panel = box.findChild<QWidget*>(QStringLiteral("PanelMain"));
        QVERIFY(panel);
        QCOMPARE(panel->geometry(), box.rect());
        QCOMPARE(box.grab().toImage().pixelColor(5, 5), QColor(Qt::white));

        QLabel* logo = Label(box, "ImageTrademark");
        QCOMPARE(logo->geometry(), QRect(70, 14, 255, 86));
        QVERIFY(!logo->pixmap().isNull());
        QCOMPARE(logo->pixmap().deviceIndependentSize().toSize(), QSize(255, 86));

        const struct {
            const char* Name;
            QPoint At;
            int Pixels;
        } texts[] = {{"lbVersion", {132, 92}, 11},
                     {"HomeLink", {132, 139}, 13},
                     {"SupportLink", {132, 169}, 13},
                     {"Copyright", {0, 288}, 11}};
        for (const auto& t : texts) {
            QLabel* label = Label(box, t.Name);
            QVERIFY2(label, t.Name);
            QCOMPARE(label->pos(), t.At);
            QCOMPARE(label->font().pixelSize(), t.Pixels);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            // Nothing cut at the box's right edge or below its text.
            QVERIFY2(panel->rect().contains(label->geometry()), t.Name);
            QVERIFY2(label->width() >= label->sizeHint().width(), t.Name);
        }
        QCOMPARE(TextColour(*Label(box, "lbVersion")), QColor(Qt::black));
        QLabel* notice = Label(box, "Copyright");
        QCOMPARE(notice->geometry(), QRect(0, 288, 396, 26));
        QCOMPARE(notice->alignment(), Qt::AlignCenter);
        QVERIFY(!notice->text().isEmpty());
    }

    void links_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QUrl>("target");
        QTest::newRow("home page")
            << "HomeLink"
            << "https://zelkit.example.org/chat/" << QUrl("https://zelkit.example.org/chat/");
        QTest::newRow("support") << "SupportLink"
                                 << "support@zelkit.example.org"
                                 << QUrl("mailto:support@zelkit.example.org");
    }
    void links()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QUrl, target);
        TFormAbout box;
        box.show();
        QLabel* link = Label(box, qPrintable(name));
        QCOMPARE(link->text(), text);
        QCOMPARE(QUrl(TFormAbout::LinkTarget(*link)), target);
        QCOMPARE(link->toolTip(), QString());
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        QCOMPARE(TextColour(*link), QColor(Qt::blue));

        Send(*link, QEvent::Enter);
        QCOMPARE(TextColour(*link), QColor(Qt::red));
        QVERIFY(link->font().underline());
        Send(*link, QEvent::Leave);
        QCOMPARE(TextColour(*link), QColor(Qt::blue));
        QVERIFY(link->font().underline());

        // A press that leaves the label before the release opens nothing.
        QTest::mousePress(link, Qt::LeftButton, {}, link->rect().center());
        QTest::mouseRelease(link, Qt::LeftButton, {}, link->rect().bottomRight() + QPoint(5, 5));
        QTest::mouseClick(link, Qt::RightButton, {}, link->rect().center());
        QCOMPARE(FUrls.Opened, QList<QUrl>());
        QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
        QCOMPARE(FUrls.Opened, QList<QUrl>{target});
        QVERIFY(box.isVisible());
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("letter") << int(Qt::Key_Q) << 0 << true;
        QTest::newRow("capital") << int(Qt::Key_Q) << int(Qt::ShiftModifier) << true;
        QTest::newRow("digit") << int(Qt::Key_7) << 0 << true;
        QTest::newRow("space") << int(Qt::Key_Space) << 0 << true;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << true;
        QTest::newRow("Shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << int(Qt::ControlModifier) << false;
        QTest::newRow("Alt+letter") << int(Qt::Key_Q) << int(Qt::AltModifier) << false;
        QTest::newRow("Ctrl+letter") << int(Qt::Key_C) << int(Qt::ControlModifier) << true;
        QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::AltModifier) << false;
        QTest::newRow("F5") << int(Qt::Key_F5) << 0 << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << false;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        TFormAbout box;
        box.show();
        QTest::keyClick(&box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box.isVisible(), !closes);
    }

    void titleBarCloses()
    {
        TFormAbout box;
        box.show();
        QVERIFY(box.close());
        QVERIFY(!box.isVisible());
    }

    // Both menus open the box modally over the main window, and it is gone afterwards.
    void openedFromMenus_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("help menu") << "miAbout";
        QTest::newRow("tray menu") << "mitrAbout";
    }
    void openedFromMenus()
    {
        QFETCH(QString, item);
        TMainFormProbe p;
        QVERIFY(p.Show());
        QString caption;
        const QPointer<TFormAbout> box =
            OnModalBox(*p.Action(qPrintable(item)), [&](TFormAbout& shown) {
                caption = shown.windowTitle();
                QCOMPARE(shown.parentWidget(), p.Form.get());
                QVERIFY(shown.isModal());
                QVERIFY(p.Form->frameGeometry().contains(shown.frameGeometry().center()));
            });
        QCOMPARE(caption, QStringLiteral("About Zelkit Chat"));
        QVERIFY(box.isNull());
        QCOMPARE(p.Form->findChild<TFormAbout*>(), nullptr);
    }

    // The box and its menu items speak the language in use, and follow a switch made while
    // the box is up.
    void relabelling()
    {
        TMainFormProbe p;
        const QString path = p.Home.filePath(QStringLiteral("test.lng"));
        QVERIFY(WriteBytes(path, Utf16File(QStringLiteral("0000=Deutsch\r\n0001=German\r\n"
                                                          "0033=Ü&ber...\r\n"
                                                          "0135=Über Zelkit Chat\r\n"))));
        QVERIFY(p.Lang.LoadLanguage(path));
        QVERIFY(p.Show());
        for (const char* name : {"miAbout", "mitrAbout"})
            QCOMPARE(p.Action(name)->text(), QStringLiteral("Ü&ber..."));

        QStringList captions;
        OnModalBox(*p.Action("miAbout"), [&](TFormAbout& shown) {
            captions << shown.windowTitle();
            p.Lang.UseDefaultLanguage();
            p.Form->ApplyLanguage();
            captions << shown.windowTitle();
        });
        QCOMPARE(captions, (QStringList{QStringLiteral("Über Zelkit Chat"),
                                        QStringLiteral("About Zelkit Chat")}));
        for (const char* name : {"miAbout", "mitrAbout"})
            QCOMPARE(p.Action(name)->text(), QStringLiteral("&About..."));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
