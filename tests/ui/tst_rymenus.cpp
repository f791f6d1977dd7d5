// The menu painter on real menus and on a picture: measures, backgrounds, check marks,
// glyphs and captions.
#include "ui/RyMenuRules.h"
#include "ui/RyMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QtTest>

#include <algorithm>

namespace {

// Lets a test see an item as the menu describes it to its style.
class TProbeMenu final : public QMenu
{
public:
    QStyleOptionMenuItem Option(QAction* action) const
    {
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        return option;
    }
};

class TProbeBar final : public QMenuBar
{
public:
    QStyleOptionMenuItem Option(QAction* action) const
    {
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        return option;
    }
};

const QRect ItemRect(0, 0, 160, 22);

QIcon Solid(const QColor& color, const QColor& disabled = QColor())
{
    QPixmap normal(16, 16);
    normal.fill(color);
    QIcon icon(normal);
    if (disabled.isValid()) {
        QPixmap off(16, 16);
        off.fill(disabled);
        icon.addPixmap(off, QIcon::Disabled);
    }
    return icon;
}

QStyleOptionMenuItem Item(const QString& text, QStyle::State state = QStyle::State_Enabled)
{
    QStyleOptionMenuItem option;
    option.rect = ItemRect;
    option.text = text;
    option.state = state;
    option.palette = QApplication::palette();
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    return option;
}

QImage Paint(const QStyleOptionMenuItem& option, bool barItem, const QAction* action = nullptr,
             bool withImages = true)
{
    QImage image(ItemRect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    AppMenuPainter().DrawItem(painter, option, action, barItem, withImages);
    return image;
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A palette's colour as a picture holds it.
QColor Role(QPalette::ColorRole role)
{
    return QColor(QApplication::palette().color(role).rgb());
}

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool HasColor(const QImage& image, const QRect& area, const QColor& color, int tolerance = 40)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Near(At(image, x, y), color, tolerance))
                return true;
    return false;
}

// The columns of the area that hold a pixel darker than half grey.
QList<int> DarkColumns(const QImage& image, const QRect& area)
{
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                columns << x;
                break;
            }
    return columns;
}

} // namespace

class TestRyMenus : public QObject
{
    Q_OBJECT

    TRyMenu& P() { return AppMenuPainter(); }

private slots:
    void coloursFromTheDesktop()
    {
        const QPalette palette = QApplication::palette();
        QCOMPARE(P().GutterColor, palette.color(QPalette::Button));
        QCOMPARE(P().ItemColor, LightenColor(palette.color(QPalette::Button), 85));
        QCOMPARE(P().SelectedColor, LightenColor(palette.color(QPalette::Highlight), 65));
        QCOMPARE(P().CheckedColor, LightenColor(palette.color(QPalette::Highlight), 75));
        QCOMPARE(P().ShadowColor, LightenColor(palette.color(QPalette::Highlight), 30));
        QCOMPARE(P().MinWidth, 0);
        QCOMPARE(P().MinHeight, 18);
        QCOMPARE(&AppMenuPainter(), &P());
    }

    void attachReachesEverySubmenu()
    {
        QMenuBar bar;
        QMenu* file = bar.addMenu(QStringLiteral("&File"));
        QMenu* deeper = file->addMenu(QStringLiteral("&More"));
        QMenu* deepest = deeper->addMenu(QStringLiteral("&Most"));
        QMenu other;
        QMenu* otherSub = other.addMenu(QStringLiteral("Sub"));
        P().Attach(&bar);
        for (QWidget* w : std::initializer_list<QWidget*>{&bar, file, deeper, deepest}) {
            QCOMPARE(w->style(), &P());
            QVERIFY(MenuHasImages(w));
        }
        QMenu* otherSubSub = otherSub->addMenu(QStringLiteral("SubSub"));
        // An item: its submenu and what lies below, not the menu it stands in.
        P().Attach(nullptr, otherSub->menuAction(), false);
        QVERIFY(other.style() != &P());
        for (QWidget* w : std::initializer_list<QWidget*>{otherSub, otherSubSub}) {
            QCOMPARE(w->style(), &P());
            QVERIFY(!MenuHasImages(w));
        }
    }

