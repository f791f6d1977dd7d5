#include "ui/StatusBarHints.h"

#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "ui/MainLayoutRules.h"

#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolTip>

TStatusBarHints::TStatusBarHints(QStatusBar& bar, const std::array<QLabel*, 5>& panels,
                                 TLangControl& lang)
    : QObject(&bar), FBar(bar), FPanels(panels), FLang(lang)
{
    FBar.setMouseTracking(true);
    FBar.installEventFilter(this);
    for (QLabel* panel : FPanels) {
        panel->setMouseTracking(true);
        panel->installEventFilter(this);
    }
}

void TStatusBarHints::StatusBarMouseMove(int x)
{
    // The panels lie side by side with the bar's spacing between them; each spacing counts
    // to the panel on its left, so that the widths add up to the panels' left edges.
    std::array<int, 5> widths{};
    int edge = 0;
    for (int i = 0; i < 4; ++i) {
        const int next = FPanels[i + 1]->geometry().left();
        widths[i] = next - edge;
        edge = next;
    }
    widths[4] = FPanels[4]->width();
    const int panel = StatusPanelAt(x, widths, FPanel);
    if (panel == FPanel || panel < 0)
        return;
    QToolTip::hideText();
    FPanel = panel;
    FBar.setToolTip(FLang.GetString(sidStateHint + panel));
}

void TStatusBarHints::ApplyLanguage()
{
    if (FPanel >= 0)
        FBar.setToolTip(FLang.GetString(sidStateHint + FPanel));
}

bool TStatusBarHints::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint at =
            widget->mapTo(&FBar, static_cast<QMouseEvent*>(event)->position().toPoint());
        StatusBarMouseMove(at.x());
    }
    return false;
}
