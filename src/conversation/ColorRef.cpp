#include "conversation/ColorRef.h"

QColor ColorFromRef(std::uint32_t color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}
