#pragma once

#include <QString>

#include <functional>

// The program's name as its windows, notifications and saved files show it. Not Qt's
// application display name, which Qt would append to every window title ("Zelkit Chat
// Preferences — Zelkit Chat").
inline constexpr char ApplicationTitle[] = "Zelkit Chat";

// The program's data folder, with a trailing "/": where Language/, Sounds/ and the default
// history live. Set by InitAppFolder when the main window is created.
extern QString AppFolder;

// The four numbers of the product version, set by ReadProductVersion at start-up.
extern int VersionMajor;
extern int VersionMinor;
extern int VersionRelease;
extern int VersionBuild;

// The executable's own folder when it holds Language or Sounds (a build tree or a portable
// copy), else ../share/zelkit-chat/ beside it (an installed program). `exists` is asked
// about the two folders.
QString ChooseAppFolder(const QString& exeDir, const std::function<bool(const QString&)>& exists);
// AppFolder := ChooseAppFolder of the running program's folder and the file system.
void InitAppFolder();

// The version the build was given (the CMake project version 2.3.0.301).
void ReadProductVersion();
// "2.3 build 301": the release number is not shown.
QString FormatVersion(int major, int minor, int release, int build);
QString GetVersionString();
