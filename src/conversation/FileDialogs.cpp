#include "conversation/FileDialogs.h"

#include "config/Utils.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

QString RunSaveDialog(const TSaveDialogRequest& request)
{
    QFileDialog dialog(request.Parent);
    ConfigureSaveDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

void ConfigureSaveDialog(QFileDialog& dialog, const TSaveDialogRequest& request)
{
    dialog.setWindowTitle(request.Title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilters(request.Filters);
    if (!request.Filters.isEmpty())
        dialog.selectNameFilter(request.Filters.first());
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.Folder.isEmpty())
        dialog.setDirectory(request.Folder);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
}

void ShowFileMessage(QWidget* parent, const QString& caption, const QString& text)
{
    // A file name may look like markup; it is shown as it is.
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString WritableFolderOr(const QString& folder)
{
    const QFileInfo info(folder);
    if (!folder.isEmpty() && info.isDir() && info.isWritable())
        return folder;
    return GetPersonalFolder();
}
