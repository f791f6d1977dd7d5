#include "conversation/EmoticonMenu.h"

#include "conversation/EditorWidget.h"
#include "conversation/Emoticons.h"

#include <QGridLayout>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QWidgetAction>

namespace {
constexpr int RowsPerColumn = 2;
// What a menu adds on each side of an item's own width.
constexpr int ItemMargin = 5;
} // namespace

QSize EmoticonItemSize(QSize imageSize)
{
    return {imageSize.width() * 3 / 4 + 2 * ItemMargin, imageSize.height() + 10};
}

void BuildEmoticonMenu(QMenu& menu, const QList<QImage>& images, const TEmoticonClick& onClick)
{
    menu.clear();
    auto* grid = new QWidget(&menu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (int tag = 0; tag < images.size(); ++tag) {
        auto* item = new QToolButton(grid);
        item->setObjectName(QStringLiteral("emoticon%1").arg(tag));
        item->setAutoRaise(true);
        item->setFocusPolicy(Qt::NoFocus);
        item->setIcon(QPixmap::fromImage(images[tag]));
        item->setIconSize(images[tag].size());
        item->setFixedSize(EmoticonItemSize(images[tag].size()));
        item->setToolTip(AppEmoticons().CodeOf(tag));
        QObject::connect(item, &QToolButton::clicked, &menu, [&menu, onClick, tag] {
            menu.close();
            if (onClick)
                onClick(tag);
        });
        layout->addWidget(item, tag % RowsPerColumn, tag / RowsPerColumn);
    }
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(grid);
    menu.addAction(action);
}

void btEmoticonsClick(QMenu& popupMenuEmoticons, const QWidget& btEmoticons)
{
    popupMenuEmoticons.popup(btEmoticons.mapToGlobal(QPoint(0, btEmoticons.height())));
}

void EmoticonMenuItemClick(QPlainTextEdit& edMsg, int tag)
{
    InsertTextAtCaret(edMsg, AppEmoticons().CodeOf(tag) + QLatin1Char(' '));
}
