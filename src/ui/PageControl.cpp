#include "ui/PageControl.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent) {}

QMargins TPageControl::PageFrame() const
{
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    const QRect pages = style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
    return QMargins(pages.left(), pages.top(), width() - pages.left() - pages.width(),
                    height() - pages.top() - pages.height());
}
