#pragma once

#include "config/Config.h"
#include "ui/NameEdit.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <memory>

// A registration dialog on settings of its own that hold known values (none of them the
// default), with its hooks recorded: the beeps, the nicknames it showed, the login name it
// is offered, and no file dialog unless a test gives one.
class TNameEditProbe final
{
public:
    explicit TNameEditProbe(QWidget* mainForm = nullptr);
    Q_DISABLE_COPY_MOVE(TNameEditProbe)

    TConfig Config{QString()};
    std::unique_ptr<TFormNameEdit> Dialog;
    int Beeps = 0;
    QStringList NicksShown;
    QString LoginName = QStringLiteral("alice");

    template <typename T> T* Child(const char* name) const
    {
        return Dialog->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* Nick() const { return Child<QLineEdit>("edNic"); }
    QLineEdit* HistoryFile() const { return Child<QLineEdit>("edHistoryFileName"); }
    QPushButton* Ok() const { return Child<QPushButton>("btRegister"); }

    // Shows the dialog without a modal loop and makes it the active window, so that focus
    // moves as on a desktop. False when it could not be activated.
    bool Show(bool changeUserMode);
};

// Key presses that carry any character, as a keyboard layout delivers them; QTest's own
// typing knows only ASCII.
void Type(QWidget* widget, const QString& text);
