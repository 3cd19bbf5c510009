#include "vcl/forms/ApplicationEvents.h"

TApplicationEvents::TApplicationEvents(TComponent* AOwner) : TComponent(AOwner) {
    if (Application) Application->events_.append(this);
}

TApplicationEvents::~TApplicationEvents() {
    if (Application) Application->events_.removeAll(this);
}

void TApplicationEvents::Activate() {
    if (!Application || !Application->events_.removeOne(this)) return;
    Application->events_.append(this);
}

void TApplicationEvents::CancelDispatch() { cancelled_ = true; }
