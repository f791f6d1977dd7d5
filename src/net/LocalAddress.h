#pragma once

#include "net/EnumNetworkItfs.h"

#include <cstdint>
#include <vector>

// The address the status bar shows for this machine, from the addresses its host name looks
// up to (network order, in the resolver's order). Debian maps the host name to 127.0.1.1, an
// address no peer can reach, so loopback results are passed over; when nothing else is left
// the address of the adapter the chat sends through (the one whose broadcast address is the
// destination, else the first) stands in. 0 when there is neither.
std::uint32_t ChooseLocalAddress(const std::vector<std::uint32_t>& lookedUp,
                                 const TNetInterfaceInfoList& adapters, std::uint32_t broadcast);
