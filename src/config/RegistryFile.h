#pragma once

#include "config/RegistryDocument.h"

#include <QByteArrayView>
#include <QString>

#include <vector>

// The per-user registry: one file in the text syntax of a registry export
// ($XDG_CONFIG_HOME/zelkit-chat/user.reg), shared with whatever else keeps keys in it.
//
// The file is read at the first access. Changes are made in memory and remembered; Save
// reads the file again, applies the remembered changes to what it finds, and replaces the
// file as a whole (atomically), so values that others wrote meanwhile survive.
//
// A file that is not a registry export is moved aside to user.reg.bad (or .bad.1, ...)
// and the registry starts empty; a file that cannot be read at all is left alone and is
// never replaced: Save then fails.
class TRegistryFile final
{
public:
    enum TLoadState {
        lsNotLoaded,  // nothing read yet
        lsMissing,    // no file (or kept in memory only)
        lsLoaded,     // read and understood
        lsMovedAside, // not a registry export; now at MovedAsidePath()
        lsInvalid,    // not a registry export and could not be moved (or read-only)
        lsUnreadable, // exists but cannot be read
    };

    // An empty path keeps the registry in memory only (see LoadBytes).
    explicit TRegistryFile(const QString& path = DefaultPath());
    Q_DISABLE_COPY_MOVE(TRegistryFile)

    static QString DefaultPath();
    const QString& Path() const { return FPath; }

    // Read-only: a broken file is not moved aside and Save writes nothing and fails.
    // Takes effect for the load when set before the first access.
    void SetReadOnly(bool readOnly) { FReadOnly = readOnly; }
    bool IsReadOnly() const { return FReadOnly; }

    // For a registry kept in memory: replaces its contents with parsed bytes. False (and an
    // empty registry) when the bytes are not a registry export.
    bool LoadBytes(QByteArrayView bytes);

    TLoadState State();
    const TRegistryDocument& Document();
    QString MovedAsidePath() const { return FMovedAside; }
    // Why the last load or save went wrong.
    QString ErrorString() const { return FError; }

    // Section paths and value names must pass IsStorableRegName; false otherwise.
    bool CreateSection(const QString& path);
    bool SetValue(const QString& path, const TRegValue& value);
    // True when the value existed.
    bool DeleteValue(const QString& path, const QString& name);

    bool IsDirty() const { return !FChanges.empty(); }
    // True when nothing was pending or everything is on disk now.
    bool Save();

private:
    struct TChange {
        enum TOp { CreateKey, SetValue, DeleteValue } op;
        QString path;
        TRegValue value;
    };

    void EnsureLoaded();
    TLoadState ReadDisk(TRegistryDocument& document, bool moveAside);
    static void Apply(TRegistryDocument& document, const TChange& change);

    QString FPath;
    bool FReadOnly = false;
    TLoadState FState = lsNotLoaded;
    QString FMovedAside;
    QString FError;
    TRegistryDocument FDocument;
    std::vector<TChange> FChanges;
};
