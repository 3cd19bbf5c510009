#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

TEST(FileNames, Parts) {
    struct {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    } cases[] = {
        {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
        {"c.tar.gz", "", "", "c.tar.gz", ".gz"},
        {"/a/b/", "/a/b/", "/a/b", "", ""},
        {"/x", "/", "/", "x", ""},
        {"/a.d/file", "/a.d/", "/a.d", "file", ""},
        {".profile", "", "", ".profile", ""},
        {"/home/u/.config", "/home/u/", "/home/u", ".config", ""},
        {"name.", "", "", "name.", "."},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtractFilePath(c.name), c.path);
        EXPECT_EQ(ExtractFileDir(c.name), c.dir);
        EXPECT_EQ(ExtractFileName(c.name), c.file);
        EXPECT_EQ(ExtractFileExt(c.name), c.ext);
        EXPECT_EQ(ExtractFileDrive(c.name), "");
    }
    EXPECT_EQ(ChangeFileExt("/a.d/file.txt", ".ini"), "/a.d/file.ini");
    EXPECT_EQ(ChangeFileExt("/a.d/file", ".ini"), "/a.d/file.ini");
    EXPECT_EQ(ChangeFileExt("/a/.profile", ".bak"), "/a/.profile.bak");
    EXPECT_EQ(ChangeFileExt("file.txt", ""), "file");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(PathDelim, u'/');
    EXPECT_EQ(PathSep, u':');
}

TEST(FileSystem, CreateRenameDeleteAndExpand) {
    mox::test::ScratchDir scratch;
    const String saved = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(scratch.Path()));
    EXPECT_EQ(ExpandFileName("x/../y/./z.txt"), QDir(scratch.Path()).canonicalPath() + "/y/z.txt");
    EXPECT_EQ(ExpandFileName("/a//b/../c"), "/a/c");
    ASSERT_TRUE(SetCurrentDir(saved));

    const String deep = scratch.File("p/q/r");
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep)); // already there
    EXPECT_FALSE(FileExists(deep));      // a folder is no file

    const String file = scratch.File("p/data.txt");
    EXPECT_EQ(FileAge(file).Val, -1);
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    EXPECT_TRUE(FileExists(file));
    EXPECT_NEAR(FileAge(file).Val, QDateTimeToDateTime(QDateTime::currentDateTime()).Val, 1.0 / 24);
    const String other = scratch.File("p/other.txt");
    EXPECT_TRUE(RenameFile(file, other));
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(FileExists(other));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_FALSE(RenameFile(file, other)); // never over an existing file
    EXPECT_TRUE(DeleteFile(other));
    EXPECT_FALSE(DeleteFile(other));
    EXPECT_FALSE(DeleteFile(deep)); // folders are not deleted as files
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(ProgramFile, ComesFromTheApplicationAndCanBeReplaced) {
    EXPECT_EQ(ProgramFileName(), QCoreApplication::applicationFilePath());
    EXPECT_EQ(ParamStr(0), ProgramFileName());
    SetProgramFileName("/opt/x/MoxLibDemo");
    EXPECT_EQ(ParamStr(0), "/opt/x/MoxLibDemo");
    EXPECT_EQ(ChangeFileExt(ExtractFileName(ProgramFileName()), ""), "MoxLibDemo");
    SetProgramFileName("");
    EXPECT_EQ(ProgramFileName(), QCoreApplication::applicationFilePath());
    EXPECT_EQ(ParamStr(ParamCount() + 1), "");
    EXPECT_EQ(ParamStr(-1), "");
    EXPECT_EQ(ParamCount(), QCoreApplication::arguments().size() - 1);
}

// Read while the program starts, before main has made the application object.
const String programFileAtStartup = ProgramFileName();

TEST(ProgramFile, IsKnownBeforeAnApplicationExists) {
    EXPECT_EQ(ExtractFileName(programFileAtStartup), "mox_vcl_tests");
    EXPECT_EQ(QFileInfo(programFileAtStartup).canonicalFilePath(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
}

} // namespace
