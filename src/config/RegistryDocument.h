#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

// Registry data types as the registry numbers them.
namespace RegType {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t String = 1;
inline constexpr std::uint32_t ExpandString = 2;
inline constexpr std::uint32_t Binary = 3;
inline constexpr std::uint32_t DWord = 4;
inline constexpr std::uint32_t MultiString = 7;
inline constexpr std::uint32_t QWord = 11;
} // namespace RegType

// One line of a key: a typed value, a value whose data form we do not understand (kept as
// the text after "="), or a ";" comment (kept so that a hand-edited file loses nothing).
struct TRegValue {
    enum Form : std::uint8_t { Typed, Verbatim, Comment };

    Form form = Typed;
    // Empty for the default value "@"; the text of the line for a comment.
    QString Name;
    std::uint32_t Type = RegType::None;
    // The bytes as the registry holds them: a DWORD is 4 bytes little-endian, a REG_SZ is
    // UTF-16LE with its terminating zero unit.
    QByteArray Data;
    QString Text; // Verbatim data

    bool IsValue() const { return form != Comment; }
    bool operator==(const TRegValue&) const = default;
};

struct TRegSection {
    QString Path; // "HKEY_CURRENT_USER\SOFTWARE\..."
    QList<TRegValue> Values;

    bool operator==(const TRegSection&) const = default;
};

// The contents of a registry export in file order. Section paths and value names compare
// without regard to case, as the registry compares them; the spelling first seen is kept.
class TRegistryDocument final
{
public:
    QStringList Preamble; // comments before the first section
    QList<TRegSection> Sections;

    bool operator==(const TRegistryDocument&) const = default;

    const TRegSection* FindSection(QStringView path) const;
    TRegSection& EnsureSection(const QString& path);
    const TRegValue* FindValue(QStringView path, QStringView name) const;
    // Replaces the data of a value of that name (keeping its spelling and position) or
    // appends it; creates the section when missing.
    void SetValue(const QString& path, const TRegValue& value);
    // True when the value existed.
    bool DeleteValue(QStringView path, QStringView name);

    static bool SameName(QStringView a, QStringView b);
};

// Helpers for the registry encodings of the typed values.
QByteArray EncodeDWord(std::uint32_t value);
// UTF-16LE code units plus one zero unit.
QByteArray EncodeRegString(QStringView text);
// Text up to the first zero unit or the end of the data; an odd last byte counts as a unit
// with a zero high byte, as when read into a zero-filled buffer.
QString DecodeRegString(const QByteArray& data);
