#include <gtest/gtest.h>

#include <QPointer>

#include "TestSupport.h"
#include "vcl/Forms.h"

namespace {
// A module as a program declares one: its components are members it makes in its constructor.
class TSettingsModule : public TDataModule {
public:
    explicit TSettingsModule(TComponent* AOwner, QStringList& Log) : TDataModule(AOwner), log_(Log) {
        store = new TComponent(this);
        store->SetName("afAppIni");
        OnCreate = [this](TObject*) { log_ << "create " + store->Name(); };
        OnDestroy = [this](TObject*) { log_ << "destroy " + store->Name() + " " + QString::number(ComponentCount()); };
    }
    TComponent* store;

private:
    QStringList& log_;
};
} // namespace

TEST(DataModule, CreateRunsAfterTheConstructorsAndDestroyWhileTheComponentsLive) {
    QStringList log;
    TSettingsModule* dm = nullptr;
    Application->CreateForm(dm, log);
    ASSERT_NE(dm, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr); // a data module never becomes the main form
    ASSERT_EQ(Screen->DataModuleCount(), 1);
    EXPECT_EQ(Screen->DataModules(0), dm);
    EXPECT_EQ(dm->Owner(), Application);
    dm->Free();
    EXPECT_EQ(log, (QStringList{"create afAppIni", "destroy afAppIni 1"}));
    EXPECT_EQ(Screen->DataModuleCount(), 0);
    EXPECT_EQ(Application->ComponentCount(), 0);
}

TEST(DataModule, AnErrorInOnCreateIsShownAndTheModuleStays) {
    QStringList shown;
    TScopedModalAnswerer answer([&](const TModalQuestion& q) {
        shown << q.Text;
        return mrOk;
    });
    TComponent owner(nullptr);
    auto* dm = new TDataModule(&owner);
    dm->OnCreate = [](TObject*) { throw Exception("Cannot create ini-file"); };
    dm->OnDestroy = [](TObject*) { throw Exception("late"); };
    dm->AfterConstruction();
    dm->AfterConstruction(); // once only
    EXPECT_EQ(owner.ComponentCount(), 1);
    QPointer<TDataModule> alive(dm);
    owner.DestroyComponents();
    EXPECT_FALSE(alive);
    EXPECT_EQ(shown, (QStringList{"Cannot create ini-file.", "late."}));
}
