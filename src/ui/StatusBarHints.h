#pragma once

#include <QObject>

#include <array>

class QLabel;
class QStatusBar;
class TLangControl;

// The status bar's hint follows the panel under the pointer: each panel has its own text,
// and the showing hint is taken down when the pointer crosses into another panel, so the
// tip never names the panel the pointer has left.
class TStatusBarHints final : public QObject
{
    Q_OBJECT
public:
    TStatusBarHints(QStatusBar& bar, const std::array<QLabel*, 5>& panels, TLangControl& lang);

    // The panel remembered under the pointer, -1 before the first move.
    int Panel() const { return FPanel; }
    // The pointer at x in the status bar's coordinates (StatusBarMouseMove).
    void StatusBarMouseMove(int x);
    // The texts in force changed: the remembered panel's hint is taken from them again.
    void ApplyLanguage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStatusBar& FBar;
    std::array<QLabel*, 5> FPanels;
    TLangControl& FLang;
    int FPanel = -1;
};
