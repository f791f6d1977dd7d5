#include "conversation/RichEditMouse.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>

TRichEditMouse::TRichEditMouse(QTextEdit& view)
    : QObject(&view), FView(view), FViewport(view.viewport())
{
    FViewport->installEventFilter(this);
    FViewport->setMouseTracking(true);
}

TRichEditMouse* TRichEditMouse::Watch(QTextEdit& view)
{
    return new TRichEditMouse(view);
}

bool TRichEditMouse::eventFilter(QObject* watched, QEvent* event)
{
    // The viewport goes on sending events while the view is being destroyed: the view is
    // asked nothing before the event is known to be one of the mouse.
    if (watched != FViewport)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        if (mouse.button() == Qt::LeftButton) {
            FPressedAt = mouse.position().toPoint();
            FPressedAnchor = FView.anchorAt(FPressedAt);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        const QPoint at = mouse.position().toPoint();
        if (mouse.button() == Qt::LeftButton && !FPressedAnchor.isEmpty()) {
            const QString anchor = FView.anchorAt(at);
            const bool dragged =
                (at - FPressedAt).manhattanLength() >= QApplication::startDragDistance();
            const QString clicked = FPressedAnchor;
            FPressedAnchor.clear();
            if (anchor == clicked && !dragged)
                emit LinkClicked(clicked);
        }
        emit MouseUp(mouse.button(), mouse.globalPosition().toPoint());
        break;
    }
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        const bool overLink = !FView.anchorAt(mouse.position().toPoint()).isEmpty();
        FViewport->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
        break;
    }
    default:
        break;
    }
    return false;
}

void RichEditMouseUp(QMenu& popupMenuEditors, Qt::MouseButton button, const QPoint& globalPos)
{
    if (button == Qt::RightButton)
        popupMenuEditors.popup(globalPos);
}
