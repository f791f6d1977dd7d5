#pragma once

#include <QObject>
#include <QTimer>

// The editor's caret blinks only while the user is about: after a spell without keys or
// clicks it stands still, so that an idle chat does not repaint twice a second; the next key
// or click starts it blinking again.
class TCaretRest final : public QObject
{
    Q_OBJECT
public:
    static constexpr int IdleMs = 10000;

    explicit TCaretRest(QObject* parent = nullptr);
    bool Resting() const { return FResting; }
    // What a key or a click does; public for tests.
    void Wake();
    void Rest();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer FIdle;
    int FFlashTime = 0;
    bool FResting = false;
};
