// The menu painter's items in a picture: backgrounds, check marks, glyphs, captions and
// separators.
#include "MenuPictures.h"

#include "ui/RyMenuRules.h"
#include "ui/RyMenus.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QtTest>

#include <cstdlib>

class TestRyMenuDraw : public QObject
{
    Q_OBJECT

    TRyMenu& P() { return AppMenuPainter(); }

private slots:
    void background_data()
    {
        QTest::addColumn<bool>("barItem");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("corner");
        QTest::addColumn<QString>("inside");
        const int on = QStyle::State_Enabled;
        const int sel = QStyle::State_Selected;
        const int open = QStyle::State_Sunken;
        QTest::newRow("popup") << false << on << "gutter"
                               << "item";
        QTest::newRow("popup selected") << false << (on | sel) << "black"
                                        << "selected";
        QTest::newRow("popup selected disabled") << false << sel << "gutter"
                                                 << "item";
        QTest::newRow("bar") << true << on << "gutter"
                             << "gutter";
        QTest::newRow("bar hot") << true << (on | sel) << "shadow"
                                 << "selected";
        QTest::newRow("bar open") << true << (on | sel | open) << "black"
                                  << "selected";
    }
    void background()
    {
        QFETCH(bool, barItem);
        QFETCH(int, state);
        QFETCH(QString, corner);
        QFETCH(QString, inside);
        const QHash<QString, QColor> colors = {
            {"gutter", P().GutterColor},      {"item", P().ItemColor},
            {"selected", P().SelectedColor},  {"black", QColor(Qt::black)},
            {"shadow", Role(QPalette::Dark)},
        };
        const QImage image = Paint(Item(QStringLiteral("Ab"), QStyle::State(state)), barItem);
        QCOMPARE(At(image, 0, 0), colors[corner]);
        QCOMPARE(At(image, ItemRect.width() - 3, 2), colors[inside]);
        // Right of the gutter a popup item turns to its own colour; the bar has no gutter.
        QCOMPARE(At(image, ItemRect.width() - 1, ItemRect.height() - 1),
                 colors[corner == "gutter" && !barItem ? "item" : corner]);
    }

    void checkMark_data()
    {
        QTest::addColumn<bool>("radio");
        QTest::addColumn<QPoint>("glyphPoint");
        QTest::newRow("check") << false << QPoint(11, 2);
        QTest::newRow("radio") << true << QPoint(5, 5);
    }
    void checkMark()
    {
        QFETCH(bool, radio);
        QFETCH(QPoint, glyphPoint);
        QStyleOptionMenuItem option = Item(QStringLiteral("Teal"));
        option.checkType =
            radio ? QStyleOptionMenuItem::Exclusive : QStyleOptionMenuItem::NonExclusive;
        option.checked = true;
        const QImage image = Paint(option, false);
        // Gutter 25: the 20 x 20 square from (2, 1); the glyph from (6, 5).
        QCOMPARE(At(image, 2, 1), QColor(Qt::black));
        QCOMPARE(At(image, 21, 20), QColor(Qt::black));
        QCOMPARE(At(image, 3, 2), P().CheckedColor);
        QCOMPARE(At(image, 6 + glyphPoint.x(), 5 + glyphPoint.y()), QColor(Qt::black));
        QCOMPARE(At(image, 6, 5), P().CheckedColor);
        QCOMPARE(At(image, 23, 11), P().GutterColor);
    }

    void checkedGlyph()
    {
        QStyleOptionMenuItem option = Item(QStringLiteral("Show My &Nic"));
        option.checkType = QStyleOptionMenuItem::NonExclusive;
        option.checked = true;
        option.icon = Solid(Qt::blue);
        const QImage image = Paint(option, false);
        QCOMPARE(At(image, 2, 0), QColor(Qt::black));
        QCOMPARE(At(image, 3, 1), P().CheckedColor);
        QCOMPARE(At(image, 4, 3), QColor(Qt::blue));
    }

