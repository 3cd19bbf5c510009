// The property storage on a form: it takes over the form's show, close-query and destroy events
// when read from the form's resource, loads once at the first show, saves at the permitted close
// (or at destruction), and reports settings-file errors without stopping the form's own handlers.
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

#include "TestSupport.h"
#include "lib/moxPropStore.h"
#include "vcl/IniFiles.h"
#include "vcl/forms/CustomForm.h"

class TChildTestForm : public TForm {
    Q_OBJECT
public:
    explicit TChildTestForm(TComponent* owner) : TForm(owner) {}
};

namespace {

class PropStorageForm : public ::testing::Test {
protected:
    mox::test::ScratchDir dir;
    TmoxAppIniFile file{nullptr};
    QStringList log;
    bool refuseClose = false;
    std::unique_ptr<TChildTestForm> form;
    TmoxPropStorage* storage = nullptr;

    void SetUp() override {
        file.SetIniFileType(ftIniFile);
        file.SetIniFileName(dir.File("settings.ini"));
        form = std::make_unique<TChildTestForm>(nullptr);
        form->SetName("ChildForm");
        form->OnShow = [this](TObject* s) { log << (s == form.get() ? "show" : "show?"); };
        form->OnCloseQuery = [this](TObject*, bool& canClose) {
            log << "closequery";
            if (refuseClose) canClose = false;
        };
        form->OnDestroy = [this](TObject*) { log << "destroy"; };
        // As the form reader makes it: created while loading, then told that loading ended.
        storage = new TmoxPropStorage(form.get());
        storage->BeginLoading();
        storage->SetName("psStore");
        storage->SetAppIniFile(&file);
        TStringList props;
        props.SetQStringList({"Left", "Top", "Width", "Height"});
        storage->SetStoredProps(&props);
        storage->EndLoading();
        storage->SetComponentStateFlag(csLoading, false);
    }
    String Stored(const String& key) {
        TMemIniFile ini(dir.File("settings.ini"));
        return ini.ReadString("TChildTestForm", key, "<missing>");
    }
};

TEST_F(PropStorageForm, SavesAtThePermittedCloseInTheFormsClassSection) {
    form->SetBounds(30, 40, 300, 200);
    form->Show();
    form->Close();
    EXPECT_EQ(Stored("ChildForm_Left"), "30");
    EXPECT_EQ(Stored("ChildForm_Top"), "40");
    EXPECT_EQ(Stored("ChildForm_Width"), "300");
    EXPECT_EQ(Stored("ChildForm_Height"), "200");
    EXPECT_EQ(Stored("Version"), "0");
    EXPECT_EQ(log, QStringList({"show", "closequery"}));

    // Saved once: moving the form and destroying it writes nothing more.
    form->SetBounds(90, 90, 300, 200);
    form.release()->Free();
    EXPECT_EQ(Stored("ChildForm_Left"), "30");
}

TEST_F(PropStorageForm, LoadsOnceAtTheFirstShow) {
    {
        TMemIniFile ini(dir.File("settings.ini"));
        ini.WriteString("TChildTestForm", "ChildForm_Left", "77");
        ini.WriteString("TChildTestForm", "ChildForm_Top", "66");
        ini.UpdateFile();
    }
    form->SetBounds(1, 2, 300, 200);
    form->Show();
    EXPECT_EQ(form->Left(), 77);
    EXPECT_EQ(form->Top(), 66);
    form->Hide();
    form->SetBounds(5, 5, 300, 200);
    form->Show();
    EXPECT_EQ(form->Left(), 5);
    EXPECT_EQ(log, QStringList({"show", "show"}));
}

TEST_F(PropStorageForm, ARefusedCloseSavesNothingAndDestructionSaves) {
    refuseClose = true;
    form->SetBounds(12, 0, 100, 100);
    form->Close();
    EXPECT_EQ(Stored("ChildForm_Left"), "<missing>");
    form.release()->Free();
    EXPECT_EQ(Stored("ChildForm_Left"), "12");
    EXPECT_EQ(log, QStringList({"closequery", "destroy"}));
}

TEST_F(PropStorageForm, SettingsErrorsAreShownAndTheFormsHandlerStillRuns) {
    QStringList shown;
    SetApplicationExceptionDisplay(
        [&](TObject*, std::exception_ptr error) { shown << ExceptionMessage(error); });
    file.SetIniFileType(ftUserDefined); // no store can be made
    form->Show();
    form->Close();
    SetApplicationExceptionDisplay({});
    EXPECT_EQ(shown, QStringList({"Cannot create ini-file", "Cannot create ini-file"}));
    EXPECT_EQ(log, QStringList({"show", "closequery"}));
}

TEST_F(PropStorageForm, FreeingTheStoragePutsTheFormsHandlersBack) {
    delete storage;
    form->Show();
    bool canClose = true;
    form->OnCloseQuery(form.get(), canClose);
    EXPECT_EQ(log, QStringList({"show", "closequery"}));
    EXPECT_FALSE(QFile::exists(dir.File("settings.ini")));
}

} // namespace

#include "PropStorageFormTest.moc"
