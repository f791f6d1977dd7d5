#include "config/RegistryFile.h"

#include "config/AtomicFile.h"
#include "config/RegistryText.h"
#include "config/Utils.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Settings may hold a nickname and file paths: private to the user.
constexpr unsigned NewFileMode = 0600;
} // namespace

TRegistryFile::TRegistryFile(const QString& path) : FPath(path) {}

QString TRegistryFile::DefaultPath()
{
    return XdgConfigHome() + QStringLiteral("/zelkit-chat/user.reg");
}

bool TRegistryFile::LoadBytes(QByteArrayView bytes)
{
    FChanges.clear();
    FMovedAside.clear();
    std::optional<TRegistryDocument> document = ParseRegistryText(bytes, &FError);
    FState = document ? lsLoaded : lsInvalid;
    FDocument = document ? std::move(*document) : TRegistryDocument{};
    return document.has_value();
}

TRegistryFile::TLoadState TRegistryFile::State()
{
    EnsureLoaded();
    return FState;
}

const TRegistryDocument& TRegistryFile::Document()
{
    EnsureLoaded();
    return FDocument;
}

void TRegistryFile::EnsureLoaded()
{
    if (FState != lsNotLoaded)
        return;
    FState = FPath.isEmpty() ? lsMissing : ReadDisk(FDocument, !FReadOnly);
}

TRegistryFile::TLoadState TRegistryFile::ReadDisk(TRegistryDocument& document, bool moveAside)
{
    document = {};
    const QFileInfo info(FPath);
    if (!info.exists())
        return lsMissing;
    QFile file(FPath);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        FError = QStringLiteral("cannot read %1").arg(FPath);
        return lsUnreadable;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        FError = QStringLiteral("cannot read %1: %2").arg(FPath, file.errorString());
        return lsUnreadable;
    }
    QString why;
    if (std::optional<TRegistryDocument> parsed = ParseRegistryText(bytes, &why)) {
        document = std::move(*parsed);
        return lsLoaded;
    }
    FError = QStringLiteral("%1: %2").arg(FPath, why);
    if (!moveAside)
        return lsInvalid;
    FMovedAside = MoveAsideWithoutReplacing(FPath, FPath + QStringLiteral(".bad"));
    return FMovedAside.isEmpty() ? lsInvalid : lsMovedAside;
}

void TRegistryFile::Apply(TRegistryDocument& document, const TChange& change)
{
    switch (change.op) {
    case TChange::CreateKey:
        document.EnsureSection(change.path);
        break;
    case TChange::SetValue:
        document.SetValue(change.path, change.value);
        break;
    case TChange::DeleteValue:
        document.DeleteValue(change.path, change.value.Name);
        break;
    }
}

bool TRegistryFile::CreateSection(const QString& path)
{
    EnsureLoaded();
    if (!IsStorableRegName(path))
        return false;
    if (!FDocument.FindSection(path)) {
        FChanges.push_back({TChange::CreateKey, path, {}});
        Apply(FDocument, FChanges.back());
    }
    return true;
}

bool TRegistryFile::SetValue(const QString& path, const TRegValue& value)
{
    EnsureLoaded();
    if (!IsStorableRegName(path) || !IsStorableRegName(value.Name) || !value.IsValue())
        return false;
    FChanges.push_back({TChange::SetValue, path, value});
    Apply(FDocument, FChanges.back());
    return true;
}

bool TRegistryFile::DeleteValue(const QString& path, const QString& name)
{
    EnsureLoaded();
    if (!FDocument.FindValue(path, name))
        return false;
    TRegValue key;
    key.Name = name;
    FChanges.push_back({TChange::DeleteValue, path, key});
    Apply(FDocument, FChanges.back());
    return true;
}

bool TRegistryFile::Save()
{
    EnsureLoaded();
    if (FChanges.empty())
        return true;
    if (FReadOnly) {
        FError = QStringLiteral("%1 is open read-only").arg(FPath);
        return false;
    }
    if (FPath.isEmpty()) {
        FChanges.clear();
        return true;
    }
    TRegistryDocument current;
    const TLoadState state = ReadDisk(current, true);
    if (state == lsUnreadable || state == lsInvalid)
        return false; // FError says why; the file stays as it is
    for (const TChange& change : FChanges)
        Apply(current, change);
    if (!WriteFileAtomically(FPath, SerializeRegistryText(current), NewFileMode, &FError))
        return false;
    FDocument = std::move(current);
    FChanges.clear();
    FState = lsLoaded;
    return true;
}
