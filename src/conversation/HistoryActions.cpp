#include "conversation/HistoryActions.h"

#include "config/Globals.h"
#include "conversation/ChatLog.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace {
QString HistoryFolder()
{
    // Without a program folder a relative "History/" would be looked for wherever we run.
    if (AppFolder.isEmpty())
        return WritableFolderOr(QString());
    const QString history = AppFolder + QStringLiteral("History/");
    return WritableFolderOr(QFileInfo(history).isDir() ? history : AppFolder);
}
} // namespace

TSaveDialogRequest HistoryDialogRequest(const QString& fileName, QWidget* parent)
{
    const TLangControl& lang = AppLang();
    TSaveDialogRequest request;
    request.Parent = parent;
    request.Title = lang.GetString(sidSelectHistoryFile);
    request.Folder = HistoryFolder();
    request.FileName = fileName;
    request.Filters = {
        lang.GetString(sidHistoryFilesFilter) + QStringLiteral(" (*.history)"),
        lang.GetString(sidTextFilesFilter) + QStringLiteral(" (*.txt *.log)"),
        lang.GetString(sidHistoryAllFilesFilter) + QStringLiteral(" (*)"),
    };
    request.DefaultSuffix = QStringLiteral("history");
    return request;
}

QString SelectFile(const QString& fileName, QWidget* parent, const TSaveDialogFn& dialog)
{
    const TSaveDialogFn run = dialog ? dialog : TSaveDialogFn(RunSaveDialog);
    const QString chosen = run(HistoryDialogRequest(fileName, parent));
    if (chosen.isEmpty() || !TChatLog::CanCreateFile(chosen))
        return fileName;
    return chosen;
}

bool SelectFile(TChatLog& log, QWidget* parent, const TSaveDialogFn& dialog)
{
    const QString chosen = SelectFile(log.FileName(), parent, dialog);
    if (chosen == log.FileName())
        return false;
    log.SetFileName(chosen);
    return true;
}

bool OpenInNotepad(const QString& fileName, const TUrlOpener& opener)
{
    if (!HistoryFileExists(fileName))
        return false;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath());
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

bool OpenInNotepad(const TChatLog& log, const TUrlOpener& opener)
{
    return OpenInNotepad(log.FileName(), opener);
}

bool HistoryFileExists(const QString& historyFileName)
{
    return !historyFileName.isEmpty() && QFileInfo(historyFileName).isFile();
}

void UpdateOpenHistoryItem(QAction& item, const QString& historyFileName)
{
    item.setEnabled(HistoryFileExists(historyFileName));
}
