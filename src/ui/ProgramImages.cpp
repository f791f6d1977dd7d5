#include "ui/ProgramImages.h"

#include <QFile>
#include <QString>

#include <iterator>

// Outside any namespace: the macro declares the resource's registration function.
static void RegisterIcons()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace {

QString IconPath(const QString& name)
{
    return QStringLiteral(":/icons/") + name + QStringLiteral(".png");
}

// Qt picks "@2x" from a plain path only when the display is already scaled as the icon is
// made; naming every file makes the icon sharp wherever the window goes.
QIcon FromResource(const char* name)
{
    RegisterIcons();
    const QString base = QString::fromLatin1(name);
    QIcon icon;
    for (const auto& [suffix, mode] : {std::pair{QString(), QIcon::Normal},
                                       std::pair{QStringLiteral("-disabled"), QIcon::Disabled}}) {
        for (const QString& scale : {QString(), QStringLiteral("@2x")}) {
            const QString path = IconPath(base + suffix + scale);
            if (QFile::exists(path))
                icon.addFile(path, {}, mode);
        }
    }
    return icon;
}

} // namespace

QIcon MenuGlyph(int index)
{
    static const char* const names[] = {
        "antiboss",
        "cut",
        "copy",
        "paste",
        "font-size-minus",
        "font-size-plus",
        "help-contents",
        "save-session",
        "update-contacts",
        "font-color",
        "font",
        "sort-by-gender",
        "sort-by-nick",
        "preferences",
        "web",
        "about",
        "emoticons",
    };
    if (index < 0 || index >= int(std::size(names)))
        return {};
    return FromResource(names[index]);
}

QIcon ContactImage(int index)
{
    static const char* const names[] = {
        "contact-undefined", "contact-undefined-hidden", "contact-male",    "contact-male-hidden",
        "contact-female",    "contact-female-hidden",    "contact-ignored",
    };
    if (index < 0 || index >= int(std::size(names)))
        return {};
    return FromResource(names[index]);
}

QIcon AppIcon(bool messageWaiting)
{
    RegisterIcons();
    QIcon icon;
    const QString base = messageWaiting ? QStringLiteral("tray-message-") : QStringLiteral("app-");
    for (int size : {16, 22, 24, 32, 44, 48, 64, 128, 256}) {
        const QString path = IconPath(base + QString::number(size));
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

QIcon UnhideGlyph()
{
    return FromResource("unhide-contacts");
}

QIcon TrademarkImage()
{
    return FromResource("about-logo");
}
