#include "conversation/ColorTable.h"

#include "lang/Lang.h"
#include "lang/LngDefId.h"

QColor ColorFromValue(std::uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

std::uint32_t ColorValue(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return std::uint32_t(rgb.red()) | std::uint32_t(rgb.green()) << 8 |
           std::uint32_t(rgb.blue()) << 16;
}

const std::array<TColorEntry, ColorTableCount>& ColorTable()
{
    static const std::array<TColorEntry, ColorTableCount> table = {{
        {sidColorBlack, 0x000000},
        {sidColorBlue, 0xFF0000},
        {sidColorDkGray, 0x808080},
        {sidColorFuchsia, 0xFF00FF},
        {sidColorGreen, 0x008000},
        {sidColorMaroon, 0x000080},
        {sidColorNavy, 0x800000},
        {sidColorOlive, 0x008080},
        {sidColorPurple, 0x800080},
        {sidColorRed, 0x0000FF},
        {sidColorTeal, 0x808000},
    }};
    return table;
}

QString ColorMenuCaption(int index)
{
    if (index >= 0 && index < ColorTableCount)
        return AppLang().GetString(ColorTable()[index].CaptionId);
    if (index == ColorMenuMore)
        return AppLang().GetString(sidColorMore);
    return {};
}

int ColorMenuIndexOf(std::uint32_t value)
{
    for (int i = 0; i < ColorTableCount; ++i)
        if (ColorTable()[i].Value == value)
            return i;
    return ColorMenuMore;
}
