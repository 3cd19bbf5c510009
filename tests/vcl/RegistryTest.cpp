#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/Classes.h"
#include "vcl/Registry.h"

namespace {

using mox::test::ScratchDir;

// The user's hive lives in a scratch folder for each test.
class Registry : public ::testing::Test {
protected:
    ScratchDir config;
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.Path());
    }

    // What QSettings itself finds in the file.
    QVariant StoredValue(const QString& file, const QString& key) {
        return QSettings(config.File(file), QSettings::IniFormat).value(key);
    }
    QStringList Files() {
        QStringList found;
        QDir root(config.Path());
        for (const QString& e : root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name)) {
            found << e;
            if (QFileInfo(root.filePath(e)).isDir())
                for (const QString& f : QDir(root.filePath(e)).entryList(QDir::Files, QDir::Name))
                    found << e + "/" + f;
        }
        return found;
    }
};

TEST_F(Registry, KeysBelowSoftwareMapOntoTheNativeSettingsFiles) {
    struct Case {
        const char* key;
        const char* file;
        const char* settingsKey;
    };
    const Case cases[] = {
        {"Software\\MoxLibrary\\Demo", "MoxLibrary/Demo.conf", "Caption"},
        {"Software\\MoxLibDemo", "MoxLibDemo.conf", "Caption"},
        {"\\Software\\MoxLibrary\\Demo\\TMainForm", "MoxLibrary/Demo.conf", "TMainForm/Caption"},
        {"Software\\MoxLibrary\\Demo\\TMainForm\\Deeper", "MoxLibrary/Demo.conf", "TMainForm/Deeper/Caption"},
        {"Software\\MoxLibrary\\Other", "MoxLibrary/Other.conf", "Caption"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TRegistry reg;
        EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.OpenKey(c.key, true));
        reg.WriteString("Caption", QString("at ") + c.key);
        EXPECT_EQ(StoredValue(c.file, c.settingsKey).toString(), QString("at ") + c.key);
    }
    EXPECT_EQ(Files(), (QStringList{"MoxLibDemo.conf", "MoxLibrary", "MoxLibrary/Demo.conf",
                                    "MoxLibrary/Other.conf"}));

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software", false));
    EXPECT_EQ(reg.KeyNames(), (QStringList{"MoxLibDemo", "MoxLibrary"}));
    ASSERT_TRUE(reg.OpenKey("MoxLibrary", false)); // relative to the open key
    EXPECT_EQ(reg.CurrentPath(), "Software\\MoxLibrary");
    EXPECT_EQ(reg.KeyNames(), (QStringList{"Demo", "Other"}));
    ASSERT_TRUE(reg.OpenKey("Demo", false));
    TStringList names;
    reg.GetKeyNames(&names);
    EXPECT_EQ(names.ToQStringList(), QStringList{"TMainForm"});
    reg.GetValueNames(&names);
    EXPECT_EQ(names.ToQStringList(), QStringList{"Caption"});
    EXPECT_TRUE(reg.HasSubKeys());
}

TEST_F(Registry, NamesCompareWithoutRegardToCase) {
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("Software\\MoxLibrary\\Demo\\Main", true));
        reg.WriteInteger("Left", 1);
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\moxlibrary\\DEMO\\main", false));
    EXPECT_EQ(reg.ReadInteger("LEFT"), 1);
    reg.WriteInteger("left", 2);
    EXPECT_EQ(reg.ValueNames(), QStringList{"Left"});
    EXPECT_TRUE(reg.KeyExists("\\software\\MOXLIBRARY\\demo\\MAIN"));
    EXPECT_TRUE(reg.ValueExists("lEfT"));
    EXPECT_EQ(StoredValue("MoxLibrary/Demo.conf", "Main/Left").toString(), "2");
    EXPECT_EQ(Files(), (QStringList{"MoxLibrary", "MoxLibrary/Demo.conf"}));
}

