#pragma once
// The Qt cursor shape that shows a cursor identifier.
#include <Qt>

#include "vcl/controls/ControlTypes.h"

namespace mox::controls {
// An unknown identifier shows the arrow.
Qt::CursorShape CursorToShape(TCursor Cursor);
} // namespace mox::controls
