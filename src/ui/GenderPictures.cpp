#include "ui/GenderPictures.h"

#include "ui/NameEditLayout.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal Size = GenderPictureSize;

struct TPalette {
    QColor Fill;
    QColor Line;
};

// A round badge, lit from above, as the base of every picture.
void DrawBadge(QPainter& p, const QRectF& circle, const TPalette& colours)
{
    QLinearGradient fill(circle.topLeft(), circle.bottomLeft());
    fill.setColorAt(0, colours.Fill.lighter(135));
    fill.setColorAt(1, colours.Fill);
    p.setBrush(fill);
    p.setPen(QPen(colours.Line, 1));
    p.drawEllipse(circle);
}

void DrawMale(QPainter& p)
{
    const TPalette blue{QColor(0x3A, 0x7B, 0xD5), QColor(0x1F, 0x4E, 0x96)};
    const QRectF ring(1.5, 5.5, 9, 9);
    p.setPen(QPen(blue.Line, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 7), QPointF(13.5, 2.5));
    p.setPen(QPen(blue.Fill.lighter(120), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 7), QPointF(13.5, 2.5));
    QPainterPath head;
    head.moveTo(9.5, 1.5);
    head.lineTo(14.5, 1.5);
    head.lineTo(14.5, 6.5);
    head.closeSubpath();
    p.setPen(QPen(blue.Line, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(blue.Fill);
    p.drawPath(head);
    DrawBadge(p, ring, blue);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(ring.adjusted(2.5, 2.5, -2.5, -2.5));
}

void DrawFemale(QPainter& p)
{
    const TPalette rose{QColor(0xD9, 0x4F, 0x8C), QColor(0x9C, 0x2A, 0x5E)};
    const QRectF ring(3.5, 0.5, 9, 9);
    for (const auto& [pen, colour] : {std::pair{3.2, rose.Line}, std::pair{1.6, rose.Fill}}) {
        p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 9), QPointF(8, 14.5));
        p.drawLine(QPointF(5.5, 12.5), QPointF(10.5, 12.5));
    }
    DrawBadge(p, ring, rose);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(ring.adjusted(2.5, 2.5, -2.5, -2.5));
}

void DrawUndefined(QPainter& p)
{
    const TPalette grey{QColor(0x8A, 0x93, 0x9E), QColor(0x5A, 0x62, 0x6C)};
    DrawBadge(p, QRectF(1.5, 1.5, 13, 13), grey);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0.5, Size, Size), Qt::AlignCenter, QStringLiteral("?"));
}
} // namespace

QPixmap GenderPicture(int gender, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(GenderPictureSize, GenderPictureSize) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (gender) {
    case 0:
        DrawMale(p);
        break;
    case 1:
        DrawFemale(p);
        break;
    default:
        DrawUndefined(p);
        break;
    }
    return pixmap;
}
