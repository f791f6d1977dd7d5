#include "ConsoleProbe.h"

#include "conversation/ColorTable.h"
#include "conversation/Console.h"
#include "conversation/ConsoleScroll.h"
#include "conversation/Emoticons.h"
#include "platform/CodePage.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

const QTime FixedTime(14, 7, 9);
const QString Stamp = QStringLiteral("[2:07:09 PM] ");
constexpr std::uint32_t PeerColor = 0x00FF8040; // blue FF, green 80, red 40

TChatMessage Message(const QByteArray& nick, const QByteArray& text, bool isPrivate = false,
                     bool isOutgoing = false, const QByteArray& addressee = {})
{
    TChatMessage m;
    m.View = isPrivate ? TChatView::Private : TChatView::Conference;
    m.IsPrivate = isPrivate;
    m.IsOutgoing = isOutgoing;
    m.Nick = nick;
    m.Text = text;
    m.Addressee = addressee;
    m.Color = PeerColor;
    return m;
}

TChatMessage Continuation(const QByteArray& text)
{
    TChatMessage m = Message("Bob", text);
    m.IsContinuation = true;
    return m;
}

QColor ColorAt(const QTextDocument& document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat().foreground().color();
}

// Whether any character of the document is bold or italic.
bool HasEmphasis(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontWeight() > QFont::Normal ||
                it.fragment().charFormat().fontItalic())
                return true;
    return false;
}

} // namespace

class TestConsole : public QObject
{
    Q_OBJECT

    std::unique_ptr<TConsoleWriter> FWriter;
    std::unique_ptr<QWidget> FWindow;
    QTextEdit* FView = nullptr;
    QLineEdit* FOther = nullptr;

    QTextDocument& Document() { return *FView->document(); }
    void Fill(int lines)
    {
        for (int i = 0; i < lines; ++i)
            FWriter->AddNoticeMessage(*FView, false, QStringLiteral("line %1").arg(i));
    }
    void ShowView()
    {
        FWindow->resize(400, 260);
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
        FWindow->activateWindow();
        FOther->setFocus();
        QTRY_VERIFY(FOther->hasFocus());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        FWriter = std::make_unique<TConsoleWriter>(AppEmoticons(), [] { return FixedTime; });
        // A window with the console and another field that can take the focus.
        FWindow = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(FWindow.get());
        FView = new QTextEdit(FWindow.get());
        FOther = new QLineEdit(FWindow.get());
        layout->addWidget(FView);
        layout->addWidget(FOther);
        TConsoleWriter::SetupConsole(*FView);
    }
    void cleanup()
    {
        FWindow.reset();
        FWriter.reset();
    }

    void defaultParams()
    {
        const TConsoleParams& p = FWriter->Params();
        QCOMPARE(p.MaxLines, 1024);
        QCOMPARE(p.LinesToDrop, 50);
        QCOMPARE(ColorFromValue(p.TimeColor), QColor(0x80, 0x80, 0x80));
        QCOMPARE(ColorFromValue(p.EventColor), QColor(0x00, 0x80, 0x00));
        QCOMPARE(ColorFromValue(p.NoticeColor), QColor(0xFF, 0x00, 0xFF));
        QCOMPARE(ColorFromValue(p.ErrorColor), QColor(0xFF, 0x00, 0x00));
        QVERIFY(FView->isReadOnly());
        QVERIFY(!FView->isUndoRedoEnabled());
    }

    void chatLines_data()
    {
        QTest::addColumn<bool>("isPrivate");
        QTest::addColumn<bool>("isOutgoing");
        QTest::addColumn<QByteArray>("addressee");
        QTest::addColumn<QString>("shown");
        QTest::newRow("conference") << false << false << QByteArray() << "<[nick|Bob|Bob]> hello";
        QTest::newRow("conference to Ann")
            << false << false << QByteArray("Ann") << "<[nick|Bob|Bob]> Ann: hello";
        QTest::newRow("addressee of spaces")
            << false << false << QByteArray("   ") << "<[nick|Bob|Bob]> hello";
        QTest::newRow("private received")
            << true << false << QByteArray("Me") << "<[nick|Bob|Bob]> hello";
        QTest::newRow("private sent") << true << true << QByteArray("Ann") << ">Ann: hello";
    }
    void chatLines()
    {
        QFETCH(bool, isPrivate);
        QFETCH(bool, isOutgoing);
        QFETCH(QByteArray, addressee);
        QFETCH(QString, shown);
        FWriter->AddChatMessage(*FView, true,
                                Message("Bob", "hello", isPrivate, isOutgoing, addressee));
        QCOMPARE(Describe(Document()), Stamp + shown);
        const QColor gray(0x80, 0x80, 0x80);
        for (int i = 0; i < Stamp.size(); ++i)
            QCOMPARE(ColorAt(Document(), i), gray);
        const QColor peer = ColorFromValue(PeerColor);
        QCOMPARE(peer, QColor(0x40, 0x80, 0xFF));
        for (int i = int(Stamp.size()); i < Document().characterCount() - 1; ++i)
            QCOMPARE(ColorAt(Document(), i), peer);
    }

