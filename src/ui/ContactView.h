#pragma once

#include "chat/ContList.h"

#include <QListWidget>

#include <functional>

class QMenu;

// lvClients: the contact list as the user sees it, kept in step by the TContactList it is
// attached to, which it tells of the user's clicks. One row per contact, the nickname as
// caption, the picture of ContactImageIndex; never sorted by itself.
class TContactView final : public QListWidget, public IContactView
{
    Q_OBJECT
public:
    explicit TContactView(QWidget* parent = nullptr);

    // The list whose rows this view shows; it gets the left clicks.
    void SetContactList(TContactList* list) { FList = list; }
    // PopupMenuClients: opened by the right button at the pointer; before it opens, the
    // row under the pointer (or none, -1) is given to onOpen.
    void SetContactsMenu(QMenu* menu, std::function<void(int row)> onOpen);
    // The row the right button was last pressed on, -1 for none.
    int FocusedRow() const { return FFocusedRow; }

    // IContactView
    void InsertItem(int row, const QString& caption, int image) override;
    void RemoveItem(int row) override;
    void SetItemImage(int row, int image) override;
    void ClearItems() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void ClearFocusAndSelection();

    TContactList* FList = nullptr;
    QMenu* FMenu = nullptr;
    std::function<void(int)> FOnMenuOpen;
    int FFocusedRow = -1;
};
