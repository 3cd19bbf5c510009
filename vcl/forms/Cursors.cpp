#include "vcl/forms/Cursors.h"

#include "vcl/controls/CursorShapes.h"

// The screen shows the same shapes as the controls: one table serves both.
Qt::CursorShape CursorShape(TCursor Cursor) { return mox::controls::CursorToShape(Cursor); }
