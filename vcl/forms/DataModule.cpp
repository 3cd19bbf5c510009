#include "vcl/forms/DataModule.h"

#include "vcl/forms/Application.h"
#include "vcl/forms/Screen.h"

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
    if (Screen) Screen->AddDataModule(this);
}

TDataModule::~TDataModule() { Leave(); }

void TDataModule::AfterConstruction() {
    if (created_) return;
    created_ = true;
    DoCreate();
}

void TDataModule::BeforeDestruction() {
    Leave();
    TComponent::BeforeDestruction();
}

void TDataModule::Leave() {
    if (left_) return;
    left_ = true;
    Destroying();
    if (Screen) Screen->RemoveDataModule(this);
    DoDestroy();
}

void TDataModule::DoCreate() {
    if (!OnCreate) return;
    try {
        OnCreate(this);
    } catch (...) {
        if (Application) Application->HandleException(this);
        else throw;
    }
}

void TDataModule::DoDestroy() {
    if (!OnDestroy) return;
    // An error here must not leave the destruction half done.
    try {
        OnDestroy(this);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}
