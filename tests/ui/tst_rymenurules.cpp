// The numbers of the owner-drawn menus: colours, measures, gutters, glyphs, caption styles.
#include "ui/RyMenuRules.h"

#include <QKeySequence>
#include <QSet>
#include <QtTest>

Q_DECLARE_METATYPE(TMenuRect)

class TestRyMenuRules : public QObject
{
    Q_OBJECT

private slots:
    void lightenColor_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QColor>("lightened");
        QTest::newRow("button face 85") << QColor(239, 239, 239) << 85 << QColor(253, 253, 253);
        QTest::newRow("highlight 65") << QColor(48, 140, 198) << 65 << QColor(183, 215, 235);
        QTest::newRow("highlight 75") << QColor(48, 140, 198) << 75 << QColor(203, 226, 241);
        QTest::newRow("highlight 30") << QColor(48, 140, 198) << 30 << QColor(110, 174, 215);
        // 76.5, 127.5, 8.5 and 1.5: each half goes to the even neighbour.
        QTest::newRow("half down 76.5") << QColor(0, 0, 0) << 30 << QColor(76, 76, 76);
        QTest::newRow("half up 127.5") << QColor(0, 0, 0) << 50 << QColor(128, 128, 128);
        QTest::newRow("half down 8.5") << QColor(245, 245, 245) << 85 << QColor(253, 253, 253);
        QTest::newRow("half up 1.5") << QColor(253, 253, 253) << 75 << QColor(255, 255, 255);
        QTest::newRow("each channel") << QColor(0, 245, 253) << 50 << QColor(128, 250, 254);
        QTest::newRow("none") << QColor(10, 20, 30) << 0 << QColor(10, 20, 30);
        QTest::newRow("all") << QColor(10, 20, 30) << 100 << QColor(255, 255, 255);
        QTest::newRow("white stays") << QColor(255, 255, 255) << 30 << QColor(255, 255, 255);
    }
    void lightenColor()
    {
        QFETCH(QColor, color);
        QFETCH(int, percent);
        QFETCH(QColor, lightened);
        QCOMPARE(LightenColor(color, percent), lightened);
    }

    void measure_data()
    {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("letterHeight");
        QTest::addColumn<QSize>("images");
        QTest::addColumn<bool>("separator");
        QTest::addColumn<int>("minWidth");
        QTest::addColumn<QSize>("size");
        QTest::newRow("no pictures") << 100 << 13 << QSize() << false << 0 << QSize(135, 18);
        QTest::newRow("no pictures, tall font")
            << 100 << 24 << QSize() << false << 0 << QSize(135, 24);
        QTest::newRow("no pictures, min width")
            << 100 << 13 << QSize() << false << 200 << QSize(200, 18);
        QTest::newRow("separator") << 0 << 13 << QSize() << true << 0 << QSize(35, 5);
        QTest::newRow("separator, tall font") << 0 << 21 << QSize() << true << 0 << QSize(35, 11);
        QTest::newRow("pictures") << 100 << 13 << QSize(16, 16) << false << 0 << QSize(139, 20);
        QTest::newRow("pictures, tall font")
            << 100 << 17 << QSize(16, 16) << false << 0 << QSize(139, 21);
        QTest::newRow("small pictures") << 100 << 10 << QSize(6, 6) << false << 0 << QSize(131, 18);
        QTest::newRow("pictures, min width")
            << 100 << 13 << QSize(16, 16) << false << 300 << QSize(300, 20);
        QTest::newRow("separator, pictures")
            << 0 << 13 << QSize(16, 16) << true << 0 << QSize(39, 5);
        QTest::newRow("separator, big pictures")
            << 0 << 13 << QSize(24, 24) << true << 0 << QSize(47, 11);
    }
    void measure()
    {
        QFETCH(int, textWidth);
        QFETCH(int, letterHeight);
        QFETCH(QSize, images);
        QFETCH(bool, separator);
        QFETCH(int, minWidth);
        QFETCH(QSize, size);
        const TMenuItemMetrics item{textWidth, letterHeight, images, separator, minWidth, 18};
        QCOMPARE(MeasureMenuItem(item), size);
    }

    void gutter_data()
    {
        QTest::addColumn<QSize>("images");
        QTest::addColumn<bool>("separator");
        QTest::addColumn<int>("itemHeight");
        QTest::addColumn<int>("gutter");
        QTest::newRow("pictures") << QSize(16, 16) << false << 20 << 25;
        QTest::newRow("separator, pictures") << QSize(16, 16) << true << 5 << 25;
        QTest::newRow("no pictures") << QSize() << false << 18 << 22;
        QTest::newRow("no pictures, tall") << QSize() << false << 24 << 28;
        // A separator's strip is that of the items around it, not of its own thin rect.
        QTest::newRow("separator") << QSize() << true << 5 << 22;
    }
    void gutter()
    {
        QFETCH(QSize, images);
        QFETCH(bool, separator);
        QFETCH(int, itemHeight);
        QFETCH(int, gutter);
        const TMenuItemMetrics item{0, 13, images, separator, 0, 18};
        QCOMPARE(MenuGutterWidth(item, itemHeight), gutter);
    }

    void glyphs_data()
    {
        QTest::addColumn<QList<QPoint>>("pixels");
        QTest::addColumn<int>("count");
        QTest::addColumn<QPoint>("first");
        QTest::addColumn<QPoint>("last");
        QTest::newRow("check mark") << CheckMarkGlyphPixels() << 18 << QPoint(2, 6) << QPoint(5, 7);
        QTest::newRow("radio") << RadioGlyphPixels() << 24 << QPoint(3, 5) << QPoint(6, 5);
    }
    void glyphs()
    {
        QFETCH(QList<QPoint>, pixels);
        QFETCH(int, count);
        QFETCH(QPoint, first);
        QFETCH(QPoint, last);
        QCOMPARE(pixels.size(), count);
        QCOMPARE(pixels.first(), first);
        QCOMPARE(pixels.last(), last);
        QSet<QPair<int, int>> distinct;
        for (const QPoint& p : pixels) {
            QVERIFY(p.x() >= 0 && p.x() < MenuGlyphSize && p.y() >= 0 && p.y() < MenuGlyphSize);
            distinct.insert({p.x(), p.y()});
        }
        QCOMPARE(distinct.size(), count);
    }

    void checkMarkPlace_data()
    {
        QTest::addColumn<TMenuRect>("item");
        QTest::addColumn<int>("gutter");
        QTest::addColumn<TMenuRect>("box");
        QTest::addColumn<QPoint>("glyph");
        QTest::addColumn<TMenuRect>("field");
        QTest::newRow("pictures") << TMenuRect{0, 0, 150, 21} << 25 << TMenuRect{2, 0, 22, 20}
                                  << QPoint(6, 4) << TMenuRect{2, 0, 22, 21};
        QTest::newRow("lower item") << TMenuRect{0, 40, 150, 60} << 25 << TMenuRect{2, 40, 22, 60}
                                    << QPoint(6, 44) << TMenuRect{2, 40, 22, 60};
        QTest::newRow("no pictures") << TMenuRect{0, 0, 150, 18} << 22 << TMenuRect{0, -1, 20, 19}
                                     << QPoint(4, 3) << TMenuRect{2, 0, 19, 18};
        QTest::newRow("inside a frame") << TMenuRect{1, 2, 150, 23} << 25 << TMenuRect{3, 2, 23, 22}
                                        << QPoint(7, 6) << TMenuRect{3, 2, 23, 23};
    }
    void checkMarkPlace()
    {
        QFETCH(TMenuRect, item);
        QFETCH(int, gutter);
        QFETCH(TMenuRect, box);
        QFETCH(QPoint, glyph);
        QFETCH(TMenuRect, field);
        QCOMPARE(MenuCheckBox(item, gutter), box);
        QCOMPARE(MenuCheckGlyphOrigin(item, gutter), glyph);
        QCOMPARE(MenuCheckedGlyphField(item, gutter), field);
    }

    void rectConversion()
    {
        const QRect r(3, 4, 10, 20);
        QCOMPARE(ToMenuRect(r), (TMenuRect{3, 4, 13, 24}));
        QCOMPARE(ToQRect(ToMenuRect(r)), r);
    }

    void captionStyle_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("defaultItem");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("menuText");
        const QColor black(0, 0, 0);
        const QColor grey(0x80, 0x80, 0x80);
        QTest::newRow("plain") << 0 << true << false << black << false << false;
        QTest::newRow("disabled") << 0 << false << false << grey << false << false;
        QTest::newRow("default") << 0 << true << true << black << true << false;
        QTest::newRow("language entry") << 3 << true << false << black << false << false;
        QTest::newRow("Black") << 100 << true << false << black << true << false;
        QTest::newRow("Blue") << 101 << true << false << QColor(0, 0, 255) << true << false;
        QTest::newRow("Maroon") << 105 << true << false << QColor(128, 0, 0) << true << false;
        QTest::newRow("Red") << 109 << true << false << QColor(255, 0, 0) << true << false;
        QTest::newRow("Teal") << 110 << true << false << QColor(0, 128, 128) << true << false;
        QTest::newRow("more") << 111 << true << false << QColor() << false << true;
    }
    void captionStyle()
    {
        QFETCH(int, tag);
        QFETCH(bool, enabled);
        QFETCH(bool, defaultItem);
        QFETCH(QColor, color);
        QFETCH(bool, bold);
        QFETCH(bool, menuText);
        const TMenuCaptionStyle style = MenuCaptionStyle(tag, enabled, defaultItem);
        QCOMPARE(style.MenuText, menuText);
        if (!menuText)
            QCOMPARE(style.Color, color);
        QCOMPARE(style.Bold, bold);
    }

    void shortcutText_data()
    {
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<QString>("text");
        QTest::newRow("Pause") << QKeySequence(Qt::Key_Pause) << QStringLiteral("Pause");
        QTest::newRow("Ctrl+N") << QKeySequence(Qt::CTRL | Qt::Key_N) << QStringLiteral("Ctrl+N");
        QTest::newRow("F5") << QKeySequence(Qt::Key_F5) << QStringLiteral("F5");
        QTest::newRow("none") << QKeySequence() << QString();
    }
    void shortcutText()
    {
        QFETCH(QKeySequence, shortcut);
        QFETCH(QString, text);
        QCOMPARE(MenuShortcutText(shortcut), text);
    }
};

QTEST_MAIN(TestRyMenuRules)
#include "tst_rymenurules.moc"
