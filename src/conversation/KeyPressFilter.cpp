#include "conversation/KeyPressFilter.h"

#include <QEvent>
#include <QKeyEvent>

TKeyPressFilter::TKeyPressFilter(QObject& watched, THandler handler)
    : QObject(&watched), FHandler(std::move(handler))
{
    watched.installEventFilter(this);
}

bool TKeyPressFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && FHandler)
        return FHandler(*static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}
