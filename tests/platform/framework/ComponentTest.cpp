#include "tests/platform/framework/TestControls.h"

#include "platform/framework/TypInfo.h"

#include <gtest/gtest.h>

#include <memory>

using namespace framework;
using namespace fwtest;

namespace {

class Recorder : public TComponent {
public:
    using TComponent::TComponent;
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        Seen.push_back((operation == opInsert ? "+" : "-") + component->Name());
    }
    std::vector<std::string> Seen;
};

class Designer : public IDesigner {
public:
    void Notification(TComponent* component, TOperation operation) override {
        Seen.push_back((operation == opInsert ? "+" : "-") + component->Name());
    }
    std::vector<std::string> Seen;
};

struct ICounter {
    virtual ~ICounter() = default;
    virtual int Count() const = 0;
};

class Counting : public TComponent, public ICounter {
public:
    using TComponent::TComponent;
    int Count() const override { return 3; }
};

} // namespace

TEST(Component, OwnerDestroysWhatItOwnsAndNotifiesOnTheWay) {
    auto owner = std::make_unique<Recorder>(nullptr);
    auto* sibling = new Recorder(nullptr);
    sibling->SetName("Sibling");
    owner->InsertComponent(sibling);
    auto* child = new TComponent(nullptr);
    child->SetName("Child");
    owner->InsertComponent(child);
    EXPECT_EQ(owner->Seen, (std::vector<std::string>{"+Sibling", "+Child"}));
    EXPECT_EQ(sibling->Seen, (std::vector<std::string>{"+Sibling", "+Child"})); // told of itself too
    EXPECT_EQ(child->Owner(), owner.get());
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(child->ComponentIndex(), 1);

    delete child;
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->Seen.back(), "-Child");
    EXPECT_EQ(sibling->Seen.back(), "-Child");
    owner.reset(); // frees Sibling without a leak
}

TEST(Component, FreeNotificationReachesSubscribersInOtherOwners) {
    auto a = std::make_unique<TComponent>(nullptr);
    auto b = std::make_unique<TComponent>(nullptr);
    auto* watched = new TComponent(a.get());
    watched->SetName("Watched");
    auto* watcher = new Recorder(b.get());
    watched->FreeNotification(watcher);
    delete watched;
    EXPECT_EQ(watcher->Seen, (std::vector<std::string>{"-Watched"}));
    // The link is gone both ways: freeing the watcher later touches nothing.
    auto* again = new TComponent(a.get());
    again->FreeNotification(watcher);
    delete watcher;
    delete again;
}

TEST(Component, NamesAreValidatedAndUniqueIgnoringCase) {
    TComponent owner(nullptr);
    auto* one = new TComponent(&owner);
    one->SetName("Button1");
    auto* two = new TComponent(&owner);
    EXPECT_THROW(two->SetName("BUTTON1"), EComponentError);
    EXPECT_EQ(two->Name(), "");
    for (const char* bad : {"1abc", "a b", "a.b", "名字"})
        EXPECT_THROW(two->SetName(bad), EComponentError) << bad;
    two->SetName("Button2");
    one->SetName("BUTTON1"); // its own name in other letters
    EXPECT_EQ(owner.FindComponent("button1"), one);
    EXPECT_EQ(owner.FindComponent("Button2"), two);
    EXPECT_EQ(owner.FindComponent("Button3"), nullptr);
    try {
        two->SetName("button1");
        FAIL();
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A component named button1 already exists");
    }
    // Inserting a component whose name is taken fails the same way.
    TComponent stray(nullptr);
    stray.SetName("Button2");
    EXPECT_THROW(owner.InsertComponent(&stray), EComponentError);
}

TEST(Component, DesignStateReachesOwnedComponentsAndTheDesignerRecords) {
    Designer designer;
    TComponent form(nullptr);
    form.SetDesigner(&designer);
    form.SetDesigning(true);
    auto* c = new TComponent(&form);
    c->SetName("Late");
    EXPECT_TRUE(c->ComponentState().Contains(csDesigning));
    delete c;
    EXPECT_EQ(designer.Seen, (std::vector<std::string>{"+", "-Late"})); // inserted before it had a name
}

