#include "ui/ParamsLayout.h"

#include <QtTest>

namespace {
// A font and style with round numbers: labels 16 high, check boxes 20, edits, spin edits and
// drop-downs 24; the tabs take 24 above the pages and the frame 2 at the other sides.
TParamsMetrics Metrics(bool defaultDpi = true, int spinHeight = 24)
{
    TParamsMetrics m;
    m.DefaultDpi = defaultDpi;
    m.PageFrame = QMargins(2, 24, 2, 2);
    const std::pair<const char*, QSize> hints[] = {
        {"lblHotkeyToRestore", {150, 16}},
        {"hkAppHotkey", {100, 24}},
        {"lblSendMsgKey", {140, 16}},
        {"cbSendMsgKey", {120, 24}},
        {"cSaveUserSettings", {200, 20}},
        {"cAutorun", {200, 20}},
        {"cTrayIcon", {200, 20}},
        {"cNoButtonOnTaskbar", {200, 20}},
        {"cBlink", {200, 20}},
        {"lblTimesToBlink", {170, 16}},
        {"seTimesToBlink", {60, spinHeight}},
        {"cSnap", {200, 20}},
        {"lblThreshold", {90, 16}},
        {"seThreshold", {60, spinHeight}},
        {"cMoveInsideDesktop", {200, 20}},
        {"cMinimizeOnClose", {190, 20}},
        {"cPopups", {200, 20}},
        {"cPopupOnEnterLeave", {200, 20}},
        {"cPopupOnPrivate", {200, 20}},
        {"lblSecondsToShowPopup", {170, 16}},
        {"seTimeToShowPopup", {60, spinHeight}},
        {"cAnimatedPopups", {200, 20}},
        {"cEnableSounds", {200, 20}},
        {"cSoundIfInactive", {200, 20}},
        {"lvSoundFiles", {256, 192}},
        {"btSelectSoundFile", {80, 30}},
        {"cbAdapters", {80, 24}},
        {"lblIP", {70, 16}},
        {"edIP", {80, 24}},
        {"btDefIP", {80, 30}},
        {"lblPort", {50, 16}},
        {"sePort", {60, spinHeight}},
        {"btDefPort", {80, 30}},
        {"cHistory", {200, 20}},
        {"lblHistoryFileName", {100, 16}},
        {"edHistoryFile", {100, 24}},
        {"btHistoryFileSelect", {80, 30}},
        {"cHistoryLimit", {200, 20}},
        {"seFileSizeLimit", {60, spinHeight}},
        {"lblHistoryFileSizeUnits", {14, 16}},
        {"cAntiboss", {200, 20}},
        {"lblAntibossAction", {90, 16}},
        {"cbAntibossAction", {120, 24}},
        {"cAntibossHotkey", {200, 20}},
        {"cbAntibossHotkey", {70, 24}},
        {"lbLanguage", {256, 192}},
    };
    for (const auto& [name, size] : hints)
        m.Hints[QString::fromLatin1(name)] = size;
    return m;
}
} // namespace