TEST_F(Registry, KeysHoldOnceTheyHoldValuesAndGoWithEverythingBelow) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("Software\\MoxLibrary\\Demo\\Missing", false));
    EXPECT_TRUE(reg.CurrentPath().isEmpty());
    ASSERT_TRUE(reg.OpenKey("Software\\MoxLibrary\\Demo\\Missing", true));
    EXPECT_EQ(reg.CurrentPath(), "Software\\MoxLibrary\\Demo\\Missing");
    EXPECT_FALSE(reg.KeyExists("\\Software\\MoxLibrary\\Demo\\Missing"));
    reg.WriteBool("Flag", true);
    EXPECT_TRUE(reg.KeyExists("\\Software\\MoxLibrary\\Demo\\Missing"));
    ASSERT_TRUE(reg.OpenKey("Sub", true));
    reg.WriteString("x", "1");

    EXPECT_TRUE(reg.DeleteValue("x"));
    EXPECT_FALSE(reg.DeleteValue("x"));
    reg.WriteString("x", "again");
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("Software\\MoxLibrary\\Demo\\Missing"));
    EXPECT_FALSE(reg.KeyExists("Software\\MoxLibrary\\Demo\\Missing\\Sub"));
    EXPECT_FALSE(reg.DeleteKey("Software\\MoxLibrary\\Demo\\Missing"));

    ASSERT_TRUE(reg.OpenKey("Software\\MoxLibrary\\Demo", true));
    reg.WriteString("Top", "1");
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("Software\\MoxLibrary"));
    EXPECT_FALSE(reg.KeyExists("Software\\MoxLibrary"));
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(Registry, TypedReadsFollowTheTextRulesAndRaiseForAbsentValues) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\MoxLibrary\\Types", true));
    reg.WriteInteger("Int", -5);
    reg.WriteString("Hex", "$1F");
    reg.WriteString("Text", "abc");
    reg.WriteFloat("Float", 0.25);
    reg.WriteDateTime("When", TDateTime(36526.75));
    EXPECT_EQ(reg.ReadInteger("Int"), -5);
    EXPECT_EQ(reg.ReadInteger("Hex"), 31);
    EXPECT_DOUBLE_EQ(reg.ReadFloat("Float"), 0.25);
    EXPECT_DOUBLE_EQ(reg.ReadDateTime("When"), 36526.75);
    EXPECT_EQ(reg.ReadString("When"), "2000-01-01 18:00:00");
    EXPECT_EQ(reg.ReadString("Absent"), "");
    EXPECT_EQ(reg.GetDataType("Int"), rdString);
    EXPECT_EQ(reg.GetDataType("Absent"), rdUnknown);
    const struct {
        std::function<void()> read;
        const char* message;
    } failures[] = {
        {[&] { reg.ReadInteger("Text"); }, "Invalid data type for 'Text'"},
        {[&] { reg.ReadBool("Text"); }, "Invalid data type for 'Text'"},
        {[&] { reg.ReadDate("Float"); }, "Invalid data type for 'Float'"},
        {[&] { reg.ReadInteger("Absent"); }, "Failed to get data for 'Absent'"},
        {[&] { reg.ReadFloat("Absent"); }, "Failed to get data for 'Absent'"},
    };
    for (const auto& f : failures) {
        try {
            f.read();
            ADD_FAILURE() << "no error for " << f.message;
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), f.message);
        }
    }
}

TEST_F(Registry, NamesThatTheFilesCannotTakeComeBackAsTheyWere) {
    const QString odd = "a/b\\c%d";
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\..\\..", true));
    reg.WriteString(odd, "slashes");
    reg.WriteString("", "default value");
    EXPECT_EQ(reg.ReadString(odd), "slashes");
    EXPECT_EQ(reg.ReadString(""), "default value");
    EXPECT_EQ(reg.ValueNames().size(), 2);
    EXPECT_TRUE(reg.ValueNames().contains(odd));
    ASSERT_TRUE(reg.OpenKey("x/y", true));
    reg.WriteInteger("n", 1);
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey("Software\\..\\..", false));
    EXPECT_EQ(reg.KeyNames(), QStringList{"x/y"});
    // Nothing climbed out of the folder.
    EXPECT_EQ(Files(), (QStringList{"%2E%2E", "%2E%2E/%2E%2E.conf"}));
}

