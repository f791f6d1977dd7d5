#include "conversation/PopupText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace {
QString WithLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\r', QChar::LineSeparator);
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

// Lays the text out at `width`; returns the height of all lines.
qreal LayOut(QTextLayout& layout, int width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}
} // namespace

int PopupTextHeight(const QFont& font, const QString& text, int width)
{
    if (text.isEmpty())
        return 0;
    QTextLayout layout(WithLineSeparators(text), font);
    return int(std::ceil(LayOut(layout, width)));
}

void DrawPopupText(QPainter& painter, const QRect& rect, const QString& text)
{
    const QString laid = WithLineSeparators(text);
    QTextLayout layout(laid, painter.font());
    const qreal height = LayOut(layout, rect.width());
    const QPointF origin = rect.topLeft();
    if (height <= rect.height()) {
        layout.draw(&painter, origin);
        return;
    }
    // The lines that fit whole, the last of them replaced by the rest of the text elided.
    int last = 0;
    while (last + 1 < layout.lineCount() &&
           layout.lineAt(last + 1).rect().bottom() <= rect.height())
        ++last;
    for (int i = 0; i < last; ++i)
        layout.lineAt(i).draw(&painter, origin);
    const QTextLine tail = layout.lineAt(last);
    QString rest = laid.mid(tail.textStart());
    rest.replace(QChar::LineSeparator, u' ');
    const QFontMetrics metrics(painter.font());
    const QString elided = metrics.elidedText(rest, Qt::ElideRight, rect.width());
    painter.drawText(origin + QPointF(0, tail.y() + tail.ascent()), elided);
}
