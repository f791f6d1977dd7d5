#pragma once

#include <QObject>

class QScrollBar;
class QTextEdit;

// AutoScroll, one flag for both consoles: while the user drags a console's scroll box no
// console follows new lines; any other scroll action (a line, a page, the box let go, the
// wheel) makes them follow again. Our own scrolling to the end is no user action and leaves
// the flag alone.
class TConsoleAutoScroll final : public QObject
{
    Q_OBJECT

public:
    explicit TConsoleAutoScroll(QObject* parent = nullptr) : QObject(parent) {}

    bool AutoScroll() const { return FAutoScroll; }

    // Hears the scroll actions of the console's vertical scroll bar.
    void Watch(QTextEdit& console);
    void Watch(QScrollBar& bar);

    // A vertical scroll action of a console; thumbTrack: the user is dragging the box.
    void ConsoleScrolled(bool thumbTrack) { FAutoScroll = !thumbTrack; }

private:
    bool FAutoScroll = true;
};
