#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not an absolute path.
QString XdgConfigHome();
// The full path of the running program file.
QString ProgramFilePath();

// Starting with the user's logon: an XDG autostart entry that runs the program with
// "/minimized". SetAutorun (re)writes it atomically with the given program path;
// RemoveAutorun deletes it (a missing entry is no error). False when the file system
// refused.
QString AutorunEntryPath();
QByteArray AutorunEntryText(const QString& programPath);
bool SetAutorun(const QString& programPath = ProgramFilePath());
bool RemoveAutorun();

// The user's documents folder with a trailing "/".
QString GetPersonalFolder();
// The login name of the user running the program, at most 253 characters.
QString GetLoginUserName();

// A link text: begins with "ftp://", "http://", "file://", "\\", "mailto:" or "www.",
// compared exactly (case matters).
bool IsUrl(QStringView text);

int MinInt(int a, int b);

// 8-bit text in the code page with the given Windows number (0: the process's own code
// page). Composed forms are used where the code page has them, remaining combining marks
// are dropped, and other characters it cannot show become "?".
QByteArray WideToAnsiCodePage(QStringView text, int codePage);

// Where a dialog of `dialog` size goes: centred over the main window when it then lies
// wholly inside the work area and the main window is neither minimized nor hidden,
// otherwise centred in the work area.
QPoint CenterOverMainForm(QSize dialog, const QRect& mainForm, const QRect& workArea,
                          bool mainMinimizedOrHidden);

// A top-level window as the covered test sees it.
struct TStackedWindow {
    QRect Rect;
    bool Visible = true;
    bool Minimized = false;
};

// Whether the window is out of the user's sight: never when it is the foreground window;
// always when it is minimized or invisible; otherwise when a visible, not minimized window
// above it (`above`, nearest first) overlaps it by at least 20 x 20 pixels.
bool IsWindowCovered(const QRect& window, bool isForeground, bool isMinimized, bool isVisible,
                     const QList<TStackedWindow>& above);
