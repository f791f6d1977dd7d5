#include "config/Globals.h"

#include "config/Utils.h"

#include <QDir>
#include <QFileInfo>

QString AppFolder;
int VersionMajor = 0;
int VersionMinor = 0;
int VersionRelease = 0;
int VersionBuild = 0;

QString ChooseAppFolder(const QString& exeDir, const std::function<bool(const QString&)>& exists)
{
    QString dir = exeDir;
    while (dir.endsWith(u'/'))
        dir.chop(1);
    if (exists(dir + QStringLiteral("/Language")) || exists(dir + QStringLiteral("/Sounds")))
        return dir + u'/';
    return QDir::cleanPath(dir + QStringLiteral("/../share/zelkit-chat")) + u'/';
}

void InitAppFolder()
{
    AppFolder = ChooseAppFolder(QFileInfo(ProgramFilePath()).absolutePath(),
                                [](const QString& path) { return QFileInfo(path).isDir(); });
}

void ReadProductVersion()
{
    VersionMajor = ZELKIT_VERSION_MAJOR;
    VersionMinor = ZELKIT_VERSION_MINOR;
    VersionRelease = ZELKIT_VERSION_RELEASE;
    VersionBuild = ZELKIT_VERSION_BUILD;
}

QString FormatVersion(int major, int minor, int /*release*/, int build)
{
    return QStringLiteral("%1.%2 build %3").arg(major).arg(minor).arg(build);
}

QString GetVersionString()
{
    return FormatVersion(VersionMajor, VersionMinor, VersionRelease, VersionBuild);
}