TEST_F(Registry, HivesAndKeysWithoutAPlaceHereRaiseClearErrors) {
    const struct {
        HKEY hive;
        const char* name;
    } hives[] = {
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
        {HKEY_USERS, "HKEY_USERS"},
        {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
        {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
    };
    for (const auto& h : hives) {
        TRegistry reg;
        reg.SetRootKey(h.hive);
        EXPECT_EQ(reg.RootKey(), h.hive);
        for (bool create : {true, false}) {
            try {
                reg.OpenKey("Software\\MoxLibrary", create);
                ADD_FAILURE() << "no error for " << h.name;
            } catch (const ERegistryException& e) {
                EXPECT_EQ(e.Message(),
                          QString("Registry hive %1 is not available on this system").arg(h.name));
            }
        }
    }
    TRegistry reg;
    try {
        reg.OpenKey("Control Panel\\Desktop", true);
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_TRUE(
            e.Message().startsWith("Registry key HKEY_CURRENT_USER\\Control Panel\\Desktop is not available"))
            << e.Message().toStdString();
    }
    EXPECT_FALSE(reg.KeyExists("Control Panel"));
    EXPECT_TRUE(reg.OpenKey("", false)); // the hive's root
    EXPECT_EQ(reg.KeyNames(), QStringList{"Software"});
    EXPECT_THROW(reg.WriteString("AtTheRoot", "x"), ERegistryException);
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(Registry, AStoreThatCannotBeWrittenRaisesAnError) {
    QFile blocker(config.File("MoxLibrary")); // a file where the organisation's folder would go
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\MoxLibrary\\Demo", true));
    try {
        reg.WriteString("Caption", "x");
        FAIL() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to set data for 'Caption'");
    }
}

TEST_F(Registry, TheRegistryIniFileKeepsSectionsAsSubkeys) {
    TRegistryIniFile ini("Software\\MoxLibrary\\Demo");
    EXPECT_EQ(ini.RegIniFile()->CurrentPath(), "Software\\MoxLibrary\\Demo");
    ini.WriteString("TControlsForm", "edLaunchFile_Text", "cmd.exe");
    ini.WriteInteger("TControlsForm", "ControlsForm_Left", 120);
    ini.WriteString("Pictures", "Item0", "!99/99/00");
    ini.WriteString("tcontrolsform", "Version", "1");
    EXPECT_EQ(StoredValue("MoxLibrary/Demo.conf", "TControlsForm/ControlsForm_Left").toString(), "120");

    TRegistryIniFile other("software\\moxlibrary\\demo");
    EXPECT_EQ(other.ReadInteger("TCONTROLSFORM", "controlsform_left", 0), 120);
    EXPECT_EQ(other.ReadString("TControlsForm", "absent", "dflt"), "dflt");
    EXPECT_EQ(other.ReadInteger("TControlsForm", "edLaunchFile_Text", -1), -1);
    EXPECT_TRUE(other.SectionExists("pictures"));
    EXPECT_TRUE(other.ValueExists("Pictures", "ITEM0"));
    TStringList list;
    other.ReadSections(&list);
    EXPECT_EQ(list.ToQStringList(), (QStringList{"Pictures", "TControlsForm"}));
    other.ReadSection("TControlsForm", &list);
    EXPECT_EQ(list.Count(), 3);
    other.ReadSectionValues("Pictures", &list);
    EXPECT_EQ(list.ToQStringList(), QStringList{"Item0=!99/99/00"});

    ini.EraseSection("TControlsForm");
    ini.EraseSection("Absent");
    ini.DeleteKey("Pictures", "Item0");
    EXPECT_FALSE(other.SectionExists("TControlsForm"));
    EXPECT_FALSE(other.ValueExists("Pictures", "Item0"));
    ini.UpdateFile();
}

TEST_F(Registry, TheRootCanBeSetBeforeTheKeyIsOpened) {
    TRegistryIniFile ini("");
    EXPECT_TRUE(ini.FileName().isEmpty());
    ini.RegIniFile()->SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(ini.RegIniFile()->OpenKey("Software\\MoxLibDemo", true));
    ini.WriteBool("TMainForm", "Maximized", true);
    EXPECT_EQ(StoredValue("MoxLibDemo/TMainForm.conf", "Maximized").toString(), "1");

    TRegistryIniFile unavailable("");
    unavailable.RegIniFile()->SetRootKey(HKEY_USERS);
    EXPECT_THROW(unavailable.RegIniFile()->OpenKey("Software\\MoxLibDemo", true), ERegistryException);
}

} // namespace
