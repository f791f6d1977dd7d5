#pragma once

#include "config/Config.h"
#include "lang/Lang.h"
#include "net/EnumNetworkItfs.h"
#include "ui/Params.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// A preferences dialog on settings of its own that hold known values (none of them the
// default), a program folder of its own with an empty Language folder, two adapters
// (192.168.1.20/24 and 10.0.0.5/8) and its hooks recorded: the messages it showed and the
// file dialogs it asked for, which answer what the test put into SoundChoice and
// HistoryChoice.
class TParamsProbe final
{
public:
    explicit TParamsProbe(QWidget* mainForm = nullptr);
    ~TParamsProbe();
    Q_DISABLE_COPY_MOVE(TParamsProbe)

    QTemporaryDir Folder;
    QString AppFolderPath;
    TConfig Config{QString()};
    TLangControl Lang{[this] { return AppFolderPath; }};
    std::vector<TRawNetInterface> RawAdapters;
    TNetInterfaceInfoList Adapters{[this] { return RawAdapters; }};
    std::unique_ptr<TFormParams> Dialog;

    // caption, then text, per message.
    QList<QStringList> Messages;
    // file, then folder, per sound file dialog.
    QList<QStringList> SoundRequests;
    QString SoundChoice;
    QStringList HistoryRequests;
    QString HistoryChoice;

    template <typename T> T* Child(const char* name) const
    {
        return Dialog->findChild<T*>(QLatin1String(name));
    }

    // Shows the dialog without a modal loop and makes it the active window. False when it
    // could not be activated.
    bool Show();
    // The current page's object name.
    QString Page() const;
};
