#pragma once

#include "conversation/FileDialogs.h"

#include <QString>

#include <functional>

class QAction;
class QUrl;
class QWidget;
class TChatLog;

// The window side of the history file: choosing it, opening it in the desktop's text
// editor, and the state of "Open History".

// Hands a file to the desktop; the program uses QDesktopServices::openUrl.
using TUrlOpener = std::function<bool(const QUrl&)>;

// The history file dialog: titled "Select history file name", in the program's History
// folder when there is one (else the program's folder; the documents folder when that one
// is not writable), the history, text and all-files filters, suffix "history", proposing
// fileName.
TSaveDialogRequest HistoryDialogRequest(const QString& fileName, QWidget* parent = nullptr);

// SelectFile: the name chosen in the dialog when the user confirmed it and CanCreateFile
// accepts it, else fileName unchanged. The registration and preferences dialogs use this
// form: it leaves the running history alone until their own settings are applied.
QString SelectFile(const QString& fileName, QWidget* parent = nullptr,
                   const TSaveDialogFn& dialog = RunSaveDialog);
// The same on the log's FileName; true when it changed.
bool SelectFile(TChatLog& log, QWidget* parent = nullptr,
                const TSaveDialogFn& dialog = RunSaveDialog);

// OpenInNotepad: opens the file in the desktop's editor for it. False, with nothing
// started, when there is no such file or the desktop refused.
bool OpenInNotepad(const QString& fileName, const TUrlOpener& opener = {});
bool OpenInNotepad(const TChatLog& log, const TUrlOpener& opener = {});

// Whether the history file named by the setting exists (a regular file; a folder of that
// name is none).
bool HistoryFileExists(const QString& historyFileName);
// UpdateOpenHistoryItem: "Open History" is enabled exactly when HistoryFileExists.
void UpdateOpenHistoryItem(QAction& item, const QString& historyFileName);
