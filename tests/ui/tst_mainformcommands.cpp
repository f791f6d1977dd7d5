// The main window's commands, keys and pane limits, on a shown window.
#include "MainFormProbe.h"

#include "ui/ContactView.h"
#include "ui/MainActions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// A live drag of the splitter's one handle: pressed, moved to each position (the handle's
// offset in the splitter), released.
void DragHandle(QSplitter& splitter, const QList<int>& positions)
{
    QSplitterHandle* handle = splitter.handle(1);
    const bool across = splitter.orientation() == Qt::Horizontal;
    const auto at = [&](int pos) {
        return across ? QPoint(pos, splitter.height() / 2) : QPoint(splitter.width() / 2, pos);
    };
    const auto send = [&](QEvent::Type type, int pos, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
        const QPoint global = splitter.mapToGlobal(at(pos));
        QMouseEvent event(type, handle->mapFromGlobal(global), global, button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    const int start = across ? handle->x() : handle->y();
    send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int pos : positions)
        send(QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, positions.last(), Qt::LeftButton, Qt::NoButton);
}

// The handle position that leaves the contact pane `width` wide.
int PaneAt(const TMainForm& form, int width)
{
    return form.SplitterH->width() - form.SplitterH->handleWidth() - width;
}

void Select(QTextCursor cursor, QWidget& area, int from, int to)
{
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    if (auto* editor = qobject_cast<QPlainTextEdit*>(&area))
        editor->setTextCursor(cursor);
    else
        static_cast<QTextEdit&>(area).setTextCursor(cursor);
}

} // namespace

