#pragma once
// The control layer: controls, windowed controls, self-painting controls, messages and keys.
#include "vcl/Messages.h"
#include "vcl/classes/ShiftState.h"
#include "vcl/controls/Control.h"
#include "vcl/controls/ControlCanvas.h"
#include "vcl/controls/ControlTypes.h"
#include "vcl/controls/ControlsConsts.h"
#include "vcl/controls/CustomControl.h"
#include "vcl/controls/GraphicControl.h"
#include "vcl/controls/KeyMapping.h"
#include "vcl/controls/SizeConstraints.h"
#include "vcl/controls/WinControl.h"
#include "vcl/windows/VirtualKeys.h"
