#include "NameEditProbe.h"

#include <QApplication>
#include <QKeyEvent>
#include <QtTest>

TNameEditProbe::TNameEditProbe(QWidget* mainForm)
{
    Config.SetStr(user_name, QStringLiteral("Bob"));
    Config.SetInt(user_gender, 1);
    Config.SetBool(history_enabled, false);
    Config.SetStr(history_file_name, QStringLiteral("/tmp/known.history"));
    Config.SetBool(save_settings, false);
    Config.SetBool(show_nic_at_statusbar, true);
    Dialog = std::make_unique<TFormNameEdit>(Config, mainForm);
    Dialog->SetBeep([this] { ++Beeps; });
    Dialog->SetOnNickChange([this](const QString& nick) { NicksShown << nick; });
    Dialog->SetLoginNameSource([this] { return LoginName; });
    Dialog->SetFileChooser([](const QString&) { return QString(); });
}

bool TNameEditProbe::Show(bool changeUserMode)
{
    Dialog->SetChangeUserMode(changeUserMode);
    Dialog->show();
    Dialog->activateWindow();
    return QTest::qWaitForWindowActive(Dialog.get());
}

void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}
