#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxClasses.h"
#include "lib/moxTools.h"
#include "vcl/TypInfo.h"

namespace {

// A component hook that writes what it hooks and unhooks into a log.
class LoggingHook : public TmoxCustomComponentHook {
public:
    LoggingHook(TComponent* owner, QStringList& log) : TmoxCustomComponentHook(owner), log_(log) {}

protected:
    void Hook() override { log_ << "hook " + Component()->Name(); }
    void Unhook() override { log_ << "unhook " + Component()->Name(); }

private:
    QStringList& log_;
};

TComponent* Named(TComponent* owner, const QString& name) {
    auto* c = new TComponent(owner);
    c->SetName(name);
    return c;
}

// A form owning two components and a hook; the log outlives the form, which frees the hook.
class ComponentHookFixture : public ::testing::Test {
protected:
    QStringList log;
    TComponent form{nullptr};
    TComponent* a = Named(&form, "A");
    TComponent* b = Named(&form, "B");
    LoggingHook* hook = new LoggingHook(&form, log);
};

} // namespace

using ComponentHook = ComponentHookFixture;

TEST_F(ComponentHook, AssigningComponentsHooksAndUnhooksThem) {
    EXPECT_TRUE(hook->Active());
    EXPECT_TRUE(log.isEmpty()) << "an active hook hooks nothing before a component is assigned";

    hook->SetComponent(a);
    hook->SetComponent(a);
    hook->SetComponent(b);
    hook->SetComponent(nullptr);
    EXPECT_EQ(log, (QStringList{"hook A", "unhook A", "hook B", "unhook B"}));
    EXPECT_TRUE(hook->Active());

    log.clear();
    hook->SetComponent(a);
    hook->SetActive(false);
    hook->SetComponent(b);
    EXPECT_FALSE(hook->Active());
    hook->SetActive(true);
    EXPECT_EQ(log, (QStringList{"hook A", "unhook A", "hook B"}));
}

TEST_F(ComponentHook, FreeingTheHookedComponentUnhooksAndClearsTheReference) {
    hook->SetComponent(a);
    a->Free();
    EXPECT_EQ(log, (QStringList{"hook A", "unhook A"}));
    EXPECT_EQ(hook->Component(), nullptr);
    EXPECT_TRUE(hook->Active());
}

TEST_F(ComponentHook, FreeingTheHookUnhooksAndStopsListening) {
    hook->SetComponent(a);
    hook->Free();
    EXPECT_EQ(log, (QStringList{"hook A", "unhook A"}));
    a->Free(); // would reach the freed hook if it still listened
    EXPECT_EQ(log.size(), 2);
}

TEST_F(ComponentHook, AHookBeingDesignedHooksNothing) {
    hook->SetDesigning(true);
    hook->SetComponent(a);
    hook->SetActive(false);
    hook->SetActive(true);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(hook->Component(), a);
}

struct HookLoadCase {
    const char* name;
    std::optional<bool> streamedActive; // none: the resource leaves Active at its default
    bool assignBeforeActive;            // the reader sets the component reference first
    bool active;
    QStringList log;
};
void PrintTo(const HookLoadCase& c, std::ostream* os) {
    *os << c.name;
}

class ComponentHookLoading : public ComponentHookFixture,
                             public ::testing::WithParamInterface<HookLoadCase> {};

TEST_P(ComponentHookLoading, AppliesTheStreamedActiveWhenLoadingEnds) {
    const HookLoadCase& c = GetParam();
    hook->BeginLoading();
    if (c.assignBeforeActive) hook->SetComponent(a);
    if (c.streamedActive) hook->SetActive(*c.streamedActive);
    if (!c.assignBeforeActive) hook->SetComponent(a);
    EXPECT_TRUE(log.isEmpty()) << "nothing is hooked while loading";
    EXPECT_TRUE(hook->Active()) << "Active is only recorded while loading";
    hook->EndLoading();
    EXPECT_EQ(hook->Active(), c.active);
    EXPECT_EQ(log, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, ComponentHookLoading,
    ::testing::Values(HookLoadCase{"DefaultActive", std::nullopt, false, true, {"hook A"}},
                      HookLoadCase{"ActiveTrue", true, false, true, {"hook A"}},
                      HookLoadCase{"ActiveTrueAfterComponent", true, true, true, {"hook A"}},
                      HookLoadCase{"ActiveFalse", false, false, false, {}},
                      HookLoadCase{"ActiveFalseAfterComponent", false, true, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

class TaggedItem : public TComponentItem {
    Q_OBJECT
    Q_PROPERTY(int Tag READ GetTag WRITE SetTag)
public:
    using TComponentItem::TComponentItem;
};

class TitledDialog : public TmoxCustomDialog {
    Q_OBJECT
public:
    using TmoxCustomDialog::TmoxCustomDialog;
    bool Execute() override { return true; }

protected:
    String GetDefaultTitle() const override { return "Find record"; }
};

} // namespace

TEST(ComponentItem, TagIsTheComponentsTagAndZeroWithoutOne) {
    TCollection items(TCollectionItemClass::Of<TaggedItem>());
    auto* item = static_cast<TaggedItem*>(items.Add());
    EXPECT_EQ(GetOrdProp(item, "Tag"), 0);
    SetOrdProp(item, "Tag", 5); // nothing to set without a component

    auto* component = new TComponent(nullptr);
    component->SetTag(3);
    item->SetComponent(component);
    EXPECT_EQ(GetOrdProp(item, "Tag"), 3);
    SetOrdProp(item, "Tag", 13);
    EXPECT_EQ(component->Tag(), 13);

    component->Free();
    EXPECT_EQ(item->Component(), nullptr) << "a freed component is not read through the item";
    EXPECT_EQ(GetOrdProp(item, "Tag"), 0);
}

TEST(CustomDialog, TitleStartsAsTheDefaultTitleAndIsStoredOnlyWhenItDiffers) {
    TitledDialog dialog(nullptr);
    EXPECT_EQ(dialog.Title(), "Find record");
    EXPECT_FALSE(IsStoredProp(&dialog, "Title"));
    EXPECT_TRUE(IsDefaultPropValue(&dialog, GetPropInfo(&dialog, "HelpContext")));

    dialog.SetTitle("Search");
    EXPECT_TRUE(IsStoredProp(&dialog, "Title"));
    dialog.SetTitle("");
    EXPECT_EQ(dialog.Title(), "");
    EXPECT_TRUE(IsStoredProp(&dialog, "Title")) << "an emptied title differs from the default";
    dialog.SetTitle("Find record");
    EXPECT_FALSE(IsStoredProp(&dialog, "Title"));

    dialog.SetHelpContext(12);
    EXPECT_FALSE(IsDefaultPropValue(&dialog, GetPropInfo(&dialog, "HelpContext")));
}

#include "ToolsHooksTest.moc"
