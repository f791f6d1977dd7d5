#include "net/BroadcastChoice.h"

#include "net/IpAddress.h"

TBroadcastChoice ChooseBroadcastAddress(const QString& setting,
                                        const TNetInterfaceInfoList& adapters)
{
    TBroadcastChoice choice;
    choice.storedText = setting;
    QString text = setting.trimmed();
    if (text.isEmpty()) {
        text = adapters.Count() > 0 ? AddressToDotted(adapters.Item(0).Broadcast)
                                    : QStringLiteral("255.255.255.255");
        choice.storedText = text;
    }
    choice.address = DottedToAddress(text);
    return choice;
}
