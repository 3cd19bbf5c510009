#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <cstdio>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxPropStore.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"

namespace {

using mox::test::ScratchDir;

// An in-memory store that counts what happens to it.
struct Counters {
    int made = 0, alive = 0, updates = 0;
};

class CountingIniFile : public TMemIniFile {
public:
    CountingIniFile(const QString& file, Counters* c) : TMemIniFile(file), c_(c) {
        ++c_->made;
        ++c_->alive;
    }
    ~CountingIniFile() override { --c_->alive; }
    void UpdateFile() override {
        ++c_->updates;
        TMemIniFile::UpdateFile();
    }

private:
    Counters* c_;
};

// A link that writes down what it is told.
struct LoggingLink : TIniFileLink {
    explicit LoggingLink(QStringList* log, const QString& name = "link") {
        OnOpen = [=, this](TObject* s) { *log << name + ":open" + (s == this ? "" : "?"); };
        OnClose = [=, this](TObject* s) { *log << name + ":close" + (s == this ? "" : "?"); };
        OnLoad = [=, this](TObject* s) { *log << name + ":load" + (s == this ? "" : "?"); };
        OnSave = [=, this](TObject* s) { *log << name + ":save" + (s == this ? "" : "?"); };
    }
};

class AppIniFile : public ::testing::Test {
protected:
    ScratchDir dir;
    Counters counters;
    QStringList log;
    TmoxAppIniFile file{nullptr};
    LoggingLink link{&log};

    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.File("config"));
        file.SetIniFileType(ftUserDefined);
        file.OnCreateIniFile = [this](TObject* sender, TCustomIniFile*& ini) {
            EXPECT_EQ(sender, &file);
            EXPECT_EQ(ini, nullptr);
            ini = new CountingIniFile(dir.File("user.ini"), &counters);
        };
        link.SetAppIniFile(&file);
    }
    QByteArray UserFile() {
        QFile f(dir.File("user.ini"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(AppIniFile, ReadScopesShareOneStoreUntilTheLastEnds) {
    EXPECT_EQ(file.IniFile(), nullptr);
    ASSERT_TRUE(file.BeginRead());
    ASSERT_TRUE(file.BeginRead());
    EXPECT_NE(file.IniFile(), nullptr);
    file.EndRead();
    EXPECT_NE(file.IniFile(), nullptr);
    file.EndRead();
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_EQ(counters.made, 1);
    EXPECT_EQ(counters.alive, 0);
    EXPECT_EQ(counters.updates, 0);
    EXPECT_EQ(log, (QStringList{"link:open", "link:close"}));
}

TEST_F(AppIniFile, AWriteScopeInsideAReadScopeFlushesButKeepsTheStore) {
    ASSERT_TRUE(file.BeginRead());
    ASSERT_TRUE(file.BeginWrite()); // a scope from zero: opened again for the links
    file.IniFile()->WriteString("S", "k", "v");
    file.EndWrite();
    EXPECT_EQ(counters.updates, 1);
    EXPECT_EQ(UserFile(), "[S]\nk=v\n");
    EXPECT_NE(file.IniFile(), nullptr);
    file.EndRead();
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_EQ(counters.made, 1);
    EXPECT_EQ(log, (QStringList{"link:open", "link:open", "link:close"}));

    // The reverse overlap: the store is flushed when the write scope ends, closed by the read.
    log.clear();
    ASSERT_TRUE(file.BeginWrite());
    ASSERT_TRUE(file.BeginRead());
    file.EndWrite();
    EXPECT_EQ(counters.updates, 2);
    EXPECT_NE(file.IniFile(), nullptr);
    file.EndRead();
    EXPECT_EQ(counters.updates, 2);
    EXPECT_EQ(file.IniFile(), nullptr);

    // Nested write scopes flush once, at the last end.
    ASSERT_TRUE(file.BeginWrite());
    ASSERT_TRUE(file.BeginWrite());
    file.EndWrite();
    EXPECT_EQ(counters.updates, 2);
    file.EndWrite();
    EXPECT_EQ(counters.updates, 3);
    EXPECT_EQ(counters.alive, 0);
}

TEST_F(AppIniFile, AnEndWithoutItsBeginDoesNothing) {
    file.EndRead();
    file.EndWrite();
    EXPECT_TRUE(log.isEmpty());
    ASSERT_TRUE(file.BeginRead());
    file.EndWrite(); // no write scope is open: the read scope stays
    EXPECT_NE(file.IniFile(), nullptr);
    EXPECT_EQ(counters.updates, 0);
    file.EndRead();
    file.EndRead();
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_EQ(log, (QStringList{"link:open", "link:close"}));
}

TEST_F(AppIniFile, WithoutAStoreObjectTheScopeFailsWithCannotCreateIniFile) {
    for (bool handlerAssigned : {false, true}) {
        if (handlerAssigned)
            file.OnCreateIniFile = [](TObject*, TCustomIniFile*&) {}; // leaves it empty
        else
            file.OnCreateIniFile = nullptr;
        for (auto begin : {&TmoxAppIniFile::BeginRead, &TmoxAppIniFile::BeginWrite}) {
            try {
                (file.*begin)();
                ADD_FAILURE() << "no error";
            } catch (const EInvalidOp& e) {
                EXPECT_EQ(e.Message(), "Cannot create ini-file");
            }
            EXPECT_EQ(file.IniFile(), nullptr);
        }
    }
    EXPECT_TRUE(log.isEmpty());
    // The counts were not changed: one scope opens and one end closes.
    file.OnCreateIniFile = [this](TObject*, TCustomIniFile*& ini) {
        ini = new CountingIniFile("", &counters);
    };
    ASSERT_TRUE(file.BeginRead());
    file.EndRead();
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_EQ(counters.made, 1);
}

TEST_F(AppIniFile, AnErrorWhileMakingTheStorePropagates) {
    QDir(dir.Path()).mkdir("folder.ini");
    file.SetIniFileType(ftMemIniFile);
    file.SetIniFileName(dir.File("folder.ini"));
    EXPECT_THROW(file.BeginRead(), EFOpenError);
    EXPECT_EQ(file.IniFile(), nullptr);
    file.EndRead();
}

TEST_F(AppIniFile, AFailingUpdateGoesToTheExceptionDisplayAndTheScopeEnds) {
    QFile(dir.File("plain")).open(QIODevice::WriteOnly);
    const QString path = dir.File("plain/settings.ini"); // its folder is a file
    file.SetIniFileType(ftMemIniFile);
    file.SetIniFileName(path);
    QStringList shown;
    SetApplicationExceptionDisplay([&](TObject* sender, std::exception_ptr e) {
        EXPECT_EQ(sender, &file);
        shown << ExceptionMessage(e);
    });
    ASSERT_TRUE(file.BeginWrite());
    file.IniFile()->WriteString("S", "k", "v");
    file.EndWrite();
    SetApplicationExceptionDisplay({});
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("Cannot create file \"" + path + "\"")) << shown[0].toStdString();
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_EQ(log, (QStringList{"link:open", "link:close"}));
}

TEST_F(AppIniFile, ChangingASettingClosesTheStoreWithoutAFlush) {
    const struct {
        const char* what;
        std::function<void()> same, change;
    } cases[] = {
        {"IniFileName", [&] { file.SetIniFileName(file.IniFileName()); },
         [&] { file.SetIniFileName(file.IniFileName().toUpper()); }},
        {"IniFileType", [&] { file.SetIniFileType(file.IniFileType()); },
         [&] { file.SetIniFileType(file.IniFileType() == ftUserDefined ? ftMemIniFile : ftUserDefined); }},
        {"RegistryRoot", [&] { file.SetRegistryRoot(file.RegistryRoot()); },
         [&] {
             file.SetRegistryRoot(file.RegistryRoot() == rrCurrentUser ? rrLocalMachine : rrCurrentUser);
         }},
    };
    file.SetIniFileName("a.ini");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        file.SetIniFileType(ftUserDefined);
        log.clear();
        counters = {};
        ASSERT_TRUE(file.BeginRead());
        ASSERT_TRUE(file.BeginWrite());
        file.IniFile()->WriteString("S", "k", "lost");
        c.same();
        EXPECT_NE(file.IniFile(), nullptr);
        c.change();
        EXPECT_EQ(file.IniFile(), nullptr);
        EXPECT_EQ(log, (QStringList{"link:open", "link:open", "link:close"}));
        file.EndWrite();
        file.EndRead();
        EXPECT_EQ(counters.updates, 0);
        EXPECT_EQ(log.size(), 3);
        EXPECT_TRUE(UserFile().isEmpty());
    }
}

TEST_F(AppIniFile, DefaultNamesComeFromTheProgramFile) {
    QDir(dir.Path()).mkdir("Apps");
    SetProgramFileName(dir.File("Apps/MoxLibDemo.exe"));
    file.SetIniFileType(ftRegIniFile);
    EXPECT_EQ(file.IniFileName(), "Software\\MoxLibDemo");
    for (TIniFileType type : {ftIniFile, ftMemIniFile, ftUserDefined}) {
        file.SetIniFileType(type);
        EXPECT_EQ(file.IniFileName(), "MoxLibDemo.ini");
    }
    file.SetDesigning(true);
    EXPECT_EQ(file.IniFileName(), "");
    file.SetDesigning(false);

    // A bare name lies in the program's directory; a name with a folder is used unchanged.
    const struct {
        TIniFileType type;
        QString name, path;
    } cases[] = {
        {ftIniFile, "", dir.File("Apps/MoxLibDemo.ini")},
        {ftMemIniFile, "", dir.File("Apps/MoxLibDemo.ini")},
        {ftIniFile, "bare.ini", dir.File("Apps/bare.ini")},
        {ftIniFile, dir.File("cfg/a.ini"), dir.File("cfg/a.ini")},
        {ftMemIniFile, dir.File("cfg/a.ini"), dir.File("cfg/a.ini")},
    };
    for (const auto& c : cases) {
        file.SetIniFileType(c.type);
        file.SetIniFileName(c.name);
        ASSERT_TRUE(file.BeginWrite());
        EXPECT_EQ(file.IniFile()->FileName(), c.path);
        EXPECT_EQ(dynamic_cast<TIniFile*>(file.IniFile()) != nullptr, c.type == ftIniFile);
        file.EndWrite();
    }
    EXPECT_TRUE(QFile::exists(dir.File("Apps/MoxLibDemo.ini")));

    file.SetIniFileType(ftRegIniFile);
    file.SetIniFileName("");
    ASSERT_TRUE(file.BeginWrite());
    auto* reg = dynamic_cast<TRegistryIniFile*>(file.IniFile());
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->RegIniFile()->RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(reg->RegIniFile()->CurrentPath(), "Software\\MoxLibDemo");
    file.IniFile()->WriteInteger("TMainForm", "Left", 7);
    file.EndWrite();
    EXPECT_TRUE(QFile::exists(dir.File("config/MoxLibDemo/TMainForm.conf")));
    SetProgramFileName("");
}

TEST_F(AppIniFile, RegistryRootsOpenTheHivesOfTheTable) {
    const struct {
        TRegistryRoot root;
        HKEY hive;
        const char* name;
    } table[] = {
        {rrCurrentUser, HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
        {rrLocalMachine, HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
        {rrCurrentConfig, HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
        {rrClassesRoot, HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
        {rrUsers, HKEY_USERS, "HKEY_USERS"},
        {rrDynData, HKEY_DYN_DATA, "HKEY_DYN_DATA"},
    };
    file.SetIniFileType(ftRegIniFile);
    file.SetIniFileName("Software\\MoxLibrary\\Demo");
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RegistryRootKey(row.root), row.hive);
        file.SetRegistryRoot(row.root);
        if (row.hive == HKEY_CURRENT_USER || row.hive == HKEY_LOCAL_MACHINE) {
            // Only read: nothing is written to the system's settings.
            ASSERT_TRUE(file.BeginRead());
            EXPECT_EQ(dynamic_cast<TRegistryIniFile*>(file.IniFile())->RegIniFile()->RootKey(), row.hive);
            file.EndRead();
            continue;
        }
        try {
            file.BeginRead();
            ADD_FAILURE() << "no error";
        } catch (const ERegistryException& e) {
            EXPECT_EQ(e.Message(), QString("Registry hive %1 is not available on this system").arg(row.name));
        }
        EXPECT_EQ(file.IniFile(), nullptr);
    }
}

TEST_F(AppIniFile, LinksLoadAndSaveInsideScopesInOrder) {
    LoggingLink second(&log, "second"), inactive(&log, "inactive");
    second.SetAppIniFile(&file);
    inactive.SetAppIniFile(&file);
    inactive.Active = false;
    EXPECT_EQ(file.LinkCount(), 3);
    file.LoadAll();
    file.SaveAll();
    // Each active link in turn opens a scope of its own: every link hears of the open and the close.
    QStringList expected;
    for (const char* job : {"load", "save"})
        for (const char* active : {"link", "second"}) {
            expected << "link:open"
                     << "second:open"
                     << "inactive:open" << QString(active) + ":" + job;
            expected << "link:close"
                     << "second:close"
                     << "inactive:close";
        }
    EXPECT_EQ(log, expected);
    EXPECT_EQ(counters.updates, 2);
    EXPECT_EQ(file.IniFile(), nullptr);

    // Inside its scope the link finds the store.
    link.OnLoad = [&](TObject*) { EXPECT_NE(file.IniFile(), nullptr); };
    link.Load();
    // A failing load or save still ends its scope.
    link.OnLoad = [](TObject*) { throw EConvertError("bad value"); };
    link.OnSave = [](TObject*) { throw EConvertError("bad value"); };
    EXPECT_THROW(link.Load(), EConvertError);
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_THROW(link.Save(), EConvertError);
    EXPECT_EQ(file.IniFile(), nullptr);
    EXPECT_EQ(counters.alive, 0);
}

TEST_F(AppIniFile, ALinkMovesBetweenSettingsFilesAndDetachesWhenItGoes) {
    TmoxAppIniFile other(nullptr);
    link.SetAppIniFile(&file); // the current one: no change
    EXPECT_EQ(file.LinkCount(), 1);
    link.SetAppIniFile(&other);
    EXPECT_EQ(link.AppIniFile(), &other);
    EXPECT_EQ(file.LinkCount(), 0);
    EXPECT_EQ(other.LinkCount(), 1);
    file.AddLink(&link); // taken over directly: it leaves the other one
    EXPECT_EQ(link.AppIniFile(), &file);
    EXPECT_EQ(other.LinkCount(), 0);
    file.RemoveLink(&link);
    EXPECT_EQ(link.AppIniFile(), nullptr);
    link.Load();
    link.Save();
    EXPECT_TRUE(log.isEmpty());
    {
        TIniFileLink temporary;
        temporary.SetAppIniFile(&file);
        EXPECT_EQ(file.LinkCount(), 1);
    }
    EXPECT_EQ(file.LinkCount(), 0);
    file.LoadAll(); // no link left to call
}

TEST_F(AppIniFile, DestroyingTheSettingsFileLeavesItsLinksWithout) {
    auto* doomed = new TmoxAppIniFile(nullptr);
    doomed->SetIniFileType(ftUserDefined);
    doomed->OnCreateIniFile = [this](TObject*, TCustomIniFile*& ini) {
        ini = new CountingIniFile("", &counters);
    };
    LoggingLink second(&log, "second");
    link.SetAppIniFile(doomed);
    second.SetAppIniFile(doomed);
    ASSERT_TRUE(doomed->BeginRead());
    log.clear();
    doomed->Free();
    EXPECT_EQ(link.AppIniFile(), nullptr);
    EXPECT_EQ(second.AppIniFile(), nullptr);
    EXPECT_EQ(counters.alive, 0);
    EXPECT_TRUE(log.isEmpty()); // the links had left before the store was closed
    link.Load();
    second.Save();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(counters.made, 1);
}

TEST_F(AppIniFile, PublishesItsSettingsWithTheirDefaults) {
    TmoxAppIniFile fresh(nullptr);
    EXPECT_EQ(PropType(&fresh, "IniFileName"), tkLString);
    EXPECT_EQ(PropType(&fresh, "IniFileType"), tkEnumeration);
    EXPECT_EQ(PropType(&fresh, "RegistryRoot"), tkEnumeration);
    EXPECT_EQ(PropType(&fresh, "OnCreateIniFile"), tkMethod);
    EXPECT_EQ(GetEnumProp(&fresh, "IniFileType"), "ftRegIniFile");
    EXPECT_EQ(GetEnumProp(&fresh, "RegistryRoot"), "rrCurrentUser");
    // Nothing differs from the defaults, and the default name made at run time is not stored.
    for (const char* prop : {"IniFileType", "RegistryRoot", "OnCreateIniFile"})
        EXPECT_TRUE(IsDefaultPropValue(&fresh, GetPropInfo(&fresh, prop))) << prop;
    EXPECT_FALSE(fresh.IniFileName().isEmpty());
    EXPECT_FALSE(IsStoredProp(&fresh, "IniFileName"));

    SetEnumProp(&fresh, "IniFileType", "ftMemIniFile");
    SetEnumProp(&fresh, "RegistryRoot", "rrDynData");
    SetStrProp(&fresh, "IniFileName", "x.ini");
    EXPECT_EQ(fresh.IniFileType(), ftMemIniFile);
    EXPECT_EQ(fresh.RegistryRoot(), rrDynData);
    EXPECT_FALSE(IsDefaultPropValue(&fresh, GetPropInfo(&fresh, "IniFileType")));
    EXPECT_TRUE(IsStoredProp(&fresh, "IniFileName"));

    bool called = false;
    const TCreateIniFileEvent handler = [&](TObject*, TCustomIniFile*&) { called = true; };
    EXPECT_TRUE(fresh.setProperty("OnCreateIniFile", QVariant::fromValue(handler)));
    TCustomIniFile* ini = nullptr;
    fresh.OnCreateIniFile(&fresh, ini);
    EXPECT_TRUE(called);
}

// Run as a program file named MoxLibDemo: writes through the three kinds of store with the
// default names, then leaves.
MOX_CHILD_ROLE("write-settings", args) {
    Q_UNUSED(args);
    try {
        TmoxAppIniFile reg(nullptr); // ftRegIniFile, Software\MoxLibDemo
        TmoxAppIniFile ini(nullptr);
        ini.SetIniFileType(ftIniFile); // MoxLibDemo.ini beside the program
        TmoxAppIniFile mem(nullptr);
        mem.SetIniFileType(ftMemIniFile);
        mem.SetIniFileName("memory.ini");
        for (TmoxAppIniFile* f : {&reg, &ini, &mem}) {
            if (!f->BeginWrite()) return 2;
            f->IniFile()->WriteString("TMainForm", "Caption", "written by " + f->IniFileName());
            f->IniFile()->WriteInteger("TMainForm", "Left", 42);
            f->EndWrite();
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        return 1;
    }
    return 0;
}

TEST_F(AppIniFile, WhatOneProcessWritesAnotherReads) {
    const QString program = dir.File("MoxLibDemo");
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), program));
    // Readers made before the other process writes see what it wrote.
    TIniFile iniReader(dir.File("MoxLibDemo.ini"));
    TRegistryIniFile regReader("Software\\MoxLibDemo");
    for (TCustomIniFile* reader :
         {static_cast<TCustomIniFile*>(&iniReader), static_cast<TCustomIniFile*>(&regReader)}) {
        reader->WriteString("TMainForm", "Caption", "from the parent");
        EXPECT_EQ(reader->ReadString("TMainForm", "Caption", ""), "from the parent");
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.File("config"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, {"--child-role", "write-settings"});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitCode(), 0) << child.readAll().toStdString();

    EXPECT_TRUE(QFile::exists(dir.File("config/MoxLibDemo/TMainForm.conf")));
    EXPECT_EQ(iniReader.ReadString("TMainForm", "Caption", ""), "written by MoxLibDemo.ini");
    EXPECT_EQ(regReader.ReadString("TMainForm", "Caption", ""), "written by Software\\MoxLibDemo");

    const struct {
        TIniFileType type;
        QString name, caption;
    } stores[] = {
        {ftRegIniFile, "Software\\MoxLibDemo", "written by Software\\MoxLibDemo"},
        {ftIniFile, dir.File("MoxLibDemo.ini"), "written by MoxLibDemo.ini"},
        {ftMemIniFile, dir.File("memory.ini"), "written by memory.ini"},
    };
    for (const auto& s : stores) {
        SCOPED_TRACE(s.name.toStdString());
        file.SetIniFileType(s.type);
        file.SetIniFileName(s.name);
        ASSERT_TRUE(file.BeginRead());
        EXPECT_EQ(file.IniFile()->ReadString("tmainform", "CAPTION", ""), s.caption);
        EXPECT_EQ(file.IniFile()->ReadInteger("TMainForm", "Left", 0), 42);
        file.EndRead();
    }
}

} // namespace