    void noTimeStamp()
    {
        TChatMessage m = Message("Bob", "hi");
        m.ShowTime = false;
        FWriter->AddChatMessage(*FView, true, m);
        QCOMPARE(Describe(Document()), QStringLiteral("<[nick|Bob|Bob]> hi"));
    }

    void continuationJoinsTheLastLine()
    {
        FWriter->AddChatMessage(*FView, true, Message("Bob", "first part, "));
        FWriter->AddChatMessage(*FView, true, Continuation("second part"));
        QCOMPARE(Document().blockCount(), 1);
        QCOMPARE(Describe(Document()), Stamp + "<[nick|Bob|Bob]> first part, second part");
        const int last = Document().characterCount() - 2;
        QCOMPARE(ColorAt(Document(), last), ColorFromValue(PeerColor));
        // A new line after it starts on its own line.
        FWriter->AddEventMessage(*FView, false, true, QStringLiteral("event"));
        QCOMPARE(Document().blockCount(), 2);
    }

    void continuationCompletesAnAddressAndACode()
    {
        FWriter->AddChatMessage(*FView, true, Message("Bob", "see http://exa"));
        FWriter->AddChatMessage(*FView, true, Continuation("mple.org/x :"));
        FWriter->AddChatMessage(*FView, true, Continuation("-) ok"));
        QCOMPARE(Describe(Document()),
                 Stamp + "<[nick|Bob|Bob]> see [url|http://example.org/x|http://example.org/x] "
                         "{emoticon:0} ok");
    }

    void peerTextIsShownNotInterpreted_data()
    {
        QTest::addColumn<QByteArray>("nick");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("shownNick");
        QTest::addColumn<QString>("shownText");
        QTest::newRow("markup") << QByteArray("<b>Bob</b>&amp;")
                                << QByteArray("<i>hi</i> &lt; <a href=x>y</a> <br>")
                                << "<b>Bob</b>&amp;"
                                << "<i>hi</i> &lt; <a href=x>y</a> <br>";
        QTest::newRow("html document")
            << QByteArray("Eve") << QByteArray("<html><body><h1>big</h1></body></html>") << "Eve"
            << "<html><body><h1>big</h1></body></html>";
        QTest::newRow("controls") << QByteArray("Bo\nb\r")
                                  << QByteArray("a\tb\x01"
                                                "c\x7f")
                                  << QString::fromUtf8("Bo\u240Ab\u240D")
                                  << QString::fromUtf8("a\u2409b\u2401c\u2421");
        QTest::newRow("c1 control")
            << QByteArray("Bob") << QByteArray("x\x81y") << "Bob" << QString::fromUtf8("x\uFFFDy");
    }
    void peerTextIsShownNotInterpreted()
    {
        QFETCH(QByteArray, nick);
        QFETCH(QByteArray, text);
        QFETCH(QString, shownNick);
        QFETCH(QString, shownText);
        TChatMessage m = Message(nick, text);
        m.ShowTime = false;
        FWriter->AddChatMessage(*FView, true, m);
        QCOMPARE(FView->toPlainText(), "<" + shownNick + "> " + shownText);
        QCOMPARE(Document().blockCount(), 1);
        QVERIFY(!HasEmphasis(Document()));
        // One link, on the nickname, whose text is the nickname as it came.
        QCOMPARE(Describe(Document()),
                 QStringLiteral("<[nick|%1|%2]> %3").arg(FromAnsi(nick), shownNick, shownText));
    }

    void lineBreaksOfAMessage()
    {
        TChatMessage m = Message("Bob", "one\r\ntwo\rthree\nfour");
        m.ShowTime = false;
        FWriter->AddChatMessage(*FView, true, m);
        QCOMPARE(FView->toPlainText(), QStringLiteral("<Bob> one\ntwo\nthree\nfour"));
    }

