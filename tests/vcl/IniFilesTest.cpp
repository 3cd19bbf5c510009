#include <QDir>
#include <QFile>
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "TestSupport.h"
#include "vcl/Classes.h"
#include "vcl/IniFiles.h"

namespace {

using mox::test::ScratchDir;

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The bytes of a literal, NUL bytes included.
template <std::size_t N> QByteArray Bytes(const char (&s)[N]) {
    return QByteArray(s, N - 1);
}

QStringList Keys(TCustomIniFile& ini, const QString& section) {
    TStringList list;
    ini.ReadSection(section, &list);
    return list.ToQStringList();
}

QStringList Sections(TCustomIniFile& ini) {
    TStringList list;
    ini.ReadSections(&list);
    return list.ToQStringList();
}

// Both INI stores read a file the same way.
struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<TCustomIniFile>(const QString&)> make;
    friend void PrintTo(const StoreKind& kind, std::ostream* os) { *os << kind.name; }
};

class IniParsing : public ::testing::TestWithParam<StoreKind> {
protected:
    ScratchDir dir;
    std::unique_ptr<TCustomIniFile> Open(const QByteArray& text) {
        WriteFile(dir.File("a.ini"), text);
        return GetParam().make(dir.File("a.ini"));
    }
};

TEST_P(IniParsing, ReadsTheLinesThePlatformReadsAndSkipsTheRest) {
    struct Case {
        const char* what;
        QByteArray text;
        QString section, key, expected; // expected "<none>" when the key must be absent
    };
    const QString none = "<none>";
    const Case cases[] = {
        {"blanks around key and value", "[S]\n  key  =  value  \n", "S", "key", "value"},
        {"names in any case", "[MySection]\nMyKey=V\n", "mYsECTION", "MYKEY", "V"},
        {"blanks inside the brackets", "[  Spaced  ]\nk=1\n", "Spaced", "k", "1"},
        {"quotes and backslashes verbatim", "[S]\nk=\"c:\\temp\\n\" ;x\n", "S", "k", "\"c:\\temp\\n\" ;x"},
        {"an empty value", "[S]\nk=\n", "S", "k", ""},
        {"the first \"=\" splits", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"a line without \"=\"", "[S]\njust text\nk=1\n", "S", "just text", none},
        {"an empty key", "[S]\n=orphan\n", "S", "", none},
        {"a key before any section", "k=1\n[S]\n", "S", "k", none},
        {"a comment", "[S]\n;k=1\n", "S", ";k", none},
        {"a header without its bracket", "[S]\n[Broken\nb=2\n", "S", "b", "2"},
        {"a byte-order mark", "\xEF\xBB\xBF[S]\nk=bom\n", "S", "k", "bom"},
        {"CR LF and CR line ends", "[S]\r\na=1\rk=crlf\r\n", "S", "k", "crlf"},
        {"a section named twice reads as one", "[S]\na=1\n[T]\n[s]\nk=second\n", "S", "k", "second"},
        {"of a key named twice the first counts", "[S]\nk=first\nK=second\n", "S", "k", "first"},
        {"UTF-8 text", "[Größe]\nschlüssel=wert ü\n", "GRÖßE", "SCHLÜSSEL", "wert ü"},
        {"Latin-1 text", "[S]\nk=caf\xE9\n", "S", "k", QString::fromLatin1("caf\xE9")},
        {"binary garbage", Bytes("[S]\n\x01\x02\xFF\xFE\x00\x00zz\n\x00=\x00\nk=1\n"), "S", "k", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto ini = Open(c.text);
        EXPECT_EQ(ini->ReadString(c.section, c.key, none), c.expected);
        EXPECT_EQ(ini->ValueExists(c.section, c.key), c.expected != none);
    }
}

TEST_P(IniParsing, ListsSectionsAndKeysInFileOrder) {
    auto ini = Open("; top comment\n[Zeta]\nb=2\na=1\n[alpha]\n;note\nx=9\nnoise\n[Empty]\n[zeta]\nc=3\n");
    EXPECT_EQ(Sections(*ini), (QStringList{"Zeta", "alpha", "Empty"}));
    EXPECT_EQ(Keys(*ini, "ZETA"), (QStringList{"b", "a", "c"}));
    TStringList values;
    ini->ReadSectionValues("alpha", &values);
    EXPECT_EQ(values.ToQStringList(), QStringList{"x=9"});
    EXPECT_TRUE(ini->SectionExists("ALPHA"));
    EXPECT_FALSE(ini->SectionExists("Empty")); // a section without values
    EXPECT_FALSE(ini->SectionExists("Missing"));
    EXPECT_TRUE(Keys(*ini, "Missing").isEmpty());
}

TEST_P(IniParsing, BinaryFileIsAnEmptyStoreNotACrash) {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(char((i * 7919 + 13) % 256));
    auto ini = Open(bytes);
    EXPECT_EQ(ini->ReadString("S", "k", "d"), "d");
    EXPECT_EQ(ini->ReadInteger("S", "k", 5), 5);
}

TEST_P(IniParsing, MissingFileIsAnEmptyStore) {
    auto ini = GetParam().make(dir.File("missing.ini"));
    EXPECT_EQ(ini->ReadString("S", "k", "d"), "d");
    EXPECT_TRUE(Sections(*ini).isEmpty());
    EXPECT_FALSE(QFile::exists(dir.File("missing.ini")));
}

TEST_P(IniParsing, IntegersInTheDecimalAndHexadecimalForms) {
    struct Case {
        const char* text;
        int expected; // -999 stands for the default
    };
    const Case cases[] = {
        {"12", 12},
        {"-7", -7},
        {"+8", 8},
        {"$1F", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", int(0x80000000u)},
        {"2147483648", -999},
        {"$100000000", -999},
        {"12abc", -999},
        {"1.5", -999},
        {"$", -999},
        {"0x", -999},
        {"", -999},
        {"- 1", -999},
        {"１２", -999}, // full-width digits are no number here
    };
    QByteArray text = "[N]\n";
    for (int i = 0; i < int(std::size(cases)); ++i)
        text += "v" + QByteArray::number(i) + "=" + cases[i].text + "\n";
    auto ini = Open(text);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].text);
        EXPECT_EQ(ini->ReadInteger("N", "v" + QString::number(i), -999), cases[i].expected);
    }
    EXPECT_EQ(ini->ReadInteger("N", "absent", 42), 42);
    EXPECT_TRUE(ini->ReadBool("N", "v0", false));
    EXPECT_FALSE(ini->ReadBool("N", "absent", false));
    EXPECT_TRUE(ini->ReadBool("N", "v10", true)); // not an integer: the default
}

