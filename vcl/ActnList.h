#pragma once
// Actions and action lists, and the links through which menu items and controls follow them.
#include "vcl/actnlist/Action.h"
#include "vcl/actnlist/ActionClientLink.h"
#include "vcl/actnlist/ActionLink.h"
#include "vcl/actnlist/ActionList.h"
#include "vcl/actnlist/BasicAction.h"
