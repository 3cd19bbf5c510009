#pragma once
// A data module: a container of non-visual components (settings, image lists, tables) with the
// life events of a form.
#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"

class TDataModule : public TComponent {
    Q_OBJECT
    MOX_EVENT(TNotifyEvent, OnCreate)
    MOX_EVENT(TNotifyEvent, OnDestroy)
public:
    // Joins the screen's data modules. OnCreate runs in AfterConstruction, once the constructors of
    // the derived classes are done (Application->CreateForm calls it).
    Q_INVOKABLE explicit TDataModule(TComponent* AOwner);
    ~TDataModule() override;

    // Raises OnCreate; an error in the handler is shown by the application and the module stays.
    virtual void AfterConstruction();
    // Raises OnDestroy while the owned components still exist, then frees them. Free the module
    // (Free, or its owner) rather than delete it, so that the handler still finds the derived class.
    void BeforeDestruction() override;

protected:
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    void Leave();
    bool created_ = false;
    bool left_ = false;
};
