#pragma once

#include "net/EnumNetworkItfs.h"

#include <QString>

#include <cstdint>

// Where the chat sends to, as worked out from setting broadcast_ip.
struct TBroadcastChoice {
    // The value the setting holds afterwards: the setting itself unless it was blank, in which
    // case the first adapter's broadcast address (or "255.255.255.255" without adapters).
    QString storedText;
    // Network order; 255.255.255.255 for a text that is not a dotted address.
    std::uint32_t address = 0;

    bool operator==(const TBroadcastChoice&) const = default;
};

TBroadcastChoice ChooseBroadcastAddress(const QString& setting,
                                        const TNetInterfaceInfoList& adapters);
