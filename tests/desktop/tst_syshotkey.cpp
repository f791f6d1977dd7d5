#include "desktop/SysHotKey.h"

#include <QtTest>

namespace {
class THotKeyForm final : public TFormWithSysHotkey
{
public:
    int Presses = 0;

protected:
    void HotKeyPressed() override { ++Presses; }
};
} // namespace

// The tests run on the offscreen platform, which has no global shortcuts: the hot key is
// absent, and says so only through the results. The X11 side is in tst_x11desktop.
class TestSysHotKey : public QObject
{
    Q_OBJECT
private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void absentWithoutX11()
    {
        THotKeyForm form;
        QCOMPARE(form.SysHotKey(), 0);
        QVERIFY(!form.SetSysHotKey(24666));
        QCOMPARE(form.SysHotKey(), 24666);
        QVERIFY(!form.IsSysHotKeyWorking());
        QCOMPARE(form.Presses, 0);
    }

    void zeroLeavesNone()
    {
        THotKeyForm form;
        form.SetSysHotKey(24666);
        QVERIFY(!form.SetSysHotKey(0));
        QCOMPARE(form.SysHotKey(), 0);
        QVERIFY(!form.IsSysHotKeyWorking());
    }

    void grabAbsentWithoutX11()
    {
        TGlobalHotKey grab;
        int presses = 0;
        grab.SetOnPressed([&presses] { ++presses; });
        QVERIFY(!grab.Register(24666));
        QVERIFY(!grab.IsRegistered());
        grab.Unregister();
        QCOMPARE(presses, 0);
    }
};

QTEST_MAIN(TestSysHotKey)
#include "tst_syshotkey.moc"
