#include <gtest/gtest.h>

#include <QStringList>
#include <cmath>
#include <functional>

#include "TestSupport.h"
#include "vcl/Classes.h"
#include "vcl/SysUtils.h"
#include "vcl/TypInfo.h"
#include "vcl/Variants.h"

namespace TypInfoTestTypes {
Q_NAMESPACE
enum TAlign {
    alNone,
    alTop,
    alBottom,
    alLeft,
    alRight,
    alClient
};
Q_ENUM_NS(TAlign)
enum TAnchorKind {
    akLeft = 1 << 0,
    akTop = 1 << 1,
    akRight = 1 << 2,
    akBottom = 1 << 3,
};
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)
} // namespace TypInfoTestTypes
Q_DECLARE_OPERATORS_FOR_FLAGS(TypInfoTestTypes::TAnchors)
using namespace TypInfoTestTypes;

// An event of another signature than TNotifyEvent.
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
Q_DECLARE_METATYPE(TCloseQueryEvent)

// An event type that no macro registers: it becomes a method property once registered by hand.
using TLateEvent = std::function<void(int Code)>;
Q_DECLARE_METATYPE(TLateEvent)

namespace {

// An owned object reached as a property: the setter copies with Assign.
class TTestFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    MOX_DEFAULT(Size, 8)
public:
    int Size() const { return size_; }
    void SetSize(int Value) { size_ = Value; }
    QString Name() const { return name_; }
    void SetName(const QString& Value) { name_ = Value; }
    void Assign(TPersistent* Source) override {
        if (auto* font = dynamic_cast<TTestFont*>(Source)) {
            size_ = font->size_;
            name_ = font->name_;
            return;
        }
        TPersistent::Assign(Source);
    }

private:
    int size_ = 8;
    QString name_ = "Sans";
};

class TOtherPersistent : public TPersistent {
    Q_OBJECT
};

class TSample : public TComponent {
    Q_OBJECT
    // Written without its namespace, as classes do after "using namespace".
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(TypInfoTestTypes::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(short Small READ Small WRITE SetSmall)
    Q_PROPERTY(Byte Octet READ Octet WRITE SetOctet)
    Q_PROPERTY(char Letter READ Letter WRITE SetLetter)
    Q_PROPERTY(QChar WideLetter READ WideLetter WRITE SetWideLetter)
    Q_PROPERTY(qint64 Big READ Big WRITE SetBig)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(float Scale READ Scale WRITE SetScale)
    Q_PROPERTY(TDateTime When READ When WRITE SetWhen)
    Q_PROPERTY(Currency Price READ Price WRITE SetPrice)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QVariant Data READ Data WRITE SetData)
    Q_PROPERTY(Variant Value READ Value WRITE SetValue)
    Q_PROPERTY(TTestFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TComponent* Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(QString Hidden READ Hidden WRITE SetHidden STORED false)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    MOX_EVENT(TNotifyEvent, OnClick)
    MOX_EVENT(TCloseQueryEvent, OnCloseQuery)
    Q_PROPERTY(TLateEvent OnLate READ GetOnLate WRITE SetOnLate)
    Q_PROPERTY(QStringList Lines READ Lines)

    MOX_DEFAULT(Align, alNone)
    MOX_DEFAULT(Anchors, [ akLeft, akTop ])
    MOX_DEFAULT(Visible, True)
    MOX_DEFAULT(Letter, A)
    MOX_DEFAULT(Ratio, 0.5)
    MOX_DEFAULT(Scale, 0.1)
    MOX_DEFAULT(Caption, "Hello, world")
    MOX_STORED(Title, IsTitleStored)

public:
    using TComponent::TComponent;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value) { align_ = Value; }
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors Value) { anchors_ = Value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool Value) { visible_ = Value; }
    short Small() const { return small_; }
    void SetSmall(short Value) { small_ = Value; }
    Byte Octet() const { return octet_; }
    void SetOctet(Byte Value) { octet_ = Value; }
    char Letter() const { return letter_; }
    void SetLetter(char Value) { letter_ = Value; }
    QChar WideLetter() const { return wideLetter_; }
    void SetWideLetter(QChar Value) { wideLetter_ = Value; }
    qint64 Big() const { return big_; }
    void SetBig(qint64 Value) { big_ = Value; }
    double Ratio() const { return ratio_; }
    void SetRatio(double Value) { ratio_ = Value; }
    float Scale() const { return scale_; }
    void SetScale(float Value) { scale_ = Value; }
    TDateTime When() const { return when_; }
    void SetWhen(TDateTime Value) { when_ = Value; }
    Currency Price() const { return price_; }
    void SetPrice(Currency Value) { price_ = Value; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }
    QVariant Data() const { return data_; }
    void SetData(const QVariant& Value) { data_ = Value; }
    Variant Value() const { return value_; }
    void SetValue(const Variant& Value) { value_ = Value; }
    TTestFont* Font() const { return font_; }
    void SetFont(TTestFont* Value) { font_->Assign(Value); }
    TComponent* Buddy() const { return buddy_; }
    void SetBuddy(TComponent* Value) { buddy_ = Value; }
    int Count() const { return 7; }
    QString Hidden() const { return hidden_; }
    void SetHidden(const QString& Value) { hidden_ = Value; }
    QString Title() const { return title_; }
    void SetTitle(const QString& Value) { title_ = Value; }
    // The title is stored only when it differs from the one the class makes up itself.
    Q_INVOKABLE bool IsTitleStored() const { return title_ != "Untitled"; }
    TLateEvent GetOnLate() const { return onLate_; }
    void SetOnLate(const TLateEvent& Value) { onLate_ = Value; }
    QStringList Lines() const { return {"a"}; }

    // Raises OnClick, as a control does when it is clicked.
    void Click() {
        if (OnClick) OnClick(this);
    }
    bool CloseQuery() {
        bool canClose = true;
        if (OnCloseQuery) OnCloseQuery(this, canClose);
        return canClose;
    }

