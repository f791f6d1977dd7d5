#pragma once

#include <QByteArray>
#include <QCollator>
#include <QHash>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// One peer as the chat knows it. Nick is 8-bit text of the network's code page, at most
// 32 bytes; Gender is the wire code (0 male, 1 female, 2 undefined, anything else kept).
struct TContactInfo {
    QByteArray Nick;
    std::uint8_t Gender = 2;
    bool Ignored = false;
    bool Hidden = false;
};

// What a list widget implements to mirror a TContactList. Rows are positions in the
// caption order (TContactList::ViewOrder); the list tells the view every change, so the
// view never sorts by itself.
class IContactView
{
public:
    virtual ~IContactView() = default;
    virtual void InsertItem(int row, const QString& caption, int image) = 0;
    virtual void RemoveItem(int row) = 0;
    virtual void SetItemImage(int row, int image) = 0;
    virtual void ClearItems() = 0;
};

// The engine's picture of who is present: records in arrival order, keyed by the exact
// bytes of the nickname, plus the caption order (locale-aware, case-insensitive) in which
// a view shows them. The caption order is kept whether or not a view is attached.
class TContactList final
{
public:
    using TContactCallback = std::function<void(const QByteArray& nick)>;

    // Run by ContactClicked: a plain click addresses the contact, a click with Shift, Ctrl
    // or Alt quotes it. Either may be unset.
    TContactCallback OnAddressContact;
    TContactCallback OnQuoteContact;

    TContactList();
    ~TContactList();
    Q_DISABLE_COPY_MOVE(TContactList)

    // Stores the first 32 bytes of nick. False, and nothing changes, when that stored form
    // is already a contact: a nickname occurs at most once.
    bool Add(const QByteArray& nick, std::uint8_t gender);
    // Exact byte comparison against the stored nicknames; nullptr when absent.
    TContactInfo* Find(const QByteArray& nick);
    const TContactInfo* Find(const QByteArray& nick) const;
    // True when the contact was there.
    bool RemoveByNick(const QByteArray& nick);
    // False when nick is not a contact; otherwise the view row gets its new image.
    bool SetHidden(const QByteArray& nick, bool hidden);
    bool SetIgnored(const QByteArray& nick, bool ignored);
    void Clear();
    // Makes other an equal copy, flags included; other keeps its own view and callbacks.
    void CopyTo(TContactList& other) const;

    static int ContactImageIndex(const TContactInfo& contact);

    // Both orders are the one caption order; contacts are never grouped by gender.
    void SortByNick();
    void SortByGender();

    // Fills view with the current contacts (after clearing it) and keeps it in step from
    // then on; nullptr detaches. The view must outlive its attachment.
    void AttachView(IContactView* view);
    IContactView* View() const { return FView; }

    int Count() const { return static_cast<int>(FRecords.size()); }
    // Arrival order; i in [0, Count()).
    const TContactInfo& Item(int i) const;
    // Caption order: what row r of an attached view shows.
    std::vector<const TContactInfo*> ViewOrder() const;
    // The contact shown in row, or nullptr outside the rows.
    const TContactInfo* ViewItem(int row) const;
    int ViewRow(const QByteArray& nick) const;

    // The view reports a left click on row; modifier is Shift, Ctrl or Alt held.
    void ContactClicked(int row, bool modifier);

private:
    struct TViewEntry {
        TContactInfo* Info;
        QString Caption;
    };

    int IndexOf(const TContactInfo* info) const;
    int RowOf(const TContactInfo* info) const;
    bool CaptionLess(const QString& a, const QString& b) const;
    void RefreshImage(const TContactInfo* info);
    void FillView();

    std::vector<std::unique_ptr<TContactInfo>> FRecords;
    // Every datagram looks its sender up; the index keeps that constant-time however many
    // peers there are. Nicknames are unique, so it finds what a scan in arrival order would.
    QHash<QByteArray, TContactInfo*> FByNick;
    std::vector<TViewEntry> FOrder;
    QCollator FCollator;
    IContactView* FView = nullptr;
};