    void emoticonsInAChatLine()
    {
        FWriter->AddChatMessage(*FView, true, Message("Bob:)", "smile :-) and wink ;)"));
        QCOMPARE(Describe(Document()),
                 Stamp + "<[nick|Bob:)|Bob:)]> smile {emoticon:0} and wink {emoticon:2}");
        QVERIFY(!FView->toPlainText().contains(QStringLiteral(":-)")));
        QVERIFY(!FView->toPlainText().contains(QStringLiteral(";)")));
    }

    void webAddressesBecomeLinks()
    {
        TChatMessage m = Message("Bob", "go www.x.org, or (http://y.org/a_(b)) or mailto:a@b.c! "
                                        "not https://z.org nor xhttp://w");
        m.ShowTime = false;
        FWriter->AddChatMessage(*FView, true, m);
        QCOMPARE(
            Describe(Document()),
            QStringLiteral("<[nick|Bob|Bob]> go [url|www.x.org|www.x.org], or "
                           "([url|http://y.org/a_(b)|http://y.org/a_(b)]) or "
                           "[url|mailto:a@b.c|mailto:a@b.c]! not https://z.org nor xhttp://w"));
    }

    void nickLooksLikeAnAddress()
    {
        TChatMessage m = Message("www.bob", "hi");
        m.ShowTime = false;
        FWriter->AddChatMessage(*FView, true, m);
        QCOMPARE(Describe(Document()), QStringLiteral("<[nick|www.bob|www.bob]> hi"));
    }

    void eventNoticeAndErrorLines()
    {
        FWriter->AddEventMessage(*FView, true, true, QStringLiteral("<Bob:)> entering chat..."));
        FWriter->AddNoticeMessage(*FView, true, QStringLiteral("Welcome :)"));
        FWriter->AddErrorMessage(*FView, true, QStringLiteral("Data send error."), 10049);
        FWriter->AddErrorMessage(*FView, true, QStringLiteral("Data receive error."), -1);
        QCOMPARE(Describe(Document(), true),
                 QStringLiteral("#808080:%1#008000:<Bob:)> entering chat...\n"
                                "#ff00ff:Welcome :)\n"
                                "#ff0000:Network error! Data send error. #10049\n"
                                "#ff0000:Network error! Data receive error. #-1")
                     .arg(Stamp));
    }

