#include "config/Config.h"
#include "conversation/ChatSound.h"
#include "conversation/ChatSoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

Q_DECLARE_METATYPE(TChatSound)

namespace {
const QString SoundsFolder = QStringLiteral(ZELKIT_SOURCE_DIR "/Sounds/");

struct TWaveInfo {
    bool Valid = false;
    QString Problem;
    int Format = 0;
    int Channels = 0;
    int Rate = 0;
    int Bits = 0;
    QByteArray Samples;
};

// Reads a RIFF/WAVE file the way a strict player would.
TWaveInfo ReadWave(const QByteArray& bytes)
{
    TWaveInfo info;
    auto u32 = [&bytes](qsizetype at) {
        return qFromLittleEndian<quint32>(bytes.constData() + at);
    };
    auto u16 = [&bytes](qsizetype at) {
        return qFromLittleEndian<quint16>(bytes.constData() + at);
    };
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        info.Problem = QStringLiteral("no RIFF/WAVE header");
        return info;
    }
    if (u32(4) != quint32(bytes.size() - 8)) {
        info.Problem = QStringLiteral("RIFF size does not match the file");
        return info;
    }
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(at + 4);
        if (at + 8 + qsizetype(size) > bytes.size()) {
            info.Problem = QStringLiteral("chunk runs past the end");
            return info;
        }
        if (id == "fmt " && size >= 16) {
            info.Format = u16(at + 8);
            info.Channels = u16(at + 10);
            info.Rate = int(u32(at + 12));
            info.Bits = u16(at + 22);
        } else if (id == "data") {
            info.Samples = bytes.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    info.Valid = info.Format != 0 && !info.Samples.isEmpty();
    if (!info.Valid)
        info.Problem = QStringLiteral("no fmt or no data chunk");
    return info;
}
} // namespace

class TestChatSound : public QObject
{
    Q_OBJECT

    std::unique_ptr<TConfig> FConfig;
private slots:
    void init()
    {
        FConfig = std::make_unique<TConfig>(QString());
        FillDefaultSoundFiles(*FConfig, QStringLiteral("/opt/zelkit/"));
    }

    void eventsUseTheirOwnSettings_data()
    {
        QTest::addColumn<TChatSound>("sound");
        QTest::addColumn<int>("enabled");
        QTest::addColumn<int>("file");
        QTest::addColumn<QString>("defaultFile");
        QTest::newRow("new contact")
            << TChatSound::seNewContact << int(sound_enabled_new_contact)
            << int(sound_file_new_contact) << "/opt/zelkit/Sounds/NewUser.wav";
        QTest::newRow("message") << TChatSound::seIncomingMessage << int(sound_enabled_incoming_msg)
                                 << int(sound_file_incoming_msg)
                                 << "/opt/zelkit/Sounds/NewMessage.wav";
        QTest::newRow("private message")
            << TChatSound::seIncomingPrivateMessage << int(sound_enabled_incoming_private_msg)
            << int(sound_file_incoming_private_msg) << "/opt/zelkit/Sounds/NewMessage.wav";
    }
    void eventsUseTheirOwnSettings()
    {
        QFETCH(TChatSound, sound);
        QFETCH(int, enabled);
        QFETCH(int, file);
        QFETCH(QString, defaultFile);
        const TSoundSettings settings = SoundSettingsOf(sound);
        QCOMPARE(settings.Enabled, enabled);
        QCOMPARE(settings.File, file);
        QCOMPARE(DefaultSoundFile(sound, QStringLiteral("/opt/zelkit/")), defaultFile);
        QCOMPARE(FConfig->GetStr(file), defaultFile);
    }

    void startUpKeepsAFileTheUserChose()
    {
        TConfig config{QString()};
        config.SetStr(sound_file_incoming_msg, QStringLiteral("/home/me/gone.wav"));
        FillDefaultSoundFiles(config, QStringLiteral("/app/"));
        QCOMPARE(config.GetStr(sound_file_incoming_msg), QStringLiteral("/home/me/gone.wav"));
        QCOMPARE(config.GetStr(sound_file_new_contact), QStringLiteral("/app/Sounds/NewUser.wav"));
        QCOMPARE(config.GetStr(sound_file_incoming_private_msg),
                 QStringLiteral("/app/Sounds/NewMessage.wav"));
    }

    void onlyRegularFilesCount()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile file(dir.filePath(QStringLiteral("a.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(SoundFileExists(file.fileName()));
        QVERIFY(!SoundFileExists(dir.path()));
        QVERIFY(!SoundFileExists(dir.filePath(QStringLiteral("missing.wav"))));
        QVERIFY(!SoundFileExists(QString()));
    }

    void defaultSoundsAreShortMonoPcmWaves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("new user") << "NewUser.wav";
        QTest::newRow("new message") << "NewMessage.wav";
    }
    void defaultSoundsAreShortMonoPcmWaves()
    {
        QFETCH(QString, name);
        QFile file(SoundsFolder + name);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() < 100 * 1024);
        const TWaveInfo wave = ReadWave(bytes);
        QVERIFY2(wave.Valid, qPrintable(wave.Problem));
        QCOMPARE(wave.Format, 1);
        QCOMPARE(wave.Channels, 1);
        QCOMPARE(wave.Bits, 16);
        QVERIFY(wave.Rate == 22050 || wave.Rate == 44100);
        const double seconds = double(wave.Samples.size()) / 2 / wave.Rate;
        QVERIFY2(seconds > 0.2 && seconds < 1.0, qPrintable(QString::number(seconds)));

        // Audible, not clipped, and ending in silence so that it does not click.
        const auto* samples = reinterpret_cast<const qint16*>(wave.Samples.constData());
        const qsizetype count = wave.Samples.size() / 2;
        int peak = 0;
        for (qsizetype i = 0; i < count; ++i)
            peak = qMax(peak, qAbs(int(qFromLittleEndian(samples[i]))));
        QVERIFY(peak > 32767 / 8);
        QVERIFY(peak < 32767);
        QVERIFY(qAbs(int(qFromLittleEndian(samples[count - 1]))) < 64);
        QVERIFY(qAbs(int(qFromLittleEndian(samples[0]))) < 64);
    }

    void theTwoDefaultSoundsDiffer()
    {
        QFile a(SoundsFolder + QStringLiteral("NewUser.wav"));
        QFile b(SoundsFolder + QStringLiteral("NewMessage.wav"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() != b.readAll());
    }

    // Last: the player meets the machine's audio (none in the test environment). Whatever it
    // finds, it returns at once, does not crash and says nothing.
    void playerIsQuietAndReturns_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("default sound") << SoundsFolder + "NewMessage.wav";
        QTest::newRow("missing file") << "/nonexistent/zelkit/none.wav";
        QTest::newRow("not a wave file") << QStringLiteral(ZELKIT_SOURCE_DIR "/CMakeLists.txt");
        QTest::newRow("no file") << QString();
    }
    void playerIsQuietAndReturns()
    {
        QFETCH(QString, file);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        TChatSoundPlayer player;
        const bool started = player.Play(file);
        QCOMPARE(started, TChatSoundPlayer::HasAudioOutput() && !file.isEmpty());
        QTest::qWait(0);
    }

    void aSecondSoundReplacesTheFirst()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        TChatSoundPlayer player;
        player.Play(SoundsFolder + "NewUser.wav");
        player.Play(SoundsFolder + "NewMessage.wav");
        player.Play(SoundsFolder + "NewMessage.wav");
    }
};

QTEST_MAIN(TestChatSound)
#include "tst_chatsound.moc"