private:
    TAlign align_ = alNone;
    TAnchors anchors_ = TAnchors(akLeft) | akTop;
    bool visible_ = true;
    short small_ = 0;
    Byte octet_ = 0;
    char letter_ = 'A';
    QChar wideLetter_ = QChar(0x263A);
    qint64 big_ = 0;
    double ratio_ = 0.5;
    float scale_ = 0.1f;
    TDateTime when_;
    Currency price_;
    QString caption_ = "Hello, world";
    QVariant data_;
    Variant value_;
    TTestFont* font_ = new TTestFont;
    TComponent* buddy_ = nullptr;
    QString hidden_;
    QString title_ = "Untitled";
    TLateEvent onLate_;

public:
    ~TSample() override { delete font_; }
};

// A descendant that changes a default and redeclares an inherited property.
class TDerived : public TSample {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag STORED false)
    Q_PROPERTY(int Extra READ Extra WRITE SetExtra)
    MOX_DEFAULT(Align, alClient)
    MOX_DEFAULT(Extra, $10)
public:
    using TSample::TSample;
    int Extra() const { return extra_; }
    void SetExtra(int Value) { extra_ = Value; }

private:
    int extra_ = 16;
};

// A class whose declared default cannot be read.
class TBadDefault : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    MOX_DEFAULT(Align, alSideways)
    MOX_STORED(Width, NoSuchCondition)
public:
    TAlign Align() const { return alNone; }
    void SetAlign(TAlign) {}
    int Width() const { return 0; }
    void SetWidth(int) {}
};

// A QObject that is no TPersistent has no published properties.
class TPlain : public QObject, public TObject {
    Q_OBJECT
    Q_PROPERTY(int X READ X)
public:
    int X() const { return 1; }
};

QStringList Names(const TPropList& list) {
    QStringList names;
    for (PPropInfo info : list)
        names << info->Name();
    return names;
}

template <class E> void ExpectMessage(const std::function<void()>& action, const QString& message) {
    try {
        action();
        ADD_FAILURE() << "no exception, expected: " << message.toStdString();
    } catch (const E& e) {
        EXPECT_EQ(e.Message().toStdString(), message.toStdString());
    }
}

TEST(TypInfo, KindOfEveryPropertyType) {
    TSample sample(nullptr);
    const struct {
        const char* name;
        TTypeKind kind;
    } cases[] = {
        {"Name", tkLString},        {"Tag", tkInteger},         {"Align", tkEnumeration},
        {"Anchors", tkSet},         {"Visible", tkEnumeration}, {"Small", tkInteger},
        {"Octet", tkInteger},       {"Letter", tkChar},         {"WideLetter", tkWChar},
        {"Big", tkInt64},           {"Ratio", tkFloat},         {"Scale", tkFloat},
        {"When", tkFloat},          {"Price", tkFloat},         {"Caption", tkLString},
        {"Data", tkVariant},        {"Value", tkVariant},       {"Font", tkClass},
        {"Buddy", tkClass},         {"Count", tkInteger},       {"OnClick", tkMethod},
        {"OnCloseQuery", tkMethod}, {"Lines", tkDynArray},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PropType(&sample, c.name), c.kind) << GetEnumName(PropType(&sample, c.name)).toStdString();
        EXPECT_TRUE(PropIsType(&sample, c.name, c.kind));
    }
    EXPECT_EQ(GetPropInfo(&sample, "Scale")->FloatType(), ftSingle);
    EXPECT_EQ(GetPropInfo(&sample, "When")->FloatType(), ftDouble);
    EXPECT_EQ(GetPropInfo(&sample, "Price")->FloatType(), ftCurr);
    EXPECT_EQ(GetPropInfo(&sample, "Font")->ClassType(), &TTestFont::staticMetaObject);
    // The enumeration written without its namespace still has its names.
    EXPECT_STREQ(GetPropInfo(&sample, "Align")->Enum().name(), "TAlign");
    EXPECT_EQ(GetEnumName(tkLString), "tkLString");
}

