#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>

// Colour values as the wire and the settings carry them: 0x00BBGGRR, red in the low byte.
QColor ColorFromValue(std::uint32_t value);
// The colour's red, green and blue as a colour value; alpha is dropped.
std::uint32_t ColorValue(const QColor& color);

// One entry of the colour menu: its caption in the string table and its colour value.
struct TColorEntry {
    int CaptionId = 0;
    std::uint32_t Value = 0;
};

// The colour menu of the user's messages, in menu order: these 11 colours, a separator at
// ColorMenuSeparator and "<more...>" (a free colour from the colour dialog) at ColorMenuMore.
inline constexpr int ColorTableCount = 11;
inline constexpr int ColorMenuSeparator = 11;
inline constexpr int ColorMenuMore = 12;
const std::array<TColorEntry, ColorTableCount>& ColorTable();

// The caption of a menu entry (0..10 or ColorMenuMore) from the string table; empty for the
// separator and anything else.
QString ColorMenuCaption(int index);

// The menu entry to check for a colour: the table entry of that value, else ColorMenuMore.
int ColorMenuIndexOf(std::uint32_t value);
