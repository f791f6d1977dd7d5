#include "desktop/HotKeyCode.h"

#include <QtTest>

using TMasks = QList<std::uint16_t>;

namespace {
constexpr std::uint16_t Shift = 1;
constexpr std::uint16_t Lock = 2;
constexpr std::uint16_t Control = 4;
constexpr std::uint16_t Mod1 = 8;
constexpr std::uint16_t Mod2 = 16;
constexpr std::uint16_t Button1 = 0x100;
} // namespace

class TestHotKeyCode : public QObject
{
    Q_OBJECT
private slots:
    void keys_data()
    {
        QTest::addColumn<int>("shortcut");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("keysym");
        QTest::newRow("default Ctrl+Shift+Z")
            << 24666 << (Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z) << "Shift+Ctrl+Z"
            << 0x7Au;
        QTest::newRow("F12") << 0x7B << QKeyCombination(Qt::Key_F12) << "F12" << 0xFFC9u;
        QTest::newRow("F24") << 0x87 << QKeyCombination(Qt::Key_F24) << "F24" << 0xFFD5u;
        QTest::newRow("Alt+F4") << 0x8073 << (Qt::AltModifier | Qt::Key_F4) << "Alt+F4" << 0xFFC1u;
        QTest::newRow("all three modifiers")
            << 0xE041 << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::Key_A)
            << "Shift+Ctrl+Alt+A" << 0x61u;
        QTest::newRow("digit") << 0x4035 << (Qt::ControlModifier | Qt::Key_5) << "Ctrl+5" << 0x35u;
        QTest::newRow("keypad digit")
            << 0x4065 << (Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_5) << "Ctrl+Num+5"
            << 0xFFB5u;
        QTest::newRow("space") << 0x2020 << (Qt::ShiftModifier | Qt::Key_Space) << "Shift+Space"
                               << 0x20u;
        QTest::newRow("page up") << 0x4021 << (Qt::ControlModifier | Qt::Key_PageUp) << "Ctrl+PgUp"
                                 << 0xFF55u;
        QTest::newRow("pause") << 0x13 << QKeyCombination(Qt::Key_Pause) << "Pause" << 0xFF13u;
        QTest::newRow("escape") << 0x1B << QKeyCombination(Qt::Key_Escape) << "Esc" << 0xFF1Bu;
        QTest::newRow("semicolon of the US keyboard")
            << 0x40BA << (Qt::ControlModifier | Qt::Key_Semicolon) << "Ctrl+;" << 0x3Bu;
        QTest::newRow("keypad minus")
            << 0x406D << (Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Minus) << "Ctrl+Num+-"
            << 0xFFADu;
        QTest::newRow("minus") << 0x40BD << (Qt::ControlModifier | Qt::Key_Minus) << "Ctrl+-"
                               << 0x2Du;
    }
    void keys()
    {
        QFETCH(int, shortcut);
        QFETCH(QKeyCombination, key);
        QFETCH(QString, text);
        QFETCH(uint, keysym);
        QCOMPARE(KeyFromShortCut(static_cast<TShortCut>(shortcut)), key);
        QCOMPARE(ShortCutFromKey(key), static_cast<TShortCut>(shortcut));
        QCOMPARE(ShortCutToText(static_cast<TShortCut>(shortcut)), text);
        QCOMPARE(ShortCutKeySym(static_cast<TShortCut>(shortcut)), keysym);
    }

    void otherNamesOfAKey()
    {
        QCOMPARE(ShortCutFromKey(QKeyCombination(Qt::KeypadModifier, Qt::Key_Enter)), 0x0D);
        QCOMPARE(ShortCutFromKey(QKeyCombination(Qt::Key_Enter)), 0x0D);
        QCOMPARE(KeyFromShortCut(0x0D), QKeyCombination(Qt::Key_Return));
    }

    void noShortCut_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::newRow("Meta") << (Qt::MetaModifier | Qt::Key_Z);
        QTest::newRow("a key without a code") << QKeyCombination(Qt::Key_LaunchMail);
        QTest::newRow("a shifted symbol") << (Qt::ShiftModifier | Qt::Key_Colon);
        QTest::newRow("nothing") << QKeyCombination();
    }
    void noShortCut()
    {
        QFETCH(QKeyCombination, key);
        QCOMPARE(ShortCutFromKey(key), 0);
    }

    void noKey_data()
    {
        QTest::addColumn<int>("shortcut");
        QTest::newRow("none") << 0;
        QTest::newRow("modifiers alone") << 0x6000;
        QTest::newRow("a code without a key") << 0x40FF;
    }
    void noKey()
    {
        QFETCH(int, shortcut);
        QCOMPARE(KeyFromShortCut(static_cast<TShortCut>(shortcut)), QKeyCombination());
        QCOMPARE(ShortCutToText(static_cast<TShortCut>(shortcut)), QString());
        QCOMPARE(ShortCutKeySym(static_cast<TShortCut>(shortcut)), 0u);
    }

    void x11Modifiers()
    {
        QCOMPARE(ShortCutX11Modifiers(24666, Mod1), Shift | Control);
        QCOMPARE(ShortCutX11Modifiers(0x8073, Mod1), Mod1);
        QCOMPARE(ShortCutX11Modifiers(0x8073, 0x40), 0x40);
        QCOMPARE(ShortCutX11Modifiers(0x7B, Mod1), 0);
    }

    void lockVariants_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("numLock");
        QTest::addColumn<TMasks>("variants");
        QTest::newRow("both locks")
            << int(Shift | Control) << int(Mod2)
            << TMasks{Shift | Control, Shift | Control | Lock, Shift | Control | Mod2,
                      Shift | Control | Mod2 | Lock};
        QTest::newRow("no modifiers") << 0 << int(Mod2) << TMasks{0, Lock, Mod2, Mod2 | Lock};
        QTest::newRow("no Num Lock on the keyboard") << int(Mod1) << 0 << TMasks{Mod1, Mod1 | Lock};
    }
    void lockVariants()
    {
        QFETCH(int, modifiers);
        QFETCH(int, numLock);
        QFETCH(TMasks, variants);
        QCOMPARE(X11LockVariants(static_cast<std::uint16_t>(modifiers),
                                 static_cast<std::uint16_t>(numLock)),
                 variants);
    }

    void pressState_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("matches");
        QTest::newRow("exact") << int(Shift | Control) << true;
        QTest::newRow("Caps Lock on") << int(Shift | Control | Lock) << true;
        QTest::newRow("Num Lock on") << int(Shift | Control | Mod2) << true;
        QTest::newRow("a pointer button held") << int(Shift | Control | Button1) << true;
        QTest::newRow("Alt as well") << int(Shift | Control | Mod1) << false;
        QTest::newRow("Shift missing") << int(Control) << false;
    }
    void pressState()
    {
        QFETCH(int, state);
        QFETCH(bool, matches);
        QCOMPARE(X11StateMatches(static_cast<std::uint16_t>(state), Shift | Control, Mod2),
                 matches);
    }
};

QTEST_GUILESS_MAIN(TestHotKeyCode)
#include "tst_hotkeycode.moc"
