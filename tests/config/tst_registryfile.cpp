#include "RegTestUtil.h"
#include "config/Registry.h"
#include "config/RegistryFile.h"
#include "config/RegistryText.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString OursPath =
    QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat");

// A file as a user may have it: written partly by regedit on Windows, partly by hand.
const QByteArray Mixed =
    "Windows Registry Editor Version 5.00\r\n"
    "; exported from the office machine\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Other Vendor\\Tool]\r\n"
    "\"Path\"=hex(2):25,00,55,00,53,00,45,00,52,00,25,00,00,00\r\n"
    "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
    "\"Big\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,\\\r\n"
    "  13,14,15,16,17,18,19\r\n"
    "; keep me\r\n"
    "\"Removed\"=-\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat]\r\n"
    "\"user_name\"=hex:41,00,00,00\r\n"
    "\"Udp_Port\"=dword:0000254f\r\n";

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

bool WriteOurs(TRegistryFile& file, const QString& name, std::uint32_t value)
{
    TRegistry registry(file);
    return registry.OpenKey(u"SOFTWARE\\Quorbane Software\\Zelkit Chat", true) &&
           registry.WriteDWord(name, value) && registry.Flush();
}
} // namespace

class TestRegistryFile : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        FPath = FDir->filePath(QStringLiteral("zelkit-chat/user.reg"));
    }

    void defaultPathFollowsXdgConfigHome()
    {
        qputenv("XDG_CONFIG_HOME", "/somewhere/config");
        QCOMPARE(TRegistryFile::DefaultPath(),
                 QStringLiteral("/somewhere/config/zelkit-chat/user.reg"));
        qputenv("XDG_CONFIG_HOME", "relative/is/ignored");
        QCOMPARE(TRegistryFile::DefaultPath(), QDir::homePath() + "/.config/zelkit-chat/user.reg");
        qunsetenv("XDG_CONFIG_HOME");
    }

    void missingFileIsCreatedPrivately()
    {
        TRegistryFile file(FPath);
        QCOMPARE(file.State(), TRegistryFile::lsMissing);
        QVERIFY(WriteOurs(file, "udp_port", 9567));
        struct stat info {
        };
        QCOMPARE(::stat(QFile::encodeName(FPath).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0600u);
        QCOMPARE(ReadAll(FPath),
                 QByteArray("Windows Registry Editor Version 5.00\n\n[" + OursPath.toUtf8() +
                            "]\n\"udp_port\"=dword:0000255f\n\n"));
        QCOMPARE(QDir(QFileInfo(FPath).path()).entryList(QDir::Files), QStringList{"user.reg"});
    }

    void othersDataSurvivesASave()
    {
        QDir().mkpath(QFileInfo(FPath).path());
        WriteAll(FPath, Mixed);
        TRegistryFile file(FPath);
        QCOMPARE(file.State(), TRegistryFile::lsLoaded);
        QVERIFY(WriteOurs(file, "udp_port", 1)); // spelled differently in the file
        QVERIFY(WriteOurs(file, "window_x", 2));

        std::optional<TRegistryDocument> expected = ParseRegistryText(Mixed);
        QVERIFY(expected);
        expected->SetValue(OursPath,
                           {TRegValue::Typed, "Udp_Port", RegType::DWord, EncodeDWord(1), {}});
        expected->SetValue(OursPath,
                           {TRegValue::Typed, "window_x", RegType::DWord, EncodeDWord(2), {}});
        const std::optional<TRegistryDocument> saved = ParseRegistryText(ReadAll(FPath));
        QVERIFY(saved);
        QCOMPARE(DescribeRegistry(*saved), DescribeRegistry(*expected));
    }

    void windowsExportReads()
    {
        QDir().mkpath(QFileInfo(FPath).path());
        const QString text = QString::fromUtf8(
            "Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat]\n"
            "\"user_name\"=hex:1f,04,35,04,42,04,4f,04,00,00\n"
            "\"font_name\"=hex:43,00,6f,00,75,00,72,00,69,00,65,00,72,00,20,00,4e,00,65,00,\\\n"
            "  77,00,00,00\n"
            "\"udp_port\"=dword:0000254f\n\n");
        WriteAll(FPath, Utf16Export(text));
        TRegistryFile file(FPath);
        TRegistry registry(file);
        QVERIFY(registry.OpenKey(u"SOFTWARE\\Quorbane Software\\Zelkit Chat", false));
        QByteArray data;
        QVERIFY(registry.ReadBinary(u"user_name", data));
        QCOMPARE(DecodeRegString(data), QStringLiteral("Петя"));
        QVERIFY(registry.ReadBinary(u"font_name", data));
        QCOMPARE(DecodeRegString(data), QStringLiteral("Courier New"));

        // Saved again it becomes UTF-8, with the same values.
        QVERIFY(registry.WriteDWord("udp_port", 9567));
        QVERIFY(registry.Flush());
        const QByteArray saved = ReadAll(FPath);
        QVERIFY(saved.startsWith("Windows Registry Editor Version 5.00\n"));
        QVERIFY(saved.contains("\"user_name\"=hex:1f,04,35,04,42,04,4f,04,00,00\n"));
    }

    void brokenFileIsMovedAsideUnderAFreeName_data()
    {
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first") << QStringList{} << "user.reg.bad";
        QTest::newRow("second") << QStringList{"user.reg.bad"} << "user.reg.bad.1";
        QTest::newRow("third") << QStringList{"user.reg.bad", "user.reg.bad.1"} << "user.reg.bad.2";
    }
    void brokenFileIsMovedAsideUnderAFreeName()
    {
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        const QString folder = QFileInfo(FPath).path();
        QDir().mkpath(folder);
        for (const QString& name : taken)
            WriteAll(folder + '/' + name, "older " + name.toUtf8());
        const QByteArray garbage = "this is not a registry export\n\x01\x02";
        WriteAll(FPath, garbage);

        TRegistryFile file(FPath);
        QCOMPARE(file.State(), TRegistryFile::lsMovedAside);
        QCOMPARE(file.MovedAsidePath(), folder + '/' + expected);
        QVERIFY(file.Document().Sections.isEmpty());
        QVERIFY(!QFileInfo::exists(FPath));
        QCOMPARE(ReadAll(folder + '/' + expected), garbage);
        for (const QString& name : taken)
            QCOMPARE(ReadAll(folder + '/' + name), "older " + name.toUtf8());

        QVERIFY(WriteOurs(file, "udp_port", 1));
        QVERIFY(ParseRegistryText(ReadAll(FPath)));
    }

    void readOnlyLeavesABrokenFileInPlace()
    {
        QDir().mkpath(QFileInfo(FPath).path());
        WriteAll(FPath, "garbage");
        TRegistryFile file(FPath);
        file.SetReadOnly(true);
        QCOMPARE(file.State(), TRegistryFile::lsInvalid);
        QVERIFY(!WriteOurs(file, "udp_port", 1));
        QCOMPARE(ReadAll(FPath), QByteArray("garbage"));
        QVERIFY(!QFileInfo::exists(FPath + ".bad"));
    }

    // Root reads everything, so a folder in the file's place stands in for a file without
    // read permission: it cannot be read, and it must neither be moved nor replaced.
    void unreadableFileIsNeverReplaced()
    {
        QVERIFY(QDir().mkpath(FPath));
        TRegistryFile file(FPath);
        QCOMPARE(file.State(), TRegistryFile::lsUnreadable);
        QVERIFY(!WriteOurs(file, "udp_port", 1));
        QVERIFY(!file.ErrorString().isEmpty());
        QVERIFY(QFileInfo(FPath).isDir());
        QVERIFY(!QFileInfo::exists(FPath + ".bad"));
        QVERIFY(file.IsDirty()); // the change is still pending, not dropped
    }

    void fileWithoutReadPermissionIsNeverReplaced()
    {
        if (::geteuid() == 0)
            QSKIP("root reads files without read permission");
        QDir().mkpath(QFileInfo(FPath).path());
        WriteAll(FPath, Mixed);
        QVERIFY(QFile::setPermissions(FPath, QFileDevice::WriteOwner));
        TRegistryFile file(FPath);
        QCOMPARE(file.State(), TRegistryFile::lsUnreadable);
        QVERIFY(!WriteOurs(file, "udp_port", 1));
        QVERIFY(QFile::setPermissions(FPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QCOMPARE(ReadAll(FPath), Mixed);
    }

    void valuesWrittenMeanwhileByOthersSurvive()
    {
        TRegistryFile file(FPath);
        QVERIFY(WriteOurs(file, "udp_port", 1));
        TRegistryFile other(FPath);
        TRegistry registry(other);
        QVERIFY(registry.OpenKey(u"Software\\Elsewhere", true));
        QVERIFY(registry.WriteString("x", u"y"));
        QVERIFY(registry.Flush());

        QVERIFY(WriteOurs(file, "window_x", 2));
        const std::optional<TRegistryDocument> saved = ParseRegistryText(ReadAll(FPath));
        QVERIFY(saved);
        QVERIFY(saved->FindValue(u"HKEY_CURRENT_USER\\Software\\Elsewhere", u"x"));
        QVERIFY(saved->FindValue(OursPath, u"udp_port"));
        QVERIFY(saved->FindValue(OursPath, u"window_x"));
    }

    void aLinkStaysALink()
    {
        const QString target = FDir->filePath(QStringLiteral("dotfiles/user.reg"));
        QDir().mkpath(QFileInfo(target).path());
        QDir().mkpath(QFileInfo(FPath).path());
        WriteAll(target, Mixed);
        QVERIFY(QFile::link(target, FPath));
        TRegistryFile file(FPath);
        QVERIFY(WriteOurs(file, "window_x", 2));
        QVERIFY(QFileInfo(FPath).isSymLink());
        QVERIFY(ReadAll(target).contains("\"window_x\"=dword:00000002"));
    }

private:
    std::unique_ptr<QTemporaryDir> FDir;
    QString FPath;
};

QTEST_APPLESS_MAIN(TestRegistryFile)
#include "tst_registryfile.moc"