class TestParamsLayout : public QObject
{
    Q_OBJECT

private slots:
    // Worked out by hand from the spacing rules, at 96 dots per inch: the pages are 490 wide
    // and, from the General page, 256 high.
    void controls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("expected");
        const auto row = [](const char* name, QRect rect) { QTest::newRow(name) << name << rect; };
        row("lblHotkeyToRestore", {16, 16, 150, 16});
        row("hkAppHotkey", {16, 36, 160, 24});
        row("lblSendMsgKey", {16, 76, 140, 16});
        row("cbSendMsgKey", {16, 96, 160, 24});
        row("cSaveUserSettings", {16, 136, 458, 20});
        row("cAutorun", {16, 164, 458, 20});
        row("cTrayIcon", {16, 192, 458, 20});
        row("cNoButtonOnTaskbar", {32, 220, 442, 20});
        row("cBlink", {16, 16, 458, 20});
        row("lblTimesToBlink", {32, 44, 170, 16});
        row("seTimesToBlink", {32, 64, 75, 24});
        row("cSnap", {16, 104, 458, 20});
        row("lblThreshold", {32, 132, 90, 16});
        row("seThreshold", {32, 152, 75, 24});
        row("cMoveInsideDesktop", {16, 192, 458, 20});
        row("cMinimizeOnClose", {16, 220, 190, 20});
        row("cPopups", {16, 16, 458, 20});
        row("cPopupOnEnterLeave", {32, 52, 442, 20});
        row("cPopupOnPrivate", {32, 80, 442, 20});
        row("lblSecondsToShowPopup", {32, 116, 170, 16});
        row("seTimeToShowPopup", {32, 136, 75, 24});
        row("cAnimatedPopups", {32, 176, 442, 20});
        row("cEnableSounds", {16, 16, 458, 20});
        row("cSoundIfInactive", {32, 52, 442, 20});
        row("lvSoundFiles fills down to the button", {32, 88, 442, 122});
        row("btSelectSoundFile 14 above the bottom", {318, 214, 156, 28});
        row("cbAdapters", {16, 16, 458, 24});
        row("lblIP", {16, 56, 70, 16});
        row("lblPort", {16, 88, 50, 16});
        row("edIP 16 right of the longer label", {102, 52, 136, 24});
        row("sePort", {102, 84, 136, 24});
        row("btDefIP", {242, 52, 104, 24});
        row("btDefPort as high as edIP", {242, 84, 104, 24});
        row("cHistory", {16, 16, 458, 20});
        row("lblHistoryFileName", {32, 72, 100, 16});
        row("edHistoryFile", {32, 92, 414, 24});
        row("btHistoryFileSelect", {450, 92, 24, 24});
        row("cHistoryLimit", {32, 164, 442, 20});
        row("seFileSizeLimit", {48, 192, 90, 24});
        row("lblHistoryFileSizeUnits", {142, 196, 14, 16});
        row("cAntiboss", {16, 16, 458, 20});
        row("lblAntibossAction", {32, 72, 90, 16});
        row("cbAntibossAction to two thirds", {32, 92, 294, 24});
        row("cAntibossHotkey", {32, 164, 442, 20});
        row("cbAntibossHotkey", {48, 192, 104, 24});
        row("lbLanguage", {16, 16, 458, 224});
    }
    void controls()
    {
        QFETCH(QString, control);
        QFETCH(QRect, expected);
        const TParamsLayout layout = LayoutParams(Metrics());
        QCOMPARE(layout.Controls.at(control.section(QLatin1Char(' '), 0, 0)), expected);
    }

    void dialog_data()
    {
        QTest::addColumn<bool>("defaultDpi");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("pcPref");
        QTest::addColumn<QRect>("btOK");
        QTest::addColumn<QRect>("btCancel");
        QTest::addColumn<QRect>("btSelectSoundFile");
        QTest::newRow("96 dpi") << true << QSize(510, 334) << QRect(8, 8, 494, 282)
                                << QRect(286, 298, 104, 28) << QRect(398, 298, 104, 28)
                                << QRect(318, 214, 156, 28);
        QTest::newRow("other dpi")
            << false << QSize(560, 341) << QRect(8, 8, 544, 282) << QRect(284, 298, 130, 35)
            << QRect(422, 298, 130, 35) << QRect(329, 207, 195, 35);
    }
    void dialog()
    {
        QFETCH(bool, defaultDpi);
        QFETCH(QSize, client);
        QFETCH(QRect, pcPref);
        QFETCH(QRect, btOK);
        QFETCH(QRect, btCancel);
        QFETCH(QRect, btSelectSoundFile);
        const TParamsLayout layout = LayoutParams(Metrics(defaultDpi));
        QCOMPARE(layout.Client, client);
        QCOMPARE(layout.pcPref, pcPref);
        QCOMPARE(layout.Page, QSize(pcPref.width() - 4, 256));
        QCOMPARE(layout.btOK, btOK);
        QCOMPARE(layout.btCancel, btCancel);
        QCOMPARE(layout.Controls.at(QStringLiteral("btSelectSoundFile")), btSelectSoundFile);
    }

    // Spin edits far taller than at design push the Window page below the General page's
    // end: the pages grow with it, 8 below its last check box, instead of cutting it off.
    void tallerPage()
    {
        const TParamsLayout layout = LayoutParams(Metrics(true, 60));
        QCOMPARE(layout.Controls.at(QStringLiteral("cMinimizeOnClose")), QRect(16, 292, 190, 20));
        QCOMPARE(layout.Page.height(), 312 + 8);
        const QRect button = layout.Controls.at(QStringLiteral("btSelectSoundFile"));
        QCOMPARE(button.top() + button.height(), 320 - 14);
    }

    void longLabelStopsAtTheMargin()
    {
        TParamsMetrics m = Metrics();
        m.Hints[QStringLiteral("lblIP")] = QSize(900, 16);
        const TParamsLayout layout = LayoutParams(m);
        QCOMPARE(layout.Controls.at(QStringLiteral("lblIP")), QRect(16, 56, 458, 16));
    }

    void pageNames()
    {
        QCOMPARE(ParamsPageName(0), "tsGeneral");
        QCOMPARE(ParamsPageName(1), "tsView");
        QCOMPARE(ParamsPageName(7), "tsLanguage");
        QCOMPARE(ParamsPageName(8), "");
    }
};

QTEST_APPLESS_MAIN(TestParamsLayout)
#include "tst_paramslayout.moc"