    void glyph_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QPoint>("imageCorner");
        QTest::addColumn<QColor>("imageColor");
        QTest::addColumn<QPoint>("shadowCorner");
        const int on = QStyle::State_Enabled;
        // y0 = (0 + 22 - 16) / 2 = 3.
        QTest::newRow("plain") << on << QPoint(4, 3) << QColor(Qt::blue) << QPoint(-1, -1);
        QTest::newRow("raised") << (on | int(QStyle::State_Selected)) << QPoint(3, 2)
                                << QColor(Qt::blue) << QPoint(20, 19);
        QTest::newRow("disabled") << 0 << QPoint(4, 3) << QColor(Qt::red) << QPoint(-1, -1);
    }
    void glyph()
    {
        QFETCH(int, state);
        QFETCH(QPoint, imageCorner);
        QFETCH(QColor, imageColor);
        QFETCH(QPoint, shadowCorner);
        QStyleOptionMenuItem option = Item(QStringLiteral("&Copy"), QStyle::State(state));
        option.icon = Solid(Qt::blue, Qt::red);
        const QImage image = Paint(option, false);
        QCOMPARE(At(image, imageCorner.x(), imageCorner.y()), imageColor);
        QCOMPARE(At(image, imageCorner.x() + 15, imageCorner.y() + 15), imageColor);
        QVERIFY(At(image, imageCorner.x() - 1, imageCorner.y()) != imageColor);
        if (shadowCorner.x() >= 0)
            QCOMPARE(At(image, shadowCorner.x(), shadowCorner.y()), P().ShadowColor);
    }

    void captionColour_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("state");
        QTest::addColumn<QColor>("color");
        const int on = QStyle::State_Enabled;
        QTest::newRow("Red") << 109 << on << QColor(255, 0, 0);
        QTest::newRow("Blue") << 101 << on << QColor(0, 0, 255);
        QTest::newRow("Green") << 104 << on << QColor(0, 128, 0);
        QTest::newRow("disabled") << 0 << 0 << QColor(0x80, 0x80, 0x80);
        QTest::newRow("more") << 111 << on << Role(QPalette::WindowText);
    }
    void captionColour()
    {
        QFETCH(int, tag);
        QFETCH(int, state);
        QFETCH(QColor, color);
        QAction item(QStringLiteral("WWWW"));
        SetMenuItemTag(item, tag);
        const QImage image =
            Paint(Item(QStringLiteral("WWWW"), QStyle::State(state)), false, &item);
        const QRect caption(30, 0, 80, ItemRect.height());
        QVERIFY(HasColor(image, caption, color));
        QVERIFY(!HasColor(image, QRect(0, 0, 30, ItemRect.height()), color, 20));
    }

    // "Pause" stands right-aligned, 5 pixels in from the right edge; the caption on the left
    // from the gutter + 5.
    void shortcutRightAligned()
    {
        QAction item(QStringLiteral("&Antiboss!"));
        item.setShortcut(QKeySequence(Qt::Key_Pause));
        const QImage image = Paint(Item(QStringLiteral("&Antiboss!\tPause")), false, &item);
        const QList<int> dark = DarkColumns(image, ItemRect);
        QVERIFY(!dark.isEmpty());
        const QFontMetrics fm(P().MenuFont);
        QVERIFY2(dark.first() >= 30 && dark.first() <= 32,
                 qPrintable(QString::number(dark.first())));
        QVERIFY2(dark.last() >= ItemRect.width() - 5 - 3 && dark.last() < ItemRect.width() - 5,
                 qPrintable(QString::number(dark.last())));
        const QList<int> shortcut =
            DarkColumns(image, QRect(ItemRect.width() - 5 - fm.horizontalAdvance("Pause"), 0,
                                     fm.horizontalAdvance("Pause"), ItemRect.height()));
        QVERIFY(shortcut.size() > fm.horizontalAdvance("Pause") / 2);
    }

    void barCaptionCentred()
    {
        const QImage image = Paint(Item(QStringLiteral("&File")), true);
        const QList<int> dark = DarkColumns(image, ItemRect.adjusted(1, 1, -1, -1));
        QVERIFY(!dark.isEmpty());
        const int left = dark.first();
        const int right = ItemRect.width() - 1 - dark.last();
        QVERIFY2(std::abs(left - right) <= 2,
                 qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
    }

    void separatorLine()
    {
        QStyleOptionMenuItem option = Item(QString());
        option.menuItemType = QStyleOptionMenuItem::Separator;
        option.rect = QRect(0, 0, 160, 5);
        QImage image(160, 5, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        P().DrawItem(painter, option, nullptr, false, true);
        painter.end();
        const QColor shadow = Role(QPalette::Dark);
        QCOMPARE(At(image, 30, 2), shadow);
        QCOMPARE(At(image, 159, 2), shadow);
        QCOMPARE(At(image, 29, 2), P().ItemColor);
        QCOMPARE(At(image, 10, 2), P().GutterColor);
        QCOMPARE(At(image, 80, 1), P().ItemColor);
    }
};

QTEST_MAIN(TestRyMenuDraw)
#include "tst_rymenudraw.moc"