TEST(Component, AssignWithoutASuitablePairIsAConversionError) {
    TComponent a(nullptr), b(nullptr);
    try {
        a.Assign(&b);
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TComponent");
    }
    EXPECT_THROW(a.Assign(nullptr), rtl::EConvertError);
}

TEST(Component, SupportsFindsImplementedInterfaces) {
    Counting counting(nullptr);
    TComponent plain(nullptr);
    ICounter* counter = nullptr;
    ASSERT_TRUE(Supports<ICounter>(&counting, counter));
    EXPECT_EQ(counter->Count(), 3);
    EXPECT_EQ(Supports<ICounter>(&plain), nullptr);
}

TEST(ClassRegistry, FindsClassesByNameAndCreatesThem) {
    const TClassInfo& info = GetClassInfo("ttestbutton");
    EXPECT_EQ(info.Name(), "TTestButton");
    EXPECT_TRUE(info.InheritsFrom(FindClassInfo("TComponent")));
    TComponent owner(nullptr);
    TComponent* made = info.Create(&owner);
    EXPECT_NE(dynamic_cast<TTestButton*>(made), nullptr);
    EXPECT_EQ(made->ClassName(), "TTestButton");
    EXPECT_THROW(GetClassInfo("TNoSuchClass"), EClassNotFound);
}

TEST(PublishedProperties, ByNameAccess) {
    TTestPanel panel(nullptr);
    EXPECT_TRUE(IsPublishedProp(panel, "align"));
    EXPECT_TRUE(IsPublishedProp(panel, "Tag"));
    EXPECT_FALSE(IsPublishedProp(panel, "FrameStyle"));

    SetOrdProp(panel, "Width", 120);
    SetOrdProp(panel, "Align", alClient);
    SetOrdProp(panel, "Visible", 0);
    SetOrdProp(panel, "Color", 0xFF000005);
    EXPECT_EQ(panel.Width(), 120);
    EXPECT_EQ(panel.Align(), alClient);
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(static_cast<std::uint32_t>(panel.Color()), 0xFF000005u);
    EXPECT_EQ(GetOrdProp(panel, "Color"), 0xFF000005);
    EXPECT_EQ(GetEnumProp(panel, "Align"), "alClient");
    EXPECT_THROW(SetOrdProp(panel, "Align", 6), rtl::ERangeError);
    EXPECT_THROW(SetOrdProp(panel, "Caption", 1), EPropertyError);
    EXPECT_THROW(SetOrdProp(panel, "Nothing", 1), EPropertyError);

    SetSetProp(panel, "Anchors", "[akRight, akBottom]");
    EXPECT_EQ(panel.Anchors(), (TAnchors{akRight, akBottom}));
    EXPECT_EQ(GetSetProp(panel, "Anchors"), "akRight,akBottom");
    EXPECT_EQ(GetSetProp(panel, "Anchors", true), "[akRight,akBottom]");
    SetSetProp(panel, "Anchors", "akLeft");
    EXPECT_EQ(panel.Anchors(), (TAnchors{akLeft}));
    SetSetProp(panel, "Anchors", "[]");
    EXPECT_TRUE(panel.Anchors().Empty());
    EXPECT_THROW(SetSetProp(panel, "Anchors", "[akLeft, akNowhere]"), EPropertyError);

    SetStrProp(panel, "Caption", "面板");
    EXPECT_EQ(GetStrProp(panel, "Caption"), "面板");
}

TEST(PublishedProperties, ComponentReferencesCheckTheirType) {
    TComponent owner(nullptr);
    auto* button = new TTestButton(&owner);
    auto* action = new TAction(&owner);
    auto* panel = new TTestPanel(&owner);
    SetObjectProp(*button, "Action", action);
    EXPECT_EQ(button->Action(), action);
    EXPECT_THROW(SetObjectProp(*button, "Action", panel), EPropertyError);
    delete action; // the free notification clears the reference
    EXPECT_EQ(button->Action(), nullptr);
}
