#pragma once

#include "chat/ChatHost.h"

#include <QString>

#include <functional>

class TConfig;
class TChatSoundPlayer;

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

// The wave file to play for the event, or an empty text when none is to play: sounds off,
// sounds only while the chat is inactive and the application is active, the event switched
// off, or its file missing. `fileExists` is asked last, and only about the event's file.
QString ChooseChatSoundFile(const TConfig& config, TChatSound sound, bool applicationActive,
                            const std::function<bool(const QString&)>& fileExists);

// A regular file (not a folder) at that path.
bool SoundFileExists(const QString& path);

// The whole rule: chooses the file against the file system and hands it to the player.
// True when a sound was started.
bool PlayChatSound(TChatSoundPlayer& player, const TConfig& config, TChatSound sound,
                   bool applicationActive);
