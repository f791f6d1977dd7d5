#include "ui/NameEditLayout.h"

#include <QtTest>

#include <map>

namespace {
// A font and style with round numbers: labels 16 high, edits 24, radio buttons and check
// boxes 20, a sunken line 3; group boxes 2 wide at the sides and bottom, 18 at the top.
TNameEditMetrics Metrics(bool fullMode, QSize button = QSize(104, 28))
{
    TNameEditMetrics m;
    m.FullMode = fullMode;
    m.ClientWidth = 300;
    m.LabelHeight = 16;
    m.EditHeight = 24;
    m.RadioHeight = 20;
    m.CheckHeight = 20;
    m.LineHeight = 3;
    m.GroupFrame = QMargins(2, 18, 2, 2);
    m.Button = button;
    return m;
}

const std::map<QString, QRect TNameEditLayout::*> Controls = {
    {"lblNic", &TNameEditLayout::lblNic},
    {"edNic", &TNameEditLayout::edNic},
    {"gbGender", &TNameEditLayout::gbGender},
    {"PanelGender", &TNameEditLayout::PanelGender},
    {"imGenderUndef", &TNameEditLayout::imGenderUndef},
    {"imMale", &TNameEditLayout::imMale},
    {"imFemale", &TNameEditLayout::imFemale},
    {"rbUndefined", &TNameEditLayout::rbUndefined},
    {"rbMale", &TNameEditLayout::rbMale},
    {"rbFemale", &TNameEditLayout::rbFemale},
    {"gbHistory", &TNameEditLayout::gbHistory},
    {"PanelHistory", &TNameEditLayout::PanelHistory},
    {"cbEnableHistory", &TNameEditLayout::cbEnableHistory},
    {"lblHistoryFileName", &TNameEditLayout::lblHistoryFileName},
    {"edHistoryFileName", &TNameEditLayout::edHistoryFileName},
    {"btHistoryFileSelect", &TNameEditLayout::btHistoryFileSelect},
    {"cbSaveSettings", &TNameEditLayout::cbSaveSettings},
    {"HLine", &TNameEditLayout::HLine},
    {"btRegister", &TNameEditLayout::btRegister},
};
} // namespace

class TestNameEditLayout : public QObject
{
    Q_OBJECT

private slots:
    // Worked out by hand from the spacing rules, at 96 dots per inch.
    void fullMode_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("lblNic at 8, 8") << "lblNic" << QRect(8, 8, 284, 16);
        QTest::newRow("edNic 4 below") << "edNic" << QRect(8, 28, 284, 24);
        QTest::newRow("gbGender 8 below, fits its panel") << "gbGender" << QRect(8, 60, 284, 136);
        QTest::newRow("PanelGender inside the frame") << "PanelGender" << QRect(2, 18, 280, 116);
        QTest::newRow("rbUndefined at 36, 16") << "rbUndefined" << QRect(36, 16, 228, 20);
        QTest::newRow("rbMale 12 below") << "rbMale" << QRect(36, 48, 228, 20);
        QTest::newRow("rbFemale 12 below") << "rbFemale" << QRect(36, 80, 228, 20);
        QTest::newRow("imGenderUndef centred") << "imGenderUndef" << QRect(16, 18, 16, 16);
        QTest::newRow("imMale centred") << "imMale" << QRect(16, 50, 16, 16);
        QTest::newRow("imFemale centred") << "imFemale" << QRect(16, 82, 16, 16);
        QTest::newRow("gbHistory 8 below gbGender") << "gbHistory" << QRect(8, 204, 284, 132);
        QTest::newRow("PanelHistory") << "PanelHistory" << QRect(2, 18, 280, 112);
        QTest::newRow("cbEnableHistory") << "cbEnableHistory" << QRect(16, 16, 248, 20);
        QTest::newRow("label 16 below") << "lblHistoryFileName" << QRect(16, 52, 248, 16);
        QTest::newRow("edit ends 4 before the button")
            << "edHistoryFileName" << QRect(16, 72, 220, 24);
        QTest::newRow("square button 16 from the right")
            << "btHistoryFileSelect" << QRect(240, 72, 24, 24);
        QTest::newRow("cbSaveSettings 8 below") << "cbSaveSettings" << QRect(8, 344, 284, 20);
        QTest::newRow("HLine 8 below") << "HLine" << QRect(8, 372, 284, 3);
        QTest::newRow("btRegister centred, 8 below") << "btRegister" << QRect(98, 383, 104, 28);
    }
    void fullMode()
    {
        QFETCH(QString, control);
        QFETCH(QRect, expected);
        const TNameEditLayout layout = LayoutNameEdit(Metrics(true));
        QCOMPARE(layout.*Controls.at(control), expected);
        QCOMPARE(layout.Client, QSize(300, 419));
    }

    void buttonAndHeight_data()
    {
        QTest::addColumn<bool>("fullMode");
        QTest::addColumn<QSize>("button");
        QTest::addColumn<QRect>("btRegister");
        QTest::addColumn<int>("clientHeight");
        QTest::newRow("full, 96 dpi") << true << QSize(104, 28) << QRect(98, 383, 104, 28) << 419;
        QTest::newRow("nick only, 96 dpi")
            << false << QSize(104, 28) << QRect(98, 204, 104, 28) << 240;
        QTest::newRow("nick only, other dpi")
            << false << QSize(130, 35) << QRect(85, 204, 130, 35) << 247;
    }
    void buttonAndHeight()
    {
        QFETCH(bool, fullMode);
        QFETCH(QSize, button);
        QFETCH(QRect, btRegister);
        QFETCH(int, clientHeight);
        const TNameEditLayout layout = LayoutNameEdit(Metrics(fullMode, button));
        QCOMPARE(layout.btRegister, btRegister);
        QCOMPARE(layout.Client, QSize(300, clientHeight));
    }

    void clientWidth_data()
    {
        QTest::addColumn<int>("averageChar");
        QTest::addColumn<int>("direct");
        QTest::addColumn<int>("genderRow");
        QTest::addColumn<int>("historyRow");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("52 characters") << 6 << 120 << 80 << 120 << 104 << 312;
        QTest::newRow("a long label on the dialog") << 6 << 400 << 80 << 120 << 104 << 416;
        QTest::newRow("a long radio button") << 6 << 120 << 300 << 120 << 104 << 372;
        QTest::newRow("a long history row") << 6 << 120 << 80 << 350 << 104 << 402;
        QTest::newRow("a tiny font, the button") << 2 << 20 << 20 << 20 << 130 << 146;
    }
    void clientWidth()
    {
        QFETCH(int, averageChar);
        QFETCH(int, direct);
        QFETCH(int, genderRow);
        QFETCH(int, historyRow);
        QFETCH(int, button);
        QFETCH(int, expected);
        TNameEditWidths widths;
        widths.AverageChar = averageChar;
        widths.Direct = direct;
        widths.GenderRow = genderRow;
        widths.HistoryRow = historyRow;
        widths.Button = button;
        widths.GroupFrame = QMargins(2, 18, 2, 2);
        QCOMPARE(NameEditClientWidth(widths), expected);
    }
};

QTEST_APPLESS_MAIN(TestNameEditLayout)
#include "tst_nameeditlayout.moc"