    void measure_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("separator");
        QTest::addColumn<bool>("withImages");
        QTest::newRow("text with shortcut")
            << "&Copy" << QKeySequence(Qt::CTRL | Qt::Key_C) << false << true;
        QTest::newRow("Pause shortcut")
            << "&Antiboss!" << QKeySequence(Qt::Key_Pause) << false << true;
        QTest::newRow("text") << "E&xit" << QKeySequence() << false << true;
        QTest::newRow("separator") << "" << QKeySequence() << true << true;
        QTest::newRow("text, no pictures") << "Teal" << QKeySequence() << false << false;
        QTest::newRow("separator, no pictures") << "" << QKeySequence() << true << false;
    }
    void measure()
    {
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, separator);
        QFETCH(bool, withImages);
        TProbeMenu menu;
        QAction* item = separator ? menu.addSeparator() : menu.addAction(caption);
        item->setShortcut(shortcut);
        P().Attach(&menu, nullptr, withImages);
        const QFontMetrics fm(P().MenuFont);
        const int text = fm.size(Qt::TextShowMnemonic, caption).width() +
                         fm.horizontalAdvance(MenuShortcutText(shortcut));
        QSize expected;
        if (separator)
            expected = QSize(withImages ? 39 : 35, 5);
        else if (withImages)
            expected = QSize(text + 24 + 15, std::max(std::max(fm.height(), 16) + 4, 18));
        else
            expected = QSize(text + 35, std::max(fm.height(), 18));
        QCOMPARE(P().MeasureItem(menu.Option(item), &menu), expected);
    }

    // The menu is as wide as its widest item measures, the desktop's check-mark room and
    // the frame; the shortcuts are not counted twice.
    void menuWidth()
    {
        TProbeMenu menu;
        QAction* copy = menu.addAction(QStringLiteral("&Copy"));
        copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
        QAction* clear = menu.addAction(QStringLiteral("Clear C&urrent Page"));
        menu.addSeparator();
        QAction* antiboss = menu.addAction(QStringLiteral("&Antiboss!"));
        antiboss->setShortcut(QKeySequence(Qt::Key_Pause));
        P().Attach(&menu);
        int widest = 0;
        int height = 0;
        for (QAction* a : menu.actions()) {
            const QSize size = P().MeasureItem(menu.Option(a), &menu);
            widest = std::max(widest, size.width());
            height += size.height();
        }
        (void)clear;
        QCOMPARE(menu.sizeHint().width(), widest + 12 + 2);
        QCOMPARE(menu.sizeHint().height(), height + 2 * 2 + 2);
    }

    // Top-level items of the bar are measured by the desktop's style, not by the painter.
    void barItemMeasuredByTheStyle()
    {
        TProbeBar bar;
        QMenu* file = bar.addMenu(QStringLiteral("&File"));
        P().Attach(&bar);
        const QStyleOptionMenuItem option = bar.Option(file->menuAction());
        const QSize contents(40, 16);
        QCOMPARE(
            P().sizeFromContents(QStyle::CT_MenuBarItem, &option, contents, &bar),
            P().baseStyle()->sizeFromContents(QStyle::CT_MenuBarItem, &option, contents, &bar));
    }

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

    // A whole menu painted as it would show: frame, gutter, item colour, a coloured caption
    // and the selected item's frame.
    void renderedMenu()
    {
        QMenu menu;
        QAction* copy = menu.addAction(Solid(Qt::blue), QStringLiteral("&Copy"));
        copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
        QAction* plain = menu.addAction(QStringLiteral("Clear &All"));
        menu.addSeparator();
        QAction* red = menu.addAction(QStringLiteral("Red"));
        red->setCheckable(true);
        SetMenuItemTag(*red, 109);
        P().Attach(&menu);
        menu.resize(menu.sizeHint());
        menu.setActiveAction(copy);
        const QImage image = menu.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const auto scaled = [ratio](const QRect& r) {
            return QRect((r.topLeft() * ratio), r.size() * ratio);
        };
        QCOMPARE(At(image, 0, 0), Role(QPalette::Dark));
        const QRect plainRect = scaled(menu.actionGeometry(plain));
        QCOMPARE(At(image, plainRect.left() + 1, plainRect.center().y()), P().GutterColor);
        QCOMPARE(At(image, plainRect.right() - 1, plainRect.center().y()), P().ItemColor);
        const QRect copyRect = scaled(menu.actionGeometry(copy));
        QCOMPARE(At(image, copyRect.left(), copyRect.center().y()), QColor(Qt::black));
        QCOMPARE(At(image, copyRect.right() - 1, copyRect.top() + 1), P().SelectedColor);
        QVERIFY(HasColor(image, scaled(menu.actionGeometry(red)), QColor(255, 0, 0)));
        QVERIFY(!HasColor(image, plainRect, QColor(255, 0, 0)));
    }
};

QTEST_MAIN(TestRyMenus)
#include "tst_rymenus.moc"
