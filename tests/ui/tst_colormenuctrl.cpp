// The colour of my messages: the two lists, their captions, the marking of the colour in
// use, the choices and the colour dialog; and the same on the main window.
#include "MainFormProbe.h"
#include "Utf16File.h"

#include "config/Config.h"
#include "conversation/ColorTable.h"
#include "conversation/MessageFont.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "ui/ColorMenuCtrl.h"
#include "ui/MainActions.h"
#include "ui/RyMenuRules.h"
#include "ui/RyMenus.h"
#include "ui/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

QList<int> Tags(const QMenu& list)
{
    QList<int> tags;
    for (const QAction* item : list.actions())
        tags << MenuItemTag(*item);
    return tags;
}

// The positions of the checked items.
QList<int> Checked(const QMenu& list)
{
    QList<int> checked;
    const QList<QAction*> items = list.actions();
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            checked << i;
    return checked;
}

} // namespace

class TestColorMenuCtrl : public QObject
{
    Q_OBJECT

    TLangControl FLang{[] { return QString(); }};
    std::unique_ptr<QMenu> FDropDown, FSubMenu;
    std::unique_ptr<QToolButton> FButton;
    std::unique_ptr<TColorMenuCtrl> FCtrl;
    QList<std::uint32_t> FChosen;
    QList<std::uint32_t> FDialogStarts;
    std::optional<std::uint32_t> FDialogAnswer;
    std::uint32_t FEditorColor = 0;

    QAction* DropDownItem(int position) { return FDropDown->actions().at(position); }

private slots:
    void init()
    {
        FDropDown = std::make_unique<QMenu>();
        FSubMenu = std::make_unique<QMenu>();
        FButton = std::make_unique<QToolButton>();
        FCtrl = std::make_unique<TColorMenuCtrl>(FLang);
        FCtrl->Button = FButton.get();
        FCtrl->Menu = FDropDown.get();
        FCtrl->MenuItem = FSubMenu.get();
        FChosen.clear();
        FDialogStarts.clear();
        FDialogAnswer.reset();
        FEditorColor = 0;
        FCtrl->OnColorChosen = [this] { FChosen << FCtrl->Color; };
        FCtrl->CurrentColor = [this] { return FEditorColor; };
        FCtrl->ColorDialog = [this](std::uint32_t initial) {
            FDialogStarts << initial;
            return FDialogAnswer;
        };
        FCtrl->Build();
    }

    void buildNeedsAllThree_data()
    {
        QTest::addColumn<int>("missing");
        QTest::newRow("OnColorChosen") << 0;
        QTest::newRow("Menu") << 1;
        QTest::newRow("MenuItem") << 2;
    }
    void buildNeedsAllThree()
    {
        QFETCH(int, missing);
        QMenu dropDown, subMenu;
        QToolButton button;
        TColorMenuCtrl ctrl(FLang);
        ctrl.Button = &button;
        ctrl.Menu = missing == 1 ? nullptr : &dropDown;
        ctrl.MenuItem = missing == 2 ? nullptr : &subMenu;
        if (missing != 0)
            ctrl.OnColorChosen = [] {};
        ctrl.Build();
        QVERIFY(dropDown.actions().isEmpty());
        QVERIFY(subMenu.actions().isEmpty());
        QCOMPARE(button.menu(), nullptr);
    }

