#pragma once

#include "config/RegistryDocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The text syntax of a registry export (what regedit writes and imports):
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\SOFTWARE\Quorbane Software\Zelkit Chat]
//   "udp_port"=dword:0000255f
//   "user_name"=hex:41,00,6e,00,6e,00,00,00
//   "note"="C:\\temp \"quoted\""
//   @="default value"
//   "path"=hex(2):25,00,54,00,\  <- continues on the next line
//     00,00
//
// Reads UTF-8 (with or without a BOM) and UTF-16LE with a BOM, as Windows exports it, with
// any line ends. Data forms other than "text", dword: and hex...: (a "-" deletion mark, say)
// are kept as they stand. Anything else (a wrong header, a line that is none of section,
// value, comment or blank, malformed hex or dword data, text that is not valid in its
// encoding) makes the whole text unreadable: a half-understood file is never rewritten.
inline constexpr char RegistryHeader[] = "Windows Registry Editor Version 5.00";

// A text holding nothing but blanks is an empty document.
std::optional<TRegistryDocument> ParseRegistryText(QByteArrayView bytes, QString* error = nullptr);

// UTF-8 without BOM, LF line ends; long hex data is wrapped at 80 columns as regedit does.
// A REG_SZ whose text cannot stand between quotes on one line (line breaks, embedded zeros,
// no terminating zero) is written as hex(1): so that its bytes survive. Parsing the result
// gives back an equal document, provided every section path and value name passes
// IsStorableRegName.
QByteArray SerializeRegistryText(const TRegistryDocument& document);

// A name or path that can be written on one line and read back unchanged: no line break,
// no unpaired surrogate.
bool IsStorableRegName(QStringView text);
