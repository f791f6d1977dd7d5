#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class QPlainTextEdit;

// What a click on a link of a text area does. A nickname of a contact becomes the addressee
// in the message editor; a text that the link test accepts is opened, after the click has
// been handled, by a queued call (the program's "open link" message); anything else is
// ignored. The editor gets the focus in every case.
class TConsoleLinkClick final : public QObject
{
    Q_OBJECT

public:
    using TIsContact = std::function<bool(const QString& nick)>;
    using TOpener = std::function<void(const QUrl& url)>;

    // opener: empty means QDesktopServices::openUrl.
    TConsoleLinkClick(QPlainTextEdit& editor, TIsContact isContact, TOpener opener = {},
                      QObject* parent = nullptr);

    void ConsoleURLClick(const QString& linkText);
    // The handler of the queued call: opens the remembered link text, if there is one.
    void OpenLink();

    // What the desktop is asked to open for a link text: "www." gets "http://", a network
    // path "\\host\share" becomes smb://host/share.
    static QUrl UrlOfLinkText(const QString& linkText);

private:
    QPlainTextEdit& FEditor;
    TIsContact FIsContact;
    TOpener FOpener;
    QString FLinkToOpen;
};
