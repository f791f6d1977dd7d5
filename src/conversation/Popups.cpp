#include "conversation/Popups.h"

#include "conversation/ColorTable.h"
#include "conversation/DesktopNotifier.h"
#include "conversation/PopupGeometry.h"
#include "conversation/PopupPictures.h"
#include "conversation/PopupText.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <climits>

namespace {
constexpr int DesignHeight = 71;
constexpr int CloseWidth = 18;
constexpr int CloseHeight = 19;
constexpr int CloseTop = 3;
constexpr int CloseRightMargin = PopupWidth - 207 - CloseWidth;
constexpr int CaptionLeft = 32;
constexpr int CaptionTop = 6;
constexpr int LetterLeft = 8;
constexpr int LetterTop = 5;
// Below the text area, as drawn: the window is 71 high and the text area ends at 65.
constexpr int TextBottomMargin = 6;
} // namespace

TFormPopupMsg::TFormPopupMsg(TPopupMode mode, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      FMode(mode)
{
    FormCreate();
}

TFormPopupMsg::~TFormPopupMsg() = default;

void TFormPopupMsg::FormCreate()
{
    setObjectName(QStringLiteral("FormPopupMsg"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);

    ImageLetter = new QLabel(this);
    ImageLetter->setObjectName(QStringLiteral("ImageLetter"));
    ImageLetter->setGeometry(LetterLeft, LetterTop, LetterPictureSize, LetterPictureSize);

    lblCapt = new QLabel(this);
    lblCapt->setObjectName(QStringLiteral("lblCapt"));
    lblCapt->setTextFormat(Qt::PlainText);
    QFont bold = font();
    bold.setBold(true);
    lblCapt->setFont(bold);
    lblCapt->setCursor(Qt::PointingHandCursor);

    btClose = new QToolButton(this);
    btClose->setObjectName(QStringLiteral("btClose"));
    btClose->setAutoRaise(true);
    btClose->setFocusPolicy(Qt::NoFocus);
    btClose->setCursor(Qt::ArrowCursor);
    btClose->setIconSize(QSize(CloseCrossSize, CloseCrossSize));
    connect(btClose, &QToolButton::clicked, this, &TFormPopupMsg::btCloseClick);

    pb = new QWidget(this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->installEventFilter(this);

    TimerClose = new QTimer(this);
    TimerClose->setObjectName(QStringLiteral("TimerClose"));
    connect(TimerClose, &QTimer::timeout, this, &TFormPopupMsg::TimerCloseEvent);

    TimerMove = new QTimer(this);
    TimerMove->setObjectName(QStringLiteral("TimerMove"));
    TimerMove->setInterval(PopupMoveIntervalMs);
    connect(TimerMove, &QTimer::timeout, this, &TFormPopupMsg::TimerMoveEvent);

    resize(PopupWidth, DesignHeight);
    LayOutChildren();
    UpdatePictures();
}

void TFormPopupMsg::SetNotifier(std::unique_ptr<IPopupNotifier> notifier)
{
    FNotifier = std::move(notifier);
    if (FNotifier)
        FNotifier->SetOnClick([this] {
            if (FOnClick)
                FOnClick(FIsPrivate ? TChatView::Private : TChatView::Conference);
        });
}

void TFormPopupMsg::ShowPopupMessage(const QString& nick, const QString& text, std::uint32_t color,
                                     bool animated, int showTimeSec, bool isPrivate)
{
    TimerMove->stop();
    TimerClose->stop();
    hide();

    FIsPrivate = isPrivate;
    const QString caption = isPrivate ? nick + u' ' + AppLang().GetString(sidPrivateMarker) : nick;
    FText = text;
    FColor = color;
    FAnimated = animated;
    FShowTimeMs = qBound(0, showTimeSec, INT_MAX / 1000) * 1000;
    TimerClose->setInterval(FShowTimeMs);

    if (FMode == TPopupMode::Notification) {
        if (!FNotifier)
            SetNotifier(std::make_unique<TDesktopNotifier>());
        FNotifier->Notify(caption, text, FShowTimeMs);
        return;
    }

    UpdatePictures();
    FitHeightToText();
    SetCaption(caption);
    move(PopupStartPos(ScreenRect(), WorkArea(), height()));
    show();
    FAppearing = true;
    TimerMove->start();
}

void TFormPopupMsg::HidePopupMessage()
{
    if (FMode == TPopupMode::Notification) {
        if (FNotifier)
            FNotifier->Close();
        return;
    }
    if (!isVisible())
        return;
    FAppearing = false;
    TimerMove->start();
}

void TFormPopupMsg::FitHeightToText()
{
    resize(PopupWidth, PopupHeightForText(PopupTextHeight(font(), FText, PopupTextWidth)));
    // A hidden window hears of its new size only when shown; the caption is cut to its width
    // before that.
    LayOutChildren();
}

void TFormPopupMsg::FormClick()
{
    if (FOnClick)
        FOnClick(FIsPrivate ? TChatView::Private : TChatView::Conference);
    btCloseClick();
}

void TFormPopupMsg::btCloseClick()
{
    TimerMove->stop();
    TimerClose->stop();
    hide();
}

void TFormPopupMsg::TimerCloseEvent()
{
    TimerClose->stop();
    HidePopupMessage();
}

void TFormPopupMsg::TimerMoveEvent()
{
    if (FAppearing) {
        const TPopupStep step = NextAppearStep(x(), width(), WorkArea(), FAnimated);
        move(step.Left, y());
        if (!step.Done)
            return;
        TimerMove->stop();
        // An interval of 0 would fire at once and for ever; 0 means the popup stays.
        if (FShowTimeMs > 0)
            TimerClose->start();
        return;
    }
    const TPopupStep step = NextLeaveStep(x(), ScreenRect(), FAnimated);
    move(step.Left, y());
    if (step.Done)
        btCloseClick();
}

void TFormPopupMsg::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TFormPopupMsg::pbPaint()
{
    QPainter painter(pb);
    painter.setFont(font());
    painter.setPen(ColorFromValue(FColor));
    DrawPopupText(painter, pb->rect(), FText);
}

bool TFormPopupMsg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pb && event->type() == QEvent::Paint) {
        pbPaint();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFormPopupMsg::mouseReleaseEvent(QMouseEvent* event)
{
    // The caption, the picture and the text pass their clicks on to here.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

void TFormPopupMsg::resizeEvent(QResizeEvent* /*event*/)
{
    LayOutChildren();
}

void TFormPopupMsg::LayOutChildren()
{
    const int closeLeft = width() - CloseRightMargin - CloseWidth;
    btClose->setGeometry(closeLeft, CloseTop, CloseWidth, CloseHeight);
    lblCapt->setGeometry(CaptionLeft, CaptionTop, closeLeft - CaptionLeft - 2,
                         lblCapt->sizeHint().height());
    pb->setGeometry(PopupTextLeft, PopupTextTop, PopupTextWidth,
                    height() - PopupTextTop - TextBottomMargin);
}

void TFormPopupMsg::UpdatePictures()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    if (ratio == FPictureRatio)
        return;
    FPictureRatio = ratio;
    ImageLetter->setPixmap(LetterPicture(ratio));
    btClose->setIcon(QIcon(CloseCrossPicture(ratio, palette().color(QPalette::ToolTipText))));
}

void TFormPopupMsg::SetCaption(const QString& caption)
{
    // A long nickname is cut with an ellipsis rather than running under the close button.
    lblCapt->setText(lblCapt->fontMetrics().elidedText(caption, Qt::ElideRight, lblCapt->width()));
}

QRect TFormPopupMsg::ScreenRect() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QRect TFormPopupMsg::WorkArea() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
