#include "net/EnumNetworkItfs.h"

#include "net/IpAddress.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <utility>

namespace {

std::uint32_t AddressOf(const sockaddr* address)
{
    return address ? reinterpret_cast<const sockaddr_in*>(address)->sin_addr.s_addr : 0;
}

} // namespace

std::vector<TRawNetInterface> ReadSystemNetInterfaces()
{
    std::vector<TRawNetInterface> result;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return result;
    for (const ifaddrs* it = list; it; it = it->ifa_next) {
        if (!it->ifa_addr || it->ifa_addr->sa_family != AF_INET)
            continue;
        TRawNetInterface raw;
        if (it->ifa_flags & IFF_UP)
            raw.Flags |= TRawNetInterface::Up;
        if (it->ifa_flags & IFF_LOOPBACK)
            raw.Flags |= TRawNetInterface::Loopback;
        if (it->ifa_flags & IFF_POINTOPOINT)
            raw.Flags |= TRawNetInterface::PointToPoint;
        raw.Address = AddressOf(it->ifa_addr);
        raw.Netmask = AddressOf(it->ifa_netmask);
        result.push_back(raw);
    }
    freeifaddrs(list);
    return result;
}

TNetInterfaceInfo::TNetInterfaceInfo(const TNetInterfaceInfoList& owner,
                                     const TRawNetInterface& raw)
    : Owner(&owner), IsUp(raw.Flags & TRawNetInterface::Up), Address(raw.Address),
      Netmask(raw.Netmask), Broadcast(~raw.Netmask | raw.Address),
      IsLoopback(raw.Flags & TRawNetInterface::Loopback),
      IsPointToPoint(raw.Flags & TRawNetInterface::PointToPoint)
{
}

TNetInterfaceInfoList::TNetInterfaceInfoList(TNetInterfaceSource source)
    : FSource(std::move(source))
{
}

TNetInterfaceInfoList::~TNetInterfaceInfoList() = default;

const TNetInterfaceInfo& TNetInterfaceInfoList::Item(int index) const
{
    return *FItems.at(static_cast<std::size_t>(index));
}

int TNetInterfaceInfoList::IndexOf(const TNetInterfaceInfo* info) const
{
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<std::size_t>(i)].get() == info)
            return i;
    return -1;
}

void TNetInterfaceInfoList::Fill()
{
    Clear();
    if (!FSource)
        return;
    for (const TRawNetInterface& raw : FSource()) {
        if (Count() == MaxInterfaces)
            break;
        FItems.push_back(std::make_unique<TNetInterfaceInfo>(*this, raw));
    }
}

void TNetInterfaceInfoList::Refresh()
{
    Fill();
    for (int i = Count() - 1; i >= 0; --i) {
        const TNetInterfaceInfo& info = Item(i);
        if (!info.IsUp || info.IsLoopback)
            Delete(i);
    }
}

const TNetInterfaceInfo* TNetInterfaceInfoList::FindByBroadcast(const QString& dotted) const
{
    if (FItems.empty())
        return nullptr;
    const std::uint32_t wanted = DottedToAddress(dotted);
    for (const auto& item : FItems)
        if (item->Broadcast == wanted)
            return item.get();
    return FItems.front().get();
}

QString TNetInterfaceInfoList::Describe(const TNetInterfaceInfo& info) const
{
    return QStringLiteral("Adapter #") + QString::number(IndexOf(&info) + 1) +
           QStringLiteral(" (") + AddressToDotted(info.Address) + QStringLiteral(" / ") +
           AddressToDotted(info.Netmask) + QStringLiteral(") Broadcast: ") +
           AddressToDotted(info.Broadcast);
}

void TNetInterfaceInfoList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    FItems.erase(FItems.begin() + index);
}

void TNetInterfaceInfoList::Clear()
{
    while (!FItems.empty())
        FItems.pop_back();
}

TAvailableNetInterfaces::TAvailableNetInterfaces()
{
    Refresh();
}

TAvailableNetInterfaces& AvailableNetInterfaces()
{
    static TAvailableNetInterfaces list;
    return list;
}
