#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <map>

#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

using mox::test::ScratchDir;

class FileSearch : public ::testing::Test {
protected:
    void SetUp() override {
        Write("abc", "12345");
        Write("abc.txt", "");
        Write("ABD.txt", "");
        Write(".profile", "");
        ASSERT_TRUE(QDir(dir.Path()).mkdir("folder"));
        ASSERT_TRUE(QFile::link(dir.File("folder"), dir.File("link")));
    }
    void Write(const QString& name, const QByteArray& data) {
        QFile f(dir.File(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    // Name -> attributes of everything the search finds.
    std::map<QString, int> Search(const QString& mask, int attr) {
        std::map<QString, int> found;
        TSearchRec rec;
        for (int rc = FindFirst(dir.File(mask), attr, rec); rc == 0; rc = FindNext(rec))
            found[rec.Name] = rec.Attr;
        FindClose(rec);
        return found;
    }
    ScratchDir dir;
};

TEST_F(FileSearch, MasksFollowThePlatformsRules) {
    struct {
        QString mask;
        QStringList names;
    } cases[] = {
        {"*.*", {"ABD.txt", "abc", "abc.txt"}}, // also names without an extension
        {"*", {"ABD.txt", "abc", "abc.txt"}},
        {"a*.*", {"abc", "abc.txt"}},
        {"ab?.txt", {"abc.txt"}}, // case counts on this host
        {"???", {"abc"}},
        {"*.txt", {"ABD.txt", "abc.txt"}},
        {"abc", {"abc"}},
        {"x*", {}},
    };
    for (const auto& c : cases) {
        QStringList names;
        for (const auto& [name, attr] : Search(c.mask, faReadOnly | faArchive))
            names << name;
        EXPECT_EQ(names, c.names) << c.mask.toStdString();
    }
}

TEST_F(FileSearch, SpecialEntriesOnlyWhenAskedFor) {
    const auto all = Search("*", faAnyFile);
    ASSERT_EQ(all.size(), 8u) << ". .. abc abc.txt ABD.txt .profile folder link";
    EXPECT_EQ(all.at("."), faDirectory);
    EXPECT_EQ(all.at(".."), faDirectory);
    EXPECT_EQ(all.at("folder"), faDirectory);
    EXPECT_EQ(all.at("link"), faDirectory | faSymLink);
    EXPECT_EQ(all.at(".profile"), faHidden);
    EXPECT_EQ(all.at("abc"), 0);

    EXPECT_EQ(Search("*", faDirectory).count(".profile"), 0u);
    EXPECT_EQ(Search("*", faHidden).count("folder"), 0u);
    EXPECT_EQ(Search("*", faHidden).count(".profile"), 1u);
}

TEST_F(FileSearch, RecordsSizeTimeAndReadOnly) {
    {
        QFile f(dir.File("abc"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(
            f.setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)), QFileDevice::FileModificationTime));
    }
    QFile::setPermissions(dir.File("abc"), QFile::ReadOwner);
    TSearchRec rec;
    ASSERT_EQ(FindFirst(dir.File("abc"), 0, rec), 0);
    EXPECT_EQ(rec.Name, "abc");
    EXPECT_EQ(rec.Size, 5);
    EXPECT_EQ(rec.Attr, faReadOnly);
    EXPECT_NEAR(rec.TimeStamp.Val, ComposeDateTime(EncodeDate(2020, 1, 2), EncodeTime(3, 4, 5, 0)).Val, 1e-8);
    EXPECT_NE(FindNext(rec), 0);
    FindClose(rec);
}

TEST_F(FileSearch, FailuresReturnAnErrorCode) {
    TSearchRec rec;
    EXPECT_EQ(FindFirst(dir.File("missing/*"), faAnyFile, rec), ENOENT);
    EXPECT_EQ(FindFirst(dir.File("nothing*"), faAnyFile, rec), ENOENT);
    EXPECT_EQ(FindFirst(dir.Path() + "/", faAnyFile, rec), ENOENT);
    EXPECT_NE(FindNext(rec), 0);
}

} // namespace
