#include "conversation/SessionSave.h"

#include "config/Globals.h"
#include "conversation/RtfWriter.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
QString FragmentPlainText(const QTextFragment& fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat())
        return format.stringProperty(QTextFormat::ImageAltText).repeated(fragment.length());
    QString text = fragment.text();
    text.replace(QChar::LineSeparator, u'\n')
        .replace(QChar::ParagraphSeparator, u'\n')
        .replace(QChar::Nbsp, u' ')
        .remove(QChar::ObjectReplacementCharacter);
    return text;
}
} // namespace

TSessionFormat SessionFormatFor(TChatView view, const QString& fileName)
{
    if (view == TChatView::Private && fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        return TSessionFormat::PlainText;
    return TSessionFormat::Rtf;
}

QString SessionPlainText(const QTextDocument& document)
{
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += u'\n';
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().isValid())
                text += FragmentPlainText(it.fragment());
    }
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += u'\n';
    return text;
}

QByteArray SessionFileContent(const QTextDocument& document, TSessionFormat format)
{
    if (format == TSessionFormat::PlainText)
        return SessionPlainText(document).toUtf8();
    return DocumentToRtf(document, TCodePage::Ansi());
}

TSaveDialogRequest SessionDialogRequest(TChatView view, QWidget* parent, const QString& appTitle)
{
    const TLangControl& lang = AppLang();
    const bool conference = view == TChatView::Conference;
    const QString title = appTitle.isEmpty() ? QString::fromLatin1(ApplicationTitle) : appTitle;
    TSaveDialogRequest request;
    request.Parent = parent;
    request.Title = title + QStringLiteral(" - ") +
                    lang.GetString(conference ? sidSavingConference : sidSavingPrivate);
    request.Folder = WritableFolderOr(AppFolder);
    request.FileName = lang.GetString(conference ? sidConference : sidPrivate);
    request.Filters = {
        lang.GetString(sidRichTextFilter) + QStringLiteral(" (*.rtf)"),
        lang.GetString(sidSaveAllFilesFilter) + QStringLiteral(" (*)"),
    };
    request.DefaultSuffix = QStringLiteral("rtf");
    return request;
}

QString AskSessionFileName(TChatView view, QWidget* parent, const TSaveDialogFn& dialog,
                           const QString& appTitle)
{
    const TSaveDialogFn run = dialog ? dialog : TSaveDialogFn(RunSaveDialog);
    return run(SessionDialogRequest(view, parent, appTitle));
}

bool WriteSessionFile(const QString& fileName, const QByteArray& bytes, QString& error)
{
    if (fileName.isEmpty()) {
        error = QString::fromLocal8Bit(std::strerror(ENOENT));
        return false;
    }
    // The temporary file would simply be renamed over a file the user has made read-only.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isDir() &&
        ::access(QFile::encodeName(fileName).constData(), W_OK) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    QSaveFile file(fileName);
    // Unbuffered: a write error of the buffer's flush inside commit() goes unnoticed by
    // QSaveFile, which then renames a truncated file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    // A short write says nothing; the next one fails with the reason (a full disk, ...).
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            error = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    error.clear();
    return true;
}

bool SaveSessionToFile(const QTextDocument& document, TChatView view, const QString& fileName,
                       QWidget* parent, const TFileMessageFn& message)
{
    const QByteArray bytes = SessionFileContent(document, SessionFormatFor(view, fileName));
    QString error;
    if (WriteSessionFile(fileName, bytes, error))
        return true;
    const TFileMessageFn show = message ? message : TFileMessageFn(ShowFileMessage);
    show(parent, AppLang().GetString(sidIncorrectFileNameTitle),
         QDir::toNativeSeparators(fileName) + u'\n' + error);
    return false;
}

bool SaveSession(const QTextDocument& document, TChatView view, QWidget* parent,
                 const TSaveDialogFn& dialog, const TFileMessageFn& message)
{
    const QString fileName = AskSessionFileName(view, parent, dialog);
    if (fileName.isEmpty())
        return false;
    return SaveSessionToFile(document, view, fileName, parent, message);
}
