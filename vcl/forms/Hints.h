#pragma once
// A hint is "short|long": the short part is the tooltip, the long part goes to the status bar.
#include "vcl/System.h"

// The text before the first "|", or the whole hint without one.
String GetShortHint(const String& Hint);
// The text after the first "|", or the whole hint without one.
String GetLongHint(const String& Hint);
