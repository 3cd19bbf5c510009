#pragma once
// The screen: the forms in the order they were made, the active form and control, the cursor
// shown over the whole application, the size, the monitors and their work areas, the fonts.
#include <QList>
#include <memory>

#include "vcl/Types.h"
#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/StringList.h"
#include "vcl/forms/Cursors.h"

class QScreen;
class TCustomForm;
class TDataModule;
class TWinControl;

// One monitor, as it is when asked.
class TMonitor {
public:
    TMonitor() = default;
    TMonitor(int MonitorNum, const TRect& Bounds, const TRect& WorkArea, bool Primary, int PixelsPerInch)
        : num_(MonitorNum), bounds_(Bounds), workArea_(WorkArea), primary_(Primary), ppi_(PixelsPerInch) {}
    int MonitorNum() const { return num_; }
    TRect BoundsRect() const { return bounds_; }
    // The bounds less the task bars and panels of the desktop.
    TRect WorkareaRect() const { return workArea_; }
    bool Primary() const { return primary_; }
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    int PixelsPerInch() const { return ppi_; }

private:
    int num_ = -1;
    TRect bounds_;
    TRect workArea_;
    bool primary_ = false;
    int ppi_ = 96;
};

class TScreen : public TComponent {
    Q_OBJECT
    MOX_EVENT(TNotifyEvent, OnActiveControlChange)
    MOX_EVENT(TNotifyEvent, OnActiveFormChange)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // Every form, in the order the forms were made; raises EListError for a bad index.
    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int Index) const;
    int CustomFormCount() const { return FormCount(); }
    TCustomForm* CustomForms(int Index) const { return Forms(Index); }
    // The forms tell the screen when they are made and when they go.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);

    // Every data module, in the order the modules were made.
    int DataModuleCount() const { return int(dataModules_.size()); }
    TDataModule* DataModules(int Index) const;
    void AddDataModule(TDataModule* DataModule);
    void RemoveDataModule(TDataModule* DataModule);

    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const { return activeControl_; }
    // The forms report their activation and their focused control; a change raises the event.
    void SetActiveForm(TCustomForm* Form);
    void SetActiveControl(TWinControl* Control);

    // The cursor over every window of the application; crDefault lets each control show its own.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor Value);

    // The primary monitor's size; 0 when there is no screen.
    int Width() const;
    int Height() const;
    // The rectangle around all monitors.
    int DesktopLeft() const { return DesktopRect().Left; }
    int DesktopTop() const { return DesktopRect().Top; }
    int DesktopWidth() const { return DesktopRect().Width(); }
    int DesktopHeight() const { return DesktopRect().Height(); }
    TRect DesktopRect() const;
    // The primary monitor's work area.
    TRect WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().Left; }
    int WorkAreaTop() const { return WorkAreaRect().Top; }
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    int MonitorCount() const;
    // Raises EListError for a bad index.
    TMonitor Monitors(int Index) const;
    // The monitor that holds the point, else the nearest one; an empty monitor without screens.
    TMonitor MonitorFromPoint(const TPoint& Point) const;
    // The primary monitor's logical resolution.
    int PixelsPerInch() const;
    // The names of the installed font families, sorted.
    TStrings* Fonts();

private:
    QList<TCustomForm*> forms_;
    QList<TDataModule*> dataModules_;
    TCustomForm* activeForm_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TCursor cursor_ = crDefault;
    bool overriding_ = false;
    std::unique_ptr<TStringList> fonts_;
};

// The screen, made with the QApplication and freed with it; null outside its life.
extern TScreen* Screen;
