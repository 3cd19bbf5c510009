#pragma once
// The forms unit: the application, the screen, message boxes and modal answers, cursors, data modules.
#include "vcl/forms/Application.h"
#include "vcl/forms/ApplicationEvents.h"
#include "vcl/forms/Cursors.h"
#include "vcl/forms/DataModule.h"
#include "vcl/forms/FormsConsts.h"
#include "vcl/forms/MessageBoxes.h"
#include "vcl/forms/ModalResult.h"
#include "vcl/forms/Screen.h"
