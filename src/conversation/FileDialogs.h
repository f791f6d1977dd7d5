#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QFileDialog;
class QWidget;

// What a "save as" dialog is to show. Filters are in Qt's syntax ("Rich text (*.rtf)"); the
// first one is selected. DefaultSuffix is added to a name typed without one.
struct TSaveDialogRequest {
    QWidget* Parent = nullptr;
    QString Title;
    QString Folder;
    QString FileName;
    QStringList Filters;
    QString DefaultSuffix;
};

// Shows the dialog and returns the chosen file name, or an empty string when the user
// cancelled. The program uses RunSaveDialog; tests give a function of their own.
using TSaveDialogFn = std::function<QString(const TSaveDialogRequest&)>;

// Shows a message about a file that could not be used: parent, caption, text.
using TFileMessageFn = std::function<void(QWidget*, const QString&, const QString&)>;

// The modal save dialog: it asks before replacing an existing file and only accepts a name
// in an existing folder.
QString RunSaveDialog(const TSaveDialogRequest& request);
// Puts the request into a dialog, without showing it.
void ConfigureSaveDialog(QFileDialog& dialog, const TSaveDialogRequest& request);

// A modal warning box.
void ShowFileMessage(QWidget* parent, const QString& caption, const QString& text);

// `folder` when it is a folder this user can write into, else the documents folder: the
// program's own folder of an installed copy belongs to the system, and a dialog that opens
// there would offer nothing but refusals.
QString WritableFolderOr(const QString& folder);
