#include "config/Config.h"
#include "conversation/BlinkImages.h"
#include "conversation/ChCore.h"
#include "conversation/EditorWidget.h"

#include <QtTest>

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

// The controller on real widgets, found by their names as the main window will make them.
class TestChCore : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> FWindow;
    std::unique_ptr<TConfig> FConfig;
    std::unique_ptr<TChatCore> FCore;
    int FConferenceSends = 0;
    int FPrivateSends = 0;

    QTabWidget& Pages() const
    {
        return *FWindow->findChild<QTabWidget*>(QStringLiteral("PageCtrlMessages"));
    }
    QPlainTextEdit& Editor() const
    {
        return *FWindow->findChild<QPlainTextEdit*>(QStringLiteral("edMsg"));
    }

    void Select(int anchor, int position)
    {
        QTextCursor cursor = Editor().textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        Editor().setTextCursor(cursor);
    }

    QList<int> Images(int page, int ticks)
    {
        QList<int> images;
        for (int i = 0; i < ticks; ++i) {
            FCore->BlinkTick();
            images.append(FCore->TabImageIndex(page));
        }
        return images;
    }

private slots:
    void init()
    {
        FWindow = std::make_unique<QWidget>();
        auto* pages = new QTabWidget(FWindow.get());
        pages->setObjectName(QStringLiteral("PageCtrlMessages"));
        auto* general = new QWidget;
        general->setObjectName(QStringLiteral("tsGeneral"));
        auto* priv = new QWidget;
        priv->setObjectName(QStringLiteral("tsPrivate"));
        pages->addTab(general, QStringLiteral("Conference"));
        pages->addTab(priv, QStringLiteral("Private"));
        auto* editor = new QPlainTextEdit(FWindow.get());
        editor->setObjectName(QStringLiteral("edMsg"));
        auto* layout = new QVBoxLayout(FWindow.get());
        layout->addWidget(pages);
        layout->addWidget(editor);

        FConfig = std::make_unique<TConfig>(QString());
        FCore = std::make_unique<TChatCore>(*FConfig);
        FCore->PageControl = pages;
        FCore->Editor = editor;
        FConferenceSends = FPrivateSends = 0;
        FCore->OnSendConference = [this](TChatCore&) { ++FConferenceSends; };
        FCore->OnSendPrivate = [this](TChatCore&) { ++FPrivateSends; };
        editor->setPlainText(QStringLiteral("left over"));
        FCore->Initialize();
        FWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }
    void cleanup()
    {
        FCore.reset();
        FWindow.reset();
        FConfig.reset();
    }

    void initializeStartsEmptyAndStill()
    {
        QCOMPARE(Editor().toPlainText(), QString());
        QCOMPARE(FCore->TabImageIndex(0), TChatCore::NoImage);
        QCOMPARE(FCore->TabImageIndex(1), TChatCore::NoImage);
        QVERIFY(!FCore->ConferenceBlinking() && !FCore->PrivateBlinking());
        QVERIFY(FCore->BlinkTimer());
        QVERIFY(FCore->BlinkTimer()->isActive());
        QCOMPARE(FCore->BlinkTimer()->interval(), 500);
        QCOMPARE(Pages().iconSize(), QSize(16, 16));
    }

    void initializeAgainHooksOnce()
    {
        FCore->Initialize();
        QTest::keyClick(&Editor(), Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(FConferenceSends, 1);
        QCOMPARE(FWindow->findChildren<QTimer*>().size(), 1);
    }

    void eachPageKeepsItsTextAndSelection()
    {
        QTest::keyClicks(&Editor(), QStringLiteral("to everybody"));
        Select(3, 7);
        Pages().setCurrentIndex(1);
        QCOMPARE(Editor().toPlainText(), QString());
        QTest::keyClicks(&Editor(), QStringLiteral("Bob: psst"));
        Select(9, 5);

        Pages().setCurrentIndex(0);
        QCOMPARE(Editor().toPlainText(), QStringLiteral("to everybody"));
        QCOMPARE(ReadEditorText(Editor()).SelStart, 3);
        QCOMPARE(ReadEditorText(Editor()).SelLength, 4);
        QCOMPARE(FCore->PrivateEdit().Text, QStringLiteral("Bob: psst"));
        QVERIFY(Editor().hasFocus());

        Pages().setCurrentIndex(1);
        QCOMPARE(Editor().toPlainText(), QStringLiteral("Bob: psst"));
        QCOMPARE(ReadEditorText(Editor()).SelStart, 5);
        QCOMPARE(ReadEditorText(Editor()).SelLength, 4);
        QCOMPARE(FCore->ConferenceEdit().Text, QStringLiteral("to everybody"));
    }

    void aRepeatedNoticeSwapsNothing()
    {
        QTest::keyClicks(&Editor(), QStringLiteral("conference"));
        Pages().setCurrentIndex(1);
        QTest::keyClicks(&Editor(), QStringLiteral("private"));
        FCore->PageChanged();
        QCOMPARE(Editor().toPlainText(), QStringLiteral("private"));
        Pages().setCurrentIndex(0);
        QCOMPARE(Editor().toPlainText(), QStringLiteral("conference"));
    }

    void sendKeys_data()
    {
        QTest::addColumn<int>("sendKey");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("sends");
        QTest::addColumn<QString>("text");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
        const QString broken = QStringLiteral("ab\n");
        const QString same = QStringLiteral("ab");
        QTest::newRow("0 Return") << 0 << int(Qt::Key_Return) << none << 0 << broken;
        QTest::newRow("0 Ctrl+Return") << 0 << int(Qt::Key_Return) << ctrl << 1 << same;
        QTest::newRow("0 Ctrl+Enter") << 0 << int(Qt::Key_Enter) << (ctrl | keypad) << 1 << same;
        QTest::newRow("0 Shift+Return") << 0 << int(Qt::Key_Return) << shift << 0 << broken;
        QTest::newRow("0 Ctrl") << 0 << int(Qt::Key_Control) << none << 0 << same;
        QTest::newRow("1 Return") << 1 << int(Qt::Key_Return) << none << 1 << same;
        QTest::newRow("1 Enter") << 1 << int(Qt::Key_Enter) << keypad << 1 << same;
        QTest::newRow("1 Shift+Return") << 1 << int(Qt::Key_Return) << shift << 1 << same;
        QTest::newRow("1 Ctrl+Return") << 1 << int(Qt::Key_Return) << ctrl << 0 << broken;
        QTest::newRow("2 Ctrl") << 2 << int(Qt::Key_Control) << none << 1 << same;
        QTest::newRow("2 Return") << 2 << int(Qt::Key_Return) << none << 0 << broken;
        // The Ctrl key goes down first and sends; the Return that follows breaks the line.
        QTest::newRow("2 Ctrl+Return") << 2 << int(Qt::Key_Return) << ctrl << 1 << broken;
        QTest::newRow("3 Return") << 3 << int(Qt::Key_Return) << none << 0 << broken;
        QTest::newRow("3 Ctrl+Return") << 3 << int(Qt::Key_Return) << ctrl << 0 << broken;
        QTest::newRow("3 Ctrl") << 3 << int(Qt::Key_Control) << none << 0 << same;
    }
    void sendKeys()
    {
        QFETCH(int, sendKey);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, sends);
        QFETCH(QString, text);
        FConfig->SetInt(send_key, sendKey);
        for (const int page : {0, 1}) {
            Pages().setCurrentIndex(page);
            Editor().setPlainText(QStringLiteral("ab"));
            Editor().moveCursor(QTextCursor::End);
            FConferenceSends = FPrivateSends = 0;
            QTest::keyClick(&Editor(), Qt::Key(key), modifiers);
            QCOMPARE(FConferenceSends, page == 0 ? sends : 0);
            QCOMPARE(FPrivateSends, page == 1 ? sends : 0);
            QCOMPARE(Editor().toPlainText(), text);
        }
    }

    void sendKeyIsSwallowed()
    {
        FConfig->SetInt(send_key, 0);
        int key = Qt::Key_Return;
        FCore->EditorKeyDown(key, Qt::ControlModifier);
        QCOMPARE(key, 0);
        QCOMPARE(FConferenceSends, 1);
        key = Qt::Key_A;
        FCore->EditorKeyDown(key, Qt::ControlModifier);
        QCOMPARE(key, int(Qt::Key_A));
        QCOMPARE(FConferenceSends, 1);
    }

    void blinkSteps_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QList<int>>("images");
        QTest::newRow("1 second") << 1 << QList<int>{0, 1, 0, -1, -1, -1};
        QTest::newRow("2 seconds") << 2 << QList<int>{0, 1, 0, 1, 0, -1, -1};
        QTest::newRow("forever") << 0 << QList<int>{0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    }
    void blinkSteps()
    {
        QFETCH(int, seconds);
        QFETCH(QList<int>, images);
        FConfig->SetInt(blink_tab_count, seconds);
        Pages().setCurrentIndex(1);
        FCore->StartConferenceBlink();
        QVERIFY(FCore->ConferenceBlinking());
        QCOMPARE(FCore->ConferenceBlinkTicks(), seconds * 2);
        QCOMPARE(Images(0, static_cast<int>(images.size())), images);
        QCOMPARE(FCore->ConferenceBlinking(), seconds == 0);
        QCOMPARE(FCore->TabImageIndex(1), TChatCore::NoImage);
    }

    void privateTabBlinksWhileTheConferenceIsShown()
    {
        FConfig->SetInt(blink_tab_count, 1);
        FCore->StartPrivateBlink();
        QCOMPARE(Images(1, 5), (QList<int>{0, 1, 0, -1, -1}));
        QCOMPARE(FCore->TabImageIndex(0), TChatCore::NoImage);
    }

    void tabIconsFollowTheImageIndex()
    {
        Pages().setCurrentIndex(1);
        FCore->StartConferenceBlink();
        FCore->BlinkTick();
        const QImage first = Pages().tabIcon(0).pixmap(16, 16).toImage();
        FCore->BlinkTick();
        const QImage second = Pages().tabIcon(0).pixmap(16, 16).toImage();
        QVERIFY(!first.isNull() && !second.isNull());
        QVERIFY(first != second);
        QCOMPARE(first.convertToFormat(QImage::Format_ARGB32),
                 BlinkImage(0).convertToFormat(QImage::Format_ARGB32));
        QVERIFY(Pages().tabIcon(1).isNull());
        Pages().setCurrentIndex(0);
        QVERIFY(Pages().tabIcon(0).isNull());
    }

    void showingThePageStopsItAtOnce()
    {
        Pages().setCurrentIndex(1);
        FCore->StartConferenceBlink();
        Images(0, 3);
        QCOMPARE(FCore->TabImageIndex(0), 0);
        Pages().setCurrentIndex(0);
        QVERIFY(!FCore->ConferenceBlinking());
        QCOMPARE(FCore->TabImageIndex(0), TChatCore::NoImage);
        QCOMPARE(Images(0, 3), (QList<int>{-1, -1, -1}));
    }

    void aMessageForThePageShownDoesNotBlink()
    {
        FCore->StartConferenceBlink();
        QVERIFY(!FCore->ConferenceBlinking());
        Pages().setCurrentIndex(1);
        FCore->StartPrivateBlink();
        QVERIFY(!FCore->PrivateBlinking());
        QCOMPARE(Images(0, 2) + Images(1, 2), (QList<int>{-1, -1, -1, -1}));
    }

    void blinkingCanBeSwitchedOff()
    {
        FConfig->SetBool(blink_inactive_tab_on_msg, false);
        Pages().setCurrentIndex(1);
        FCore->StartConferenceBlink();
        QVERIFY(!FCore->ConferenceBlinking());
        QCOMPARE(Images(0, 2), (QList<int>{-1, -1}));
    }

    void aNewMessageStartsTheCountAgain()
    {
        FConfig->SetInt(blink_tab_count, 2);
        Pages().setCurrentIndex(1);
        FCore->StartConferenceBlink();
        Images(0, 3);
        QCOMPARE(FCore->ConferenceBlinkTicks(), 2);
        FCore->StartConferenceBlink();
        QCOMPARE(FCore->ConferenceBlinkTicks(), 4);
        QCOMPARE(Images(0, 6), (QList<int>{1, 0, 1, 0, -1, -1}));
    }

    void theTimerDrivesTheTicks()
    {
        Pages().setCurrentIndex(1);
        FCore->StartConferenceBlink();
        QMetaObject::invokeMethod(FCore->BlinkTimer(), "timeout", Qt::DirectConnection);
        QCOMPARE(FCore->TabImageIndex(0), 0);
    }

    void widgetsMayGoFirst()
    {
        FWindow.reset();
        QVERIFY(!FCore->BlinkTimer());
        FCore->StartConferenceBlink();
        FCore->BlinkTick();
        FCore->SendCurrentPage();
        QCOMPARE(FConferenceSends, 1);
    }
};

QTEST_MAIN(TestChCore)
#include "tst_chcore.moc"
