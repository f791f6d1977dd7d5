#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// IPv4 addresses as the sockets interface keeps them: 32 bits in network byte order.

// The platform's dotted-address conversion (inet_addr): besides a.b.c.d it takes the short,
// octal and hexadecimal forms. A text it cannot read converts to 255.255.255.255, the
// conversion's own failure value, so a mistyped destination still reaches the local segment.
std::uint32_t DottedToAddress(QStringView text);

// "192.168.1.20".
QString AddressToDotted(std::uint32_t addressNetworkOrder);