TEST(TypInfo, PublishedListIsInDeclarationOrderWithoutQtsOwn) {
    TDerived derived(nullptr);
    const QStringList all = Names(GetPropInfos(&derived));
    // The base classes' properties first; the redeclared Tag keeps its place.
    const QStringList expected{
        "Name",  "Tag",   "Align",  "Anchors", "Visible", "Small",        "Octet",  "Letter", "WideLetter",
        "Big",   "Ratio", "Scale",  "When",    "Price",   "Caption",      "Data",   "Value",  "Font",
        "Buddy", "Count", "Hidden", "Title",   "OnClick", "OnCloseQuery", "OnLate", "Lines",  "Extra"};
    EXPECT_EQ(all, expected);
    EXPECT_FALSE(IsPublishedProp(&derived, "objectName"));
    EXPECT_EQ(GetPropInfo(&derived, "objectName"), nullptr);
    EXPECT_EQ(Names(GetPropList(&derived, tkMethods)), (QStringList{"OnClick", "OnCloseQuery"}));
    EXPECT_EQ(Names(GetPropList(&derived, TTypeKinds(tkSet) | tkEnumeration)),
              (QStringList{"Align", "Anchors", "Visible"}));
    const QStringList props = Names(GetPropList(&derived, tkProperties));
    EXPECT_FALSE(props.contains("OnClick"));
    EXPECT_FALSE(props.contains("OnLate")); // no registered event type yet, so of unknown kind
    EXPECT_TRUE(props.contains("Caption"));
    const QStringList sorted = Names(GetPropList(&derived, tkAny, true));
    EXPECT_EQ(sorted.first(), "Align");
    EXPECT_EQ(sorted.last(), "WideLetter");
    // The class's list and the instance's list are the same descriptions.
    EXPECT_EQ(GetPropInfos(&TDerived::staticMetaObject), GetPropInfos(&derived));
    EXPECT_EQ(GetPropInfo(&derived, "Extra")->NameIndex(), int(expected.size()) - 1);

    TPlain plain;
    EXPECT_TRUE(GetPropInfos(&plain).isEmpty());
    EXPECT_FALSE(IsPublishedProp(&plain, "X"));
    EXPECT_TRUE(GetPropInfos(static_cast<TObject*>(nullptr)).isEmpty());
}

