#pragma once

#include "chat/ChatHost.h"

#include <QString>

class TConfig;

// Whether an event plays at all is the engine's rule; these are the file settings around it.
// The settings behind one sound event: whether it is on, which file it plays, and the file
// it gets when that setting is empty at start-up.
struct TSoundSettings {
    int Enabled = 0;
    int File = 0;
    const char* DefaultFileName = "";
};
TSoundSettings SoundSettingsOf(TChatSound sound);

// AppFolder + "Sounds/" + the event's default file name.
QString DefaultSoundFile(TChatSound sound, const QString& appFolder);

// Start-up: every sound-file setting that is empty gets its default file. A file the user
// chose, even one that is missing, is kept.
void FillDefaultSoundFiles(TConfig& config, const QString& appFolder);

// A regular file (not a folder) at that path.
bool SoundFileExists(const QString& path);
