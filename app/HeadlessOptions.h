#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class TConfig;

// The options of `zelkit-chat --headless`; each replaces a stored setting for this run only.
struct THeadlessOptions {
    bool Headless = false;
    bool Help = false;
    bool Version = false;
    std::optional<QString> Nick;
    std::optional<int> Gender;
    std::optional<QString> Broadcast;
    std::optional<int> Port;
    QStringList Rest; // arguments of the desktop program, such as /minimized
    QString Error;    // non-empty: the command line was refused

    // arguments: without the program's own name.
    static THeadlessOptions Parse(const QStringList& arguments);
    void ApplyTo(TConfig& config) const;
};

QString HeadlessUsage();
