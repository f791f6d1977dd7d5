#include "net/IpAddress.h"

#include <arpa/inet.h>

std::uint32_t DottedToAddress(QStringView text)
{
    // A NUL inside the text would end the C string early and let "1.2.3.4\0junk" pass.
    if (text.contains(QChar(u'\0')))
        return INADDR_NONE;
    return inet_addr(text.toLatin1().constData());
}

QString AddressToDotted(std::uint32_t addressNetworkOrder)
{
    in_addr address{};
    address.s_addr = addressNetworkOrder;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}
