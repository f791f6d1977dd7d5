#include "config/Config.h"

#include <utility>

TConfigValue TConfig::FromDefinition(const TDefConfigValue& row)
{
    TConfigValue item;
    item.Id = row.id;
    const QByteArray definition(row.definition);
    const qsizetype keyEnd = definition.indexOf('/', 2);
    item.Key = definition.mid(2, keyEnd < 0 ? -1 : keyEnd - 2);
    const QByteArray value = keyEnd < 0 ? QByteArray() : definition.mid(keyEnd + 1);
    const char letter = definition.isEmpty() ? 0 : definition[0];
    item.Kind = letter == 'I' ? skInteger : letter == 'B' ? skBoolean : skString;
    switch (item.Kind) {
    case skInteger:
        item.DefInt = value.toInt();
        break;
    case skBoolean:
        item.DefBool = value.isEmpty() || value[0] != '0';
        break;
    case skString:
        TConfig::AssignText(item.DefText, QString::fromUtf8(value));
        break;
    }
    return item;
}

TConfig::TConfig(const QString& registryFilePath)
    : FFile(std::make_unique<TRegistryFile>(registryFilePath)), FRegistry(*FFile)
{
    FItems.reserve(SettingCount);
    BuildFromDefaults();
    SortById();
    ResetAll();
}

void TConfig::BuildFromDefaults()
{
    FItems.clear();
    for (const TDefConfigValue& row : DefaultSettings)
        FItems.push_back(FromDefinition(row));
}

void TConfig::SortById()
{
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 1; i < FItems.size(); ++i) {
            if (FItems[i - 1].Id > FItems[i].Id) {
                std::swap(FItems[i - 1], FItems[i]);
                swapped = true;
            }
        }
    }
}

void TConfig::AssignText(QString& buffer, QStringView text)
{
    qsizetype n = std::min<qsizetype>(text.size(), MaxTextLength);
    // Half a character would come back as garbage wherever the text is shown or sent.
    if (n < text.size() && n > 0 && text[n - 1].isHighSurrogate() && text[n].isLowSurrogate())
        --n;
    buffer = text.first(n).toString();
}

void TConfig::ResetValue(int id)
{
    TConfigValue& item = FItems[id];
    item.CurInt = item.DefInt;
    item.CurBool = item.DefBool;
    AssignText(item.CurText, item.DefText);
}

void TConfig::ResetAll()
{
    for (int id = 0; id < Count(); ++id)
        ResetValue(id);
}

bool TConfig::OpenRegistryKey(const QString& path)
{
    FKeyPath = path;
    return FRegistry.OpenKey(path, true);
}

void TConfig::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    FFile->SetReadOnly(readOnly);
}

bool TConfig::ValueRange(int id, std::int32_t& low, std::int32_t& high)
{
    // A dword of 0x41000 for the port would be cut to 16 on the wire.
    switch (id) {
    case udp_port:
        low = 1;
        high = 65535;
        return true;
    case user_gender:
        low = 0;
        high = 2;
        return true;
    default:
        return false;
    }
}

void TConfig::NoteProblem(const TConfigValue& item, const QString& why)
{
    FProblems << QStringLiteral("%1: \"%2\" %3; using the default")
                     .arg(FFile->Path(), QString::fromLatin1(item.Key), why);
}

void TConfig::NoteFileProblem()
{
    const QString path = FFile->Path();
    switch (FFile->State()) {
    case TRegistryFile::lsMovedAside:
        FProblems << QStringLiteral("%1: not a registry file (%2); moved aside to %3, using the "
                                    "defaults")
                         .arg(path, FFile->ErrorString(), FFile->MovedAsidePath());
        break;
    case TRegistryFile::lsInvalid:
        FProblems << QStringLiteral("%1: not a registry file (%2); using the defaults")
                         .arg(path, FFile->ErrorString());
        break;
    case TRegistryFile::lsUnreadable:
        FProblems << QStringLiteral("%1: cannot be read (%2); using the defaults")
                         .arg(path, FFile->ErrorString());
        break;
    default:
        break;
    }
}

void TConfig::LoadOne(int id)
{
    TConfigValue& item = FItems[id];
    const QString name = QString::fromLatin1(item.Key);
    bool read = false;
    if (item.Kind == skString) {
        QByteArray data;
        read = FRegistry.ReadBinary(name, data);
        if (!read)
            NoteProblem(item, QStringLiteral("is not binary text (hex:...)"));
        else if (data.size() > MaxBinarySize)
            NoteProblem(item, QStringLiteral("is longer than %1 bytes").arg(MaxBinarySize));
        read = read && data.size() <= MaxBinarySize;
        if (read)
            AssignText(item.CurText, DecodeRegString(data));
    } else {
        std::uint32_t number = 0;
        read = FRegistry.ReadDWord(name, number);
        std::int32_t low = 0;
        std::int32_t high = 0;
        const auto value = static_cast<std::int32_t>(number);
        if (!read) {
            NoteProblem(item, QStringLiteral("is not a number (dword:...)"));
        } else if (item.Kind == skInteger && ValueRange(id, low, high) &&
                   (value < low || value > high)) {
            NoteProblem(item,
                        QStringLiteral("is %1, outside %2..%3").arg(value).arg(low).arg(high));
            read = false;
        }
        if (read) {
            item.CurInt = value;
            item.CurBool = number != 0;
        }
    }
    if (!read)
        ResetValue(id);
}

bool TConfig::StoreOne(int id)
{
    const TConfigValue& item = FItems[id];
    const QString name = QString::fromLatin1(item.Key);
    switch (item.Kind) {
    case skInteger:
        return FRegistry.WriteDWord(name, static_cast<std::uint32_t>(item.CurInt));
    case skBoolean:
        return FRegistry.WriteDWord(name, item.CurBool ? 1u : 0u);
    case skString:
        break;
    }
    return FRegistry.WriteBinary(name, EncodeRegString(item.CurText));
}

bool TConfig::Flush()
{
    return FReadOnly || FRegistry.Flush();
}

bool TConfig::LoadValue(int id)
{
    const bool missing = !FRegistry.ValueExists(QString::fromLatin1(FItems[id].Key));
    LoadOne(id);
    if (!missing || FReadOnly)
        return true;
    return StoreOne(id) && Flush();
}

bool TConfig::LoadAll()
{
    FProblems.clear();
    NoteFileProblem();
    bool ok = true;
    for (int id = 0; id < Count(); ++id) {
        if (FRegistry.ValueExists(QString::fromLatin1(FItems[id].Key))) {
            LoadOne(id);
            continue;
        }
        ResetValue(id);
        if (!FReadOnly)
            ok = StoreOne(id) && ok;
    }
    return Flush() && ok;
}

bool TConfig::SaveValue(int id)
{
    return FReadOnly || (StoreOne(id) && Flush());
}

bool TConfig::SaveAll()
{
    if (FReadOnly)
        return true;
    bool ok = true;
    for (int id = 0; id < Count(); ++id)
        ok = StoreOne(id) && ok;
    return Flush() && ok;
}

TConfig& AppConfig()
{
    static TConfig config;
    return config;
}
