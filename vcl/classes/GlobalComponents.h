#pragma once
// Finding a form or data module by its name from anywhere (component references across modules:
// "OtherForm.Edit1"). The forms layer registers the finder that knows its forms and data modules.
#include <functional>

#include "vcl/classes/Component.h"

using TFindGlobalComponent = std::function<TComponent*(const String& Name)>;

// Returns a handle for unregistering. Finders are asked in the order they were registered.
int RegisterFindGlobalComponentProc(TFindGlobalComponent Finder);
void UnregisterFindGlobalComponentProc(int Handle);

// The first component a finder knows by that name (without regard to case), or none.
TComponent* FindGlobalComponent(const String& Name);
