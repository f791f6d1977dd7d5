#include "ui/CaretRest.h"

#include <QApplication>
#include <QEvent>

TCaretRest::TCaretRest(QObject* parent)
    : QObject(parent), FFlashTime(QApplication::cursorFlashTime())
{
    FIdle.setSingleShot(true);
    FIdle.setInterval(IdleMs);
    connect(&FIdle, &QTimer::timeout, this, [this] { Rest(); });
    qApp->installEventFilter(this);
    FIdle.start();
}

void TCaretRest::Wake()
{
    if (FResting) {
        FResting = false;
        QApplication::setCursorFlashTime(FFlashTime);
    }
    FIdle.start();
}

void TCaretRest::Rest()
{
    FResting = true;
    QApplication::setCursorFlashTime(0);
}

bool TCaretRest::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        Wake();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
