#include "ui/ContactView.h"

#include "ui/ProgramImages.h"

#include <QMenu>
#include <QMouseEvent>

TContactView::TContactView(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("lvClients"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void TContactView::SetContactsMenu(QMenu* menu, std::function<void(int)> onOpen)
{
    FMenu = menu;
    FOnMenuOpen = std::move(onOpen);
}

void TContactView::InsertItem(int row, const QString& caption, int image)
{
    auto* item = new QListWidgetItem(ContactImage(image), caption);
    // A nickname is shown, never taken for anything else.
    item->setFlags(Qt::ItemIsEnabled);
    insertItem(row, item);
}

void TContactView::RemoveItem(int row)
{
    delete takeItem(row);
}

void TContactView::SetItemImage(int row, int image)
{
    if (QListWidgetItem* it = item(row))
        it->setIcon(ContactImage(image));
}

void TContactView::ClearItems()
{
    clear();
}

void TContactView::ClearFocusAndSelection()
{
    clearSelection();
    setCurrentRow(-1, QItemSelectionModel::Clear);
}

void TContactView::mouseMoveEvent(QMouseEvent* event)
{
    ClearFocusAndSelection();
    const bool overItem = itemAt(event->position().toPoint()) != nullptr;
    viewport()->setCursor(overItem ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TContactView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const int row = index.isValid() ? index.row() : -1;
    if (event->button() == Qt::LeftButton) {
        const bool modifier =
            event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (FList && row >= 0)
            FList->ContactClicked(row, modifier);
        ClearFocusAndSelection();
    } else if (event->button() == Qt::RightButton) {
        FFocusedRow = row;
        if (FOnMenuOpen)
            FOnMenuOpen(row);
        if (FMenu)
            FMenu->popup(event->globalPosition().toPoint());
    }
    event->accept();
}
