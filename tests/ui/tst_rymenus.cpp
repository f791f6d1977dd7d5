// The menu painter on real menus: its colours, attaching, measures, and a menu painted whole.
#include "MenuPictures.h"

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
        menu.addAction(QStringLiteral("Clear C&urrent Page"));
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
