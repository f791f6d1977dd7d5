#include "conversation/ColorTable.h"
#include "conversation/PopupText.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {
QFont TestFont()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

int LineHeight()
{
    return QFontMetrics(TestFont()).height();
}

// The text drawn black on white into `box` of a larger image.
QImage Render(const QString& text, const QRect& box, const QSize& canvas = QSize(300, 300))
{
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(TestFont());
    painter.setPen(Qt::black);
    DrawPopupText(painter, box, text);
    return image;
}

// The rows of the image that hold any ink.
QPair<int, int> InkRows(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

int InkRightmost(const QImage& image)
{
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = image.width() - 1; x > right; --x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                right = x;
    return right;
}
} // namespace

class TestPopupText : public QObject
{
    Q_OBJECT

private slots:
    void heightCountsWrappedLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QString() << 218 << 0;
        QTest::newRow("one word") << "Hello" << 218 << 1;
        QTest::newRow("CR LF breaks once") << "one\r\ntwo" << 218 << 2;
        QTest::newRow("LF") << "one\ntwo\nthree" << 218 << 3;
        QTest::newRow("CR") << "one\rtwo" << 218 << 2;
        QTest::newRow("an empty line between") << "one\n\nthree" << 218 << 3;
        QTest::newRow("words wrap") << "aaaa bbbb cccc dddd" << 1 << 4;
    }
    void heightCountsWrappedLines()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, lines);
        // A width of 1 stands for "narrower than any word": words then go one to a line.
        const int w = width == 1 ? QFontMetrics(TestFont()).horizontalAdvance("aaaa ") : width;
        QCOMPARE(PopupTextHeight(TestFont(), text, w), lines * LineHeight());
    }

    void aWordLongerThanTheWidthBreaksInsideIt()
    {
        const QString link = QStringLiteral("http://example.org/") + QString(60, u'x');
        QVERIFY(PopupTextHeight(TestFont(), link, 218) >= 2 * LineHeight());
        const QImage image = Render(link, QRect(10, 10, 218, 400), QSize(400, 420));
        QVERIFY(InkRightmost(image) < 10 + 218);
    }

    void textThatFitsIsDrawnWhole()
    {
        const QRect box(10, 10, 218, 4 * LineHeight());
        const QImage image = Render(QStringLiteral("one\ntwo\nthree"), box);
        const auto [first, last] = InkRows(image);
        QVERIFY(first >= box.top());
        QVERIFY(last > box.top() + 2 * LineHeight());
        QVERIFY(last <= box.top() + 3 * LineHeight());
    }

    void textThatDoesNotFitStopsAtTheBoxAndEndsInAnEllipsis()
    {
        const QString text = QStringLiteral("word ").repeated(200);
        const QRect box(10, 10, 218, 3 * LineHeight() + LineHeight() / 2);
        const QImage image = Render(text, box, QSize(300, 400));
        const auto [first, last] = InkRows(image);
        QVERIFY(first >= box.top());
        QVERIFY2(last <= box.bottom(), qPrintable(QString::number(last)));
        QVERIFY(last > box.top() + 2 * LineHeight());

        // The last line is the rest of the text elided: exactly what the elision gives.
        QImage expected(image.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter painter(&expected);
        painter.setFont(TestFont());
        painter.setPen(Qt::black);
        const QFontMetrics metrics(TestFont());
        const QString elided = metrics.elidedText(text, Qt::ElideRight, box.width());
        QVERIFY(elided.endsWith(QChar(0x2026)));
        painter.drawText(QPoint(box.left(), box.top() + 2 * LineHeight() + metrics.ascent()),
                         elided);
        painter.end();
        const int lastLine = box.top() + 2 * LineHeight();
        QCOMPARE(image.copy(0, lastLine, image.width(), LineHeight()),
                 expected.copy(0, lastLine, image.width(), LineHeight()));
    }

    void markupIsShownAsText()
    {
        const QString markup = QStringLiteral("<b>&amp;</b>");
        const QImage image = Render(markup, QRect(0, 0, 300, 50), QSize(300, 50));
        // Drawn as the characters it is made of: as wide as the plain text.
        const int width = QFontMetrics(TestFont()).horizontalAdvance(markup);
        QVERIFY(qAbs(InkRightmost(image) - width) <= 3);
    }

    void colourRefHasRedInTheLowByte_data()
    {
        QTest::addColumn<uint>("ref");
        QTest::addColumn<QColor>("color");
        QTest::newRow("black") << 0x000000u << QColor(0, 0, 0);
        QTest::newRow("red") << 0x0000FFu << QColor(255, 0, 0);
        QTest::newRow("green") << 0x00FF00u << QColor(0, 255, 0);
        QTest::newRow("blue") << 0xFF0000u << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x00804020u << QColor(0x20, 0x40, 0x80);
        QTest::newRow("high byte ignored") << 0xFF123456u << QColor(0x56, 0x34, 0x12);
    }
    void colourRefHasRedInTheLowByte()
    {
        QFETCH(uint, ref);
        QFETCH(QColor, color);
        QCOMPARE(ColorFromValue(ref), color);
    }
};

QTEST_MAIN(TestPopupText)
#include "tst_popuptext.moc"