    void buildFillsBothLists()
    {
        const QList<int> tags = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 0, 111};
        const QStringList captions = {"Black",  "Blue", "DkGray",   "Fuchsia", "Green",
                                      "Maroon", "Navy", "Olive",    "Purple",  "Red",
                                      "Teal",   "-",    "<more...>"};
        for (QMenu* list : {FDropDown.get(), FSubMenu.get()}) {
            QCOMPARE(Tags(*list), tags);
            const QList<QAction*> items = list->actions();
            for (int i = 0; i < items.size(); ++i) {
                QCOMPARE(items[i]->text(), captions[i]);
                QCOMPARE(items[i]->isSeparator(), i == 11);
                QCOMPARE(items[i]->isCheckable(), i != 11);
            }
            QVERIFY(!items[11]->isEnabled());
        }
        QCOMPARE(FButton->menu(), FDropDown.get());
        QCOMPARE(FButton->popupMode(), QToolButton::InstantPopup);
        QCOMPARE(FDropDown->style(), &AppMenuPainter());
        QVERIFY(!MenuHasImages(FDropDown.get()));
        // A second build replaces the items.
        FCtrl->Build();
        QCOMPARE(Tags(*FDropDown), tags);
    }

    void captionsFollowTheLanguage()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("x.lng"));
        QVERIFY(WriteBytes(path, Utf16File(QStringLiteral("0000=Testisch\r\n0001=Test\r\n"
                                                          "%1=Schwarz\r\n%2=<mehr...>\r\n")
                                               .arg(sidColorBlack, 4, 10, QLatin1Char('0'))
                                               .arg(sidColorMore, 4, 10, QLatin1Char('0')))));
        QVERIFY(FLang.LoadLanguage(path));
        FCtrl->UpdateCaptions();
        for (QMenu* list : {FDropDown.get(), FSubMenu.get()}) {
            QCOMPARE(list->actions().first()->text(), QStringLiteral("Schwarz"));
            QCOMPARE(list->actions().at(1)->text(), QStringLiteral("Blue"));
            QCOMPARE(list->actions().at(11)->text(), QStringLiteral("-"));
            QCOMPARE(list->actions().last()->text(), QStringLiteral("<mehr...>"));
        }
        FLang.UseDefaultLanguage();
        FCtrl->UpdateCaptions();
        QCOMPARE(FSubMenu->actions().first()->text(), QStringLiteral("Black"));
    }

    void marking_data()
    {
        QTest::addColumn<uint>("color");
        QTest::addColumn<int>("checked");
        QTest::newRow("Black") << 0x000000u << 0;
        QTest::newRow("Blue") << 0xFF0000u << 1;
        QTest::newRow("Maroon") << 0x000080u << 5;
        QTest::newRow("Teal") << 0x808000u << 10;
        QTest::newRow("custom") << 0x123456u << 12;
        QTest::newRow("almost Red") << 0x0000FEu << 12;
    }
    void marking()
    {
        QFETCH(uint, color);
        QFETCH(int, checked);
        // Another colour was marked before; the opening list marks the one in use.
        FCtrl->MarkColor(0x808080);
        FEditorColor = color;
        emit FSubMenu->aboutToShow();
        for (QMenu* list : {FDropDown.get(), FSubMenu.get()})
            QCOMPARE(Checked(*list), QList<int>{checked});
        FCtrl->MarkColor(0x808080);
        emit FDropDown->aboutToShow();
        for (QMenu* list : {FDropDown.get(), FSubMenu.get()})
            QCOMPARE(Checked(*list), QList<int>{checked});
    }

    void tableColourChosen_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<uint>("color");
        QTest::newRow("Black") << 0 << 0x000000u;
        QTest::newRow("Red") << 9 << 0x0000FFu;
        QTest::newRow("Teal") << 10 << 0x808000u;
    }
    void tableColourChosen()
    {
        QFETCH(int, position);
        QFETCH(uint, color);
        FCtrl->Color = 0x123456;
        FSubMenu->actions().at(position)->trigger();
        QCOMPARE(FCtrl->Color, color);
        QCOMPARE(FChosen, QList<std::uint32_t>{color});
        QVERIFY(FDialogStarts.isEmpty());
    }

    void moreAsksTheDialog_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void moreAsksTheDialog()
    {
        QFETCH(bool, confirmed);
        FEditorColor = 0x00FF00;
        if (confirmed)
            FDialogAnswer = 0x123456;
        DropDownItem(12)->trigger();
        // From the colour in use, so that a cancel leaves it as it is.
        QCOMPARE(FDialogStarts, QList<std::uint32_t>{0x00FF00});
        const std::uint32_t expected = confirmed ? 0x123456 : 0x00FF00;
        QCOMPARE(FCtrl->Color, expected);
        QCOMPARE(FChosen, QList<std::uint32_t>{expected});
    }

    // Without a colour in use the dialog starts from the last choice, black at first.
    void moreWithoutCurrentColour()
    {
        FCtrl->CurrentColor = nullptr;
        DropDownItem(12)->trigger();
        DropDownItem(3)->trigger();
        DropDownItem(12)->trigger();
        QCOMPARE(FDialogStarts, (QList<std::uint32_t>{0x000000, 0xFF00FF}));
        QCOMPARE(FChosen, (QList<std::uint32_t>{0x000000, 0xFF00FF, 0xFF00FF}));
    }

    void separatorChoosesNothing()
    {
        FCtrl->ItemClick(*DropDownItem(11));
        QVERIFY(FChosen.isEmpty());
    }

    // On the main window: "Teal" from the drop-down colours the editor 0x808000 and both
    // lists show it checked when they open again; a colour from the dialog checks
    // "<more...>".
    void onTheMainWindow()
    {
        TMainFormProbe p;
        QVERIFY(p.Form->ColorMenu);
        QMenu* dropDown = FindMenu(*p.Form, "PopupMenuColor");
        QMenu* subMenu = FindMenu(*p.Form, "miFontColor");
        QVERIFY(dropDown && subMenu);
        QCOMPARE(p.Form->findChild<QToolButton*>(QStringLiteral("btColor"))->menu(), dropDown);
        dropDown->actions().at(10)->trigger();
        QCOMPARE(p.Form->MessageFont().EditorColor(), 0x808000u);
        QCOMPARE(p.Form->edMsg->palette().color(QPalette::Text), QColor(0, 128, 128));
        QCOMPARE(p.Config->GetInt(msg_color), 0x808000);
        for (QMenu* list : {dropDown, subMenu})
            list->actions().at(0)->setChecked(true);
        emit subMenu->aboutToShow();
        for (QMenu* list : {dropDown, subMenu})
            QCOMPARE(Checked(*list), QList<int>{10});

        p.Form->ColorMenu->ColorDialog = [](std::uint32_t) { return 0x123456u; };
        subMenu->actions().at(12)->trigger();
        QCOMPARE(p.Form->MessageFont().EditorColor(), 0x123456u);
        emit dropDown->aboutToShow();
        for (QMenu* list : {dropDown, subMenu})
            QCOMPARE(Checked(*list), QList<int>{12});
    }

    // Every menu of the window is painted by the one painter; the drop-down without the
    // pictures' gutter.
    void theWindowsMenusArePainted()
    {
        TMainFormProbe p;
        for (const char* name :
             {"miFile", "miView", "miFontColor", "miLanguage", "PopupMenuEditors",
              "PopupMenuClients", "PopupMenuColor", "TrayMenu"}) {
            QMenu* menu = FindMenu(*p.Form, name);
            QVERIFY2(menu, name);
            QVERIFY2(menu->style() == &AppMenuPainter(), name);
            QCOMPARE(MenuHasImages(menu), qstrcmp(name, "PopupMenuColor") != 0);
        }
        QCOMPARE(p.Form->menuBar()->style(), &AppMenuPainter());
        // The tray's first item is its default one, written bold.
        QMenu& tray = p.Form->Tray().TrayMenu();
        QCOMPARE(tray.defaultAction(), FindAction(*p.Form, "mitrShowHide"));
    }
};

QTEST_MAIN(TestColorMenuCtrl)
#include "tst_colormenuctrl.moc"
