#include "ui/DialogLayout.h"

#include <QSpinBox>
#include <QtTest>

class TestDialogLayout : public QObject
{
    Q_OBJECT

private slots:
    void buttonSize_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("96") << 96 << QSize(104, 28);
        QTest::newRow("120") << 120 << QSize(130, 35);
        QTest::newRow("72") << 72 << QSize(130, 35);
    }
    void buttonSize()
    {
        QFETCH(int, dpi);
        QFETCH(QSize, expected);
        QCOMPARE(DialogButtonSize(IsDefaultDpi(dpi)), expected);
    }

    void helpers()
    {
        QRect control(20, 10, 50, 21);
        StretchToRightMargin(control, 300);
        QCOMPARE(control, QRect(20, 10, 264, 21));
        SetGridLeft(control, 2);
        QCOMPARE(control, QRect(32, 10, 264, 21));

        QRect below(0, 0, 10, 13);
        PlaceBelow(control, below, 3);
        QCOMPARE(below.top(), 10 + 21 + 12);
        // Centring rounds towards zero, also when the control is the taller one.
        CenterOnLabel(QRect(0, 40, 10, 13), below);
        QCOMPARE(below.top(), 40);
        QRect tall(0, 0, 10, 24);
        CenterOnLabel(QRect(0, 40, 10, 13), tall);
        QCOMPARE(tall.top(), 40 + (13 - 24) / 2);

        QRect button(0, 0, 30, 30);
        PlaceRightOf(QRect(16, 0, 100, 20), button, 1);
        QCOMPARE(button.left(), 120);
    }

    void spinEnabled_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("enabled") << true;
        QTest::newRow("disabled") << false;
    }
    void spinEnabled()
    {
        QFETCH(bool, enabled);
        QSpinBox spin;
        const QColor window = spin.palette().color(QPalette::Active, QPalette::Base);
        SetSpinEnabled(spin, !enabled);
        SetSpinEnabled(spin, enabled);
        QCOMPARE(spin.isEnabled(), enabled);
        // The background it paints with in its state: the window colour or the button face.
        const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
        QCOMPARE(spin.palette().color(group, QPalette::Base),
                 enabled ? window : spin.palette().color(QPalette::Active, QPalette::Button));
    }

    void browseButton()
    {
        QRect edit(16, 72, 200, 23);
        QRect button(0, 0, 75, 25);
        AttachBrowseButton(edit, button, 280);
        QCOMPARE(button, QRect(280 - 23 - 16, 72, 23, 23));
        QCOMPARE(edit, QRect(16, 72, 241 - 16 - 4, 23));
    }
};

QTEST_MAIN(TestDialogLayout)
#include "tst_dialoglayout.moc"
