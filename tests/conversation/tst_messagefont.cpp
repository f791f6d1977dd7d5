#include "config/Config.h"
#include "conversation/ColorTable.h"
#include "conversation/Console.h"
#include "conversation/Emoticons.h"
#include "conversation/MessageFont.h"
#include "conversation/RichEdit.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

class TestMessageFont : public QObject
{
    Q_OBJECT

    std::unique_ptr<TConfig> FConfig;
    std::unique_ptr<QPlainTextEdit> FEditor;
    std::unique_ptr<QTextEdit> FGeneral, FPrivate;
    std::unique_ptr<QAction> FPlusMenu, FMinusMenu;
    std::unique_ptr<QToolButton> FPlusButton, FMinusButton;
    std::unique_ptr<TMessageFont> FFont;
    int FMinHeightUpdates = 0;

    void SetEditorSize(int size)
    {
        QFont font = FEditor->font();
        font.setPointSize(size);
        FEditor->setFont(font);
    }
    void CompareCommands(bool increase, bool decrease)
    {
        QCOMPARE(FPlusMenu->isEnabled(), increase);
        QCOMPARE(FPlusButton->isEnabled(), increase);
        QCOMPARE(FMinusMenu->isEnabled(), decrease);
        QCOMPARE(FMinusButton->isEnabled(), decrease);
    }

private slots:
    void init()
    {
        FConfig = std::make_unique<TConfig>(QString());
        FEditor = std::make_unique<QPlainTextEdit>();
        FGeneral = std::make_unique<QTextEdit>();
        FPrivate = std::make_unique<QTextEdit>();
        FPlusMenu = std::make_unique<QAction>();
        FMinusMenu = std::make_unique<QAction>();
        FPlusButton = std::make_unique<QToolButton>();
        FMinusButton = std::make_unique<QToolButton>();
        FFont = std::make_unique<TMessageFont>(*FEditor, *FGeneral, *FPrivate, *FConfig);
        FFont->IncreaseCommands = {FPlusMenu.get(), FPlusButton.get()};
        FFont->DecreaseCommands = {FMinusMenu.get(), FMinusButton.get()};
        FMinHeightUpdates = 0;
        FFont->OnUpdateEditorMinHeight = [this] { ++FMinHeightUpdates; };
    }

