#include "conversation/ConsoleScroll.h"

#include <QScrollBar>
#include <QTextEdit>

void TConsoleAutoScroll::Watch(QTextEdit& console)
{
    Watch(*console.verticalScrollBar());
}

void TConsoleAutoScroll::Watch(QScrollBar& bar)
{
    // A drag of the box reports SliderMove with the slider down; the wheel reports SliderMove
    // too, with the slider up.
    connect(&bar, &QAbstractSlider::actionTriggered, this, [this, &bar](int action) {
        ConsoleScrolled(action == QAbstractSlider::SliderMove && bar.isSliderDown());
    });
    connect(&bar, &QAbstractSlider::sliderMoved, this, [this] { ConsoleScrolled(true); });
    connect(&bar, &QAbstractSlider::sliderReleased, this, [this] { ConsoleScrolled(false); });
}
