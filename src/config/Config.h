#pragma once

#include "config/DefConfig.h"
#include "config/Registry.h"
#include "config/RegistryFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <vector>

// One setting: its identity, its current value and its built-in default. Only the fields
// of its kind mean anything.
struct TConfigValue {
    std::uint8_t Id = 0;
    QByteArray Key;
    SettingKind Kind = skString;
    bool CurBool = false;
    bool DefBool = false;
    std::int32_t CurInt = 0;
    std::int32_t DefInt = 0;
    QString CurText; // at most TConfig::MaxTextLength UTF-16 units
    QString DefText;
};

// The 58 typed settings and their registry values (one value per setting, named by its
// key, in the key KeyPath below HKEY_CURRENT_USER):
//   integer  REG_DWORD, the 32-bit value
//   boolean  REG_DWORD, 0 or 1; any non-zero reads as true
//   string   REG_BINARY, UTF-16LE units plus one zero unit, at most 512 bytes
// A missing value loads as its default and is written; a value of another type (or a
// binary longer than 512 bytes, or a number outside its setting's range) loads as its
// default and is left as it is, and LoadAll names it in Problems().
//
// Accessors take an id (TSettingId, 0..57) and do not check it. Values change in memory
// only; the registry is written by LoadAll (for missing values) and SaveAll, each in one
// replacement of the file.
class TConfig final
{
public:
    static constexpr int MaxTextLength = 255;
    static constexpr int MaxBinarySize = 512;
    static constexpr char KeyPath[] = "SOFTWARE\\Quorbane Software\\Zelkit Chat";

    // The registry file to use; an empty path keeps the registry in memory.
    explicit TConfig(const QString& registryFilePath = TRegistryFile::DefaultPath());
    Q_DISABLE_COPY_MOVE(TConfig)

    std::int32_t GetInt(int id) const { return FItems[id].CurInt; }
    bool GetBool(int id) const { return FItems[id].CurBool; }
    QString GetStr(int id) const { return FItems[id].CurText; }
    void SetInt(int id, std::int32_t value) { FItems[id].CurInt = value; }
    void SetBool(int id, bool value) { FItems[id].CurBool = value; }
    // Keeps the first 255 UTF-16 units (254 when the 255th would split a surrogate pair).
    void SetStr(int id, QStringView text) { AssignText(FItems[id].CurText, text); }
    std::int32_t GetDefaultInt(int id) const { return FItems[id].DefInt; }
    const TConfigValue& Item(int id) const { return FItems[id]; }
    int Count() const { return static_cast<int>(FItems.size()); }

    // Opens (creating) the key below HKEY_CURRENT_USER that LoadAll and SaveAll use.
    bool OpenRegistryKey(const QString& path);
    const QString& RegistryKeyPath() const { return FKeyPath; }

    // Read-only: loading writes nothing for missing values, saving writes nothing (and
    // succeeds), and a broken registry file is left where it is. For the headless mode,
    // which uses the stored settings but must never change them. Set before LoadAll.
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const { return FReadOnly; }

    // False when a value could not be written (ErrorString says why); every setting still
    // holds a usable value.
    bool LoadAll();
    // What the last LoadAll passed over for a default, one readable line each (the file,
    // the value and why): a file that is no registry export, a value of another type, a
    // number out of range.
    const QStringList& Problems() const { return FProblems; }
    // The numbers a setting may hold; false for a setting without a range.
    static bool ValueRange(int id, std::int32_t& low, std::int32_t& high);
    bool SaveAll();
    void ResetAll();
    bool LoadValue(int id);
    bool SaveValue(int id);
    void ResetValue(int id);

    // "<kind>/<key>/<default>": integers in decimal, a boolean is true unless its value
    // begins with "0", a string may hold "/".
    static TConfigValue FromDefinition(const TDefConfigValue& row);
    void BuildFromDefaults();
    void SortById();
    static void AssignText(QString& buffer, QStringView text);

    TRegistryFile& RegistryFile() { return *FFile; }
    QString ErrorString() const { return FFile->ErrorString(); }

private:
    void LoadOne(int id);
    bool StoreOne(int id);
    bool Flush();

    void NoteProblem(const TConfigValue& item, const QString& why);
    void NoteFileProblem();

    std::vector<TConfigValue> FItems;
    QStringList FProblems;
    QString FKeyPath;
    bool FReadOnly = false;
    std::unique_ptr<TRegistryFile> FFile;
    TRegistry FRegistry;
};

// The program's one settings store, created with the defaults at the first call and kept
// until the program ends. Code that can be handed a TConfig& should take one instead.
TConfig& AppConfig();
