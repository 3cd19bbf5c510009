#pragma once
// TCustomControl: a windowed control that paints itself on its Canvas in Paint.
#include <memory>

#include "vcl/controls/ControlCanvas.h"
#include "vcl/controls/WinControl.h"

class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    // The canvas Paint draws on; drawing on it at other times (also from a worker thread holding
    // its lock) shows on the screen shortly after.
    TCanvas* Canvas() const { return canvas_.get(); }
    void Invalidate() override;

protected:
    // Draws the control; the background is already erased with Color unless csOpaque is set.
    virtual void Paint();
    // Erases (WM_ERASEBKGND) and calls Paint.
    virtual void PaintWindow();
    QWidget* CreateWindowHandle(const TCreateParams& Params) override;
    void WMPaint(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> canvas_;
};
