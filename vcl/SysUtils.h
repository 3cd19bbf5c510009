#pragma once
// The run-time unit: format settings, dates and times, conversions, Format, text and file names.
#include "vcl/sysutils/Clock.h"
#include "vcl/sysutils/Consts.h"
#include "vcl/sysutils/DateText.h"
#include "vcl/sysutils/DateTime.h"
#include "vcl/sysutils/Enums.h"
#include "vcl/sysutils/FileSearch.h"
#include "vcl/sysutils/Files.h"
#include "vcl/sysutils/FloatConvert.h"
#include "vcl/sysutils/Format.h"
#include "vcl/sysutils/FormatSettings.h"
#include "vcl/sysutils/IntConvert.h"
#include "vcl/sysutils/Strings.h"
