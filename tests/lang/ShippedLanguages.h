#pragma once

#include <QString>
#include <QStringList>

// The language files the program ships, in the source tree's Language folder, by full path.
QStringList ShippedLanguageFiles();
// The source tree with a trailing "/": the folder that holds Language.
QString SourceFolder();
