#include "conversation/ConsoleLinkClick.h"

#include "config/Utils.h"
#include "conversation/EditorWidget.h"

#include <QDesktopServices>
#include <QPlainTextEdit>

#include <utility>

TConsoleLinkClick::TConsoleLinkClick(QPlainTextEdit& editor, TIsContact isContact, TOpener opener,
                                     QObject* parent)
    : QObject(parent), FEditor(editor), FIsContact(std::move(isContact)),
      FOpener(opener ? std::move(opener)
                     : TOpener([](const QUrl& url) { QDesktopServices::openUrl(url); }))
{
}

void TConsoleLinkClick::ConsoleURLClick(const QString& linkText)
{
    if (FIsContact && FIsContact(linkText)) {
        InsertAddressee(FEditor, linkText, FIsContact);
    } else if (IsUrl(linkText)) {
        // Opened once the click is over, so the browser's start does not hold up the view.
        FLinkToOpen = linkText;
        QMetaObject::invokeMethod(this, &TConsoleLinkClick::OpenLink, Qt::QueuedConnection);
    }
    FEditor.setFocus();
}

void TConsoleLinkClick::OpenLink()
{
    if (FLinkToOpen.isEmpty())
        return;
    const QString text = std::exchange(FLinkToOpen, QString());
    FOpener(UrlOfLinkText(text));
}

QUrl TConsoleLinkClick::UrlOfLinkText(const QString& linkText)
{
    if (linkText.startsWith(QLatin1String("www.")))
        return QUrl(QLatin1String("http://") + linkText, QUrl::TolerantMode);
    if (linkText.startsWith(QLatin1String("\\\\"))) {
        QString path = linkText.mid(2);
        path.replace(u'\\', u'/');
        return QUrl(QLatin1String("smb://") + path, QUrl::TolerantMode);
    }
    return QUrl(linkText, QUrl::TolerantMode);
}
