#include "ui/CaretRest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

class TestCaretRest : public QObject
{
    Q_OBJECT
private slots:
    void restsAfterIdleAndWakesOnInput()
    {
        const int blinking = QApplication::cursorFlashTime();
        QVERIFY(blinking > 0);
        TCaretRest rest;
        QVERIFY(!rest.Resting());
        rest.Rest(); // what the idle timer does after 10 s
        QCOMPARE(QApplication::cursorFlashTime(), 0);
        QWidget target;
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&target, &key);
        QVERIFY(!rest.Resting());
        QCOMPARE(QApplication::cursorFlashTime(), blinking);
    }
};

QTEST_MAIN(TestCaretRest)
#include "tst_caretrest.moc"
