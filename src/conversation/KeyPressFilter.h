#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;

// Hands every key press of the widget it is installed on to a function first; the function
// returns true to swallow the key. It is a child of the watched widget, so it goes with it.
class TKeyPressFilter final : public QObject
{
public:
    using THandler = std::function<bool(QKeyEvent&)>;

    TKeyPressFilter(QObject& watched, THandler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THandler FHandler;
};
