#pragma once

#include <QString>

// Formats a text of the string table with a nickname as its one string argument, the way the
// texts have always been written: "%s" takes the nick, with the optional parts of
// "%[index:][-][width][.precision]s" (index 0 only, "-" pads on the right, precision cuts);
// "%%" is a percent sign. When the pattern does not fit one string argument (another type
// such as %d, a second argument, an index other than 0, "*", a malformed or oversized
// specifier) the pattern is returned unchanged. The nick is inserted as plain text and is
// never scanned for specifiers itself.
QString FormatWithNick(const QString& pattern, const QString& nick);
