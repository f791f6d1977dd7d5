#pragma once

#include "config/Config.h"
#include "conversation/ChatLog.h"
#include "lang/Lang.h"
#include "ui/MainForm.h"

#include <QList>
#include <QPair>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

class QAction;

// Settings by id: an integer or boolean is stored as a dword, text as UTF-16LE binary.
using TSettingRows = QList<QPair<int, QVariant>>;

// The registry export that holds the rows, in the key the chat reads.
QByteArray RegistryText(const TSettingRows& rows);

// A main window on settings, a string table and a history of its own, in a temporary
// configuration home. Whatever the rows say, the chat broadcasts only to 127.255.255.255 on
// a port of this process, and the registration dialog is never shown: each request of it is
// recorded and confirmed.
class TMainFormProbe final
{
public:
    explicit TMainFormProbe(const TSettingRows& settings = {});
    ~TMainFormProbe();
    Q_DISABLE_COPY_MOVE(TMainFormProbe)

    static quint16 TestPort();

    QTemporaryDir Home;
    QString RegistryPath;
    std::unique_ptr<TConfig> Config;
    TLangControl Lang{[] { return QString(); }};
    TChatLog Log;
    std::unique_ptr<TMainForm> Form;
    // changeUserMode of every registration dialog the chat asked for.
    QList<bool> RegistrationRequests;

    // As the program starts it: the texts applied, the window shown and active, and the
    // start of the chat run (its session headers written). False when that did not happen.
    bool Show();
    // Exit, then the window's destruction, which writes the settings.
    void Exit();

    QAction* Action(const char* name) const;
    QString Panel(int index) const;
    // The settings file as another start would read it.
    std::unique_ptr<TConfig> StoredSettings() const;
};