TEST(TypInfo, LookupIgnoresCaseAndUnknownNamesRaise) {
    TSample sample(nullptr);
    for (const char* name : {"Align", "align", "ALIGN", "aLiGn"}) {
        const PPropInfo info = GetPropInfo(&sample, name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_EQ(info->Name(), "Align");
    }
    EXPECT_EQ(GetPropInfo(&sample, "Align", tkSet), nullptr);
    EXPECT_NE(GetPropInfo(&TSample::staticMetaObject, "caption", tkLString), nullptr);
    EXPECT_TRUE(IsPublishedProp(&TSample::staticMetaObject, "ONCLICK"));
    ExpectMessage<EPropertyError>([&] { PropType(&sample, "Nope"); }, "Unknown property: 'Nope'");
    ExpectMessage<EPropertyError>([&] { GetOrdProp(&sample, "Nope"); }, "Unknown property: 'Nope'");
    ExpectMessage<EPropertyError>([&] { SetStrProp(&sample, "objectName", "x"); },
                                  "Unknown property: 'objectName'");
    SetOrdProp(&sample, "tag", 5);
    EXPECT_EQ(sample.Tag(), 5);
    SetStrProp(&sample, "caption", "Hi");
    EXPECT_EQ(GetStrProp(&sample, "CAPTION"), "Hi");
}

TEST(TypInfo, EnumerationsByName) {
    TSample sample(nullptr);
    SetEnumProp(&sample, "Align", "alClient");
    EXPECT_EQ(sample.Align(), alClient);
    SetEnumProp(&sample, "Align", "ALTOP");
    EXPECT_EQ(sample.Align(), alTop);
    EXPECT_EQ(GetEnumProp(&sample, "Align"), "alTop");
    EXPECT_EQ(GetOrdProp(&sample, "Align"), 1);
    ExpectMessage<EPropertyConvertError>([&] { SetEnumProp(&sample, "Align", "alNowhere"); },
                                         "Invalid property element: alNowhere");
    ExpectMessage<EPropertyConvertError>([&] { SetEnumProp(&sample, "Align", ""); },
                                         "Invalid property element: ");
    EXPECT_EQ(sample.Align(), alTop);

    // Boolean is an enumeration named False and True.
    EXPECT_EQ(GetEnumProp(&sample, "Visible"), "True");
    SetEnumProp(&sample, "Visible", "false");
    EXPECT_FALSE(sample.Visible());
    EXPECT_EQ(GetEnumProp(&sample, "Visible"), "False");
    SetOrdProp(&sample, "Visible", 1);
    EXPECT_TRUE(sample.Visible());
    EXPECT_THROW(SetEnumProp(&sample, "Visible", "yes"), EPropertyConvertError);

    EXPECT_EQ(GetEnumName(alBottom), "alBottom");
    EXPECT_EQ(GetEnumName(QMetaEnum::fromType<TAlign>(), 99), "");
    EXPECT_EQ(GetEnumValue<TAlign>("alright"), int(alRight));
    EXPECT_EQ(GetEnumValue<TAlign>("alUp"), -1);
    EXPECT_EQ(GetEnumValue<TAlign>(""), -1);
    EXPECT_EQ(GetEnumValue(GetPropInfo(&sample, "Visible"), "TRUE"), 1);
    EXPECT_EQ(GetEnumName(GetPropInfo(&sample, "Visible"), 0), "False");
    EXPECT_EQ(GetEnumName(GetPropInfo(&sample, "Visible"), 2), "");
    // Enumeration functions on a property of another kind.
    ExpectMessage<EPropertyError>([&] { GetEnumProp(&sample, "Caption"); }, "Invalid property type: QString");
}

TEST(TypInfo, SetsAsText) {
    TSample sample(nullptr);
    EXPECT_EQ(GetSetProp(&sample, "Anchors"), "akLeft,akTop");
    EXPECT_EQ(GetSetProp(&sample, "Anchors", true), "[akLeft,akTop]");
    const struct {
        const char* text;
        TAnchors expected;
        const char* written;
    } cases[] = {
        {"[akLeft,akTop]", TAnchors(akLeft) | akTop, "[akLeft,akTop]"},
        {"akBottom,akLeft", TAnchors(akLeft) | akBottom, "[akLeft,akBottom]"},
        {"  [ akRight ,  AKTOP ]  ", TAnchors(akTop) | akRight, "[akTop,akRight]"},
        {"akLeft akBottom", TAnchors(akLeft) | akBottom, "[akLeft,akBottom]"},
        {"akLeft,,akLeft,", TAnchors(akLeft), "[akLeft]"},
        {"[]", TAnchors(), "[]"},
        {"", TAnchors(), "[]"},
        {"[akLeft,akTop,akRight,akBottom]", TAnchors(akLeft) | akTop | akRight | akBottom,
         "[akLeft,akTop,akRight,akBottom]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SetSetProp(&sample, "Anchors", c.text);
        EXPECT_EQ(sample.Anchors(), c.expected);
        EXPECT_EQ(GetSetProp(&sample, "Anchors", true), c.written);
        EXPECT_EQ(GetOrdProp(&sample, "Anchors"), c.expected.toInt());
    }
    sample.SetAnchors(akTop);
    const struct {
        const char* text;
        const char* message;
    } errors[] = {
        {"[akLeft,akMiddle]", "Invalid property element: akMiddle"},
        {"akLeft;akTop", "Invalid property element: akLeft;akTop"},
        {"[akLeft", "Invalid property value"},
        {"akLeft]", "Invalid property value"},
        {"[akLeft,[akTop]]", "Invalid property value"},
        {"[", "Invalid property value"},
    };
    for (const auto& e : errors) {
        SCOPED_TRACE(e.text);
        ExpectMessage<EPropertyConvertError>([&] { SetSetProp(&sample, "Anchors", e.text); }, e.message);
        EXPECT_EQ(sample.Anchors(), TAnchors(akTop)); // a failed write changes nothing
    }
    EXPECT_EQ(SetToString(TAnchors(akBottom) | akLeft, true), "[akLeft,akBottom]");
    EXPECT_EQ(StringToSet<TAnchorKind>("akRight"), TAnchors(akRight));
    // Bits that name no member are left out of the text.
    EXPECT_EQ(SetToString(QMetaEnum::fromType<TAnchors>(), akLeft | 0x100), "akLeft");
    EXPECT_THROW(GetSetProp(&sample, "Align"), EPropertyError);
}

TEST(TypInfo, OrdinalsAreRangeChecked) {
    TSample sample(nullptr);
    SetOrdProp(&sample, "Small", -32768);
    EXPECT_EQ(sample.Small(), -32768);
    SetOrdProp(&sample, "Octet", 255);
    EXPECT_EQ(GetOrdProp(&sample, "Octet"), 255);
    SetOrdProp(&sample, "Letter", 0xE9);
    EXPECT_EQ(GetOrdProp(&sample, "Letter"), 0xE9);
    SetOrdProp(&sample, "WideLetter", 0x20AC);
    EXPECT_EQ(sample.WideLetter(), QChar(0x20AC));
    const struct {
        const char* name;
        Int64 value;
    } outOfRange[] = {
        {"Small", 32768}, {"Small", -32769},       {"Octet", 256},          {"Octet", -1},
        {"Letter", 256},  {"WideLetter", 0x10000}, {"Tag", Int64(1) << 31}, {"Visible", 2},
        {"Align", 6},     {"Align", -1},           {"Anchors", 1 << 4},     {"Anchors", -1},
    };
    for (const auto& c : outOfRange) {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.value);
        ExpectMessage<ERangeError>([&] { SetOrdProp(&sample, c.name, c.value); }, "Range check error");
    }
    EXPECT_EQ(sample.Small(), -32768);
    EXPECT_EQ(sample.Align(), alNone);
    ExpectMessage<EPropertyError>([&] { SetOrdProp(&sample, "Caption", 1); },
                                  "Invalid property type: QString");
    EXPECT_THROW(GetOrdProp(&sample, "Big"), EPropertyError);
}

TEST(TypInfo, NumbersStringsAndReadOnly) {
    TSample sample(nullptr);
    SetInt64Prop(&sample, "Big", Int64(1) << 40);
    EXPECT_EQ(sample.Big(), Int64(1) << 40);
    EXPECT_EQ(GetInt64Prop(&sample, "Big"), Int64(1) << 40);
    SetInt64Prop(&sample, "Tag", -3);
    EXPECT_EQ(GetInt64Prop(&sample, "Tag"), -3);
    EXPECT_THROW(SetInt64Prop(&sample, "Tag", Int64(1) << 40), ERangeError);

    SetFloatProp(&sample, "Ratio", 2.25);
    EXPECT_EQ(sample.Ratio(), 2.25);
    SetFloatProp(&sample, "Scale", 0.75);
    EXPECT_EQ(sample.Scale(), 0.75f);
    SetFloatProp(&sample, "When", 36926.5796064815);
    EXPECT_DOUBLE_EQ(sample.When().Val, 36926.5796064815);
    EXPECT_DOUBLE_EQ(double(GetFloatProp(&sample, "When")), 36926.5796064815);
    // Currency keeps its four decimals exactly, also at nineteen digits.
    SetFloatProp(&sample, "Price", 12.3456L);
    EXPECT_EQ(sample.Price().Raw(), 123456);
    sample.SetPrice(Currency::FromRaw(1234567890123456789LL));
    SetFloatProp(&sample, "Price", GetFloatProp(&sample, "Price"));
    EXPECT_EQ(sample.Price().Raw(), 1234567890123456789LL);
    EXPECT_THROW(SetFloatProp(&sample, "Price", 1e30L), EOverflow);
    EXPECT_THROW(GetFloatProp(&sample, "Tag"), EPropertyError);

    SetStrProp(&sample, "Caption", QString::fromUtf8("Grüße"));
    EXPECT_EQ(sample.Caption(), QString::fromUtf8("Grüße"));
    ExpectMessage<EPropertyError>([&] { SetOrdProp(&sample, "Count", 1); }, "Property is read-only");
    EXPECT_EQ(GetOrdProp(&sample, "Count"), 7);
    // What a setter raises reaches the caller.
    ExpectMessage<EComponentError>([&] { SetStrProp(&sample, "Name", "1st"); },
                                   "'1st' is not a valid component name");
}

TEST(TypInfo, DefaultsAndStored) {
    TSample sample(nullptr);
    TDerived derived(nullptr);
    auto isDefault = [](TObject* o, const char* name) { return IsDefaultPropValue(o, GetPropInfo(o, name)); };
    // Every property of a fresh object, with and without a declared default.
    const struct {
        const char* name;
        bool isDefault;
    } fresh[] = {
        {"Align", true},  {"Anchors", true},     {"Visible", true}, {"Letter", true}, {"Ratio", true},
        {"Scale", true},  {"Caption", true},     {"Big", true},     {"When", true},   {"Price", true},
        {"Data", true},   {"Buddy", true},       {"OnClick", true}, {"Name", true},   {"Tag", true},
        {"Small", false}, {"WideLetter", false},
    };
    for (const auto& c : fresh) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isDefault(&sample, c.name), c.isDefault);
    }
    sample.SetAlign(alTop);
    sample.SetAnchors(akLeft);
    sample.SetVisible(false);
    sample.SetScale(0.2f);
    sample.SetCaption("");
    sample.SetBig(1);
    sample.SetData(3);
    sample.SetValue(Variant::MakeNull());
    sample.OnClick = [](TObject*) {};
    for (const char* name :
         {"Align", "Anchors", "Visible", "Scale", "Caption", "Big", "Data", "Value", "OnClick"})
        EXPECT_FALSE(isDefault(&sample, name)) << name;

    EXPECT_EQ(GetOrdPropDefault(GetPropInfo(&sample, "Anchors")), (TAnchors(akLeft) | akTop).toInt());
    EXPECT_EQ(GetOrdPropDefault(GetPropInfo(&sample, "Letter")), 'A');
    // A component's Tag is declared with the default 0, as the platform declares it.
    EXPECT_EQ(GetOrdPropDefault(GetPropInfo(&sample, "Tag")), 0);
    EXPECT_EQ(GetOrdPropDefault(GetPropInfo(&sample, "Small")), std::nullopt);
    EXPECT_EQ(GetPropDefaultText(GetPropInfo(&sample, "Caption")), QString("Hello, world"));
    EXPECT_EQ(GetPropDefaultText(GetPropInfo(&sample, "Small")), std::nullopt);

    // A descendant's declaration wins over its base's.
    EXPECT_EQ(GetOrdPropDefault(GetPropInfo(&derived, "Align")), int(alClient));
    EXPECT_FALSE(isDefault(&derived, "Align"));
    derived.SetAlign(alClient);
    EXPECT_TRUE(isDefault(&derived, "Align"));
    EXPECT_EQ(GetOrdPropDefault(GetPropInfo(&derived, "Extra")), 16);
    EXPECT_TRUE(isDefault(&derived, "Extra"));

    EXPECT_TRUE(IsStoredProp(&sample, "Caption"));
    EXPECT_FALSE(IsStoredProp(&sample, "Hidden"));
    EXPECT_FALSE(IsStoredProp(&sample, "Title")); // still the made-up title
    sample.SetTitle("Report");
    EXPECT_TRUE(IsStoredProp(&sample, "Title"));
    EXPECT_TRUE(IsStoredProp(&sample, "Tag"));
    EXPECT_FALSE(IsStoredProp(&derived, "Tag")); // redeclared STORED false

    TBadDefault bad;
    ExpectMessage<EPropertyError>([&] { GetOrdPropDefault(GetPropInfo(&bad, "Align")); },
                                  "Invalid default value 'alSideways' of property 'Align'");
    ExpectMessage<EPropertyError>([&] { IsStoredProp(&bad, "Width"); },
                                  "Stored condition 'NoSuchCondition' of property 'Width' not found");
}

