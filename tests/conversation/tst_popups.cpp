#include "conversation/PopupGeometry.h"
#include "conversation/Popups.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(TChatView)
Q_DECLARE_METATYPE(TPopupMode)

namespace {
QtMessageHandler TestHandler = nullptr;

// The offscreen platform cannot stack windows and says so at every showing of a tool tip.
void WithoutOffscreenRaiseWarning(QtMsgType type, const QMessageLogContext& context,
                                  const QString& message)
{
    if (message != QLatin1String("This plugin does not support raise()"))
        TestHandler(type, context, message);
}

const QString LongText = QStringLiteral("A long message that will not fit. ").repeated(40);

// Stands in for the desktop's notification service.
class TFakeNotifier final : public IPopupNotifier
{
public:
    struct TNote {
        QString Caption;
        QString Text;
        int TimeoutMs = 0;
    };
    QList<TNote>* Notes = nullptr;
    int* Closes = nullptr;
    TClickHandler OnClick;

    void Notify(const QString& caption, const QString& text, int timeoutMs) override
    {
        Notes->append({caption, text, timeoutMs});
    }
    void Close() override { ++*Closes; }
    void SetOnClick(TClickHandler handler) override { OnClick = std::move(handler); }
};
} // namespace

class TestPopups : public QObject
{
    Q_OBJECT

    std::unique_ptr<TFormPopupMsg> FPopup;
    QList<TChatView> FClicks;

    template <typename T> T* Child(const char* name) const
    {
        T* child = FPopup->findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QTimer* TimerMove() const { return Child<QTimer>("TimerMove"); }
    QTimer* TimerClose() const { return Child<QTimer>("TimerClose"); }
    static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }
    static QRect WorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    int Target() const { return PopupTargetLeft(WorkArea(), FPopup->width()); }

    void Show(const QString& text = QStringLiteral("Hello"), bool animated = true, int showTime = 4,
              bool isPrivate = false)
    {
        FPopup->ShowPopupMessage(QStringLiteral("Bob"), text, 0x000080, animated, showTime,
                                 isPrivate);
    }
    // Ticks TimerMove while it runs; the number of ticks.
    int RunSlide()
    {
        int ticks = 0;
        while (TimerMove()->isActive() && ticks < 1000) {
            FPopup->TimerMoveEvent();
            ++ticks;
        }
        return ticks;
    }

private slots:
    void initTestCase() { TestHandler = qInstallMessageHandler(WithoutOffscreenRaiseWarning); }
    void cleanupTestCase() { qInstallMessageHandler(TestHandler); }

    void init()
    {
        FPopup = std::make_unique<TFormPopupMsg>(TPopupMode::Window);
        FClicks.clear();
        FPopup->SetOnClick([this](TChatView page) { FClicks << page; });
    }
    void cleanup() { FPopup.reset(); }

