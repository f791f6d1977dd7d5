#include "ui/DialogLayout.h"

#include <QPalette>
#include <QWidget>

namespace {
constexpr int GridX = 16;
constexpr int GridY = 4;
constexpr int DefaultDpi = 96;
} // namespace

bool IsDefaultDpi(int logicalDpiX)
{
    return logicalDpiX == DefaultDpi;
}

QSize DialogButtonSize(bool defaultDpi)
{
    return defaultDpi ? QSize(104, 28) : QSize(130, 35);
}

void StretchToRightMargin(QRect& control, int containerWidth)
{
    control.setWidth(containerWidth - control.left() - GridX);
}

void SetGridLeft(QRect& control, int n)
{
    control.moveLeft(n * GridX);
}

void PlaceBelow(const QRect& upper, QRect& control, int n)
{
    control.moveTop(upper.top() + upper.height() + n * GridY);
}

void CenterOnLabel(const QRect& label, QRect& control)
{
    control.moveTop(label.top() + (label.height() - control.height()) / 2);
}

void PlaceRightOf(const QRect& control, QRect& button, int n)
{
    button.moveLeft(control.left() + control.width() + n * GridY);
}

void AttachBrowseButton(QRect& edit, QRect& button, int containerWidth)
{
    button.setHeight(edit.height());
    button.setWidth(button.height());
    button.moveTop(edit.top());
    button.moveLeft(containerWidth - button.width() - GridX);
    edit.setWidth(button.left() - edit.left() - GridY);
}

void SetSpinEnabled(QWidget& spin, bool enabled)
{
    // The field's own background is the base colour; only its disabled shade is changed, so
    // an enabled field keeps whatever the style and the desktop give it.
    QPalette palette = spin.palette();
    palette.setColor(QPalette::Disabled, QPalette::Base,
                     palette.color(QPalette::Active, QPalette::Button));
    spin.setPalette(palette);
    spin.setEnabled(enabled);
}