// Numbers as text with the decimal point, whatever the machine's locale.
struct FixedDecimalPoint {
    TFormatSettings saved = FormatSettings;
    FixedDecimalPoint() {
        FormatSettings.DecimalSeparator = '.';
        FormatSettings.ThousandSeparator = ',';
    }
    ~FixedDecimalPoint() { FormatSettings = saved; }
};

TEST(TypInfo, AnyPropertyAsVariant) {
    FixedDecimalPoint decimalPoint;
    TSample sample(nullptr);
    sample.SetWhen(TDateTime(36926.5));
    sample.SetPrice(Currency::FromRaw(123456));
    sample.SetBig(Int64(1) << 40);
    sample.SetCaption("Text");
    sample.SetTag(-4);
    // With PreferStrings enumerations and sets come by name, else as their ordinal.
    const struct {
        const char* name;
        bool preferStrings;
        TVarType type;
        const char* text;
    } reads[] = {
        {"Align", true, varString, "alNone"},
        {"Align", false, varInteger, "0"},
        {"Anchors", true, varString, "akLeft,akTop"},
        {"Anchors", false, varInteger, "3"},
        {"Visible", true, varBoolean, "True"},
        {"Tag", true, varInteger, "-4"},
        {"Letter", true, varInteger, "65"},
        {"Big", true, varInt64, "1099511627776"},
        {"Ratio", true, varDouble, "0.5"},
        {"Scale", true, varSingle, ""},
        {"Price", true, varCurrency, "12.3456"},
        {"When", true, varDate, ""},
        {"Caption", true, varString, "Text"},
    };
    for (const auto& r : reads) {
        SCOPED_TRACE(r.name);
        const Variant value = GetPropValue(&sample, r.name, r.preferStrings);
        EXPECT_EQ(VarType(value), r.type);
        if (*r.text) {
            EXPECT_EQ(value.ToString().toStdString(), r.text);
        }
    }
    EXPECT_EQ(GetPropValue(&sample, "When").ToDateTime().Val, 36926.5);
    EXPECT_EQ(GetPropValue(&sample, "Scale").ToDouble(), double(0.1f));

    SetPropValue(&sample, "Align", "alClient");
    EXPECT_EQ(sample.Align(), alClient);
    SetPropValue(&sample, "Align", 2);
    EXPECT_EQ(sample.Align(), alBottom);
    SetPropValue(&sample, "Anchors", "[akRight, akBottom]");
    EXPECT_EQ(sample.Anchors(), TAnchors(akRight) | akBottom);
    SetPropValue(&sample, "Anchors", 1);
    EXPECT_EQ(sample.Anchors(), TAnchors(akLeft));
    SetPropValue(&sample, "Visible", false);
    EXPECT_FALSE(sample.Visible());
    SetPropValue(&sample, "Visible", true); // the variant's True is -1, the property's 1
    EXPECT_TRUE(sample.Visible());
    SetPropValue(&sample, "Letter", "B");
    EXPECT_EQ(sample.Letter(), 'B');
    SetPropValue(&sample, "WideLetter", QString::fromUtf8("€"));
    EXPECT_EQ(sample.WideLetter(), QChar(0x20AC));
    SetPropValue(&sample, "Letter", 67);
    EXPECT_EQ(sample.Letter(), 'C');
    ExpectMessage<EPropertyConvertError>([&] { SetPropValue(&sample, "Letter", "BC"); },
                                         "Invalid property value");
    EXPECT_THROW(SetPropValue(&sample, "Letter", ""), EPropertyConvertError);
    SetPropValue(&sample, "Caption", 12);
    EXPECT_EQ(sample.Caption(), "12");
    SetPropValue(&sample, "Caption", Null());
    EXPECT_EQ(sample.Caption(), "");
    SetPropValue(&sample, "Big", "123");
    EXPECT_EQ(sample.Big(), 123);
    SetPropValue(&sample, "Ratio", "2.5");
    EXPECT_EQ(sample.Ratio(), 2.5);
    SetPropValue(&sample, "Price", Variant(Currency::FromRaw(1234567890123456789LL)));
    EXPECT_EQ(sample.Price().Raw(), 1234567890123456789LL);
    SetPropValue(&sample, "When", Variant(TDateTime(1.25)));
    EXPECT_EQ(sample.When().Val, 1.25);
    EXPECT_THROW(SetPropValue(&sample, "Tag", "many"), EVariantTypeCastError);
    EXPECT_THROW(SetPropValue(&sample, "Align", "alNowhere"), EPropertyConvertError);

    // Variant and QVariant properties hold any value; Empty is their default.
    SetPropValue(&sample, "Value", "x");
    EXPECT_EQ(VarType(sample.Value()), varString);
    EXPECT_EQ(GetVariantProp(&sample, "Value").ToString(), "x");
    SetVariantProp(&sample, "Data", Variant(7));
    EXPECT_EQ(sample.Data(), QVariant(7));
    sample.SetData(QString("q"));
    EXPECT_EQ(GetPropValue(&sample, "Data").ToString(), "q");
    SetVariantProp(&sample, "Data", Unassigned());
    EXPECT_FALSE(sample.Data().isValid());
    EXPECT_TRUE(IsDefaultPropValue(&sample, GetPropInfo(&sample, "Data")));

    ExpectMessage<EPropertyError>([&] { GetPropValue(&sample, "OnClick"); },
                                  "Invalid property type: TNotifyEvent");
    EXPECT_THROW(SetPropValue(&sample, "Font", 1), EPropertyError);
    EXPECT_THROW(GetVariantProp(&sample, "Caption"), EPropertyError);
    EXPECT_THROW(SetPropValue(&sample, "Count", 1), EPropertyError);
}

