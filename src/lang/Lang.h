#pragma once

#include "lang/LangFile.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The language in use: either the built-in English texts or one language file, with every
// text the file lacks taken from the built-in table.
class TLangControl final
{
public:
    // Gives the program folder with a trailing "/"; read at each use, so a folder set later
    // is seen. An empty folder means there is no language folder.
    using TFolderSource = std::function<QString()>;

    static constexpr int LangKeyWidth = 4;

    explicit TLangControl(TFolderSource appFolder);
    ~TLangControl();
    Q_DISABLE_COPY_MOVE(TLangControl)

    void SetAppFolder(TFolderSource appFolder);

    // The text of id from the file in use when it has a non-empty one, else the built-in
    // text. An id outside the table gives an empty text.
    QString GetString(int id) const;

    // Empty name: the built-in texts, true. A name without "/" is taken from the language
    // folder. False, with the language in use unchanged, when the file is missing or cannot
    // be read; a file without the FF FE mark is a language without entries.
    bool LoadLanguage(const QString& name);
    void UseDefaultLanguage();

    // Row 0 is the built-in language (empty path, "English (default)"); then every *.lng of
    // the language folder that has a name and a note, sorted by file name so that the lists
    // do not change order between showings.
    void ListLanguages(QStringList& paths, QStringList& captions) const;

    // A language's name or note is a word or two; a file holding megabytes there would make
    // every opening of the Language menu lay out that text (seconds each time), so the lists
    // show at most this many characters of each.
    static constexpr int MaxCaptionPart = 100;

    // "name (note)" as the lists show a language, each part cut to MaxCaptionPart.
    static QString Caption(const QString& name, const QString& note);
    // The caption of the language in effect, from GetString(0) and GetString(1).
    QString CurrentCaption() const;

    // The file in use, or nullptr while the built-in texts are.
    const TLanguageFile* CurrentFile() const { return FCurrent.get(); }
    // Its path; empty for the built-in texts and for a file without the mark.
    QString CurrentFileName() const;
    bool UsesDefault() const { return FUseDefault; }

    // "Language/", below the program folder.
    QString LanguageFolder = QStringLiteral("Language/");
    // The program folder + LanguageFolder, or empty when there is no program folder.
    QString LanguageFolderPath() const;

private:
    bool FUseDefault = true;
    std::unique_ptr<TLanguageFile> FCurrent;
    TFolderSource FAppFolder;
};

// The program's one string table. It starts with the built-in texts and no program folder;
// the program gives it the folder with SetAppFolder before loading a language.
TLangControl& AppLang();
