#pragma once
// TPersistent: an object with published properties (Qt properties) that can be copied with Assign.
#include <QObject>

#include "vcl/System.h"

class TFiler;

class TPersistent : public QObject, public TObject {
    Q_OBJECT
public:
    TPersistent();
    ~TPersistent() override;

    String ClassName() const override;

    // Copies Source into this object; a class that cannot take Source asks Source to AssignTo it,
    // and when neither can, EConvertError "Cannot assign a X to a Y" is raised.
    virtual void Assign(TPersistent* Source);
    // The object that owns this one in the sense of the name path (a collection's owner, ...).
    virtual TPersistent* GetOwner() const { return nullptr; }
    virtual String GetNamePath() const;

protected:
    virtual void AssignTo(TPersistent* Dest);
    // Declares data of the form resource that is not a published property.
    virtual void DefineProperties(TFiler* Filer);

private:
    [[noreturn]] void AssignError(TPersistent* Source);
    friend class TFiler;
};