TEST(TypInfo, EventsAreMethodPropertiesBoundThroughQVariant) {
    TSample sample(nullptr);
    int clicks = 0;
    TObject* sender = nullptr;
    EXPECT_FALSE(IsMethodAssigned(&sample, GetPropInfo(&sample, "OnClick")));
    SetMethodProp(&sample, "OnClick", TNotifyEvent([&](TObject* s) {
        ++clicks;
        sender = s;
    }));
    EXPECT_TRUE(bool(sample.OnClick));
    EXPECT_TRUE(IsMethodAssigned(&sample, GetPropInfo(&sample, "OnClick")));
    sample.Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, &sample);

    // A handler read from one object can be given to another.
    TSample other(nullptr);
    SetMethodProp(&other, "onclick", GetMethodProp(&sample, "OnClick"));
    other.Click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(sender, &other);
    GetMethodProp<TNotifyEvent>(&sample, "OnClick")(nullptr);
    EXPECT_EQ(clicks, 3);

    SetMethodProp(&sample, "OnCloseQuery",
                  TCloseQueryEvent([](TObject*, bool& canClose) { canClose = false; }));
    EXPECT_FALSE(sample.CloseQuery());

    // An invalid QVariant clears the handler; a handler of another type is refused.
    SetMethodProp(&sample, "OnClick", QVariant());
    EXPECT_FALSE(bool(sample.OnClick));
    ExpectMessage<EPropertyError>(
        [&] { SetMethodProp(&sample, "OnClick", GetMethodProp(&sample, "OnCloseQuery")); },
        "Invalid property type: TNotifyEvent");
    EXPECT_THROW(GetMethodProp<TCloseQueryEvent>(&sample, "OnClick"), EPropertyError);
    EXPECT_THROW(SetMethodProp(&sample, "Caption", QVariant()), EPropertyError);
}

