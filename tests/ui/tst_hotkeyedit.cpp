#include "ui/HotKeyEdit.h"

#include <QDialog>
#include <QtTest>

class TestHotKeyEdit : public QObject
{
    Q_OBJECT

private slots:
    void press_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("shortcut");
        QTest::addColumn<QString>("text");
        QTest::newRow("Ctrl+Shift+Z")
            << int(Qt::Key_Z) << int(Qt::ControlModifier | Qt::ShiftModifier) << 0x605A
            << "Shift+Ctrl+Z";
        QTest::newRow("Alt+F5") << int(Qt::Key_F5) << int(Qt::AltModifier) << (0x8000 | 0x74)
                                << "Alt+F5";
        QTest::newRow("a key alone gets the three modifiers")
            << int(Qt::Key_Z) << 0 << (0xE000 | 'Z') << "Shift+Ctrl+Alt+Z";
        QTest::newRow("Shift alone is a modifier too")
            << int(Qt::Key_F2) << int(Qt::ShiftModifier) << (0x2000 | 0x71) << "Shift+F2";
    }
    void press()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, shortcut);
        QFETCH(QString, text);
        THotKeyEdit edit;
        QTest::keyClick(&edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(edit.ShortCut()), shortcut);
        QCOMPARE(edit.text(), text);
    }

    void ignoredPresses()
    {
        THotKeyEdit edit;
        edit.SetShortCut(0x605A);
        QTest::keyClick(&edit, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_A, Qt::MetaModifier);
        QCOMPARE(int(edit.ShortCut()), 0x605A);
        QCOMPARE(edit.text(), QStringLiteral("Shift+Ctrl+Z"));
    }

    void backspaceClears()
    {
        THotKeyEdit edit;
        edit.SetShortCut(0x605A);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(int(edit.ShortCut()), 0);
        QCOMPARE(edit.text(), QString());
    }

    // Enter and Escape still end the dialog the field is in.
    void dialogKeysPassThrough()
    {
        QDialog dialog;
        auto* edit = new THotKeyEdit(&dialog);
        edit->SetShortCut(0x605A);
        dialog.show();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(int(edit->ShortCut()), 0x605A);
    }
};

QTEST_MAIN(TestHotKeyEdit)
#include "tst_hotkeyedit.moc"
