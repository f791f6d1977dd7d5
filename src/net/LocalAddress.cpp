#include "net/LocalAddress.h"

#include "net/IpAddress.h"

#include <arpa/inet.h>

namespace {
bool IsLoopbackOrAny(std::uint32_t addressNetworkOrder)
{
    const std::uint32_t host = ntohl(addressNetworkOrder);
    return host == 0 || (host >> 24) == 127;
}
} // namespace

std::uint32_t ChooseLocalAddress(const std::vector<std::uint32_t>& lookedUp,
                                 const TNetInterfaceInfoList& adapters, std::uint32_t broadcast)
{
    for (const std::uint32_t address : lookedUp)
        if (!IsLoopbackOrAny(address))
            return address;
    if (const TNetInterfaceInfo* inUse = adapters.FindByBroadcast(AddressToDotted(broadcast)))
        return inUse->Address;
    return 0;
}
