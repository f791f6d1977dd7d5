#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class TConfig;

// The command line of `zelkit-chat`. The headless options each replace a stored setting for
// this run only. Anything the parser cannot take exactly as written is refused (Error), so a
// script never has a peer do something other than what its command line says.
struct THeadlessOptions {
    bool Headless = false;
    bool Help = false;
    bool Version = false;
    bool Json = false;
    std::optional<QString> Nick;
    std::optional<int> Gender;
    std::optional<QString> Broadcast;
    std::optional<int> Port;
    QStringList Rest; // arguments of the desktop program: "/minimized"
    QString Error;    // non-empty: the command line was refused

    // arguments: without the program's own name.
    static THeadlessOptions Parse(const QStringList& arguments);
    void ApplyTo(TConfig& config) const;
};

QString HeadlessUsage();
