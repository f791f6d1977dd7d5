#include "desktop/Sticker.h"

#include "desktop/WindowUtils.h"

#include <QTimer>

TFormWithSticker::TFormWithSticker(QWidget* parent) : TFormWithSysHotkey(parent)
{
    MoveSizeTimer = new QTimer(this);
    MoveSizeTimer->setObjectName(QStringLiteral("MoveSizeTimer"));
    MoveSizeTimer->setSingleShot(true);
    MoveSizeTimer->setInterval(MoveSizeRestMs);
    connect(MoveSizeTimer, &QTimer::timeout, this, &TFormWithSticker::MoveSizeTimerTimer);
}

TFormWithSticker::~TFormWithSticker() = default;

void TFormWithSticker::FitToWorkArea()
{
    const QRect frame = frameGeometry();
    if (!FRestingSize.isValid())
        FRestingSize = frame.size();
    if (!isVisible() ||
        (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        return;
    const QRect settled = SettleWindowRect(frame, FRestingSize, WorkArea(*this), FRules);
    FRestingSize = settled.size();
    if (settled == frame)
        return;
    FRequested = settled;
    // One request for both, so that the events it brings show the bounds asked for.
    setGeometry(QRect(geometry().topLeft() + (settled.topLeft() - frame.topLeft()),
                      size() + (settled.size() - frame.size())));
}

void TFormWithSticker::MoveSizeTimerTimer()
{
    MoveSizeTimer->stop();
    FitToWorkArea();
    LayoutChanged();
}

void TFormWithSticker::moveEvent(QMoveEvent* event)
{
    TFormWithSysHotkey::moveEvent(event);
    MovedOrResized();
}

void TFormWithSticker::resizeEvent(QResizeEvent* event)
{
    TFormWithSysHotkey::resizeEvent(event);
    LayoutChanged();
    MovedOrResized();
}

void TFormWithSticker::MovedOrResized()
{
    if (frameGeometry() == FRequested)
        return;
    FRequested = QRect();
    MoveSizeTimer->start();
}
