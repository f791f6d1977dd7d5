#pragma once

#include <QColor>

#include <cstdint>

// A colour as the wire and the settings keep it: 0x00BBGGRR, red in the low byte; the high
// byte is not looked at.
QColor ColorFromRef(std::uint32_t color);