TEST(TypInfo, EventTypeRegisteredByHandBecomesMethodKind) {
    TSample sample(nullptr);
    EXPECT_EQ(PropType(&sample, "OnLate"), tkUnknown);
    EXPECT_FALSE(IsEventType(QMetaType::fromType<TLateEvent>()));
    RegisterEventType<TLateEvent>();
    EXPECT_EQ(PropType(&sample, "OnLate"), tkMethod);
    EXPECT_TRUE(Names(GetPropList(&sample, tkMethods)).contains("OnLate"));
    int code = 0;
    SetMethodProp(&sample, "OnLate", TLateEvent([&](int c) { code = c; }));
    sample.GetOnLate()(42);
    EXPECT_EQ(code, 42);
}

TEST(TypInfo, ObjectPropertiesAndDottedPaths) {
    TSample sample(nullptr);
    TTestFont* font = sample.Font();
    EXPECT_EQ(GetObjectProp(&sample, "Font"), font);
    EXPECT_EQ(GetObjectProp<TTestFont>(&sample, "Font"), font);
    EXPECT_EQ(GetObjectProp(&sample, "Font", &TComponent::staticMetaObject), nullptr);

    // Writing an owned object copies it into the one the property keeps.
    TTestFont big;
    big.SetSize(20);
    big.SetName("Serif");
    SetObjectProp(&sample, "Font", &big);
    EXPECT_EQ(sample.Font(), font);
    EXPECT_EQ(font->Size(), 20);
    EXPECT_EQ(font->Name(), "Serif");
    TOtherPersistent stranger;
    ExpectMessage<EPropertyConvertError>([&] { SetObjectProp(&sample, "Font", &stranger); },
                                         "Invalid property value");

    TComponent buddy(nullptr);
    buddy.SetTag(9);
    SetObjectProp(&sample, "Buddy", &buddy);
    EXPECT_EQ(sample.Buddy(), &buddy);
    EXPECT_THROW(SetObjectProp(&sample, "Buddy", font), EPropertyConvertError);

    const TPropPath path = FindPropPath(&sample, "font.SIZE");
    ASSERT_TRUE(path);
    EXPECT_EQ(path.Instance, static_cast<TObject*>(font));
    EXPECT_EQ(path.PropInfo->Name(), "Size");
    SetOrdProp(path.Instance, path.PropInfo, 11);
    EXPECT_EQ(font->Size(), 11);
    EXPECT_TRUE(IsDefaultPropValue(path.Instance, GetPropInfo(path.Instance, "Size")) == false);
    EXPECT_EQ(FindPropPath(&sample, "Buddy.Tag").Instance, static_cast<TObject*>(&buddy));
    EXPECT_EQ(FindPropPath(&sample, "Caption").Instance, static_cast<TObject*>(&sample));

    SetObjectProp(&sample, "Buddy", nullptr);
    EXPECT_EQ(sample.Buddy(), nullptr);
    for (const char* missing : {"Buddy.Tag", "Font.Nope", "Align.Size", "Font.", ".Font", "", "Font.Size.X"})
        EXPECT_FALSE(FindPropPath(&sample, missing)) << missing;
    ExpectMessage<EPropertyError>([&] { GetPropPath(&sample, "Font.Colour"); },
                                  "Unknown property: 'Font.Colour'");
}

TEST(TypInfo, DescriptionOfAnotherClassIsRefused) {
    // Qt would address whatever property the other object has at that index.
    TSample sample(nullptr);
    TTestFont font;
    const PPropInfo size = GetPropInfo(&font, "Size");
    EXPECT_THROW(GetOrdProp(&sample, size), EPropertyError);
    EXPECT_THROW(SetOrdProp(&sample, size, 3), EPropertyError);
    TPlain plain;
    EXPECT_THROW(GetOrdProp(&plain, size), EPropertyError);
    EXPECT_EQ(GetOrdProp(&font, size), 8);
}

} // namespace

#include "TypInfoTest.moc"
