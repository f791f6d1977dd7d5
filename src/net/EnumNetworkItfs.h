#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TNetInterfaceInfoList;

// An adapter as the platform reports it; addresses in network order.
struct TRawNetInterface {
    enum Flag : unsigned { Up = 1, Loopback = 4, PointToPoint = 8 };
    unsigned Flags = 0;
    std::uint32_t Address = 0;
    std::uint32_t Netmask = 0;
};

// Where Fill reads the adapters from. Tests give a fixed list; the program uses
// ReadSystemNetInterfaces.
using TNetInterfaceSource = std::function<std::vector<TRawNetInterface>()>;

// The IPv4 adapters of this machine that are configured (getifaddrs), in the platform's order.
std::vector<TRawNetInterface> ReadSystemNetInterfaces();

// One adapter, owned by the list that holds it. Addresses in network order; Broadcast is
// derived from Address and Netmask, never taken from the platform.
struct TNetInterfaceInfo {
    TNetInterfaceInfo(const TNetInterfaceInfoList& owner, const TRawNetInterface& raw);

    const TNetInterfaceInfoList* Owner;
    bool IsUp;
    std::uint32_t Address;
    std::uint32_t Netmask;
    std::uint32_t Broadcast;
    bool IsLoopback;
    bool IsPointToPoint;
};

// An ordered list of adapters that owns its records.
class TNetInterfaceInfoList
{
public:
    // At most this many adapters are listed, as many as the interface-list request of the
    // original platform could return into its buffer.
    static constexpr int MaxInterfaces = 13;

    explicit TNetInterfaceInfoList(TNetInterfaceSource source = ReadSystemNetInterfaces);
    virtual ~TNetInterfaceInfoList();
    TNetInterfaceInfoList(const TNetInterfaceInfoList&) = delete;
    TNetInterfaceInfoList& operator=(const TNetInterfaceInfoList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    // index in 0..Count()-1 (std::out_of_range otherwise).
    const TNetInterfaceInfo& Item(int index) const;
    // -1 for a record of another list.
    int IndexOf(const TNetInterfaceInfo* info) const;

    // Every adapter the source reports (at most MaxInterfaces), in its order.
    void Fill();
    // Fill, without the adapters that are down and without the loopback adapter.
    void Refresh();

    // The first adapter whose broadcast address is the dotted text, else the first adapter;
    // nullptr on an empty list.
    const TNetInterfaceInfo* FindByBroadcast(const QString& dotted) const;
    // "Adapter #1 (192.168.1.20 / 255.255.255.0) Broadcast: 192.168.1.255".
    QString Describe(const TNetInterfaceInfo& info) const;

    // An index outside the list deletes nothing.
    void Delete(int index);
    void Clear();

private:
    TNetInterfaceSource FSource;
    std::vector<std::unique_ptr<TNetInterfaceInfo>> FItems;
};

// The program's adapter list: the machine's adapters, refreshed when it is created.
class TAvailableNetInterfaces final : public TNetInterfaceInfoList
{
public:
    TAvailableNetInterfaces();
};

// The one program-wide list, created and refreshed at the first call.
TAvailableNetInterfaces& AvailableNetInterfaces();
