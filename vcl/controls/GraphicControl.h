#pragma once
// TGraphicControl: a control without a window of its own (it never takes the focus) that paints
// itself on its Canvas in Paint, over its parent's background.
#include <memory>

#include "vcl/controls/Control.h"
#include "vcl/controls/ControlCanvas.h"

class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return canvas_.get(); }
    void Invalidate() override;

protected:
    virtual void Paint();
    // The view that shows the control inside its parent's window: transparent where Paint leaves
    // the canvas clear.
    QWidget* CreateViewWidget(QWidget* ParentWidget) override;
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};
