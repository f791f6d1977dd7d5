#include "chat/ContList.h"

#include "net/ChatDatagram.h"
#include "platform/CodePage.h"

#include <QLocale>

#include <algorithm>

TContactList::TContactList() : FCollator(QLocale())
{
    FCollator.setCaseSensitivity(Qt::CaseInsensitive);
    FRecords.reserve(10);
    FOrder.reserve(10);
}

TContactList::~TContactList() = default;

bool TContactList::Add(const QByteArray& nick, std::uint8_t gender)
{
    // Looking up the stored (cut) form keeps a 40-byte nick from becoming a second record
    // of the 32-byte nick it shares its start with.
    const QByteArray stored = nick.left(Datagram::NickCapacity);
    if (FByNick.contains(stored))
        return false;

    auto record = std::make_unique<TContactInfo>();
    record->Nick = stored;
    record->Gender = gender;
    TViewEntry entry{record.get(), FromAnsi(stored)};
    FByNick.insert(stored, record.get());
    FRecords.push_back(std::move(record));

    // Binary insertion after every equal caption: equal captions keep their arrival order,
    // and a thousand arrivals cost n log n comparisons, not n squared.
    const auto at = std::upper_bound(FOrder.begin(), FOrder.end(), entry.Caption,
                                     [this](const QString& caption, const TViewEntry& e) {
                                         return CaptionLess(caption, e.Caption);
                                     });
    const int row = static_cast<int>(at - FOrder.begin());
    FOrder.insert(at, entry);
    if (FView)
        FView->InsertItem(row, entry.Caption, ContactImageIndex(*entry.Info));
    return true;
}

TContactInfo* TContactList::Find(const QByteArray& nick)
{
    return FByNick.value(nick, nullptr);
}

const TContactInfo* TContactList::Find(const QByteArray& nick) const
{
    return FByNick.value(nick, nullptr);
}

bool TContactList::RemoveByNick(const QByteArray& nick)
{
    const TContactInfo* contact = Find(nick);
    if (!contact)
        return false;
    const int i = IndexOf(contact);
    const int row = RowOf(contact);
    FOrder.erase(FOrder.begin() + row);
    if (FView)
        FView->RemoveItem(row);
    FByNick.remove(contact->Nick);
    FRecords.erase(FRecords.begin() + i);
    return true;
}

bool TContactList::SetHidden(const QByteArray& nick, bool hidden)
{
    TContactInfo* contact = Find(nick);
    if (!contact)
        return false;
    contact->Hidden = hidden;
    RefreshImage(contact);
    return true;
}

bool TContactList::SetIgnored(const QByteArray& nick, bool ignored)
{
    TContactInfo* contact = Find(nick);
    if (!contact)
        return false;
    contact->Ignored = ignored;
    RefreshImage(contact);
    return true;
}

void TContactList::Clear()
{
    FByNick.clear();
    FOrder.clear();
    FRecords.clear();
    if (FView)
        FView->ClearItems();
}

void TContactList::CopyTo(TContactList& other) const
{
    if (&other == this)
        return;
    other.Clear();
    for (const auto& record : FRecords) {
        other.Add(record->Nick, record->Gender);
        other.SetIgnored(record->Nick, record->Ignored);
        other.SetHidden(record->Nick, record->Hidden);
    }
}

int TContactList::ContactImageIndex(const TContactInfo& contact)
{
    if (contact.Ignored)
        return 6;
    const int hidden = contact.Hidden ? 1 : 0;
    switch (contact.Gender) {
    case 0:
        return 2 + hidden;
    case 2:
        return 0 + hidden;
    default:
        return 4 + hidden;
    }
}

void TContactList::SortByNick()
{
    // The order is kept sorted on every insertion; a new sort only matters if the
    // collation itself changed, and then the view is rebuilt to match.
    auto sorted = FOrder;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [this](const TViewEntry& a, const TViewEntry& b) {
                         return CaptionLess(a.Caption, b.Caption);
                     });
    const bool same =
        std::equal(sorted.begin(), sorted.end(), FOrder.begin(),
                   [](const TViewEntry& a, const TViewEntry& b) { return a.Info == b.Info; });
    if (same)
        return;
    FOrder = std::move(sorted);
    FillView();
}

void TContactList::SortByGender()
{
    SortByNick();
}

void TContactList::AttachView(IContactView* view)
{
    FView = view;
    FillView();
}

const TContactInfo& TContactList::Item(int i) const
{
    Q_ASSERT(i >= 0 && i < Count());
    return *FRecords[i];
}

std::vector<const TContactInfo*> TContactList::ViewOrder() const
{
    std::vector<const TContactInfo*> order;
    order.reserve(FOrder.size());
    for (const TViewEntry& entry : FOrder)
        order.push_back(entry.Info);
    return order;
}

const TContactInfo* TContactList::ViewItem(int row) const
{
    if (row < 0 || row >= static_cast<int>(FOrder.size()))
        return nullptr;
    return FOrder[row].Info;
}

int TContactList::ViewRow(const QByteArray& nick) const
{
    const TContactInfo* contact = Find(nick);
    return contact ? RowOf(contact) : -1;
}

void TContactList::ContactClicked(int row, bool modifier)
{
    const TContactInfo* contact = ViewItem(row);
    if (!contact)
        return;
    // A copy: the callback may change the list and so release the record.
    const QByteArray nick = contact->Nick;
    const TContactCallback& callback = modifier ? OnQuoteContact : OnAddressContact;
    if (callback)
        callback(nick);
}

int TContactList::IndexOf(const TContactInfo* info) const
{
    const auto it = std::find_if(FRecords.begin(), FRecords.end(),
                                 [info](const auto& record) { return record.get() == info; });
    return static_cast<int>(it - FRecords.begin());
}

int TContactList::RowOf(const TContactInfo* info) const
{
    const auto it = std::find_if(FOrder.begin(), FOrder.end(),
                                 [info](const TViewEntry& e) { return e.Info == info; });
    return it == FOrder.end() ? -1 : static_cast<int>(it - FOrder.begin());
}

bool TContactList::CaptionLess(const QString& a, const QString& b) const
{
    return FCollator.compare(a, b) < 0;
}

void TContactList::RefreshImage(const TContactInfo* info)
{
    if (FView)
        FView->SetItemImage(RowOf(info), ContactImageIndex(*info));
}

void TContactList::FillView()
{
    if (!FView)
        return;
    FView->ClearItems();
    for (int row = 0; row < static_cast<int>(FOrder.size()); ++row)
        FView->InsertItem(row, FOrder[row].Caption, ContactImageIndex(*FOrder[row].Info));
}
