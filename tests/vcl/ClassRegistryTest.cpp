#include <QVariant>
#include <gtest/gtest.h>

#include "vcl/Classes.h"

template <class E> static QString MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

class TTestButton : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    using TComponent::TComponent;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }

private:
    QString caption_ = "default";
};

class TTestSpeedButton : public TTestButton {
    Q_OBJECT
public:
    using TTestButton::TTestButton;
};

class TTestShape : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;
    virtual int Corners() const = 0;
};

class TTestFont : public TPersistent {
    Q_OBJECT
};

class TTestColumn : public TCollectionItem {
    Q_OBJECT
public:
    using TCollectionItem::TCollectionItem;
};

namespace first {
class TTwin : public TPersistent {
    Q_OBJECT
};
} // namespace first
namespace second {
class TTwin : public TPersistent {
    Q_OBJECT
};
} // namespace second

namespace {

// The registry is process-wide: each test leaves it as it found it.
class ClassRegistry : public ::testing::Test {
protected:
    void TearDown() override {
        for (const TPersistentClass& c :
             {TPersistentClass::Of<TTestButton>(), TPersistentClass::Of<TTestSpeedButton>(),
              TPersistentClass::Of<TTestShape>(), TPersistentClass::Of<TTestFont>(),
              TPersistentClass::Of<TTestColumn>(), TPersistentClass::Of<first::TTwin>(),
              TPersistentClass::Of<second::TTwin>()})
            UnRegisterClass(c);
    }
};

TEST_F(ClassRegistry, FindsClassesByNameWithoutRegardToCase) {
    EXPECT_FALSE(GetClass("TTestButton"));
    RegisterClasses<TTestButton, TTestSpeedButton>();
    for (const char* name : {"TTestButton", "ttestbutton", "TTESTBUTTON"})
        EXPECT_EQ(GetClass(name), TPersistentClass::Of<TTestButton>()) << name;
    EXPECT_EQ(FindClass("TTestSpeedButton").ClassName(), "TTestSpeedButton");
    EXPECT_FALSE(GetClass("TTestNothing"));
    EXPECT_FALSE(GetClass(""));
    EXPECT_EQ(MessageOf<EClassNotFound>([] { FindClass("TTestNothing"); }), "Class TTestNothing not found");

    UnRegisterClass<TTestButton>();
    EXPECT_FALSE(GetClass("TTestButton"));
    EXPECT_TRUE(GetClass("TTestSpeedButton"));
}

TEST_F(ClassRegistry, CreatesComponentsWithTheirOwner) {
    RegisterClass<TTestSpeedButton>();
    TComponent form(nullptr);
    TComponent* button = FindClass("ttestspeedbutton").CreateComponent(&form);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Owner(), &form);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(button->ClassName(), "TTestSpeedButton");
    EXPECT_EQ(button->property("Caption").toString(), "default"); // its own constructor ran
    EXPECT_NE(dynamic_cast<TTestSpeedButton*>(button), nullptr);

    TPersistent* lone = GetClass("TTestSpeedButton").Create(nullptr);
    EXPECT_EQ(static_cast<TComponent*>(lone)->Owner(), nullptr);
    lone->Free();

    // An owner of the wrong kind is refused, not mistaken for a component.
    TStringList notAComponent;
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { GetClass("TTestSpeedButton").Create(&notAComponent); }),
              "Invalid class typecast");
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST_F(ClassRegistry, CreatesItemsAndOtherPersistentObjects) {
    RegisterClasses({TPersistentClass::Of<TTestColumn>(), TPersistentClass::Of<TTestFont>()});
    TCollection columns(TCollectionItemClass::Of<TTestColumn>());
    TPersistent* item = FindClass("TTestColumn").Create(&columns);
    EXPECT_EQ(columns.Count(), 1);
    EXPECT_EQ(columns.Items(0), item);

    TPersistent* font = FindClass("TTestFont").Create();
    EXPECT_EQ(font->ClassName(), "TTestFont");
    font->Free();
    EXPECT_EQ(MessageOf<EInvalidCast>([] { FindClass("TTestFont").CreateComponent(nullptr); }),
              "Invalid class typecast");
}

TEST_F(ClassRegistry, AbstractClassesAreKnownButNotMade) {
    RegisterClass<TTestShape>();
    TPersistentClass shape = FindClass("TTestShape");
    EXPECT_TRUE(shape.InheritsFrom<TComponent>());
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { shape.Create(); }),
              "Cannot create an instance of TTestShape");
}

TEST_F(ClassRegistry, InheritanceThroughTheMetaObject) {
    RegisterClasses<TTestButton, TTestSpeedButton, TTestFont>();
    const TPersistentClass speed = FindClass("TTestSpeedButton");
    struct Case {
        TPersistentClass ancestor;
        bool inherits;
    };
    const Case cases[] = {
        {FindClass("TTestButton"), true},
        {speed, true},
        {TPersistentClass::Of<TComponent>(), true},
        {TPersistentClass::Of<TPersistent>(), true},
        {FindClass("TTestFont"), false},
        {TPersistentClass::Of<TCollectionItem>(), false},
        {TPersistentClass(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(speed.InheritsFrom(c.ancestor), c.inherits) << c.ancestor.ClassName().toStdString();
    EXPECT_FALSE(FindClass("TTestButton").InheritsFrom(speed));
    EXPECT_FALSE(TPersistentClass().InheritsFrom<TPersistent>());
}

TEST_F(ClassRegistry, OneClassPerName) {
    RegisterClass<first::TTwin>();
    RegisterClass<first::TTwin>(); // the same class again is no error
    EXPECT_EQ(MessageOf<EFilerError>([] { RegisterClass<second::TTwin>(); }),
              "A class named TTwin already exists");
    EXPECT_EQ(FindClass("TTwin"), TPersistentClass::Of<first::TTwin>());

    RegisterClassAlias<TTestButton>("TOldButton");
    EXPECT_EQ(FindClass("toldbutton").ClassName(), "TTestButton");
    EXPECT_FALSE(GetClass("TTestButton")); // an alias does not register the name itself
    UnRegisterClass<TTestButton>();
    EXPECT_FALSE(GetClass("TOldButton"));
}

} // namespace

#include "ClassRegistryTest.moc"
