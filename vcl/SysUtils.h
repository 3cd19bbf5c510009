#pragma once
// The run-time unit: format settings, dates and times, conversions, text and file-name functions.
#include "vcl/sysutils/Clock.h"
#include "vcl/sysutils/Consts.h"
#include "vcl/sysutils/DateTime.h"
#include "vcl/sysutils/FormatSettings.h"
