#include "conversation/ChatSoundPlayer.h"

#include <QApplication>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {
QtMessageHandler OuterHandler = nullptr;

// The audio back end connects to the sound server once, on its first use, and warns when
// there is none. That is the normal case on a machine without sound, not an error.
void WithoutSoundServerWarning(QtMsgType type, const QMessageLogContext& context,
                               const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("PulseAudioService:")))
        return;
    OuterHandler(type, context, message);
}
} // namespace

TChatSoundPlayer::TChatSoundPlayer(QObject* parent) : QObject(parent) {}

TChatSoundPlayer::~TChatSoundPlayer() = default;

bool TChatSoundPlayer::HasAudioOutput()
{
    static bool probed = false;
    if (!probed) {
        probed = true;
        OuterHandler = qInstallMessageHandler(WithoutSoundServerWarning);
        const bool any = !QMediaDevices::audioOutputs().isEmpty();
        qInstallMessageHandler(OuterHandler);
        return any;
    }
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool TChatSoundPlayer::Play(const QString& file)
{
    if (file.isEmpty() || !HasAudioOutput())
        return false;
    // Made on first use only: the effect opens the default output as soon as it exists.
    if (!FEffect) {
        FEffect = std::make_unique<QSoundEffect>();
        connect(FEffect.get(), &QSoundEffect::statusChanged, this, [this] {
            if (FEffect->status() == QSoundEffect::Error)
                QApplication::beep();
        });
    }
    const QUrl source = QUrl::fromLocalFile(file);
    if (FEffect->source() == source && FEffect->status() == QSoundEffect::Error) {
        QApplication::beep();
        return true;
    }
    FEffect->stop();
    FEffect->setSource(source);
    FEffect->play();
    return true;
}
