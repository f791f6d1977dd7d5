#pragma once

#include "chat/ChatHost.h"
#include "conversation/FileDialogs.h"

#include <QByteArray>
#include <QString>

class QTextDocument;
class QWidget;

// "Save Session": the content of one conversation view written to a file of the user's
// choice, as RTF with its colours and pictures, or as plain text.

enum class TSessionFormat { Rtf, PlainText };

// The conference view is always RTF; the private view is plain text when the name ends in
// ".txt" (any case), else RTF.
TSessionFormat SessionFormatFor(TChatView view, const QString& fileName);

// The file's bytes: RTF in pure ASCII, with the 8-bit code page of the wire named in its
// header; plain text in UTF-8 with one LF per line, as the desktop's text tools expect, each
// picture given as its alternative text (an emoticon's code when the view set one).
QByteArray SessionFileContent(const QTextDocument& document, TSessionFormat format);
QString SessionPlainText(const QTextDocument& document);

// The save dialog of AskSessionFileName: titled appTitle + " - saving conference" (or
// "saving private messages"), proposing "Conference" or "Private" (the page captions) in
// the program's folder (the documents folder when that one is not writable), with the
// rich-text and all-files filters and suffix "rtf". appTitle empty: the application's
// display name.
TSaveDialogRequest SessionDialogRequest(TChatView view, QWidget* parent = nullptr,
                                        const QString& appTitle = {});
// AskSessionFileName: the chosen name, or empty when the user cancelled.
QString AskSessionFileName(TChatView view, QWidget* parent = nullptr,
                           const TSaveDialogFn& dialog = RunSaveDialog,
                           const QString& appTitle = {});

// Replaces fileName with bytes through a temporary file beside it, so that a failed save
// leaves an existing file whole. Refused, with error set, for a name that is empty, a folder,
// an existing file this user may not write, or a place where no file can be made.
bool WriteSessionFile(const QString& fileName, const QByteArray& bytes, QString& error);

// Writes the view's document to fileName in the format SessionFormatFor gives. On failure
// the old file is untouched and message is shown with the caption "Incorrect File Name" and
// the file name and the reason as text.
bool SaveSessionToFile(const QTextDocument& document, TChatView view, const QString& fileName,
                       QWidget* parent = nullptr, const TFileMessageFn& message = ShowFileMessage);

// miSaveSessionClick after the target view is chosen: AskSessionFileName, then
// SaveSessionToFile. False when the user cancelled or the file could not be written.
bool SaveSession(const QTextDocument& document, TChatView view, QWidget* parent = nullptr,
                 const TSaveDialogFn& dialog = RunSaveDialog,
                 const TFileMessageFn& message = ShowFileMessage);
