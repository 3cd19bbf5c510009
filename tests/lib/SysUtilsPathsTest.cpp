#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

using mox::test::ScratchDir;

void Touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

TEST(MoxPaths, TrailingDelimiters) {
    struct {
        const char* path;
        bool include;
        const char* expected;
    } cases[] = {{"", true, "/"},       {"/a", true, "/a/"},   {"/a/", true, "/a/"}, {"a", true, "a/"},
                 {"/a//", false, "/a"}, {"/a", false, "/a"},   {"/", false, ""},     {"", false, ""},
                 {"//", true, "//"},    {"a/b/", false, "a/b"}};
    for (const auto& c : cases)
        EXPECT_EQ(SetTrailingBackslash(c.path, c.include), QString(c.expected)) << c.path << " " << c.include;
}

TEST(MoxPaths, NormalizeDirNameKeepsTheRoot) {
    struct {
        const char *path, *expected;
    } cases[] = {{"/", "/"},       {"//", "/"}, {"/dir/", "/dir"},  {"/dir", "/dir"},
                 {"dir//", "dir"}, {"", ""},    {"/a/b///", "/a/b"}};
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeDirName(c.path), QString(c.expected)) << c.path;
}

TEST(MoxPaths, ConcatPath) {
    EXPECT_EQ(ConcatPath("/a", "b"), "/a/b");
    EXPECT_EQ(ConcatPath("/a/", "b"), "/a/b");
    EXPECT_EQ(ConcatPath("/", "b"), "/b");
    EXPECT_EQ(ConcatPath("a", "*.*"), "a/*.*");
}

TEST(MoxPaths, NextPathPrefix) {
    struct {
        const char* path;
        QStringList prefixes;
    } cases[] = {{"/a/b", {"", "/a", "/a/b"}},
                 {"a/b/", {"a", "a/b"}},
                 {"a", {"a"}},
                 {"/", {""}},
                 {"/a//b", {"", "/a", "/a/", "/a//b"}}};
    for (const auto& c : cases) {
        QStringList got;
        int pos = 1;
        do
            got << NextPathPrefix(c.path, pos);
        while (pos <= int(strlen(c.path)));
        EXPECT_EQ(got, c.prefixes) << c.path;
        EXPECT_EQ(pos, int(strlen(c.path)) + 1) << c.path;
    }
}

TEST(MoxPaths, IsValidFileName) {
    struct {
        QString name;
        bool valid;
    } cases[] = {{"", false},
                 {"a.txt", true},
                 {"a b.txt", true},
                 {"/dir/file", true},
                 {"a<b", false},
                 {"a>b", false},
                 {"a\"b", false},
                 {"a[b", false},
                 {"a]b", false},
                 {"a|b", false},
                 {QString("a") + QChar(u'\0') + "b", false},
                 {"*.txt", true},
                 {"\u00e9t\u00e9", true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsValidFileName(c.name), c.valid) << c.name.toStdString();
}

class MoxDiskPaths : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(dir.Path()).mkpath("Sub Dir/Inner"));
        Touch(dir.File("Sub Dir/Mixed Case.TXT"));
        ASSERT_TRUE(QFile::link(dir.File("nowhere"), dir.File("broken")));
    }
    ScratchDir dir;
};

TEST_F(MoxDiskPaths, DirExists) {
    EXPECT_TRUE(DirExists(dir.Path()));
    EXPECT_TRUE(DirExists(dir.File("Sub Dir/")));
    EXPECT_FALSE(DirExists(dir.File("Sub Dir/Mixed Case.TXT")));
    EXPECT_FALSE(DirExists(dir.File("missing")));
    EXPECT_FALSE(DirExists(""));
}

