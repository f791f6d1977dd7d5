#include "ShippedLanguages.h"

#include <QDir>

QString SourceFolder()
{
    return QStringLiteral(ZELKIT_SOURCE_DIR "/");
}

QStringList ShippedLanguageFiles()
{
    const QDir dir(SourceFolder() + QStringLiteral("Language"));
    QStringList paths;
    for (const QString& name : dir.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}
