#include "desktop/Sticker.h"
#include "desktop/WindowUtils.h"

#include <QTimer>
#include <QtTest>

namespace {
class TStickyForm final : public TFormWithSticker
{
public:
    int Layouts = 0;

protected:
    void HotKeyPressed() override {}
    void LayoutChanged() override { ++Layouts; }
};
} // namespace

// The rules themselves are tst_stickerrules'; this is how a window carries them out. The
// offscreen platform gives a window a frame of 2 pixels all round; the rules see the frame.
class TestSticker : public QObject
{
    Q_OBJECT

    std::unique_ptr<TStickyForm> FForm;

    QTimer* MoveSizeTimer() const
    {
        return FForm->findChild<QTimer*>(QStringLiteral("MoveSizeTimer"));
    }
    QRect Area() const { return WorkArea(*FForm); }
    void ShowAt(const QRect& geometry)
    {
        FForm->setGeometry(geometry);
        FForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
        QTRY_COMPARE(FForm->geometry(), geometry);
        FForm->MoveSizeTimerTimer();
    }

private slots:
    void init() { FForm = std::make_unique<TStickyForm>(); }
    void cleanup() { FForm.reset(); }

    void defaults()
    {
        QVERIFY(FForm->SnapEnabled());
        QVERIFY(!FForm->MoveInsideDesktop());
        QCOMPARE(FForm->SnapThreshold(), 5);
        QVERIFY(MoveSizeTimer());
        QVERIFY(MoveSizeTimer()->isSingleShot());
    }

    void snapsWhenTheMoveEnds()
    {
        ShowAt(QRect(Area().x() + 100, Area().y() + 100, 300, 200));
        // move() places the frame.
        FForm->move(Area().x() + 5, Area().y() + 100);
        QTRY_VERIFY(MoveSizeTimer()->isActive());
        const int layouts = FForm->Layouts;
        FForm->MoveSizeTimerTimer();
        QTRY_COMPARE(FForm->pos(), QPoint(Area().x(), Area().y() + 100));
        QCOMPARE(FForm->Layouts, layouts + 1);
        // Its own correction is no move of the user's.
        QCoreApplication::processEvents();
        QVERIFY(!MoveSizeTimer()->isActive());
    }

    void sixPixelsAway()
    {
        ShowAt(QRect(Area().x() + 100, Area().y() + 100, 300, 200));
        FForm->move(Area().x() + 6, Area().y() + 100);
        QTRY_VERIFY(MoveSizeTimer()->isActive());
        FForm->MoveSizeTimerTimer();
        QCoreApplication::processEvents();
        QCOMPARE(FForm->pos(), QPoint(Area().x() + 6, Area().y() + 100));
    }

    void snappingFollowsTheSetting()
    {
        FForm->SetSnapEnabled(false);
        ShowAt(QRect(Area().x() + 100, Area().y() + 100, 300, 200));
        FForm->move(Area().x() + 2, Area().y() + 2);
        QTRY_VERIFY(MoveSizeTimer()->isActive());
        FForm->MoveSizeTimerTimer();
        QCoreApplication::processEvents();
        QCOMPARE(FForm->pos(), QPoint(Area().x() + 2, Area().y() + 2));
    }

    void wideWindowKeptInside()
    {
        FForm->SetMoveInsideDesktop(true);
        ShowAt(QRect(Area().x() + 100, Area().y() + 50, 300, 200));
        const QRect frame = FForm->frameGeometry();
        FForm->setGeometry(Area().x() + 300, Area().y() + 50, Area().width() + 200, 200);
        QTRY_VERIFY(MoveSizeTimer()->isActive());
        FForm->MoveSizeTimerTimer();
        QTRY_COMPARE(FForm->frameGeometry(),
                     QRect(Area().x(), frame.y(), Area().width(), frame.height()));
    }

    void resizeNearlyToTheFullWidth()
    {
        ShowAt(QRect(Area().x() + 4, Area().y() + 50, 400, 200));
        const QRect frame = FForm->frameGeometry();
        FForm->resize(Area().width() - 8, 200);
        QTRY_VERIFY(MoveSizeTimer()->isActive());
        FForm->MoveSizeTimerTimer();
        QTRY_COMPARE(FForm->frameGeometry(),
                     QRect(Area().x(), frame.y(), Area().width(), frame.height()));
    }

    void layoutChangesWithEveryResize()
    {
        ShowAt(QRect(Area().x() + 100, Area().y() + 100, 300, 200));
        const int layouts = FForm->Layouts;
        FForm->resize(320, 200);
        QTRY_COMPARE(FForm->Layouts, layouts + 1);
    }

    void nothingWhileMaximized()
    {
        ShowAt(QRect(Area().x() + 100, Area().y() + 100, 300, 200));
        FForm->SetMoveInsideDesktop(true);
        FForm->showMaximized();
        QTRY_COMPARE(FForm->frameGeometry(), Area());
        const QRect maximized = FForm->geometry();
        FForm->MoveSizeTimerTimer();
        QCoreApplication::processEvents();
        QCOMPARE(FForm->geometry(), maximized);
    }
};

QTEST_MAIN(TestSticker)
#include "tst_sticker.moc"
