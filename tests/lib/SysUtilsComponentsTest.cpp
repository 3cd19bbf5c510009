#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

class TShape : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
public:
    using TComponent::TComponent;
    int Width() const { return width_; }
    void SetWidth(int Value) { width_ = Value; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }
    double Ratio() const { return ratio_; }
    void SetRatio(double Value) { ratio_ = Value; }

private:
    int width_ = 0;
    QString caption_;
    double ratio_ = 0;
};

class TCircle : public TShape {
    Q_OBJECT
    Q_PROPERTY(int Radius READ Radius WRITE SetRadius)
public:
    using TShape::TShape;
    int Radius() const { return radius_; }
    void SetRadius(int Value) { radius_ = Value; }

private:
    int radius_ = 0;
};

QStringList NamesOf(const TPropList& list) {
    QStringList names;
    for (PPropInfo info : list)
        names << info->Name();
    return names;
}

TEST(MoxPublishedProps, ListsTheKindsAskedFor) {
    TCircle circle(nullptr);
    TPropList list;
    GetPublishedProps(&circle, tkAny, list);
    EXPECT_EQ(NamesOf(list), (QStringList{"Name", "Tag", "Width", "Caption", "Ratio", "Radius"}));
    GetPublishedProps(&circle, tkInteger, list);
    EXPECT_EQ(NamesOf(list), (QStringList{"Tag", "Width", "Radius"}));
    GetPublishedProps(&circle, TTypeKinds(tkLString) | tkFloat, list);
    EXPECT_EQ(NamesOf(list), (QStringList{"Name", "Caption", "Ratio"}));
    // The list is emptied first.
    GetPublishedProps(&circle, tkMethod, list);
    EXPECT_TRUE(list.isEmpty());
    GetPublishedProps(&circle, tkAny, list);
    TObject plain;
    GetPublishedProps(&plain, tkAny, list);
    EXPECT_TRUE(list.isEmpty());
}

TEST(MoxPublishedProps, FindPropInfoIgnoresCase) {
    TCircle circle(nullptr);
    TPropList list;
    GetPublishedProps(&circle, tkAny, list);
    PPropInfo radius = FindPropInfo(list, "rADIUS");
    ASSERT_NE(radius, nullptr);
    EXPECT_EQ(radius->Name(), "Radius");
    EXPECT_EQ(FindPropInfo(list, "Radiu"), nullptr);
    EXPECT_EQ(FindPropInfo(TPropList(), "Radius"), nullptr);
    // The description reads and writes the property.
    SetOrdProp(&circle, radius, 7);
    EXPECT_EQ(circle.Radius(), 7);
}

// owner: a (shape) { a1 (circle) }, b (component) { b1 (shape) { b11 (circle) } }, c (circle)
class MoxWalk : public ::testing::Test {
protected:
    void SetUp() override {
        auto* a = Make<TShape>(&owner, "a");
        Make<TCircle>(a, "a1");
        auto* b = Make<TComponent>(&owner, "b");
        auto* b1 = Make<TShape>(b, "b1");
        Make<TCircle>(b1, "b11");
        Make<TCircle>(&owner, "c");
    }
    template <class T> T* Make(TComponent* parent, const char* name) {
        auto* c = new T(parent);
        c->SetName(name);
        return c;
    }
    QStringList Visit(const QMetaObject* cls, bool recursive) {
        QStringList visited;
        int data = 0;
        ForEachComponent(
            &owner, cls,
            [&](TComponent* c, Pointer d) {
                EXPECT_EQ(d, &data);
                visited << c->Name();
            },
            &data, recursive);
        return visited;
    }
    TComponent owner{nullptr};
};

TEST_F(MoxWalk, ClassAndRecursion) {
    struct {
        const QMetaObject* cls;
        bool recursive;
        QStringList visited;
    } cases[] = {
        {&TComponent::staticMetaObject, false, {"a", "b", "c"}},
        {&TComponent::staticMetaObject, true, {"a", "a1", "b", "b1", "b11", "c"}},
        {&TShape::staticMetaObject, false, {"a", "c"}},
        {&TShape::staticMetaObject,
         true,
         {"a", "a1", "b1", "b11", "c"}}, // b does not match, its own still do
        {&TCircle::staticMetaObject, true, {"a1", "b11", "c"}},
        {&TCircle::staticMetaObject, false, {"c"}},
        {nullptr, true, {"a", "a1", "b", "b1", "b11", "c"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Visit(c.cls, c.recursive), c.visited)
            << (c.cls ? c.cls->className() : "any") << " recursive " << c.recursive;
}

TEST_F(MoxWalk, ComponentsFreedOnTheWayAreSkipped) {
    QStringList visited;
    ForEachComponent(
        &owner, &TComponent::staticMetaObject,
        [&](TComponent* c, Pointer) {
            visited << c->Name();
            if (c->Name() == "a") owner.FindComponent("b")->Free();
        },
        nullptr, true);
    EXPECT_EQ(visited, (QStringList{"a", "a1", "c"}));
    ForEachComponent(
        nullptr, nullptr, [&](TComponent*, Pointer) { ADD_FAILURE(); }, nullptr, true);
}

} // namespace

#include "SysUtilsComponentsTest.moc"
