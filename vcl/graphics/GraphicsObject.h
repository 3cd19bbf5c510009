#pragma once
// TGraphicsObject: what fonts, pens and brushes share: a change event that the owner (a canvas,
// a control) binds to follow every change.
#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"

class TGraphicsObject : public TPersistent {
    Q_OBJECT
public:
    TGraphicsObject();
    ~TGraphicsObject() override;

    // Raised after every change of a property value, and by Assign.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};