INSTANTIATE_TEST_SUITE_P(
    Stores, IniParsing,
    ::testing::Values(
        StoreKind{"TMemIniFile",
                  [](const QString& f) { return std::unique_ptr<TCustomIniFile>(new TMemIniFile(f)); }},
        StoreKind{"TIniFile",
                  [](const QString& f) { return std::unique_ptr<TCustomIniFile>(new TIniFile(f)); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The typed values have fixed texts whatever the locale says.
TEST(IniValues, FloatsAndDatesHaveFixedTexts) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TMemIniFile ini("");
    struct Case {
        std::function<void()> write;
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {[&] { ini.WriteFloat("V", "half", 0.5); }, "half", "0.5"},
        {[&] { ini.WriteFloat("V", "tenth", 0.1); }, "tenth", "0.1"},
        {[&] { ini.WriteFloat("V", "stamp", 36926.5796064815); }, "stamp", "36926.5796064815"},
        {[&] { ini.WriteFloat("V", "big", -1e20); }, "big", "-1e+20"},
        {[&] { ini.WriteDate("V", "date", TDateTime(36526.75)); }, "date", "2000-01-01"},
        {[&] { ini.WriteTime("V", "time", TDateTime(36526.75)); }, "time", "18:00:00"},
        {[&] { ini.WriteDateTime("V", "dt", TDateTime(36526.75)); }, "dt", "2000-01-01 18:00:00"},
        {[&] { ini.WriteDateTime("V", "ms", TDateTime(0.5 + 1.0 / MSecsPerDay)); }, "ms",
         "1899-12-30 12:00:00.001"},
        {[&] { ini.WriteDateTime("V", "before", TDateTime(-1.25)); }, "before", "1899-12-29 06:00:00"},
        {[&] { ini.WriteBool("V", "yes", true); }, "yes", "1"},
    };
    for (const Case& c : cases) {
        c.write();
        EXPECT_EQ(ini.ReadString("V", c.key, ""), c.text) << c.key;
    }
    EXPECT_DOUBLE_EQ(ini.ReadFloat("V", "stamp", 0), 36926.5796064815);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("V", "big", 0), -1e20);
    EXPECT_DOUBLE_EQ(ini.ReadDateTime("V", "dt", 0), 36526.75);
    EXPECT_DOUBLE_EQ(ini.ReadDateTime("V", "before", 0), -1.25);
    EXPECT_DOUBLE_EQ(ini.ReadDate("V", "date", 0), 36526.0);
    EXPECT_DOUBLE_EQ(ini.ReadTime("V", "time", 0), 0.75);
    EXPECT_NEAR(ini.ReadDateTime("V", "ms", 0), 0.5 + 1.0 / MSecsPerDay, 1e-12);
    ini.WriteString("V", "iso", "2000-01-01T18:00");
    EXPECT_DOUBLE_EQ(ini.ReadDateTime("V", "iso", 0), 36526.75);
    ini.WriteString("V", "bad", "1,5");
    EXPECT_EQ(ini.ReadFloat("V", "bad", 7), 7);
    EXPECT_EQ(ini.ReadDate("V", "bad", 7), 7);
    EXPECT_EQ(ini.ReadTime("V", "date", 7), 7); // a date is no time
    ini.WriteString("V", "inf", "inf");
    EXPECT_EQ(ini.ReadFloat("V", "inf", 7), 7);
    QLocale::setDefault(saved);
}

TEST(MemIniFile, KeepsChangesInMemoryUntilUpdateFile) {
    ScratchDir dir;
    const QString path = dir.File("mem.ini");
    WriteFile(path, "; kept\n[Window]\nLeft=10\n");
    TMemIniFile ini(path);
    ini.WriteInteger("WINDOW", "LEFT", 20); // the existing key, in its own case
    ini.WriteString("Window", "Caption", "Main");
    ini.WriteString("Other", "k", "v");
    EXPECT_EQ(ReadFile(path), "; kept\n[Window]\nLeft=10\n");
    EXPECT_EQ(TMemIniFile(path).ReadInteger("Window", "Left", 0), 10);
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(path), "; kept\n\n[Window]\nLeft=20\nCaption=Main\n\n[Other]\nk=v\n");
    TMemIniFile again(path);
    EXPECT_EQ(again.ReadString("window", "caption", ""), "Main");

    again.DeleteKey("Window", "left");
    again.EraseSection("OTHER");
    again.EraseSection("Absent"); // no error
    again.DeleteKey("Absent", "k");
    EXPECT_EQ(Sections(again), QStringList{"Window"});
    EXPECT_EQ(Keys(again, "Window"), QStringList{"Caption"});

    TStringList text;
    again.GetStrings(&text);
    EXPECT_EQ(text.ToQStringList(), (QStringList{"; kept", "", "[Window]", "Caption=Main"}));
    TStringList replaced;
    replaced.SetQStringList({"[New]", "a = 1", "garbage"});
    again.SetStrings(&replaced);
    EXPECT_EQ(Sections(again), QStringList{"New"});
    EXPECT_EQ(again.ReadInteger("new", "A", 0), 1);

    again.Clear();
    EXPECT_TRUE(Sections(again).isEmpty());
    again.Rename(dir.File("other.ini"), false);
    again.WriteString("S", "k", "v");
    again.UpdateFile();
    EXPECT_EQ(again.FileName(), dir.File("other.ini"));
    EXPECT_EQ(ReadFile(dir.File("other.ini")), "[S]\nk=v\n");
    again.Rename(path, true);
    EXPECT_EQ(again.ReadInteger("Window", "Left", 0), 20);
}

TEST(IniFile, EveryWriteReachesTheFileAndEveryReadSeesIt) {
    ScratchDir dir;
    const QString path = dir.File("live.ini");
    WriteFile(path, "[A]\n; comment stays\nx=1\n");
    TIniFile writer(path), reader(path);
    writer.WriteString("a", "Y", "2");
    EXPECT_EQ(reader.ReadString("A", "y", ""), "2");
    EXPECT_EQ(ReadFile(path), "[A]\n; comment stays\nx=1\nY=2\n");
    WriteFile(path, "[A]\nx=changed elsewhere\n");
    EXPECT_EQ(reader.ReadString("A", "X", ""), "changed elsewhere");
    writer.DeleteKey("A", "x");
    writer.WriteInteger("B", "n", 3);
    writer.EraseSection("a");
    EXPECT_EQ(ReadFile(path), "[B]\nn=3\n");
    writer.EraseSection("absent"); // no error, no change
    EXPECT_EQ(ReadFile(path), "[B]\nn=3\n");
}

TEST(IniFiles, WhatAnIniLineCannotHoldIsRefused) {
    ScratchDir dir;
    const QString path = dir.File("safe.ini");
    TIniFile ini(path);
    ini.WriteString("S", "k", "v");
    const QByteArray before = ReadFile(path);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case bad[] = {
        {"S", "k", "line\nInjected=1"},
        {"S", "k", "cr\rx"},
        {"S\n[T]", "k", "v"},
        {"S", "a\nb", "v"},
        {"S", "", "v"},
        {"S", "  ", "v"},
        {"S", "a=b", "v"},
        {"S", ";k", "v"},
        {"S", "[k", "v"},
    };
    TMemIniFile mem("");
    for (const Case& c : bad) {
        SCOPED_TRACE(c.key);
        EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), EIniFileException);
        EXPECT_THROW(mem.WriteString(c.section, c.key, c.value), EIniFileException);
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_TRUE(Sections(mem).isEmpty());
}

TEST(IniFiles, AFileThatCannotBeWrittenRaisesAnErrorNamingIt) {
    ScratchDir dir;
    WriteFile(dir.File("plain"), "not a folder");
    const QString path = dir.File("plain/settings.ini"); // its folder is a file: nobody can write here

    TIniFile ini(path);
    try {
        ini.WriteString("S", "k", "v");
        FAIL() << "no error";
    } catch (const EIniFileException& e) {
        EXPECT_TRUE(e.Message().startsWith("Unable to write to " + path)) << e.Message().toStdString();
    }
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");

    TMemIniFile mem(path);
    mem.WriteString("S", "k", "v"); // in memory only
    try {
        mem.UpdateFile();
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot create file \"" + path + "\""))
            << e.Message().toStdString();
    }
}

TEST(IniFiles, AnExistingFileThatCannotBeReadIsNeverReplaced) {
    ScratchDir dir;
    QDir(dir.Path()).mkdir("folder.ini");
    const QString path = dir.File("folder.ini");
    EXPECT_THROW(TMemIniFile{path}, EFOpenError);
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "d");
    EXPECT_THROW(ini.WriteString("S", "k", "v"), EIniFileException);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

} // namespace
