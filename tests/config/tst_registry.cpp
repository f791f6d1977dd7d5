#include "config/Registry.h"
#include "config/RegistryFile.h"

#include <QtTest>

namespace {
const QByteArray Export = "Windows Registry Editor Version 5.00\n\n"
                          "[HKEY_CURRENT_USER\\Software\\Test]\n"
                          "\"Count\"=dword:0000002a\n"
                          "\"Blob\"=hex:01,02,03\n"
                          "\"Text\"=\"hello\"\n"
                          "\"Expand\"=hex(2):25,00,00,00\n"
                          "\"Short\"=hex(4):01,02\n"
                          "\"Gone\"=-\n";
} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        FFile = std::make_unique<TRegistryFile>(QString{});
        QVERIFY(FFile->LoadBytes(Export));
        FRegistry = std::make_unique<TRegistry>(*FFile);
    }

    void opensKeysBelowTheUser_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("canCreate");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("created");
        QTest::newRow("existing") << "Software\\Test" << false << true << false;
        QTest::newRow("other case, backslashes") << "\\SOFTWARE\\test\\" << false << true << false;
        QTest::newRow("missing") << "Software\\Other" << false << false << false;
        QTest::newRow("missing, created") << "Software\\Other" << true << true << true;
        QTest::newRow("line break refused") << "Soft\nware" << true << false << false;
    }
    void opensKeysBelowTheUser()
    {
        QFETCH(QString, key);
        QFETCH(bool, canCreate);
        QFETCH(bool, opened);
        QFETCH(bool, created);
        QCOMPARE(FRegistry->OpenKey(key, canCreate), opened);
        QCOMPARE(FRegistry->HasOpenKey(), opened);
        QCOMPARE(FFile->Document().Sections.size(), created ? 2 : 1);
        QCOMPARE(FFile->IsDirty(), created);
    }

    void readsByType()
    {
        QVERIFY(FRegistry->OpenKey(u"Software\\Test", false));
        std::uint32_t number = 7;
        QByteArray data = "keep";
        QString text = QStringLiteral("keep");

        QVERIFY(FRegistry->ReadDWord(u"count", number));
        QCOMPARE(number, 42u);
        QVERIFY(FRegistry->ReadBinary(u"BLOB", data));
        QCOMPARE(data, QByteArray("\x01\x02\x03"));
        QVERIFY(FRegistry->ReadString(u"Text", text));
        QCOMPARE(text, QStringLiteral("hello"));
        QVERIFY(FRegistry->ReadString(u"Expand", text));
        QCOMPARE(text, QStringLiteral("%"));

        // Wrong type, wrong size, unknown form or missing: false, output untouched.
        number = 7;
        data = "keep";
        text = QStringLiteral("keep");
        QVERIFY(!FRegistry->ReadDWord(u"Blob", number));
        QVERIFY(!FRegistry->ReadDWord(u"Short", number));
        QVERIFY(!FRegistry->ReadDWord(u"Gone", number));
        QVERIFY(!FRegistry->ReadBinary(u"Text", data));
        QVERIFY(!FRegistry->ReadString(u"Count", text));
        QVERIFY(!FRegistry->ReadString(u"Nothing", text));
        QCOMPARE(number, 7u);
        QCOMPARE(data, QByteArray("keep"));
        QCOMPARE(text, QStringLiteral("keep"));
    }

    void reportsExistenceAndType()
    {
        QVERIFY(!FRegistry->ValueExists(u"Count")); // no key open yet
        QVERIFY(FRegistry->OpenKey(u"Software\\Test", false));
        QVERIFY(FRegistry->ValueExists(u"COUNT"));
        QCOMPARE(FRegistry->GetDataType(u"Count"), std::optional<std::uint32_t>(RegType::DWord));
        QCOMPARE(FRegistry->GetDataType(u"Expand"),
                 std::optional<std::uint32_t>(RegType::ExpandString));
        QVERIFY(FRegistry->ValueExists(u"Gone"));
        QCOMPARE(FRegistry->GetDataType(u"Gone"), std::nullopt);
        QVERIFY(!FRegistry->ValueExists(u"Nothing"));
        QCOMPARE(FRegistry->GetDataType(u"Nothing"), std::nullopt);
    }

    void writesKeepTheSpellingFound()
    {
        QVERIFY(FRegistry->OpenKey(u"software\\test", false));
        QVERIFY(FRegistry->WriteDWord("COUNT", 0xFFFFFFFF));
        QVERIFY(FRegistry->WriteString("Text", u"Привет"));
        QVERIFY(FRegistry->WriteBinary("New", QByteArray(3, '\0')));
        const TRegSection& section = FFile->Document().Sections.first();
        QCOMPARE(section.Path, QStringLiteral("HKEY_CURRENT_USER\\Software\\Test"));
        QCOMPARE(section.Values[0].Name, QStringLiteral("Count"));
        QCOMPARE(section.Values.last().Name, QStringLiteral("New"));

        std::uint32_t number = 0;
        QString text;
        QVERIFY(FRegistry->ReadDWord(u"count", number));
        QCOMPARE(number, 0xFFFFFFFFu);
        QVERIFY(FRegistry->ReadString(u"text", text));
        QCOMPARE(text, QStringLiteral("Привет"));
        QCOMPARE(FFile->Document().FindValue(section.Path, u"Text")->Data.size(), 14);
    }

    void writesNeedAnOpenKeyAndAStorableName()
    {
        QVERIFY(!FRegistry->WriteDWord("x", 1));
        QVERIFY(FRegistry->OpenKey(u"Software\\Test", false));
        QVERIFY(!FRegistry->WriteDWord("a\nb", 1));
        QVERIFY(!FFile->IsDirty());
    }

    void deletesValues()
    {
        QVERIFY(FRegistry->OpenKey(u"Software\\Test", false));
        QVERIFY(FRegistry->DeleteValue("blob"));
        QVERIFY(!FRegistry->ValueExists(u"Blob"));
        QVERIFY(!FRegistry->DeleteValue("blob"));
        QVERIFY(FRegistry->ValueExists(u"Count"));
    }

private:
    std::unique_ptr<TRegistryFile> FFile;
    std::unique_ptr<TRegistry> FRegistry;
};

QTEST_APPLESS_MAIN(TestRegistry)
#include "tst_registry.moc"
