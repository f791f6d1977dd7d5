#include "config/Registry.h"

#include <QtEndian>

QString TRegistry::FullPath(QStringView key)
{
    while (key.startsWith(u'\\'))
        key = key.mid(1);
    while (key.endsWith(u'\\'))
        key.chop(1);
    QString path = QStringLiteral("HKEY_CURRENT_USER");
    if (!key.isEmpty())
        path += u'\\' + key.toString();
    return path;
}

bool TRegistry::OpenKey(QStringView key, bool canCreate)
{
    const QString path = FullPath(key);
    if (!FFile.Document().FindSection(path) && !(canCreate && FFile.CreateSection(path)))
        return false;
    FPath = path;
    return true;
}

const TRegValue* TRegistry::Find(QStringView name, std::uint32_t type) const
{
    if (!HasOpenKey())
        return nullptr;
    const TRegValue* value = FFile.Document().FindValue(FPath, name);
    return value && value->form == TRegValue::Typed && value->Type == type ? value : nullptr;
}

bool TRegistry::ValueExists(QStringView name) const
{
    return HasOpenKey() && FFile.Document().FindValue(FPath, name);
}

std::optional<std::uint32_t> TRegistry::GetDataType(QStringView name) const
{
    const TRegValue* value = HasOpenKey() ? FFile.Document().FindValue(FPath, name) : nullptr;
    if (!value || value->form != TRegValue::Typed)
        return std::nullopt;
    return value->Type;
}

bool TRegistry::ReadDWord(QStringView name, std::uint32_t& value) const
{
    const TRegValue* found = Find(name, RegType::DWord);
    if (!found || found->Data.size() != 4)
        return false;
    value = qFromLittleEndian<std::uint32_t>(found->Data.constData());
    return true;
}

bool TRegistry::ReadBinary(QStringView name, QByteArray& data) const
{
    const TRegValue* found = Find(name, RegType::Binary);
    if (!found)
        return false;
    data = found->Data;
    return true;
}

bool TRegistry::ReadString(QStringView name, QString& text) const
{
    const TRegValue* found = Find(name, RegType::String);
    if (!found)
        found = Find(name, RegType::ExpandString);
    if (!found)
        return false;
    text = DecodeRegString(found->Data);
    return true;
}

bool TRegistry::Write(const QString& name, std::uint32_t type, const QByteArray& data)
{
    if (!HasOpenKey())
        return false;
    TRegValue value;
    value.Name = name;
    value.Type = type;
    value.Data = data;
    return FFile.SetValue(FPath, value);
}

bool TRegistry::WriteDWord(const QString& name, std::uint32_t value)
{
    return Write(name, RegType::DWord, EncodeDWord(value));
}

bool TRegistry::WriteBinary(const QString& name, const QByteArray& data)
{
    return Write(name, RegType::Binary, data);
}

bool TRegistry::WriteString(const QString& name, QStringView text)
{
    return Write(name, RegType::String, EncodeRegString(text));
}

bool TRegistry::DeleteValue(const QString& name)
{
    return HasOpenKey() && FFile.DeleteValue(FPath, name);
}