    void colorValues_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("color");
        QTest::newRow("red") << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x123456u << QColor(0x56, 0x34, 0x12);
    }
    void colorValues()
    {
        QFETCH(uint, value);
        QFETCH(QColor, color);
        QCOMPARE(ColorFromValue(value), color);
        QCOMPARE(uint(ColorValue(color)), value);
    }

    void colorTable()
    {
        const QStringList captions = {"Black", "Blue",  "DkGray", "Fuchsia", "Green", "Maroon",
                                      "Navy",  "Olive", "Purple", "Red",     "Teal"};
        for (int i = 0; i < ColorTableCount; ++i) {
            QCOMPARE(ColorMenuCaption(i), captions[i]);
            QCOMPARE(ColorMenuIndexOf(ColorTable()[i].Value), i);
        }
        QCOMPARE(ColorMenuCaption(ColorMenuMore), QStringLiteral("<more...>"));
        QCOMPARE(ColorMenuCaption(ColorMenuSeparator), QString());
        QCOMPARE(ColorMenuIndexOf(0x123456), ColorMenuMore);
    }

    void colorChosen()
    {
        FFont->ColorChosen(0x0000FF);
        QCOMPARE(FEditor->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(FConfig->GetInt(msg_color), 0x0000FF);
    }

    void sizeCommands_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("increase");
        QTest::addColumn<int>("newSize");
        QTest::addColumn<bool>("increaseEnabled");
        QTest::addColumn<bool>("decreaseEnabled");
        QTest::newRow("19 + 1") << 19 << true << 20 << false << true;
        QTest::newRow("12 + 1") << 12 << true << 13 << true << true;
        QTest::newRow("8 - 1") << 8 << false << 7 << true << false;
        QTest::newRow("20 - 1") << 20 << false << 19 << true << true;
    }
    void sizeCommands()
    {
        QFETCH(int, size);
        QFETCH(bool, increase);
        QFETCH(int, newSize);
        QFETCH(bool, increaseEnabled);
        QFETCH(bool, decreaseEnabled);
        SetEditorSize(size);
        SetCommandsEnabled(increase ? FFont->DecreaseCommands : FFont->IncreaseCommands, false);
        TConsoleWriter writer(AppEmoticons());
        TChatMessage m;
        m.Nick = "Bob";
        m.Text = "hi :)";
        m.Color = 0x0000FF;
        writer.AddChatMessage(*FGeneral, true, m);
        increase ? FFont->miFontSizePlusClick() : FFont->miFontSizeMinusClick();
        QCOMPARE(FEditor->font().pointSize(), newSize);
        QCOMPARE(FGeneral->font().pointSize(), newSize);
        QCOMPARE(FPrivate->font().pointSize(), newSize);
        QCOMPARE(FGeneral->document()->defaultFont().pointSize(), newSize);
        CompareCommands(increaseEnabled, decreaseEnabled);
        QCOMPARE(FConfig->GetInt(font_size), newSize);
        QCOMPARE(FMinHeightUpdates, 1);
        // The line keeps its colour.
        QCOMPARE(
            FGeneral->document()->lastBlock().begin().fragment().charFormat().foreground().color(),
            QColor(0x80, 0x80, 0x80));
    }

    void chosenFont()
    {
        QFont chosen(QStringLiteral("DejaVu Sans Mono"), 25);
        chosen.setBold(true);
        chosen.setItalic(true);
        FFont->FontChooser = [&](const QFont& initial) {
            [&] { QCOMPARE(initial, FEditor->font()); }();
            return std::optional<QFont>(chosen);
        };
        FGeneral->setPlainText(QStringLiteral("x"));
        FFont->btFontClick();
        for (QWidget* view :
             {static_cast<QWidget*>(FEditor.get()), static_cast<QWidget*>(FGeneral.get()),
              static_cast<QWidget*>(FPrivate.get())}) {
            QCOMPARE(view->font().families().value(0), QStringLiteral("DejaVu Sans Mono"));
            QCOMPARE(view->font().pointSize(), 20);
            QVERIFY(view->font().bold());
        }
        CompareCommands(false, true);
        QCOMPARE(FConfig->GetStr(font_name), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(FConfig->GetInt(font_size), 20);
        QVERIFY(FConfig->GetBool(font_is_bold));
        QVERIFY(FConfig->GetBool(font_is_italic));
        QVERIFY(!FConfig->GetBool(font_is_underline));
        QCOMPARE(FMinHeightUpdates, 1);

        // Cancelled: nothing changes.
        FFont->FontChooser = [](const QFont&) { return std::optional<QFont>(); };
        FFont->btFontClick();
        QCOMPARE(FMinHeightUpdates, 1);
    }

    void applySettings()
    {
        FConfig->SetStr(font_name, QStringLiteral("DejaVu Serif"));
        FConfig->SetInt(font_size, 7);
        FConfig->SetBool(font_is_underline, true);
        FConfig->SetInt(msg_color, 0x008000);
        FConfig->SetInt(font_charset, 204);
        FEditor->setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold));
        FFont->ApplyFontSettings();
        for (QWidget* view :
             {static_cast<QWidget*>(FEditor.get()), static_cast<QWidget*>(FGeneral.get()),
              static_cast<QWidget*>(FPrivate.get())}) {
            QCOMPARE(view->font().families().value(0), QStringLiteral("DejaVu Serif"));
            QCOMPARE(view->font().pointSize(), 7);
            QVERIFY(!view->font().bold());
            QVERIFY(view->font().underline());
        }
        QCOMPARE(FFont->EditorColor(), 0x008000u);
        CompareCommands(true, false);
        FFont->SaveFontSettings();
        QCOMPARE(FConfig->GetInt(font_charset), 204);
    }

    void noFontChosenYet()
    {
        FConfig->SetStr(font_name, QStringLiteral("0"));
        FEditor->setFont(QFont(QStringLiteral("DejaVu Sans"), 15));
        FFont->SetEditorColor(0x800000);
        FFont->ApplyFontSettings();
        QCOMPARE(FConfig->GetStr(font_name), QStringLiteral("DejaVu Sans"));
        QCOMPARE(FConfig->GetInt(font_size), 15);
        QCOMPARE(FConfig->GetInt(msg_color), 0x800000);
        QCOMPARE(FGeneral->font().pointSize(), 15);
    }

    void fontOfAConsoleKeepsColorsAndLinks()
    {
        TConsoleWriter writer(AppEmoticons());
        TChatMessage m;
        m.Nick = "Bob";
        m.Text = "see www.x.org";
        m.Color = 0xFF0000;
        writer.AddChatMessage(*FGeneral, true, m);
        QFont font(QStringLiteral("DejaVu Serif"), 16);
        SetRichEditFont(*FGeneral, font);
        SetRichEditFontSize(*FGeneral, 9);
        QCOMPARE(FGeneral->font().pointSize(), 9);
        int links = 0;
        for (auto it = FGeneral->document()->firstBlock().begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            QVERIFY(!format.hasProperty(QTextFormat::FontPointSize));
            if (format.isAnchor()) {
                ++links;
                QVERIFY(format.fontUnderline());
                QCOMPARE(format.foreground().color(), QColor(0, 0, 255));
            }
        }
        QCOMPARE(links, 2);
    }
};

QTEST_MAIN(TestMessageFont)
#include "tst_messagefont.moc"
