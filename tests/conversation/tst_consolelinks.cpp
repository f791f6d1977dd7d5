#include "conversation/Console.h"
#include "conversation/ConsoleLinkClick.h"
#include "conversation/ConsoleLinks.h"
#include "conversation/Emoticons.h"
#include "conversation/RichEdit.h"
#include "conversation/RichEditMouse.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

QString Found(const QString& text)
{
    QStringList urls;
    for (const TUrlMatch& url : FindUrls(text))
        urls += text.mid(url.Start, url.Length);
    return urls.join(u'|');
}

} // namespace

class TestConsoleLinks : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> FWindow;
    QTextEdit* FConsole = nullptr;
    QPlainTextEdit* FEditor = nullptr;
    QList<QUrl> FOpened;
    std::unique_ptr<TConsoleLinkClick> FClick;

private slots:
    void init()
    {
        FWindow = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(FWindow.get());
        FConsole = new QTextEdit(FWindow.get());
        FConsole->setObjectName(QStringLiteral("edGeneral"));
        FEditor = new QPlainTextEdit(FWindow.get());
        FEditor->setObjectName(QStringLiteral("edMsg"));
        layout->addWidget(FConsole);
        layout->addWidget(FEditor);
        TConsoleWriter::SetupConsole(*FConsole);
        FOpened.clear();
        FClick = std::make_unique<TConsoleLinkClick>(
            *FEditor, [](const QString& nick) { return nick == u"Bob" || nick == u"Al <b>x"; },
            [this](const QUrl& url) { FOpened += url; });
        FWindow->resize(500, 300);
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
        FWindow->activateWindow();
        FConsole->setFocus();
        QTRY_VERIFY(FConsole->hasFocus());
    }
    void cleanup()
    {
        FClick.reset();
        FWindow.reset();
    }

    void findUrls_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("urls");
        QTest::newRow("http") << "see http://x.org/a?b=c#d now"
                              << "http://x.org/a?b=c#d";
        QTest::newRow("prefixes") << "ftp://f file:///tmp/a \\\\host\\share mailto:a@b www.w.org"
                                  << "ftp://f|file:///tmp/a|\\\\host\\share|mailto:a@b|www.w.org";
        QTest::newRow("trailing punctuation") << "(www.x.org), http://y.org/. 'ftp://z'!"
                                              << "www.x.org|http://y.org/|ftp://z";
        QTest::newRow("brackets of the address") << "http://w.org/A_(b)"
                                                 << "http://w.org/A_(b)";
        QTest::newRow("stops at markup") << "<a href=\"http://q.org\">x</a>"
                                         << "http://q.org";
        QTest::newRow("glued to a word") << "xhttp://a awww.b"
                                         << "";
        QTest::newRow("prefix alone") << "http:// www."
                                      << "";
        QTest::newRow("case as written") << "HTTP://A.ORG WWW.B.ORG"
                                         << "";
        QTest::newRow("not opened, not linked") << "https://s.org"
                                                << "";
        QTest::newRow("to the line's end")
            << QStringLiteral(u"http://a.org\u2029b") << "http://a.org";
    }
    void findUrls()
    {
        QFETCH(QString, text);
        QFETCH(QString, urls);
        QCOMPARE(Found(text), urls);
    }

    void clickRules_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("opened");
        QTest::newRow("contact") << "Bob"
                                 << "Bob: "
                                 << "";
        QTest::newRow("contact with markup") << "Al <b>x"
                                             << "Al <b>x: "
                                             << "";
        QTest::newRow("unknown nick") << "Carl"
                                      << ""
                                      << "";
        QTest::newRow("case of a contact") << "bob"
                                           << ""
                                           << "";
        QTest::newRow("http") << "http://x.org/p"
                              << ""
                              << "http://x.org/p";
        QTest::newRow("www") << "www.x.org"
                             << ""
                             << "http://www.x.org";
        QTest::newRow("mailto") << "mailto:a@b.c"
                                << ""
                                << "mailto:a@b.c";
        QTest::newRow("network path") << "\\\\host\\dir\\f"
                                      << ""
                                      << "smb://host/dir/f";
        QTest::newRow("https is refused") << "https://x.org"
                                          << ""
                                          << "";
        QTest::newRow("other text") << "hello"
                                    << ""
                                    << "";
    }
    void clickRules()
    {
        QFETCH(QString, link);
        QFETCH(QString, editor);
        QFETCH(QString, opened);
        FClick->ConsoleURLClick(link);
        QCOMPARE(FEditor->toPlainText(), editor);
        QTRY_VERIFY(FEditor->hasFocus());
        // The link opens from the event loop, after the click.
        QVERIFY(FOpened.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(FOpened.size(), opened.isEmpty() ? 0 : 1);
        if (!opened.isEmpty())
            QCOMPARE(FOpened.first(), QUrl(opened));
        // Opened once.
        FClick->OpenLink();
        QCOMPARE(FOpened.size(), opened.isEmpty() ? 0 : 1);
    }

    void addresseeReplacesAContact()
    {
        FEditor->setPlainText(QStringLiteral("Al <b>x: hi there"));
        FClick->ConsoleURLClick(QStringLiteral("Bob"));
        QCOMPARE(FEditor->toPlainText(), QStringLiteral("Bob: hi there"));
    }

    void clickOnANickname()
    {
        TConsoleWriter writer(AppEmoticons());
        TChatMessage m;
        m.ShowTime = false;
        m.Nick = "Al <b>x";
        m.Text = "hello http://x.org";
        writer.AddChatMessage(*FConsole, true, m);
        TRichEditMouse* mouse = TRichEditMouse::Watch(*FConsole);
        QSignalSpy clicked(mouse, &TRichEditMouse::LinkClicked);
        connect(mouse, &TRichEditMouse::LinkClicked, FClick.get(),
                &TConsoleLinkClick::ConsoleURLClick);

        const auto pointAt = [this](int position) {
            QTextCursor cursor(FConsole->document());
            cursor.setPosition(position);
            return FConsole->cursorRect(cursor).center() + QPoint(3, 0);
        };
        QTest::mouseClick(FConsole->viewport(), Qt::LeftButton, {}, pointAt(2));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toString(), QStringLiteral("Al <b>x"));
        QCOMPARE(FEditor->toPlainText(), QStringLiteral("Al <b>x: "));

        QTest::mouseClick(FConsole->viewport(), Qt::LeftButton, {}, pointAt(17));
        QCOMPARE(clicked.size(), 2);
        QCOMPARE(clicked.at(1).at(0).toString(), QStringLiteral("http://x.org"));
        QTRY_COMPARE(FOpened, QList<QUrl>{QUrl(QStringLiteral("http://x.org"))});

        // Plain text is no link.
        QTest::mouseClick(FConsole->viewport(), Qt::LeftButton, {}, pointAt(11));
        QCOMPARE(clicked.size(), 2);
    }

    void rightButtonOpensTheMenu()
    {
        TRichEditMouse* mouse = TRichEditMouse::Watch(*FConsole);
        QMenu popupMenuEditors;
        popupMenuEditors.addAction(QStringLiteral("x"));
        connect(mouse, &TRichEditMouse::MouseUp, &popupMenuEditors,
                [&](Qt::MouseButton button, const QPoint& at) {
                    RichEditMouseUp(popupMenuEditors, button, at);
                });
        QTest::mouseClick(FConsole->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!popupMenuEditors.isVisible());
        QTest::mouseClick(FConsole->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QTRY_VERIFY(popupMenuEditors.isVisible());
        popupMenuEditors.close();
    }

    void clearWindow()
    {
        FConsole->setPlainText(QStringLiteral("text"));
        mipClearWindowClick(FConsole);
        QVERIFY(FConsole->document()->isEmpty());
        mipClearWindowClick(nullptr);
    }
};

QTEST_MAIN(TestConsoleLinks)
#include "tst_consolelinks.moc"