TEST_F(MoxDiskPaths, ComponentNamesAsFoundOnDisk) {
    struct {
        QString path, name;
    } cases[] = {{dir.File("Sub Dir/Mixed Case.TXT"), "Mixed Case.TXT"},
                 {dir.File("Sub Dir"), "Sub Dir"},
                 {dir.File("Sub Dir/"), "Sub Dir"},
                 {dir.File("broken"), "broken"},
                 {dir.File("Sub Dir/mixed case.txt"), ""}, // names compare with case here
                 {dir.File("missing"), ""},
                 {"/", ""},
                 {"", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(LongComponentName(c.path), c.name) << c.path.toStdString();
        EXPECT_EQ(ShortComponentName(c.path), c.name) << c.path.toStdString();
    }
}

TEST_F(MoxDiskPaths, PathNamesRewriteEveryComponent) {
    const QString root = dir.Path();
    struct {
        QString path, expected;
    } cases[] = {{root + "/Sub Dir/Mixed Case.TXT", root + "/Sub Dir/Mixed Case.TXT"},
                 {root + "/Sub Dir/Inner/", root + "/Sub Dir/Inner/"},
                 {root + "/Sub Dir//Inner", root + "/Sub Dir//Inner"},
                 // Missing components become empty, the rest is still looked up.
                 {root + "/missing/Inner", root + "//"},
                 {root + "/Sub Dir/missing", root + "/Sub Dir/"},
                 {"/", "/"}};
    for (const auto& c : cases) {
        EXPECT_EQ(LongPathName(c.path), c.expected) << c.path.toStdString();
        EXPECT_EQ(ShortPathName(c.path), c.expected) << c.path.toStdString();
    }
}

class MoxFindFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "b.txt", "c.log", ".hidden.txt", "r.txt", "noext"})
            Touch(dir.File(name));
        ASSERT_TRUE(QDir(dir.Path()).mkpath("sub"));
        Touch(dir.File("sub/d.txt"));
        QFile::setPermissions(dir.File("r.txt"), QFile::ReadOwner | QFile::ReadUser);
    }
    QStringList Find(const QString& directory, const QString& masks, int attributes) {
        TStringList list;
        list.Add("left over");
        int changes = 0;
        list.OnChange = [&](TObject*) { ++changes; };
        FindFilesByMasks(directory, masks, attributes, &list);
        EXPECT_LE(changes, 1) << "the list's updates are suspended during the search";
        return list.ToQStringList();
    }
    QStringList Paths(const QString& folder, const QStringList& names) {
        QStringList paths;
        for (const auto& n : names)
            paths << folder + "/" + n;
        return paths;
    }
    ScratchDir dir;
};

TEST_F(MoxFindFiles, MasksAndAttributes) {
    const QString d = dir.Path();
    struct {
        QString masks;
        int attributes;
        QStringList names;
    } cases[] = {
        {"*.txt", faNormal, {"a.txt", "b.txt", "r.txt"}},
        {"*.txt;*.log", faNormal, {"a.txt", "b.txt", "r.txt", "c.log"}},
        {" *.log ; ;?.txt", faNormal, {"c.log", "a.txt", "b.txt", "r.txt"}},
        {"*.*", faNormal, {"a.txt", "b.txt", "c.log", "noext", "r.txt"}},
        {"*", faDirectory, {".", "..", "sub"}},
        {"*.txt", faHidden, {".hidden.txt"}},
        {"*.txt", faReadOnly, {"r.txt"}},
        // Entries with some but not all of the bits are left out, normal files included.
        {"*.txt", faHidden | faNormal, {"a.txt", "b.txt", "r.txt"}},
        {"*.txt", 0, {"a.txt", "b.txt", "r.txt"}},
        {"sub/*.txt", faNormal, {"sub/d.txt"}},
        {"*.none", faNormal, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Find(d, c.masks, c.attributes), Paths(d, c.names))
            << c.masks.toStdString() << " " << c.attributes;
}

TEST_F(MoxFindFiles, DirectoryForms) {
    const QString d = dir.Path();
    EXPECT_EQ(Find(d + "//", "a.*", faNormal), Paths(d, {"a.txt"}));
    EXPECT_EQ(Find(d + "/missing", "*.*", faNormal), QStringList());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(d + "/sub"));
    const QStringList found = Find("", "*.txt", faNormal);
    QDir::setCurrent(previous);
    EXPECT_EQ(found, QStringList{QDir(d + "/sub").absolutePath() + "/d.txt"});
}

} // namespace
