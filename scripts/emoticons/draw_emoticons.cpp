// Draws the sixteen 19 x 19 emoticon pictures of the conversation views: yellow round faces
// on a transparent background, in the order of the image list (0 smiling ... 15 a cross for a
// mouth). Everything is drawn in pixel coordinates of the 19 x 19 picture, anti-aliased.
//
//   draw_emoticons DIR            writes DIR/emoticon-00.png ... DIR/emoticon-15.png
//   draw_emoticons --sheet FILE   writes a contact sheet: each picture 8x zoomed on white and
//                                 on a menu gray, and at its own size
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cstdio>
#include <functional>

namespace {

constexpr int Size = 19;
constexpr int Count = 16;

const QColor Ink(0x3b, 0x24, 0x00);
const QColor Rim(0x9a, 0x62, 0x00);
const QColor MouthDark(0x7a, 0x12, 0x12);
const QColor Tongue(0xf0, 0x5a, 0x6e);
const QColor Blush(0xff, 0x50, 0x50, 0x90);
const QColor LipRed(0xe0, 0x10, 0x30);
const QColor TearBlue(0x4a, 0xa8, 0xff);

QPen InkPen(qreal width = 1.3)
{
    return QPen(Ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The yellow disc, lit from the upper left.
void Face(QPainter& p, QPointF centre = {9.5, 9.5}, qreal radius = 8.5)
{
    QRadialGradient fill(centre + QPointF(-2.5, -3.0), radius * 1.45);
    fill.setColorAt(0.0, QColor(0xff, 0xf7, 0xa8));
    fill.setColorAt(0.5, QColor(0xff, 0xd8, 0x2a));
    fill.setColorAt(1.0, QColor(0xe8, 0x9c, 0x00));
    p.setBrush(fill);
    p.setPen(QPen(Rim, 1.0));
    p.drawEllipse(centre, radius, radius);
}

void Eye(QPainter& p, QPointF at, qreal rx = 1.15, qreal ry = 1.7)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(at, rx, ry);
}

void Eyes(QPainter& p, qreal y = 7.0)
{
    Eye(p, {6.4, y});
    Eye(p, {12.6, y});
}

// A curve from (x0, y) to (x1, y) bending down by depth (negative: up).
void Curve(QPainter& p, qreal x0, qreal x1, qreal y, qreal depth, const QPen& pen)
{
    QPainterPath path({x0, y});
    path.quadTo({(x0 + x1) / 2, y + 2 * depth}, {x1, y});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Smile(QPainter& p)
{
    Curve(p, 5.0, 14.0, 11.3, 2.4, InkPen());
}

void SadMouth(QPainter& p, qreal y = 14.2)
{
    Curve(p, 5.8, 13.2, y, -1.9, InkPen());
}

// An open mouth: a filled shape between a straight top edge and a round bottom.
void OpenSmile(QPainter& p, qreal top, qreal depth)
{
    QPainterPath path({4.6, top});
    path.lineTo(14.4, top);
    path.quadTo({9.5, top + 2 * depth}, {4.6, top});
    path.closeSubpath();
    p.setPen(QPen(Ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(MouthDark);
    p.drawPath(path);
}

void Smiling(QPainter& p)
{
    Face(p);
    Eyes(p);
    Smile(p);
}

void Sad(QPainter& p)
{
    Face(p);
    Eyes(p, 7.4);
    SadMouth(p);
}

void Winking(QPainter& p)
{
    Face(p);
    Eye(p, {6.4, 7.0});
    Curve(p, 10.9, 14.3, 7.6, -1.0, InkPen(1.2));
    Smile(p);
}

void TongueOut(QPainter& p)
{
    Face(p);
    Eyes(p);
    QPainterPath tongue({8.0, 12.4});
    tongue.lineTo(8.0, 14.3);
    tongue.cubicTo({8.0, 16.6}, {12.4, 16.6}, {12.4, 14.3});
    tongue.lineTo(12.4, 12.4);
    tongue.closeSubpath();
    p.setPen(QPen(QColor(0xa0, 0x20, 0x30), 0.8));
    p.setBrush(Tongue);
    p.drawPath(tongue);
    p.setPen(QPen(QColor(0xb0, 0x30, 0x40), 0.7));
    p.drawLine(QPointF(10.2, 13.0), QPointF(10.2, 14.8));
    p.setPen(InkPen());
    p.drawLine(QPointF(5.2, 12.4), QPointF(13.8, 12.4));
}

void Laughing(QPainter& p)
{
    Face(p);
    // Eyes shut tight with laughter.
    Curve(p, 4.9, 8.0, 7.6, -1.1, InkPen(1.2));
    Curve(p, 11.0, 14.1, 7.6, -1.1, InkPen(1.2));
    OpenSmile(p, 10.2, 3.4);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.3, 10.7, 6.4, 1.2));
}

void Blushing(QPainter& p)
{
    Face(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Blush);
    p.drawEllipse(QPointF(4.3, 11.0), 2.0, 1.4);
    p.drawEllipse(QPointF(14.7, 11.0), 2.0, 1.4);
    Eyes(p);
    Curve(p, 6.4, 12.6, 11.8, 1.6, InkPen());
}

void SkewedMouth(QPainter& p)
{
    Face(p);
    Eyes(p);
    QPainterPath mouth({5.6, 13.6});
    mouth.quadTo({9.5, 12.9}, {13.6, 11.0});
    p.setPen(InkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(mouth);
}

void Surprised(QPainter& p)
{
    Face(p);
    Eyes(p, 6.6);
    p.setPen(QPen(Ink, 1.0));
    p.setBrush(MouthDark);
    p.drawEllipse(QPointF(9.5, 13.0), 2.1, 2.6);
}

void Kiss(QPainter& p)
{
    Face(p);
    Eyes(p, 7.3);
    // Two lashes at the outer corner of each eye.
    p.setPen(InkPen(0.9));
    for (const qreal side : {-1.0, 1.0}) {
        const qreal x = 9.5 + side * 3.1;
        p.drawLine(QPointF(x + side * 0.9, 6.0), QPointF(x + side * 2.3, 4.9));
        p.drawLine(QPointF(x + side * 0.2, 5.6), QPointF(x + side * 0.9, 4.2));
    }
    // Puckered lips: two small lobes.
    QPainterPath lips({7.0, 13.0});
    lips.cubicTo({7.0, 11.0}, {9.5, 11.0}, {9.5, 12.4});
    lips.cubicTo({9.5, 11.0}, {12.0, 11.0}, {12.0, 13.0});
    lips.cubicTo({12.0, 15.6}, {7.0, 15.6}, {7.0, 13.0});
    p.setPen(QPen(QColor(0x90, 0x00, 0x18), 0.8));
    p.setBrush(LipRed);
    p.drawPath(lips);
    p.setPen(QPen(QColor(0x90, 0x00, 0x18), 0.7));
    p.drawLine(QPointF(7.6, 13.1), QPointF(11.4, 13.1));
}

void Angry(QPainter& p)
{
    Face(p);
    p.setPen(InkPen(1.5));
    p.drawLine(QPointF(4.2, 4.6), QPointF(8.2, 6.4));
    p.drawLine(QPointF(14.8, 4.6), QPointF(10.8, 6.4));
    Eye(p, {6.6, 8.2}, 1.1, 1.3);
    Eye(p, {12.4, 8.2}, 1.1, 1.3);
    // Shouting: a wide-open mouth, tall in the middle.
    QPainterPath mouth({5.6, 13.8});
    mouth.cubicTo({5.6, 10.4}, {13.4, 10.4}, {13.4, 13.8});
    mouth.cubicTo({13.4, 16.6}, {5.6, 16.6}, {5.6, 13.8});
    p.setPen(QPen(Ink, 1.0));
    p.setBrush(MouthDark);
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(Tongue);
    p.drawEllipse(QPointF(9.5, 15.0), 2.2, 0.9);
}

void Sunglasses(QPainter& p)
{
    Face(p);
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 0.9));
    p.setBrush(QColor(0x18, 0x18, 0x20));
    p.drawRoundedRect(QRectF(3.4, 5.6, 5.4, 3.6), 1.4, 1.4);
    p.drawRoundedRect(QRectF(10.2, 5.6, 5.4, 3.6), 1.4, 1.4);
    p.drawLine(QPointF(8.8, 6.4), QPointF(10.2, 6.4));
    p.drawLine(QPointF(1.4, 6.2), QPointF(3.4, 6.4));
    p.drawLine(QPointF(17.6, 6.2), QPointF(15.6, 6.4));
    // A glint on each glass.
    p.setPen(QPen(QColor(255, 255, 255, 200), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.6, 6.6), QPointF(5.6, 6.6));
    p.drawLine(QPointF(11.4, 6.6), QPointF(12.4, 6.6));
    Smile(p);
}

void ClenchedTeeth(QPainter& p)
{
    Face(p);
    Eyes(p);
    const QRectF mouth(4.6, 11.0, 9.8, 3.8);
    p.setPen(QPen(Ink, 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(mouth, 1.4, 1.4);
    p.setPen(QPen(QColor(0x8a, 0x78, 0x60), 0.7));
    p.drawLine(QPointF(mouth.left() + 0.5, 12.9), QPointF(mouth.right() - 0.5, 12.9));
    for (const qreal x : {7.6, 11.4})
        p.drawLine(QPointF(x, mouth.top() + 0.4), QPointF(x, mouth.bottom() - 0.4));
}

void Squinting(QPainter& p)
{
    Face(p);
    // Eyes screwed up into chevrons.
    p.setPen(InkPen(1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{4.7, 5.6}, {7.9, 7.3}, {4.7, 9.0}}));
    p.drawPolyline(QPolygonF({{14.3, 5.6}, {11.1, 7.3}, {14.3, 9.0}}));
    QPainterPath wave({4.8, 13.0});
    wave.cubicTo({5.9, 11.4}, {7.0, 11.4}, {8.1, 13.0});
    wave.cubicTo({9.2, 14.6}, {10.3, 14.6}, {11.4, 13.0});
    wave.cubicTo({12.1, 12.0}, {13.1, 11.6}, {14.2, 12.6});
    p.drawPath(wave);
}

void Halo(QPainter& p)
{
    // A smaller face, so the ring fits above it.
    Face(p, {9.5, 10.8}, 7.6);
    p.setPen(QPen(QColor(0xb8, 0x8a, 0x00), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9.5, 2.4), 5.6, 1.6);
    p.setPen(QPen(QColor(0xff, 0xfa, 0xc0), 0.7));
    p.drawEllipse(QPointF(9.5, 2.4), 5.6, 1.6);
    Eye(p, {6.8, 9.0}, 1.05, 1.5);
    Eye(p, {12.2, 9.0}, 1.05, 1.5);
    Curve(p, 5.8, 13.2, 12.4, 1.9, InkPen());
}

void Crying(QPainter& p)
{
    Face(p);
    Eyes(p, 7.4);
    SadMouth(p, 14.6);
    QPainterPath tear({13.4, 9.0});
    tear.cubicTo({14.6, 11.0}, {15.4, 12.0}, {14.5, 12.9});
    tear.cubicTo({13.8, 13.6}, {12.6, 13.3}, {12.6, 12.2});
    tear.cubicTo({12.6, 11.4}, {13.0, 10.6}, {13.4, 9.0});
    p.setPen(QPen(QColor(0x10, 0x58, 0xc0), 0.7));
    p.setBrush(TearBlue);
    p.drawPath(tear);
}

void CrossMouth(QPainter& p)
{
    Face(p);
    Eyes(p);
    p.setPen(InkPen(1.4));
    p.drawLine(QPointF(7.3, 11.2), QPointF(11.7, 15.0));
    p.drawLine(QPointF(11.7, 11.2), QPointF(7.3, 15.0));
}

const std::array<std::function<void(QPainter&)>, Count> Pictures = {
    Smiling, Sad,   Winking,    TongueOut,     Laughing,  Blushing, SkewedMouth, Surprised,
    Kiss,    Angry, Sunglasses, ClenchedTeeth, Squinting, Halo,     Crying,      CrossMouth,
};

QImage Draw(int index)
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Pictures[index](p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage Sheet()
{
    constexpr int Zoom = 8;
    constexpr int Cell = Size * Zoom + 8;
    QImage sheet(Cell * 8, Cell * 4 + Size * 2 + 24, QImage::Format_RGB32);
    sheet.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter p(&sheet);
    for (int i = 0; i < Count; ++i) {
        const QImage picture = Draw(i);
        const QImage big = picture.scaled(Size * Zoom, Size * Zoom);
        for (int background = 0; background < 2; ++background) {
            const QPoint at((i % 8) * Cell + 4, ((i / 8) * 2 + background) * Cell + 4);
            p.fillRect(QRect(at, big.size()), background ? QColor(0xd4, 0xd0, 0xc8) : Qt::white);
            p.drawImage(at, big);
        }
        // The real size, as a menu shows it.
        p.fillRect(QRect(i * (Size + 4) + 4, Cell * 4 + 8, Size, Size), Qt::white);
        p.drawImage(QPoint(i * (Size + 4) + 4, Cell * 4 + 8), picture);
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    // Nothing is shown: the pictures are drawn into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--sheet"))
        return Sheet().save(args[2]) ? 0 : 1;
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: draw_emoticons DIR | --sheet FILE\n");
        return 2;
    }
    for (int i = 0; i < Count; ++i) {
        const QString name =
            QStringLiteral("%1/emoticon-%2.png").arg(args[1]).arg(i, 2, 10, QLatin1Char('0'));
        if (!Draw(i).save(name)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    return 0;
}
