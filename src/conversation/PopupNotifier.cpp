#include "conversation/PopupNotifier.h"

TPopupMode ChoosePopupMode(QStringView platformName)
{
    return platformName.startsWith(u"wayland") ? TPopupMode::Notification : TPopupMode::Window;
}
