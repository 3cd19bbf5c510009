#pragma once
// TSizeConstraints: the smallest and largest size a control may take; 0 means no limit.
#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"
#include "vcl/classes/Published.h"

class TControl;

class TSizeConstraints : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int MaxHeight READ MaxHeight WRITE SetMaxHeight)
    Q_PROPERTY(int MaxWidth READ MaxWidth WRITE SetMaxWidth)
    Q_PROPERTY(int MinHeight READ MinHeight WRITE SetMinHeight)
    Q_PROPERTY(int MinWidth READ MinWidth WRITE SetMinWidth)
    MOX_DEFAULT(MaxHeight, 0)
    MOX_DEFAULT(MaxWidth, 0)
    MOX_DEFAULT(MinHeight, 0)
    MOX_DEFAULT(MinWidth, 0)
public:
    explicit TSizeConstraints(TControl* Control);

    void Assign(TPersistent* Source) override;

    // A negative value counts as 0. The limits never cross: a maximum set below the minimum lowers
    // the minimum to it, a minimum set above a maximum raises the maximum to it.
    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int Value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int Value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int Value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int Value);

    // The size limited by the constraints.
    int ConstrainWidth(int Width) const;
    int ConstrainHeight(int Height) const;

    TControl* Control() const { return control_; }
    TPersistent* GetOwner() const override;

    // Raised after every change; the control applies the new limits to its size.
    TNotifyEvent OnChange;

private:
    void Change();

    TControl* control_;
    int maxHeight_ = 0;
    int maxWidth_ = 0;
    int minHeight_ = 0;
    int minWidth_ = 0;
};