class TestMainFormCommands : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainFormProbe> P;
    TMainForm* Form() const { return P->Form.get(); }

    void SetTexts(const QString& editor, const QString& general, const QString& privateText)
    {
        Form()->edMsg->setPlainText(editor);
        Form()->edGeneral->setPlainText(general);
        Form()->edPrivate->setPlainText(privateText);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        P = std::make_unique<TMainFormProbe>(
            TSettingRows{{antiboss_action, 1}, {contact_list_width, 120}});
        QVERIFY(P->Show());
    }
    void cleanup() { P.reset(); }

    void editCommands_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<bool>("clipboard");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<bool>("copy");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<bool>("selectAll");
        const QString some = QStringLiteral("hello there");
        QTest::newRow("no text area focused")
            << "btSend" << some << true << true << false << false << false << false;
        QTest::newRow("contact list focused")
            << "lvClients" << some << true << true << false << false << false << false;
        QTest::newRow("editor, selection, clipboard")
            << "edMsg" << some << true << true << true << true << true << true;
        QTest::newRow("editor, no selection, empty clipboard")
            << "edMsg" << some << false << false << false << false << false << true;
        QTest::newRow("empty editor, clipboard")
            << "edMsg" << QString() << false << true << false << false << true << false;
        QTest::newRow("conference, selection, clipboard")
            << "edGeneral" << some << true << true << false << true << false << true;
        QTest::newRow("private, no selection")
            << "edPrivate" << some << false << true << false << false << false << true;
        QTest::newRow("empty private view")
            << "edPrivate" << QString() << false << true << false << false << false << false;
    }
    void editCommands()
    {
        QFETCH(QString, focus);
        QFETCH(QString, text);
        QFETCH(bool, selection);
        QFETCH(bool, clipboard);
        if (clipboard)
            QApplication::clipboard()->setText(QStringLiteral("pasted"));
        else
            QApplication::clipboard()->clear();
        SetTexts(text, text, text);
        auto* target = Form()->findChild<QWidget*>(focus);
        QVERIFY(target);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QWidget* areas[] = {Form()->edMsg, Form()->edGeneral, Form()->edPrivate};
        for (QWidget* area : areas) {
            const QTextDocument* document = area == Form()->edMsg
                                                ? Form()->edMsg->document()
                                                : static_cast<QTextEdit*>(area)->document();
            Select(QTextCursor(const_cast<QTextDocument*>(document)), *area, 0,
                   selection ? qMin(5, int(text.size())) : 0);
        }
        QTEST(P->Action("miCut")->isEnabled(), "cut");
        QTEST(P->Action("miCopy")->isEnabled(), "copy");
        QTEST(P->Action("miPaste")->isEnabled(), "paste");
        QTEST(P->Action("miSelectAll")->isEnabled(), "selectAll");
        for (const auto& [popup, twin] : {std::pair{"mipCut", "miCut"},
                                          {"mipCopy", "miCopy"},
                                          {"mipPaste", "miPaste"},
                                          {"mipSelectAll", "miSelectAll"}})
            QCOMPARE(P->Action(popup)->isEnabled(), P->Action(twin)->isEnabled());
    }

    // Copy and Select All act on the text area that had the focus.
    void copyAndSelectAllInAConsole()
    {
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference text"), QString());
        Form()->edGeneral->setFocus();
        QTRY_VERIFY(Form()->edGeneral->hasFocus());
        Select(Form()->edGeneral->textCursor(), *Form()->edGeneral, 0, 10);
        P->Action("miCopy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("conference"));
        P->Action("miSelectAll")->trigger();
        QCOMPARE(Form()->edGeneral->textCursor().selectedText(), QStringLiteral("conference text"));
        QVERIFY(!Form()->edMsg->textCursor().hasSelection());
    }

    void contactPaneLimit()
    {
        Form()->resize(500, 400);
        QTRY_COMPARE(Form()->centralWidget()->width(), 500);
        const int total = Form()->SplitterH->width() - Form()->SplitterH->handleWidth();
        Form()->SplitterH->setSizes({total - 300, 300});
        Form()->LayoutChanged();
        QCOMPARE(Form()->PanelClients->width(), 160);
        DragHandle(*Form()->SplitterH, {PaneAt(*Form(), 200), PaneAt(*Form(), 400)});
        QCOMPARE(Form()->PanelClients->width(), 160);
    }

    // A narrower window takes the room from the pane once the messages are at their least.
    void contactPaneFollowsTheWindow()
    {
        Form()->resize(600, 400);
        QTRY_COMPARE(Form()->centralWidget()->width(), 600);
        DragHandle(*Form()->SplitterH, {PaneAt(*Form(), 240)});
        QCOMPARE(Form()->PanelClients->width(), 240);
        Form()->resize(500, 400);
        QTRY_COMPARE(Form()->centralWidget()->width(), 500);
        QCOMPARE(Form()->PanelClients->width(), 160);
    }

    void editorAreaLimit()
    {
        Form()->resize(500, 500);
        QTRY_COMPARE(Form()->height(), 500);
        const int half = Form()->PanelMessages->height() / 2;
        const int total = Form()->SplitterV->height() - Form()->SplitterV->handleWidth();
        Form()->SplitterV->setSizes({total - half - 60, half + 60});
        Form()->LayoutChanged();
        QVERIFY2(Form()->TabCtrlMsgEdit->height() <= half,
                 qPrintable(QString::number(Form()->TabCtrlMsgEdit->height())));
        DragHandle(*Form()->SplitterV, {half - 20, 30});
        QVERIFY2(Form()->TabCtrlMsgEdit->height() <= half,
                 qPrintable(QString::number(Form()->TabCtrlMsgEdit->height())));
    }

    // At its lowest the editor area still shows a whole line of the message font.
    void editorAreaAtItsMinimum()
    {
        Form()->UpdateEditorMinHeight();
        const int minimum = Form()->TabCtrlMsgEdit->minimumHeight();
        DragHandle(*Form()->SplitterV, {Form()->SplitterV->height()});
        QCOMPARE(Form()->TabCtrlMsgEdit->height(), minimum);
        const int line =
            QFontMetrics(Form()->edMsg->font()).boundingRect(QStringLiteral("HIg")).height();
        QVERIFY2(Form()->edMsg->viewport()->height() >= line,
                 qPrintable(
                     QStringLiteral("%1 < %2").arg(Form()->edMsg->viewport()->height()).arg(line)));
    }

    // An editor area at its minimum follows the minimum when the font grows and shrinks.
    void editorAreaMinimumFollowsTheFont()
    {
        Form()->UpdateEditorMinHeight();
        DragHandle(*Form()->SplitterV, {Form()->SplitterV->height()});
        const int before = Form()->TabCtrlMsgEdit->height();
        QCOMPARE(before, Form()->TabCtrlMsgEdit->minimumHeight());
        for (int i = 0; i < 4; ++i)
            P->Action("miFontSizePlus")->trigger();
        QVERIFY(Form()->TabCtrlMsgEdit->minimumHeight() > before);
        QCOMPARE(Form()->TabCtrlMsgEdit->height(), Form()->TabCtrlMsgEdit->minimumHeight());
        for (int i = 0; i < 4; ++i)
            P->Action("miFontSizeMinus")->trigger();
        QCOMPARE(Form()->TabCtrlMsgEdit->height(), before);
    }

    void splittersResizeLive()
    {
        QVERIFY(Form()->SplitterH->opaqueResize());
        QVERIFY(Form()->SplitterV->opaqueResize());
    }

    void contactPaneCollapses()
    {
        TMainForm& f = *Form();
        QVERIFY(f.lvClients->isVisible());
        QVERIFY(!f.sbUnhideCL->isVisible());
        DragHandle(*f.SplitterH, {PaneAt(f, 60), PaneAt(f, 25)});
        QCOMPARE(f.PanelClients->width(), 12);
        QVERIFY(!f.lvClients->isVisible());
        QVERIFY(f.sbUnhideCL->isVisible());
        // The step right after the collapse keeps it; the one after that brings the list back.
        DragHandle(*f.SplitterH, {PaneAt(f, 20)});
        QCOMPARE(f.PanelClients->width(), 12);
        QVERIFY(f.sbUnhideCL->isVisible());
        DragHandle(*f.SplitterH, {PaneAt(f, 90)});
        QVERIFY(f.lvClients->isVisible());
        QVERIFY(!f.sbUnhideCL->isVisible());
        QVERIFY2(f.PanelClients->width() >= 30,
                 qPrintable(QString::number(f.PanelClients->width())));

        DragHandle(*f.SplitterH, {PaneAt(f, 10)});
        QVERIFY(f.sbUnhideCL->isVisible());
        f.sbUnhideCL->click();
        QVERIFY(f.lvClients->isVisible());
        QVERIFY(!f.sbUnhideCL->isVisible());
        QCOMPARE(f.PanelClients->width(), 30);
    }

    void ctrlTab_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("editor") << "edMsg" << int(Qt::Key_Tab) << ctrl;
        QTest::newRow("editor, with Shift")
            << "edMsg" << int(Qt::Key_Backtab) << int(ctrl | Qt::ShiftModifier);
        QTest::newRow("editor, with Alt")
            << "edMsg" << int(Qt::Key_Tab) << int(ctrl | Qt::AltModifier);
        QTest::newRow("conference view") << "edGeneral" << int(Qt::Key_Tab) << ctrl;
        QTest::newRow("send button") << "btSend" << int(Qt::Key_Tab) << ctrl;
        QTest::newRow("contact list") << "lvClients" << int(Qt::Key_Tab) << ctrl;
    }
    void ctrlTab()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Form()->edMsg->setPlainText(QStringLiteral("typed"));
        Form()->PageCtrlMessages->setCurrentIndex(0);
        auto* target = Form()->findChild<QWidget*>(focus);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        const auto modifiersUsed = Qt::KeyboardModifiers(modifiers);
        QTest::keyClick(target, Qt::Key(key), modifiersUsed);
        QCOMPARE(Form()->PageCtrlMessages->currentIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiersUsed);
        QCOMPARE(Form()->PageCtrlMessages->currentIndex(), 0);
        QCOMPARE(Form()->edMsg->toPlainText(), QStringLiteral("typed"));
    }

    void clearCurrentPageOnPrivatePage()
    {
        // The editor keeps a text per page: the draft is the private page's.
        Form()->PageCtrlMessages->setCurrentIndex(1);
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference"), QStringLiteral("private"));
        Form()->btSend->setFocus();
        P->Action("miClearCurrentPage")->trigger();
        QVERIFY(Form()->edGeneral->document()->isEmpty());
        QCOMPARE(Form()->edPrivate->toPlainText(), QStringLiteral("private"));
        QCOMPARE(Form()->edMsg->toPlainText(), QStringLiteral("draft"));
        QTRY_VERIFY(Form()->edMsg->hasFocus());
    }

    void clearAll()
    {
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference"), QStringLiteral("private"));
        Form()->btSend->setFocus();
        P->Action("miClearAll")->trigger();
        QVERIFY(Form()->edMsg->document()->isEmpty());
        QVERIFY(Form()->edGeneral->document()->isEmpty());
        QVERIFY(Form()->edPrivate->document()->isEmpty());
        QTRY_VERIFY(Form()->edMsg->hasFocus());
    }

    // Clear Window empties the text area that had the focus, and nothing else.
    void clearWindow()
    {
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference"), QStringLiteral("private"));
        Form()->edPrivate->setFocus();
        QTRY_VERIFY(Form()->edPrivate->hasFocus());
        P->Action("mipClearWindow")->trigger();
        QVERIFY(Form()->edPrivate->document()->isEmpty());
        QCOMPARE(Form()->edGeneral->toPlainText(), QStringLiteral("conference"));
        QCOMPARE(Form()->edMsg->toPlainText(), QStringLiteral("draft"));
    }

    void ownNickInTheStatusBar()
    {
        // Shown once the nickname is claimed.
        QTRY_COMPARE_WITH_TIMEOUT(P->Panel(4), QStringLiteral("Tester"), 2000);
        P->Action("miShowNic")->trigger();
        QCOMPARE(P->Panel(4), QString());
        QVERIFY(!P->Action("miShowNic")->isChecked());
        QVERIFY(!P->Config->GetBool(show_nic_at_statusbar));
        P->Action("miShowNic")->trigger();
        QCOMPARE(P->Panel(4), QStringLiteral("Tester"));
    }

    void antibossClearsAndStays()
    {
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference"), QStringLiteral("private"));
        P->Action("miAntiboss")->trigger();
        QCoreApplication::processEvents();
        QVERIFY(Form()->edMsg->document()->isEmpty());
        QVERIFY(Form()->edGeneral->document()->isEmpty());
        QVERIFY(Form()->edPrivate->document()->isEmpty());
        QVERIFY(Form()->isVisible());
        QVERIFY(!Form()->isMinimized());
    }

    void antibossKey_data()
    {
        QTest::addColumn<int>("keyEnabled");
        QTest::addColumn<int>("setting");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("F12 set, F12 pressed") << 1 << 1 << int(Qt::Key_F12) << true;
        QTest::newRow("Esc set, Esc pressed") << 1 << 0 << int(Qt::Key_Escape) << true;
        QTest::newRow("F12 set, Esc pressed") << 1 << 1 << int(Qt::Key_Escape) << false;
        QTest::newRow("no shortcut, Esc pressed") << 0 << 0 << int(Qt::Key_Escape) << false;
    }
    void antibossKey()
    {
        QFETCH(int, keyEnabled);
        QFETCH(int, setting);
        QFETCH(int, key);
        QFETCH(bool, cleared);
        P->Config->SetBool(antiboss_hotkey_enabled, keyEnabled != 0);
        P->Config->SetInt(antiboss_hotkey, setting);
        Form()->ApplySettings();
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference"), QStringLiteral("private"));
        Form()->edMsg->setFocus();
        QTRY_VERIFY(Form()->edMsg->hasFocus());
        QTest::keyClick(Form()->edMsg, Qt::Key(key));
        QCOMPARE(Form()->edGeneral->document()->isEmpty(), cleared);
        QCOMPARE(Form()->edMsg->document()->isEmpty(), cleared);
    }

    void antibossDisabledDoesNothing()
    {
        P->Config->SetBool(antiboss_enabled, false);
        Form()->ApplySettings();
        SetTexts(QStringLiteral("draft"), QStringLiteral("conference"), QStringLiteral("private"));
        Form()->edMsg->setFocus();
        QTRY_VERIFY(Form()->edMsg->hasFocus());
        QTest::keyClick(Form()->edMsg, Qt::Key_Escape);
        QCOMPARE(Form()->edGeneral->toPlainText(), QStringLiteral("conference"));
    }
};

QTEST_MAIN(TestMainFormCommands)
#include "tst_mainformcommands.moc"
