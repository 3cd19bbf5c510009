#pragma once
// A component that hears the application's events: any number of them may exist, each raising
// its own handlers, the one made (or activated) last first.
#include "vcl/forms/Application.h"

class TApplicationEvents : public TComponent {
    Q_OBJECT
    MOX_EVENT(TActionEvent, OnActionExecute)
    MOX_EVENT(TActionEvent, OnActionUpdate)
    MOX_EVENT(TNotifyEvent, OnActivate)
    MOX_EVENT(TNotifyEvent, OnDeactivate)
    MOX_EVENT(TExceptionEvent, OnException)
    MOX_EVENT(THelpEvent, OnHelp)
    MOX_EVENT(TNotifyEvent, OnHint)
    MOX_EVENT(TIdleEvent, OnIdle)
public:
    Q_INVOKABLE explicit TApplicationEvents(TComponent* AOwner);
    ~TApplicationEvents() override;

    // Makes this component the first to hear the events.
    void Activate();
    // Keeps the event being raised from the components after this one.
    void CancelDispatch();

private:
    friend class TApplication;
    bool cancelled_ = false;
};
