#include "conversation/ChatSound.h"

#include "config/Config.h"

#include <QFileInfo>

TSoundSettings SoundSettingsOf(TChatSound sound)
{
    switch (sound) {
    case TChatSound::seNewContact:
        return {sound_enabled_new_contact, sound_file_new_contact, "NewUser.wav"};
    case TChatSound::seIncomingMessage:
        return {sound_enabled_incoming_msg, sound_file_incoming_msg, "NewMessage.wav"};
    case TChatSound::seIncomingPrivateMessage:
        break;
    }
    return {sound_enabled_incoming_private_msg, sound_file_incoming_private_msg, "NewMessage.wav"};
}

QString DefaultSoundFile(TChatSound sound, const QString& appFolder)
{
    return appFolder + QStringLiteral("Sounds/") +
           QString::fromLatin1(SoundSettingsOf(sound).DefaultFileName);
}

void FillDefaultSoundFiles(TConfig& config, const QString& appFolder)
{
    for (TChatSound sound : {TChatSound::seNewContact, TChatSound::seIncomingMessage,
                             TChatSound::seIncomingPrivateMessage}) {
        const int file = SoundSettingsOf(sound).File;
        if (config.GetStr(file).isEmpty())
            config.SetStr(file, DefaultSoundFile(sound, appFolder));
    }
}

bool SoundFileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}
