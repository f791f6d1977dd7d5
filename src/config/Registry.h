#pragma once

#include "config/RegistryFile.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Access to the values of one key below HKEY_CURRENT_USER, in the manner of the registry
// API: open a key, then read and write its values by name. Reads report false when the
// value is missing or has another type, and leave the output alone. Writes change the
// registry in memory; Flush puts them into the file.
class TRegistry final
{
public:
    explicit TRegistry(TRegistryFile& file) : FFile(file) {}
    Q_DISABLE_COPY_MOVE(TRegistry)

    // key: "SOFTWARE\Quorbane Software\Zelkit Chat"; a leading or trailing "\" is ignored.
    // Without canCreate a missing key is not opened.
    bool OpenKey(QStringView key, bool canCreate);
    void CloseKey() { FPath.clear(); }
    bool HasOpenKey() const { return !FPath.isEmpty(); }
    // "HKEY_CURRENT_USER\..." as the section of the file names it.
    const QString& CurrentPath() const { return FPath; }

    bool ValueExists(QStringView name) const;
    // Empty when the value is missing or its data is in a form kept only as text.
    std::optional<std::uint32_t> GetDataType(QStringView name) const;

    // REG_DWORD of exactly four bytes.
    bool ReadDWord(QStringView name, std::uint32_t& value) const;
    // REG_BINARY of any size.
    bool ReadBinary(QStringView name, QByteArray& data) const;
    // REG_SZ or REG_EXPAND_SZ, up to the first zero unit.
    bool ReadString(QStringView name, QString& text) const;

    bool WriteDWord(const QString& name, std::uint32_t value);
    bool WriteBinary(const QString& name, const QByteArray& data);
    // REG_SZ with its terminating zero.
    bool WriteString(const QString& name, QStringView text);
    // True when the value existed.
    bool DeleteValue(const QString& name);

    bool Flush() { return FFile.Save(); }

    static QString FullPath(QStringView key);

private:
    const TRegValue* Find(QStringView name, std::uint32_t type) const;
    bool Write(const QString& name, std::uint32_t type, const QByteArray& data);

    TRegistryFile& FFile;
    QString FPath;
};