    void trimming_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("first");
        QTest::newRow("1024 lines: kept") << 1024 << 1025 << "line 0";
        QTest::newRow("1025 lines: 50 dropped") << 1025 << 976 << "line 50";
    }
    void trimming()
    {
        QFETCH(int, lines);
        QFETCH(int, after);
        QFETCH(QString, first);
        Fill(lines);
        QCOMPARE(TConsoleWriter::ConsoleLineCount(*FView), lines);
        FWriter->AddChatMessage(*FView, false, Message("Bob", "new"));
        QCOMPARE(TConsoleWriter::ConsoleLineCount(*FView), after);
        QCOMPARE(Document().firstBlock().text(), first);
        QCOMPARE(Document().lastBlock().text(), Stamp + "<Bob> new");
    }

    void smallerParams()
    {
        FWriter->SetConsoleParams(3, 2, 0x808080, 0x008000, 0xFF00FF, 0x0000FF);
        Fill(4);
        FWriter->AddNoticeMessage(*FView, false, QStringLiteral("new"));
        QCOMPARE(FView->toPlainText(), QStringLiteral("line 2\nline 3\nnew"));
    }

    void selectionSurvivesWritesAndTrimming()
    {
        Fill(1025);
        QTextCursor selection(&Document());
        const QTextBlock line = Document().findBlockByNumber(100);
        selection.setPosition(line.position());
        selection.setPosition(line.position() + line.length() - 1, QTextCursor::KeepAnchor);
        FView->setTextCursor(selection);
        FWriter->AddChatMessage(*FView, true, Message("Bob", "new :)"));
        QCOMPARE(FView->textCursor().selectedText(), QStringLiteral("line 100"));
        FWriter->AddNoticeMessage(*FView, true, QStringLiteral("more"));
        QCOMPARE(FView->textCursor().selectedText(), QStringLiteral("line 100"));
    }

    void selectionAtTheEndDoesNotGrow()
    {
        Fill(3);
        QTextCursor selection(&Document());
        selection.movePosition(QTextCursor::End);
        selection.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        FView->setTextCursor(selection);
        FWriter->AddNoticeMessage(*FView, true, QStringLiteral("next"));
        QCOMPARE(FView->textCursor().selectedText(), QStringLiteral("line 2"));
    }

    void scrolling_data()
    {
        QTest::addColumn<bool>("autoScroll");
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("follows");
        QTest::newRow("follows") << true << false << false << true;
        QTest::newRow("focused, no selection") << true << false << true << true;
        QTest::newRow("selection, no focus") << true << true << false << true;
        QTest::newRow("selection and focus") << true << true << true << false;
        QTest::newRow("auto scroll off") << false << false << false << false;
    }
    void scrolling()
    {
        QFETCH(bool, autoScroll);
        QFETCH(bool, select);
        QFETCH(bool, focus);
        QFETCH(bool, follows);
        ShowView();
        Fill(200);
        QScrollBar& bar = *FView->verticalScrollBar();
        QVERIFY(bar.maximum() > 0);
        bar.setValue(0);
        if (select) {
            QTextCursor selection(&Document());
            selection.setPosition(0);
            selection.setPosition(4, QTextCursor::KeepAnchor);
            FView->setTextCursor(selection);
            bar.setValue(0);
        }
        if (focus) {
            FView->setFocus();
            QTRY_VERIFY(FView->hasFocus());
        }
        QCOMPARE(FView->hasFocus(), focus);
        FWriter->AddChatMessage(*FView, autoScroll, Message("Bob", "new"));
        QCOMPARE(bar.value(), follows ? bar.maximum() : 0);
        QCOMPARE(FView->textCursor().selectedText(), select ? QStringLiteral("line") : QString());
    }

    void thumbTrackStopsFollowing()
    {
        ShowView();
        TConsoleAutoScroll scroll;
        scroll.Watch(*FView);
        Fill(200);
        QScrollBar& bar = *FView->verticalScrollBar();
        QVERIFY(scroll.AutoScroll());
        bar.setSliderDown(true);
        bar.setSliderPosition(10);
        QVERIFY(!scroll.AutoScroll());
        FWriter->AddChatMessage(*FView, scroll.AutoScroll(), Message("Bob", "new"));
        QCOMPARE(bar.value(), 10);
        // Letting the box go follows again.
        bar.setSliderDown(false);
        QVERIFY(scroll.AutoScroll());
        FWriter->AddChatMessage(*FView, scroll.AutoScroll(), Message("Bob", "newer"));
        QCOMPARE(bar.value(), bar.maximum());
        // The wheel and the arrows are scroll actions without the box held.
        scroll.ConsoleScrolled(true);
        bar.triggerAction(QAbstractSlider::SliderMove);
        QVERIFY(scroll.AutoScroll());
        scroll.ConsoleScrolled(true);
        bar.triggerAction(QAbstractSlider::SliderSingleStepSub);
        QVERIFY(scroll.AutoScroll());
    }

    // Every chat line written with the scan of its own line gives the same document as a
    // writer that scans nothing and a full rescan of the view after each chat line.
    void incrementalScanEqualsFullRescan()
    {
        TEmoticonStorage noPictures;
        noPictures.SetImageList({});
        TConsoleWriter plain(noPictures, [] { return FixedTime; });
        QTextEdit full;
        TConsoleWriter::SetupConsole(full);
        const QList<TChatMessage> lines = {
            Message("Bob:)", "hi :-) O:-) and ;) see www.x.org/:P now :P"),
            Continuation(";-"),
            Continuation(") and http://y.org/"),
            Continuation("8-)x ok 8-) >:o"),
            Message("Ann", "Note:Please :'-( :'( :-x", true, true, "Bob:)"),
            Message("O:", ")", false, false, "=O"),
            Continuation(":"),
            Continuation("D\r\n:-\\ :-/ :-$"),
            Message("Eve", "::)) :-** 8-)8-)"),
        };
        for (const TChatMessage& m : lines) {
            FWriter->AddChatMessage(*FView, true, m);
            plain.AddChatMessage(full, true, m);
            AppEmoticons().ReplaceEmoticons(full);
            QCOMPARE(Describe(Document(), true), Describe(*full.document(), true));
        }
        QCOMPARE(ImageNames(Document()).size(), 21);
    }

    void appendConsoleText()
    {
        QCOMPARE(FWriter->AppendConsoleText(*FView, QStringLiteral("one"), false, {}), 0);
        QCOMPARE(FWriter->AppendConsoleText(*FView, QStringLiteral("+"), true, {}), 3);
        QCOMPARE(FWriter->AppendConsoleText(*FView, QStringLiteral("two\n"), false, {}), 5);
        // The text ended with a line break: the next line takes the empty line.
        QCOMPARE(FWriter->AppendConsoleText(*FView, QStringLiteral("three"), false, {}), 9);
        QCOMPARE(FView->toPlainText(), QStringLiteral("one+\ntwo\nthree"));
    }
};

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
