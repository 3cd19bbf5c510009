// Fields: their values in every representation, their texts, their checks and their classes.
#include <QMetaProperty>

#include "DataSetFixture.h"
#include "vcl/TypInfo.h"

namespace mox::test {
namespace {

// A data set with one column of every common type, in edit mode on its only record.
class FieldTest : public FixedFormatSettings {
protected:
    void SetUp() override {
        FixedFormatSettings::SetUp();
        ds = new TMemoryDataSet();
        ds->columns = {{"S", ftString, 5},  {"I", ftInteger}, {"SI", ftSmallint}, {"W", ftWord},
                       {"L", ftLargeint},   {"F", ftFloat},   {"C", ftCurrency},  {"B", ftBCD, 2},
                       {"Bool", ftBoolean}, {"D", ftDate},    {"T", ftTime},      {"DT", ftDateTime},
                       {"M", ftMemo},       {"Blob", ftBlob}, {"A", ftAutoInc},   {"G", ftGuid, 38}};
        ds->AddRow(std::vector<Variant>(ds->columns.size(), Null()));
        ds->Open();
        ds->Edit();
    }
    void TearDown() override {
        delete ds;
        FixedFormatSettings::TearDown();
    }
    TField* F(const char* name) { return ds->FieldByName(name); }
    TMemoryDataSet* ds = nullptr;
};

TEST_F(FieldTest, EachTypeGetsItsDefaultClass) {
    struct Case {
        const char* field;
        const char* className;
        TAlignment alignment;
    } cases[] = {
        {"S", "TStringField", taLeftJustify},     {"I", "TIntegerField", taRightJustify},
        {"SI", "TSmallintField", taRightJustify}, {"W", "TWordField", taRightJustify},
        {"L", "TLargeintField", taRightJustify},  {"F", "TFloatField", taRightJustify},
        {"C", "TCurrencyField", taRightJustify},  {"B", "TBCDField", taRightJustify},
        {"Bool", "TBooleanField", taLeftJustify}, {"D", "TDateField", taLeftJustify},
        {"T", "TTimeField", taLeftJustify},       {"DT", "TDateTimeField", taLeftJustify},
        {"M", "TMemoField", taLeftJustify},       {"Blob", "TBlobField", taLeftJustify},
        {"A", "TAutoIncField", taRightJustify},   {"G", "TGuidField", taLeftJustify},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(F(c.field)->ClassName(), c.className) << c.field;
        EXPECT_EQ(F(c.field)->Alignment(), c.alignment) << c.field;
        // Form resources make persistent fields through the class registry.
        EXPECT_TRUE(GetClass(c.className)) << c.className;
    }
    const int registered[] = {ftString,    ftSmallint,      ftInteger,  ftWord,    ftBoolean,  ftFloat,
                              ftCurrency,  ftBCD,           ftDate,     ftTime,    ftDateTime, ftBytes,
                              ftVarBytes,  ftAutoInc,       ftBlob,     ftMemo,    ftGraphic,  ftFmtMemo,
                              ftFixedChar, ftWideString,    ftLargeint, ftVariant, ftGuid,     ftTimeStamp,
                              ftFMTBcd,    ftFixedWideChar, ftWideMemo};
    for (int type : registered)
        EXPECT_TRUE(DefaultFieldClass(TFieldType(type))) << FieldTypeName(TFieldType(type)).toStdString();
    EXPECT_FALSE(DefaultFieldClass(ftADT));
    TComponent* made = FindClass("TCurrencyField").CreateComponent(nullptr);
    EXPECT_TRUE(dynamic_cast<TCurrencyField*>(made));
    delete made;
}

TEST_F(FieldTest, ValuesConvertBetweenRepresentations) {
    F("S")->SetAsInteger(42);
    EXPECT_EQ(F("S")->AsString(), "42");
    EXPECT_EQ(F("S")->AsInteger(), 42);
    F("S")->SetAsString("abcdefgh");
    EXPECT_EQ(F("S")->AsString(), "abcde") << "strings keep their size";
    F("S")->SetAsString("");
    EXPECT_TRUE(F("S")->IsNull()) << "an empty text is no value";

    F("I")->SetAsString(" 12 ");
    EXPECT_EQ(F("I")->AsInteger(), 12);
    EXPECT_EQ(F("I")->AsFloat(), 12.0);
    F("I")->SetAsFloat(2.5);
    EXPECT_EQ(F("I")->AsInteger(), 2) << "rounds half to even";
    F("I")->SetAsVariant("7");
    EXPECT_EQ(F("I")->AsVariant().VarType(), varInteger);

    F("F")->SetAsString("1.5");
    EXPECT_EQ(F("F")->AsFloat(), 1.5);
    EXPECT_EQ(F("F")->AsCurrency(), Currency(1.5));
    F("C")->SetAsCurrency(Currency(12.34));
    EXPECT_EQ(F("C")->AsFloat(), 12.34);

    F("B")->SetAsFloat(1.235);
    EXPECT_EQ(F("B")->AsCurrency(), Currency(1.24)) << "BCD keeps its two decimals";
    EXPECT_EQ(F("B")->AsVariant().VarType(), varCurrency);

    F("L")->SetAsLargeInt(5000000000LL);
    EXPECT_EQ(F("L")->AsLargeInt(), 5000000000LL);
    EXPECT_EQ(F("L")->AsString(), "5000000000");

    F("Bool")->SetAsString("t");
    EXPECT_TRUE(F("Bool")->AsBoolean());
    F("Bool")->SetAsString("FALSE");
    EXPECT_FALSE(F("Bool")->AsBoolean());
    EXPECT_EQ(F("Bool")->AsString(), "False");

    F("D")->SetAsDateTime(TDateTime(45000.75));
    EXPECT_EQ(F("D")->AsDateTime().Val, 45000.0) << "a date keeps no time";
    F("T")->SetAsDateTime(TDateTime(45000.75));
    EXPECT_EQ(F("T")->AsDateTime().Val, 0.75) << "a time keeps no date";
    F("DT")->SetAsString("6/15/2024 10:30:00 AM");
    EXPECT_EQ(F("DT")->AsDateTime().Val, EncodeDate(2024, 6, 15).Val + EncodeTime(10, 30, 0, 0).Val);

    F("Blob")->SetAsString(QString::fromLatin1("\x01\xff"));
    EXPECT_EQ(static_cast<TBlobField*>(F("Blob"))->AsBytes(), QByteArray("\x01\xff"));
    F("M")->SetAsString(QString::fromUtf8("Grüße"));
    EXPECT_EQ(F("M")->AsString(), QString::fromUtf8("Grüße"));
    EXPECT_TRUE(F("M")->IsBlob());

    F("I")->Clear();
    EXPECT_TRUE(F("I")->IsNull());
    EXPECT_TRUE(F("I")->AsVariant().IsNull());
    EXPECT_EQ(F("I")->AsInteger(), 0);
    EXPECT_EQ(F("I")->AsString(), "");
}

TEST_F(FieldTest, ValuesAFieldCannotTakeAreRefusedWithTheFieldsName) {
    TIntegerField* i = static_cast<TIntegerField*>(F("I"));
    i->SetMinValue(1);
    i->SetMaxValue(10);
    struct Case {
        const char* what;
        std::function<void()> run;
        QString message;
    } cases[] = {
        {"integer text", [&] { F("I")->SetAsString("1x"); },
         "'1x' is not a valid integer value for field 'I'"},
        {"float text", [&] { F("F")->SetAsString("abc"); },
         "'abc' is not a valid floating point value for field 'F'"},
        {"boolean text", [&] { F("Bool")->SetAsString("maybe"); },
         "'maybe' is not a valid boolean value for field 'Bool'"},
        {"variant", [&] { F("I")->SetAsVariant("ten"); }, "Invalid value for field 'I'"},
        {"variant date", [&] { F("D")->SetAsVariant("someday"); }, "Invalid value for field 'D'"},
        {"range", [&] { F("I")->SetAsInteger(11); },
         "11 is not a valid value for field 'I'. The allowed range is 1 to 10"},
        {"smallint range", [&] { F("SI")->SetAsInteger(40000); },
         "40000 is not a valid value for field 'SI'. The allowed range is -32768 to 32767"},
        {"word range", [&] { F("W")->SetAsInteger(-1); },
         "-1 is not a valid value for field 'W'. The allowed range is 0 to 65535"},
        {"access", [&] { F("D")->AsBoolean(); }, "Cannot access field 'D' as type Boolean"},
        {"access integer", [&] { F("Bool")->AsInteger(); }, "Cannot access field 'Bool' as type Integer"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EDatabaseError>(c.run), c.message) << c.what;
    F("I")->SetDisplayLabel("Quantity");
    EXPECT_EQ(MessageOf<EDatabaseError>([&] { F("I")->SetAsVariant("ten"); }),
              "Invalid value for field 'Quantity'");
}

TEST_F(FieldTest, DisplayAndEditTextsFollowTheFormats) {
    F("F")->SetAsFloat(1234.5);
    EXPECT_EQ(F("F")->DisplayText(), "1234.5");
    static_cast<TFloatField*>(F("F"))->SetDisplayFormat("#,##0.00");
    EXPECT_EQ(F("F")->DisplayText(), "1,234.50");
    EXPECT_EQ(F("F")->Text(), "1,234.50") << "no edit format: the display format";
    static_cast<TFloatField*>(F("F"))->SetEditFormat("0.0");
    EXPECT_EQ(F("F")->Text(), "1234.5");

    F("C")->SetAsFloat(-12.5);
    EXPECT_EQ(F("C")->DisplayText(), "($12.50)");
    EXPECT_EQ(F("C")->Text(), "-12.50");

    F("Bool")->SetAsBoolean(true);
    static_cast<TBooleanField*>(F("Bool"))->SetDisplayValues("Yes;No");
    EXPECT_EQ(F("Bool")->DisplayText(), "Yes");
    F("Bool")->SetText("n");
    EXPECT_FALSE(F("Bool")->AsBoolean());

    F("D")->SetAsDateTime(EncodeDate(2024, 3, 5));
    EXPECT_EQ(F("D")->DisplayText(), "3/5/2024");
    static_cast<TDateTimeField*>(F("D"))->SetDisplayFormat("yyyy-mm-dd");
    EXPECT_EQ(F("D")->DisplayText(), "2024-03-05");
    EXPECT_EQ(F("D")->Text(), "3/5/2024");
    F("DT")->SetAsDateTime(EncodeDate(2024, 3, 5));
    EXPECT_EQ(F("DT")->DisplayText(), "3/5/2024") << "midnight shows the date alone";
    F("T")->SetAsDateTime(EncodeTime(14, 5, 0, 0));
    EXPECT_EQ(F("T")->DisplayText(), "2:05:00 PM");

    EXPECT_EQ(F("Blob")->DisplayText(), "(Blob)");
    F("Blob")->SetAsString("x");
    EXPECT_EQ(F("Blob")->DisplayText(), "(BLOB)");
    F("M")->SetAsString("text");
    EXPECT_EQ(F("M")->DisplayText(), "(MEMO)");

    F("I")->SetAsInteger(5);
    F("I")->OnGetText = [](TField* f, String& text, bool display) {
        text = display ? QString("#%1").arg(f->AsInteger()) : f->AsString();
    };
    EXPECT_EQ(F("I")->DisplayText(), "#5");
    EXPECT_EQ(F("I")->Text(), "5");
    F("I")->OnSetText = [](TField* f, const String& text) { f->SetAsInteger(text.toInt() * 2); };
    F("I")->SetText("4");
    EXPECT_EQ(F("I")->AsInteger(), 8);
}

TEST_F(FieldTest, ValidCharactersAndWidthsSuitEditors) {
    EXPECT_TRUE(F("I")->IsValidChar('7'));
    EXPECT_TRUE(F("I")->IsValidChar('-'));
    EXPECT_FALSE(F("I")->IsValidChar('.'));
    EXPECT_FALSE(F("I")->IsValidChar('a'));
    EXPECT_TRUE(F("F")->IsValidChar('.'));
    EXPECT_TRUE(F("F")->IsValidChar('E'));
    EXPECT_TRUE(F("B")->IsValidChar('.'));
    EXPECT_FALSE(F("B")->IsValidChar('E'));
    EXPECT_TRUE(F("S")->IsValidChar(QChar(0x263A)));
    EXPECT_EQ(F("S")->DisplayWidth(), 5);
    EXPECT_EQ(F("SI")->DisplayWidth(), 6);
    F("S")->SetDisplayWidth(12);
    EXPECT_EQ(F("S")->DisplayWidth(), 12);
    EXPECT_EQ(F("S")->DisplayLabel(), "S");
    F("S")->SetDisplayLabel("Short text");
    EXPECT_EQ(F("S")->DisplayName(), "Short text");
}

TEST_F(FieldTest, PublishedPropertiesDescribeTheField) {
    // Data controls read MinValue and MaxValue by name; forms write only what differs from defaults.
    EXPECT_TRUE(IsPublishedProp(F("I"), "MaxValue"));
    EXPECT_TRUE(IsPublishedProp(F("F"), "MinValue"));
    EXPECT_FALSE(IsPublishedProp(F("S"), "MaxValue"));
    EXPECT_EQ(GetEnumProp(F("I"), "Alignment"), "taRightJustify");
    EXPECT_EQ(GetEnumProp(F("S"), "FieldKind"), "fkData");
    EXPECT_EQ(PropType(F("S"), "OnValidate"), tkMethod);
    EXPECT_EQ(PropType(ds, "OnFilterRecord"), tkMethod);
    EXPECT_EQ(PropType(F("S"), "LookupDataSet"), tkClass);
    EXPECT_FALSE(IsStoredProp(F("S"), "DisplayLabel"));
    F("S")->SetDisplayLabel("Label");
    EXPECT_TRUE(IsStoredProp(F("S"), "DisplayLabel"));
}

} // namespace
} // namespace mox::test
