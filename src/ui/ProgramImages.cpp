#include "ui/ProgramImages.h"

#include <QString>

namespace {

QIcon FromResource(const char* name)
{
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".png"));
}

} // namespace

QIcon MenuGlyph(int index)
{
    static const char* const names[] = {
        "antiboss",  "cut",         "copy",    "paste", "font-smaller", "font-larger",
        "help",      "save",        "refresh", "color", "font",         "sort-gender",
        "sort-nick", "preferences", "web",     "about", "emoticons",
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

QIcon AppIcon()
{
    return FromResource("app");
}

QIcon UnhideGlyph()
{
    return FromResource("unhide");
}
