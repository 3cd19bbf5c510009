#include <QVariant>
#include <gtest/gtest.h>

#include "vcl/Classes.h"

namespace {

// An event published as a property, the way form resources bind handlers by name.
class Clicker : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TNotifyEvent OnClick READ GetOnClick WRITE SetOnClick)
public:
    using TComponent::TComponent;
    TNotifyEvent OnClick;
    TNotifyEvent GetOnClick() const { return OnClick; }
    void SetOnClick(const TNotifyEvent& Value) { OnClick = Value; }
    void Click() {
        if (OnClick) OnClick(this);
    }
};

TEST(Events, NotifyEventIsAPropertyValue) {
    Clicker clicker(nullptr);
    TObject* sender = nullptr;
    ASSERT_TRUE(
        clicker.setProperty("OnClick", QVariant::fromValue(TNotifyEvent([&](TObject* s) { sender = s; }))));
    clicker.Click();
    EXPECT_EQ(sender, static_cast<TObject*>(&clicker));
    const QVariant read = clicker.property("OnClick");
    EXPECT_EQ(read.metaType(), QMetaType::fromType<TNotifyEvent>());
    EXPECT_TRUE(bool(read.value<TNotifyEvent>()));
    clicker.SetOnClick(nullptr);
    EXPECT_FALSE(bool(clicker.property("OnClick").value<TNotifyEvent>()));
}

} // namespace

#include "EventsTest.moc"
