#include "conversation/ChatSound.h"

#include "config/Config.h"
#include "conversation/ChatSoundPlayer.h"

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

QString ChooseChatSoundFile(const TConfig& config, TChatSound sound, bool applicationActive,
                            const std::function<bool(const QString&)>& fileExists)
{
    if (!config.GetBool(enable_sounds))
        return {};
    if (config.GetBool(sound_only_if_chat_inactive) && applicationActive)
        return {};
    const TSoundSettings settings = SoundSettingsOf(sound);
    if (!config.GetBool(settings.Enabled))
        return {};
    const QString file = config.GetStr(settings.File);
    if (file.isEmpty() || !fileExists(file))
        return {};
    return file;
}

bool SoundFileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool PlayChatSound(TChatSoundPlayer& player, const TConfig& config, TChatSound sound,
                   bool applicationActive)
{
    const QString file = ChooseChatSoundFile(config, sound, applicationActive, SoundFileExists);
    return !file.isEmpty() && player.Play(file);
}
