#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSoundEffect;

// Plays the chat's wave files one at a time, asynchronously: Play returns at once, and a new
// sound stops the one still playing. A file that exists but cannot be played gives the
// system's bell instead, as a sound file the user chose badly should still be heard.
//
// Where there is no audio output (a server without a sound card, a session without a sound
// server) it stays silent, says nothing on the console, and never opens an audio stream.
// Main thread only.
class TChatSoundPlayer final : public QObject
{
    Q_OBJECT

public:
    explicit TChatSoundPlayer(QObject* parent = nullptr);
    ~TChatSoundPlayer() override;
    Q_DISABLE_COPY_MOVE(TChatSoundPlayer)

    // True when the sound was started (or the bell rung for a file already known to fail).
    bool Play(const QString& file);

    // Whether the system offers an audio output now. The first call asks the multimedia
    // back end, whose complaint about a missing sound server is kept off the console.
    static bool HasAudioOutput();

private:
    std::unique_ptr<QSoundEffect> FEffect;
};