    void windowIsATopmostToolTipWithItsParts()
    {
        const Qt::WindowFlags flags = FPopup->windowFlags();
        QCOMPARE(FPopup->windowType(), Qt::ToolTip);
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(FPopup->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(!FPopup->isVisible());
        QCOMPARE(FPopup->width(), PopupWidth);
        QCOMPARE(TimerMove()->interval(), PopupMoveIntervalMs);
        QVERIFY(!TimerMove()->isActive());
        QVERIFY(!TimerClose()->isActive());
        QVERIFY(Child<QLabel>("lblCapt")->font().bold());
        QCOMPARE(Child<QLabel>("ImageLetter")->size(), QSize(32, 32));
        QVERIFY(!Child<QLabel>("ImageLetter")->pixmap().isNull());
        QCOMPARE(FPopup->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(Child<QToolButton>("btClose")->cursor().shape(), Qt::ArrowCursor);
    }

    void closeButtonSitsAtTheTopRightWhateverTheHeight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one line") << QStringLiteral("Hi");
        QTest::newRow("long") << LongText;
    }
    void closeButtonSitsAtTheTopRightWhateverTheHeight()
    {
        QFETCH(QString, text);
        Show(text);
        const QToolButton* close = Child<QToolButton>("btClose");
        QCOMPARE(close->geometry(), QRect(207, 3, 18, 19));
        QVERIFY(close->autoRaise());
        const QWidget* pb = Child<QWidget>("pb");
        QCOMPARE(pb->pos(), QPoint(PopupTextLeft, PopupTextTop));
        QCOMPARE(pb->width(), PopupTextWidth);
        QVERIFY(pb->geometry().bottom() < FPopup->height());
    }

    void appearsJustOffTheRightEdgeAndSlidesExactlyIntoPlace()
    {
        Show();
        QVERIFY(FPopup->isVisible());
        QVERIFY(FPopup->IsAppearing());
        QCOMPARE(FPopup->pos(), PopupStartPos(Screen(), WorkArea(), FPopup->height()));
        QCOMPARE(FPopup->x(), Screen().width() + 8);
        QCOMPARE(FPopup->y() + FPopup->height(), WorkArea().bottom() + 1);
        QVERIFY(TimerMove()->isActive());
        QVERIFY(!TimerClose()->isActive());

        const int ticks = RunSlide();
        QCOMPARE(ticks, (Screen().width() + 8 - Target() + PopupSlideStep - 1) / PopupSlideStep);
        QCOMPARE(FPopup->x(), Target());
        QVERIFY(TimerClose()->isActive());
        QCOMPARE(TimerClose()->interval(), 4000);
    }

    void leavesAfterItsTimeAndHidesPastTheScreenEdge()
    {
        Show();
        RunSlide();
        FPopup->TimerCloseEvent();
        QVERIFY(!TimerClose()->isActive());
        QVERIFY(!FPopup->IsAppearing());
        QVERIFY(TimerMove()->isActive());
        int lastLeft = FPopup->x();
        while (TimerMove()->isActive()) {
            QVERIFY(FPopup->isVisible());
            QVERIFY(lastLeft < Screen().width());
            FPopup->TimerMoveEvent();
            QCOMPARE(FPopup->x(), lastLeft + PopupSlideStep);
            lastLeft = FPopup->x();
        }
        QVERIFY(!FPopup->isVisible());
        QVERIFY(FPopup->x() >= Screen().width());
        QVERIFY(!TimerClose()->isActive());
    }

    void withoutAnimationItJumpsInAndVanishesOnOneTickEach()
    {
        Show(QStringLiteral("Hi"), false);
        QVERIFY(FPopup->isVisible());
        FPopup->TimerMoveEvent();
        QCOMPARE(FPopup->x(), Target());
        QVERIFY(!TimerMove()->isActive());
        QVERIFY(TimerClose()->isActive());
        FPopup->TimerCloseEvent();
        QVERIFY(FPopup->isVisible());
        FPopup->TimerMoveEvent();
        QVERIFY(!FPopup->isVisible());
        QVERIFY(!TimerMove()->isActive());
    }

    void showTimeZeroKeepsItUntilClosed_data()
    {
        QTest::addColumn<int>("showTime");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative, from a hand-edited setting") << -3;
    }
    void showTimeZeroKeepsItUntilClosed()
    {
        QFETCH(int, showTime);
        Show(QStringLiteral("Hi"), true, showTime);
        RunSlide();
        QCOMPARE(FPopup->x(), Target());
        QVERIFY(!TimerClose()->isActive());
        QVERIFY(!TimerMove()->isActive());
        QVERIFY(FPopup->isVisible());
    }

    void aHugeShowTimeDoesNotOverflow()
    {
        Show(QStringLiteral("Hi"), true, INT_MAX);
        QVERIFY(TimerClose()->interval() > 0);
    }

    void aSecondPopupReplacesTheFirstAndSlidesInAgain_data()
    {
        QTest::addColumn<int>("ticksBefore");
        QTest::addColumn<bool>("leaving");
        QTest::newRow("while appearing") << 3 << false;
        QTest::newRow("while shown") << 1000 << false;
        QTest::newRow("while leaving") << 1000 << true;
    }
    void aSecondPopupReplacesTheFirstAndSlidesInAgain()
    {
        QFETCH(int, ticksBefore);
        QFETCH(bool, leaving);
        Show(QStringLiteral("first"));
        for (int i = 0; i < ticksBefore && TimerMove()->isActive(); ++i)
            FPopup->TimerMoveEvent();
        if (leaving) {
            FPopup->TimerCloseEvent();
            FPopup->TimerMoveEvent();
        }
        FPopup->ShowPopupMessage(QStringLiteral("Carol"), QStringLiteral("second"), 0xFF, true, 2,
                                 true);
        QVERIFY(FPopup->isVisible());
        QVERIFY(FPopup->IsAppearing());
        QCOMPARE(FPopup->x(), Screen().width() + 8);
        QCOMPARE(FPopup->Text(), QStringLiteral("second"));
        QCOMPARE(FPopup->Color(), 0xFFu);
        QVERIFY(FPopup->IsPrivate());
        QCOMPARE(Child<QLabel>("lblCapt")->text(), QStringLiteral("Carol (private)"));
        QVERIFY(!TimerClose()->isActive());
        RunSlide();
        QCOMPARE(FPopup->x(), Target());
        QCOMPARE(TimerClose()->interval(), 2000);
    }

    void heightFitsTheText()
    {
        Show(QStringLiteral("One line"));
        const int line = QFontMetrics(FPopup->font()).height();
        QCOMPARE(FPopup->height(), qBound(15, line, 180) + 34);
        QVERIFY(FPopup->height() < 15 + 34 + 10);
        Show(LongText);
        QCOMPARE(FPopup->height(), 180 + 34);
        Show(QString());
        QCOMPARE(FPopup->height(), 15 + 34);
    }

    void captionNamesThePrivateMessage_data()
    {
        QTest::addColumn<bool>("isPrivate");
        QTest::addColumn<QString>("caption");
        QTest::newRow("conference") << false << QStringLiteral("Bob");
        QTest::newRow("private") << true << QStringLiteral("Bob (private)");
    }
    void captionNamesThePrivateMessage()
    {
        QFETCH(bool, isPrivate);
        QFETCH(QString, caption);
        QCOMPARE(AppLang().GetString(sidPrivateMarker), QStringLiteral("(private)"));
        Show(QStringLiteral("Hi"), true, 4, isPrivate);
        QCOMPARE(Child<QLabel>("lblCapt")->text(), caption);
        QCOMPARE(Child<QLabel>("lblCapt")->textFormat(), Qt::PlainText);
    }

    void aLongNickIsCutBeforeTheCloseButton()
    {
        FPopup->ShowPopupMessage(QStringLiteral("W").repeated(32), QStringLiteral("Hi"), 0, true, 4,
                                 true);
        const QLabel* caption = Child<QLabel>("lblCapt");
        QVERIFY(caption->text().endsWith(QChar(0x2026)));
        QVERIFY(caption->geometry().right() < Child<QToolButton>("btClose")->x());
        QVERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width());
    }

