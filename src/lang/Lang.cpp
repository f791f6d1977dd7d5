#include "lang/Lang.h"

#include "lang/LngDefId.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString DefaultString(int id)
{
    return QString::fromLatin1(DefaultStrings[id]);
}

// Never ends on the first half of a surrogate pair.
QString CaptionPart(const QString& text)
{
    qsizetype n = qMin(text.size(), qsizetype(TLangControl::MaxCaptionPart));
    if (n < text.size() && n > 0 && text[n - 1].isHighSurrogate() && text[n].isLowSurrogate())
        --n;
    return text.left(n);
}

} // namespace

TLangControl::TLangControl(TFolderSource appFolder) : FAppFolder(std::move(appFolder)) {}

TLangControl::~TLangControl() = default;

void TLangControl::SetAppFolder(TFolderSource appFolder)
{
    FAppFolder = std::move(appFolder);
}

QString TLangControl::GetString(int id) const
{
    if (id < 0 || id >= LngStringCount)
        return {};
    if (!FUseDefault && FCurrent) {
        QString text = FCurrent->GetString(id);
        if (!text.isEmpty())
            return text;
    }
    return DefaultString(id);
}

QString TLangControl::LanguageFolderPath() const
{
    // Without a program folder the path would be relative to whatever the working directory
    // happens to be.
    QString folder = FAppFolder ? FAppFolder() : QString();
    if (folder.isEmpty())
        return {};
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + LanguageFolder;
}

bool TLangControl::LoadLanguage(const QString& name)
{
    if (name.isEmpty()) {
        UseDefaultLanguage();
        return true;
    }
    QString path = name;
    if (!name.contains(u'/')) {
        const QString folder = LanguageFolderPath();
        if (folder.isEmpty())
            return false;
        path = folder + name;
    }
    auto file = std::make_unique<TLanguageFile>(path, LangKeyWidth);
    switch (file->LoadResult()) {
    case TLanguageFile::TLoadResult::lrMissing:
    case TLanguageFile::TLoadResult::lrUnreadable:
        return false;
    case TLanguageFile::TLoadResult::lrLoaded:
    case TLanguageFile::TLoadResult::lrNoMark:
    case TLanguageFile::TLoadResult::lrTooLarge:
        break;
    }
    FCurrent = std::move(file);
    FUseDefault = false;
    return true;
}

void TLangControl::UseDefaultLanguage()
{
    FUseDefault = true;
    FCurrent.reset();
}

QString TLangControl::Caption(const QString& name, const QString& note)
{
    return CaptionPart(name) + QStringLiteral(" (") + CaptionPart(note) + u')';
}

QString TLangControl::CurrentCaption() const
{
    return Caption(GetString(sidLanguageName), GetString(sidLanguageNote));
}

QString TLangControl::CurrentFileName() const
{
    return FCurrent ? FCurrent->FileName() : QString();
}

void TLangControl::ListLanguages(QStringList& paths, QStringList& captions) const
{
    paths.clear();
    captions.clear();
    paths << QString();
    captions << Caption(DefaultString(sidLanguageName), DefaultString(sidLanguageNote));

    const QString folder = LanguageFolderPath();
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const QStringList names =
        dir.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden | QDir::Readable,
                      QDir::Name | QDir::IgnoreCase);
    for (const QString& fileName : names) {
        const QString path = dir.filePath(fileName);
        const TLanguageFile file(path, LangKeyWidth);
        const QString name = file.GetString(sidLanguageName);
        const QString note = file.GetString(sidLanguageNote);
        if (name.isEmpty() || note.isEmpty())
            continue;
        paths << path;
        captions << Caption(name, note);
    }
}

TLangControl& AppLang()
{
    static TLangControl lang{TLangControl::TFolderSource()};
    return lang;
}
