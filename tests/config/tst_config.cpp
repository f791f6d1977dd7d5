#include "config/Config.h"
#include "config/RegistryText.h"

#include <QtTest>

namespace {
const QString OursPath =
    QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TRegistryDocument ReadDocument(const QString& path)
{
    return ParseRegistryText(ReadAll(path)).value_or(TRegistryDocument{});
}
} // namespace

class TestConfig : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        FPath = FDir->filePath(QStringLiteral("user.reg"));
    }

    void freshProfileStoresEveryDefault()
    {
        TConfig config(FPath);
        QVERIFY(config.OpenRegistryKey(TConfig::KeyPath));
        QVERIFY(config.LoadAll());
        QCOMPARE(config.GetBool(first_run), true);
        QCOMPARE(config.GetStr(font_name), QStringLiteral("Arial"));

        const TRegistryDocument document = ReadDocument(FPath);
        const TRegSection* section = document.FindSection(OursPath);
        QVERIFY(section);
        QCOMPARE(section->Values.size(), 58);
        for (int id = 0; id < SettingCount; ++id) {
            const TConfigValue& item = config.Item(id);
            const TRegValue& value = section->Values[id];
            QCOMPARE(value.Name.toLatin1(), item.Key);
            switch (item.Kind) {
            case skInteger:
                QCOMPARE(value.Type, RegType::DWord);
                QCOMPARE(value.Data, EncodeDWord(std::uint32_t(item.DefInt)));
                break;
            case skBoolean:
                QCOMPARE(value.Type, RegType::DWord);
                QCOMPARE(value.Data, EncodeDWord(item.DefBool ? 1 : 0));
                break;
            case skString:
                QCOMPARE(value.Type, RegType::Binary);
                QCOMPARE(value.Data.size(), (item.DefText.size() + 1) * 2);
                QCOMPARE(DecodeRegString(value.Data), item.DefText);
                break;
            }
        }
        // Nothing missing any more: a second start leaves the file alone.
        const QByteArray before = ReadAll(FPath);
        TConfig again(FPath);
        again.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(again.LoadAll());
        QCOMPARE(ReadAll(FPath), before);
    }

    // One stored value at a time, the others as a fresh start leaves them.
    void loadsStoredValues_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("integer") << int(udp_port) << QByteArray("dword:00001234")
                                 << QVariant(0x1234);
        QTest::newRow("negative integer")
            << int(window_x) << QByteArray("dword:fffffff6") << QVariant(-10);
        QTest::newRow("boolean 0")
            << int(snap_enabled) << QByteArray("dword:00000000") << QVariant(false);
        QTest::newRow("boolean non-zero")
            << int(window_maximized) << QByteArray("dword:00000007") << QVariant(true);
        QTest::newRow("string") << int(user_name) << QByteArray("hex:42,00,6f,00,62,00,00,00")
                                << QVariant("Bob");
        QTest::newRow("string without terminator")
            << int(user_name) << QByteArray("hex:42,00,6f,00") << QVariant("Bo");
        QTest::newRow("string of odd size")
            << int(user_name) << QByteArray("hex:42,00,6f") << QVariant("Bo");
        QTest::newRow("string stops at zero")
            << int(user_name) << QByteArray("hex:42,00,00,00,43,00") << QVariant("B");
        QTest::newRow("empty string") << int(font_name) << QByteArray("hex:00,00") << QVariant("");
        // Wrong types fall back to the default.
        QTest::newRow("string as text")
            << int(font_name) << QByteArray("\"Tahoma\"") << QVariant("Arial");
        QTest::newRow("integer as binary")
            << int(udp_port) << QByteArray("hex:5f,25,00,00") << QVariant(9567);
        QTest::newRow("boolean as text")
            << int(snap_enabled) << QByteArray("\"0\"") << QVariant(true);
        QTest::newRow("short dword")
            << int(udp_port) << QByteArray("hex(4):01,00") << QVariant(9567);
        QTest::newRow("unknown form") << int(udp_port) << QByteArray("-") << QVariant(9567);
        QTest::newRow("600-byte string")
            << int(font_name) << "hex:" + QByteArray(599, 'x').replace("x", "41,") + "41"
            << QVariant("Arial");
    }
    void loadsStoredValues()
    {
        QFETCH(int, id);
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, expected);
        const QByteArray name = '"' + TConfig(QString{}).Item(id).Key;
        QFile file(FPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Windows Registry Editor Version 5.00\n\n[" + OursPath.toUtf8() + "]\n" + name +
                   "\"=" + stored + "\n");
        file.close();

        TConfig config(FPath);
        config.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(config.LoadAll());
        switch (config.Item(id).Kind) {
        case skInteger:
            QCOMPARE(QVariant(config.GetInt(id)), expected);
            break;
        case skBoolean:
            QCOMPARE(QVariant(config.GetBool(id)), expected);
            break;
        case skString:
            QCOMPARE(QVariant(config.GetStr(id)), expected);
            break;
        }
        // The stored value itself is left as it was; only the missing ones were added.
        const TRegistryDocument document = ReadDocument(FPath);
        QCOMPARE(document.FindSection(OursPath)->Values.size(), 58);
        const std::optional<TRegistryDocument> original = ParseRegistryText(
            "Windows Registry Editor Version 5.00\n[K]\n" + name + "\"=" + stored + "\n");
        QCOMPARE(*document.FindValue(OursPath, QString::fromLatin1(name.mid(1))),
                 original->Sections[0].Values[0]);
    }

    void longTextIsCut()
    {
        TConfig config(FPath);
        config.OpenRegistryKey(TConfig::KeyPath);
        config.SetStr(user_name, QString(300, u'n'));
        QCOMPARE(config.GetStr(user_name), QString(255, u'n'));
        config.SetStr(font_name, QString());
        QVERIFY(config.SaveAll());
        const TRegistryDocument document = ReadDocument(FPath);
        QCOMPARE(document.FindValue(OursPath, u"user_name")->Data.size(), 512);
        QCOMPARE(document.FindValue(OursPath, u"font_name")->Data, QByteArray(2, '\0'));
    }

    void cutNeverSplitsACharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kept");
        const QString emoji = QString::fromUtf16(u"\U0001F600");
        QTest::newRow("pair across the cut") << QString(254, u'a') + emoji << 254;
        QTest::newRow("pair before the cut") << QString(253, u'a') + emoji + "bc" << 255;
        QTest::newRow("exactly 255") << QString(255, u'a') << 255;
    }
    void cutNeverSplitsACharacter()
    {
        QFETCH(QString, text);
        QFETCH(int, kept);
        QString buffer;
        TConfig::AssignText(buffer, text);
        QCOMPARE(buffer, text.left(kept));
    }

    void definitionsParse_data()
    {
        QTest::addColumn<QByteArray>("definition");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("boolean 0")
            << QByteArray("B/k/0") << int(skBoolean) << QByteArray("k") << QVariant(false);
        QTest::newRow("boolean 00")
            << QByteArray("B/k/00") << int(skBoolean) << QByteArray("k") << QVariant(false);
        QTest::newRow("boolean 1")
            << QByteArray("B/k/1") << int(skBoolean) << QByteArray("k") << QVariant(true);
        QTest::newRow("boolean x")
            << QByteArray("B/k/x") << int(skBoolean) << QByteArray("k") << QVariant(true);
        QTest::newRow("boolean empty")
            << QByteArray("B/k/") << int(skBoolean) << QByteArray("k") << QVariant(true);
        QTest::newRow("integer") << QByteArray("I/port/-42") << int(skInteger) << QByteArray("port")
                                 << QVariant(-42);
        QTest::newRow("string with /")
            << QByteArray("S/dir/a/b") << int(skString) << QByteArray("dir") << QVariant("a/b");
        QTest::newRow("other letter")
            << QByteArray("Q/k/v") << int(skString) << QByteArray("k") << QVariant("v");
    }
    void definitionsParse()
    {
        QFETCH(QByteArray, definition);
        QFETCH(int, kind);
        QFETCH(QByteArray, key);
        QFETCH(QVariant, value);
        const TConfigValue item = TConfig::FromDefinition({7, definition.constData()});
        QCOMPARE(int(item.Id), 7);
        QCOMPARE(int(item.Kind), kind);
        QCOMPARE(item.Key, key);
        if (kind == skBoolean)
            QCOMPARE(QVariant(item.DefBool), value);
        else if (kind == skInteger)
            QCOMPARE(QVariant(item.DefInt), value);
        else
            QCOMPARE(QVariant(item.DefText), value);
    }

    void firstRunSurvivesAnExitWithoutClearingIt()
    {
        {
            TConfig config(FPath);
            config.OpenRegistryKey(TConfig::KeyPath);
            QVERIFY(config.LoadAll());
            config.SetStr(user_name, u"Ann");
            QVERIFY(config.SaveAll()); // the logoff path: first_run is not cleared
        }
        TConfig next(FPath);
        next.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(next.LoadAll());
        QCOMPARE(next.GetBool(first_run), true);
        QCOMPARE(next.GetStr(user_name), QStringLiteral("Ann"));
    }

    void resetRestoresDefaults()
    {
        TConfig config(QString{});
        config.SetInt(udp_port, 1);
        config.SetBool(snap_enabled, false);
        config.SetStr(font_name, u"Tahoma");
        config.ResetAll();
        QCOMPARE(config.GetInt(udp_port), 9567);
        QCOMPARE(config.GetBool(snap_enabled), true);
        QCOMPARE(config.GetStr(font_name), QStringLiteral("Arial"));
        QCOMPARE(config.GetDefaultInt(udp_port), 9567);
    }

    // Whatever is passed over for a default is named, with the file and the value.
    void problemsAreNamed_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("value");
        const QByteArray head =
            "Windows Registry Editor Version 5.00\n\n[" + OursPath.toUtf8() + "]\n";
        QTest::newRow("good values") << head + "\"udp_port\"=dword:0000a028\n"
                                     << "" << int(udp_port) << 41000;
        QTest::newRow("text where binary text is kept")
            << head + "\"user_name\"=\"Anna\"\n"
            << "\"user_name\" is not binary text" << -1 << 0;
        QTest::newRow("port above 65535")
            << head + "\"udp_port\"=dword:00041000\n"
            << "\"udp_port\" is 266240, outside 1..65535" << int(udp_port) << 9567;
        QTest::newRow("gender 7") << head + "\"user_gender\"=dword:00000007\n"
                                  << "\"user_gender\" is 7, outside 0..2" << int(user_gender) << 0;
        QTest::newRow("number as text") << head + "\"popup_show_time\"=\"4\"\n"
                                        << "\"popup_show_time\" is not a number" << -1 << 0;
        QTest::newRow("garbled file")
            << QByteArray("\x01\x02 garbage\n") << "not a registry file" << int(udp_port) << 9567;
    }
    void problemsAreNamed()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        QFETCH(int, id);
        QFETCH(int, value);
        QFile file(FPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        TConfig config(FPath);
        config.SetReadOnly(true);
        config.OpenRegistryKey(TConfig::KeyPath);
        config.LoadAll();
        if (problem.isEmpty()) {
            QCOMPARE(config.Problems(), QStringList());
        } else {
            QCOMPARE(config.Problems().size(), 1);
            QVERIFY2(config.Problems()[0].contains(problem), qPrintable(config.Problems()[0]));
            QVERIFY(config.Problems()[0].startsWith(FPath));
        }
        if (id >= 0)
            QCOMPARE(config.GetInt(id), value);
        QCOMPARE(ReadAll(FPath), content);
    }

    void readOnlyNeverWrites()
    {
        TConfig config(FPath);
        config.SetReadOnly(true);
        config.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(config.LoadAll());
        config.SetStr(user_name, u"Bot");
        QVERIFY(config.SaveAll());
        QVERIFY(config.SaveValue(user_name));
        QVERIFY(config.LoadValue(udp_port));
        QVERIFY(!QFileInfo::exists(FPath));
    }

    void readOnlyUsesStoredValues()
    {
        {
            TConfig writer(FPath);
            writer.OpenRegistryKey(TConfig::KeyPath);
            writer.SetInt(udp_port, 1234);
            QVERIFY(writer.SaveAll());
        }
        const QByteArray before = ReadAll(FPath);
        TConfig reader(FPath);
        reader.SetReadOnly(true);
        reader.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(reader.LoadAll());
        QCOMPARE(reader.GetInt(udp_port), 1234);
        QVERIFY(reader.SaveAll());
        QCOMPARE(ReadAll(FPath), before);
    }

    void unreadableRegistryKeepsDefaultsAndReportsSaves()
    {
        QVERIFY(QDir().mkpath(FPath));
        TConfig config(FPath);
        config.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(!config.LoadAll());
        QCOMPARE(config.GetInt(udp_port), 9567);
        QVERIFY(!config.SaveAll());
        QVERIFY(!config.ErrorString().isEmpty());
        QVERIFY(QFileInfo(FPath).isDir());
    }

    void singleValueLoadWritesAMissingValue()
    {
        TConfig config(FPath);
        config.OpenRegistryKey(TConfig::KeyPath);
        QVERIFY(config.LoadValue(udp_port));
        const TRegistryDocument document = ReadDocument(FPath);
        QCOMPARE(document.FindSection(OursPath)->Values.size(), 1);
        QCOMPARE(document.FindValue(OursPath, u"udp_port")->Data, EncodeDWord(9567));
    }

    void withoutAKeyNothingIsWritten()
    {
        TConfig config(FPath);
        QVERIFY(!config.LoadAll());
        QCOMPARE(config.GetInt(udp_port), 9567);
        QVERIFY(!QFileInfo::exists(FPath));
    }

private:
    std::unique_ptr<QTemporaryDir> FDir;
    QString FPath;
};

QTEST_APPLESS_MAIN(TestConfig)
#include "tst_config.moc"