    void aClickBringsUpThePageAndCloses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("isPrivate");
        QTest::addColumn<TChatView>("page");
        for (const char* target : {"pb", "lblCapt", "ImageLetter", ""}) {
            const QByteArray name = *target ? target : "window";
            QTest::newRow(name + " private") << target << true << TChatView::Private;
            QTest::newRow(name + " conference") << target << false << TChatView::Conference;
        }
    }
    void aClickBringsUpThePageAndCloses()
    {
        QFETCH(QString, target);
        QFETCH(bool, isPrivate);
        QFETCH(TChatView, page);
        Show(QStringLiteral("Hi"), true, 4, isPrivate);
        RunSlide();
        QWidget* widget =
            target.isEmpty() ? FPopup.get() : Child<QWidget>(target.toLatin1().constData());
        // The window itself: a point of the frame that no child covers.
        const QPoint at = target.isEmpty() ? QPoint(FPopup->width() - 3, FPopup->height() - 2)
                                           : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QCOMPARE(FClicks, QList<TChatView>{page});
        QVERIFY(!FPopup->isVisible());
        QVERIFY(!TimerClose()->isActive());
        QVERIFY(!TimerMove()->isActive());
    }

    void theCloseButtonHidesAtOnceWithoutTheToggle()
    {
        Show();
        FPopup->TimerMoveEvent();
        QTest::mouseClick(Child<QToolButton>("btClose"), Qt::LeftButton);
        QVERIFY(!FPopup->isVisible());
        QVERIFY(!TimerMove()->isActive());
        QVERIFY(!TimerClose()->isActive());
        QVERIFY(FClicks.isEmpty());
    }

    void aRightClickDoesNothing()
    {
        Show();
        RunSlide();
        QTest::mouseClick(Child<QWidget>("pb"), Qt::RightButton);
        QVERIFY(FClicks.isEmpty());
        QVERIFY(FPopup->isVisible());
    }

    void hidingAHiddenPopupDoesNothing()
    {
        FPopup->HidePopupMessage();
        QVERIFY(!TimerMove()->isActive());
        QVERIFY(!FPopup->isVisible());
    }

    void hidingAnAppearingPopupTurnsItAround()
    {
        Show();
        FPopup->TimerMoveEvent();
        const int left = FPopup->x();
        FPopup->HidePopupMessage();
        QVERIFY(!FPopup->IsAppearing());
        FPopup->TimerMoveEvent();
        QCOMPARE(FPopup->x(), left + PopupSlideStep);
    }

    void textIsDrawnInTheStoredColour_data()
    {
        QTest::addColumn<uint>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red is the low byte") << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("blue is the third byte") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("green") << 0x00C000u << QColor(0, 192, 0);
    }
    void textIsDrawnInTheStoredColour()
    {
        QFETCH(uint, color);
        QFETCH(QColor, expected);
        FPopup->ShowPopupMessage(QStringLiteral("Bob"), QStringLiteral("MMMM IIII WWWW"), color,
                                 true, 4, false);
        const QImage image = Child<QWidget>("pb")->grab().toImage();
        int near = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                near += qAbs(c.red() - expected.red()) < 40 &&
                        qAbs(c.green() - expected.green()) < 40 &&
                        qAbs(c.blue() - expected.blue()) < 40;
            }
        QVERIFY2(near > 10, qPrintable(QString::number(near)));
    }

    void popupModeFollowsThePlatform_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<TPopupMode>("mode");
        QTest::newRow("X11") << "xcb" << TPopupMode::Window;
        QTest::newRow("Wayland") << "wayland" << TPopupMode::Notification;
        QTest::newRow("Wayland with EGL") << "wayland-egl" << TPopupMode::Notification;
        QTest::newRow("offscreen") << "offscreen" << TPopupMode::Window;
        QTest::newRow("Windows") << "windows" << TPopupMode::Window;
        QTest::newRow("unknown") << "" << TPopupMode::Window;
    }
    void popupModeFollowsThePlatform()
    {
        QFETCH(QString, platform);
        QFETCH(TPopupMode, mode);
        QCOMPARE(ChoosePopupMode(platform), mode);
    }

    void theDefaultModeHereIsTheWindow() { QCOMPARE(TFormPopupMsg().Mode(), TPopupMode::Window); }

    void notificationModeSendsTheSamePopupToTheService()
    {
        QList<TFakeNotifier::TNote> notes;
        int closes = 0;
        auto fake = std::make_unique<TFakeNotifier>();
        fake->Notes = &notes;
        fake->Closes = &closes;
        TFakeNotifier* service = fake.get();
        TFormPopupMsg popup(TPopupMode::Notification);
        popup.SetNotifier(std::move(fake));
        QList<TChatView> clicks;
        popup.SetOnClick([&clicks](TChatView page) { clicks << page; });

        popup.ShowPopupMessage(QStringLiteral("Bob"), QStringLiteral("<b>hi</b>"), 0, true, 4,
                               true);
        popup.ShowPopupMessage(QStringLiteral("Ann"), QStringLiteral("bye"), 0, true, 0, false);
        QVERIFY(!popup.isVisible());
        QVERIFY(!popup.findChild<QTimer*>(QStringLiteral("TimerMove"))->isActive());
        QCOMPARE(notes.size(), 2);
        QCOMPARE(notes[0].Caption, QStringLiteral("Bob (private)"));
        QCOMPARE(notes[0].Text, QStringLiteral("<b>hi</b>"));
        QCOMPARE(notes[0].TimeoutMs, 4000);
        QCOMPARE(notes[1].Caption, QStringLiteral("Ann"));
        QCOMPARE(notes[1].TimeoutMs, 0);

        service->OnClick();
        QCOMPARE(clicks, QList<TChatView>{TChatView::Conference});
        popup.HidePopupMessage();
        QCOMPARE(closes, 1);
    }
};

QTEST_MAIN(TestPopups)
#include "tst_popups.moc"
