#include "config/RegistryDocument.h"

#include <QtEndian>

namespace {
template <typename List> auto FindByName(List& values, QStringView name)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        if (it->IsValue() && TRegistryDocument::SameName(it->Name, name))
            return it;
    return values.end();
}
} // namespace

bool TRegistryDocument::SameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const TRegSection* TRegistryDocument::FindSection(QStringView path) const
{
    for (const TRegSection& section : Sections)
        if (SameName(section.Path, path))
            return &section;
    return nullptr;
}

TRegSection& TRegistryDocument::EnsureSection(const QString& path)
{
    for (TRegSection& section : Sections)
        if (SameName(section.Path, path))
            return section;
    Sections.append(TRegSection{path, {}});
    return Sections.last();
}

const TRegValue* TRegistryDocument::FindValue(QStringView path, QStringView name) const
{
    const TRegSection* section = FindSection(path);
    if (!section)
        return nullptr;
    const auto it = FindByName(section->Values, name);
    return it == section->Values.end() ? nullptr : &*it;
}

void TRegistryDocument::SetValue(const QString& path, const TRegValue& value)
{
    TRegSection& section = EnsureSection(path);
    const auto it = FindByName(section.Values, value.Name);
    if (it == section.Values.end()) {
        section.Values.append(value);
        return;
    }
    const QString spelling = it->Name;
    *it = value;
    it->Name = spelling;
}

bool TRegistryDocument::DeleteValue(QStringView path, QStringView name)
{
    for (TRegSection& section : Sections) {
        if (!SameName(section.Path, path))
            continue;
        const auto it = FindByName(section.Values, name);
        if (it == section.Values.end())
            return false;
        section.Values.erase(it);
        return true;
    }
    return false;
}

QByteArray EncodeDWord(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray EncodeRegString(QStringView text)
{
    QByteArray bytes((text.size() + 1) * 2, '\0');
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian(text[i].unicode(), bytes.data() + i * 2);
    return bytes;
}

QString DecodeRegString(const QByteArray& data)
{
    QString text;
    text.reserve(data.size() / 2 + 1);
    for (qsizetype i = 0; i < data.size(); i += 2) {
        const auto low = static_cast<unsigned char>(data[i]);
        const auto high = i + 1 < data.size() ? static_cast<unsigned char>(data[i + 1]) : 0u;
        const char16_t unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}
