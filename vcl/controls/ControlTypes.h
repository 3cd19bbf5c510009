#pragma once
// The enumerations, sets and event types of the control layer.
#include <QFlags>
#include <QMetaType>
#include <QObject>
#include <functional>

#include "vcl/System.h"
#include "vcl/Types.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/ShiftState.h"

class TControl;
class TDragObject;
class TDragDockObject;
// Only declared here: the meta-types of event parameters that point to them need no more.
Q_DECLARE_OPAQUE_POINTER(TDragObject*)
Q_DECLARE_OPAQUE_POINTER(TDragDockObject*)

// A cursor identifier (crDefault is 0; the standard cursors are negative).
using TCursor = SmallInt;
// Which button closed a modal form.
using TModalResult = int;

namespace Controls {
Q_NAMESPACE

// Where a control sits in its parent: along an edge, filling what is left, placed by the parent's
// CustomAlignPosition (alCustom), or where its bounds say (alNone).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
Q_ENUM_NS(TAlign)

// The edges of the parent whose distance a control keeps when the parent is resized.
enum TAnchorKind { akLeft = 1 << 0, akTop = 1 << 1, akRight = 1 << 2, akBottom = 1 << 3 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

// What a control class does; the flags are 1 << the platform's ordinal.
enum TControlStyleFlag {
    csAcceptsControls = 1 << 0,
    csCaptureMouse = 1 << 1,
    csDesignInteractive = 1 << 2,
    csClickEvents = 1 << 3,
    csFramed = 1 << 4,
    csSetCaption = 1 << 5,
    csOpaque = 1 << 6,
    csDoubleClicks = 1 << 7,
    csFixedWidth = 1 << 8,
    csFixedHeight = 1 << 9,
    csNoDesignVisible = 1 << 10,
    csReplicatable = 1 << 11,
    csNoStdEvents = 1 << 12,
    csDisplayDragImage = 1 << 13,
    csReflector = 1 << 14,
    csActionClient = 1 << 15,
    csMenuEvents = 1 << 16,
};
Q_DECLARE_FLAGS(TControlStyle, TControlStyleFlag)
Q_FLAG_NS(TControlStyle)

// What a control is doing now.
enum TControlStateFlag {
    csLButtonDown = 1 << 0,
    csClicked = 1 << 1,
    csPalette = 1 << 2,
    csReadingState = 1 << 3,
    csAlignmentNeeded = 1 << 4,
    csFocusing = 1 << 5,
    csCreating = 1 << 6,
    csPaintCopy = 1 << 7,
    csCustomPaint = 1 << 8,
    csDestroyingHandle = 1 << 9,
    csDocking = 1 << 10,
};
Q_DECLARE_FLAGS(TControlState, TControlStateFlag)
Q_FLAG_NS(TControlState)

enum TMouseButton { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

enum TDragMode { dmManual, dmAutomatic };
Q_ENUM_NS(TDragMode)
enum TDragKind { dkDrag, dkDock };
Q_ENUM_NS(TDragKind)
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
Q_ENUM_NS(TDragState)

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
Q_ENUM_NS(TBiDiMode)

} // namespace Controls
Q_DECLARE_OPERATORS_FOR_FLAGS(Controls::TAnchors)
Q_DECLARE_OPERATORS_FOR_FLAGS(Controls::TControlStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(Controls::TControlState)
using namespace Controls;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
Q_DECLARE_METATYPE(TMouseEvent)
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
Q_DECLARE_METATYPE(TMouseMoveEvent)
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
Q_DECLARE_METATYPE(TMouseWheelEvent)
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
Q_DECLARE_METATYPE(TMouseWheelUpDownEvent)
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
Q_DECLARE_METATYPE(TKeyEvent)
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
Q_DECLARE_METATYPE(TKeyPressEvent)
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
Q_DECLARE_METATYPE(TContextPopupEvent)
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
Q_DECLARE_METATYPE(TCanResizeEvent)
using TConstrainedResizeEvent =
    std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
Q_DECLARE_METATYPE(TConstrainedResizeEvent)
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
Q_DECLARE_METATYPE(TDragDropEvent)
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
Q_DECLARE_METATYPE(TDragOverEvent)
// OnEndDrag and OnEndDock have the same parameters, with the target in place of the source.
using TEndDragEvent = TDragDropEvent;
using TEndDockEvent = TDragDropEvent;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
Q_DECLARE_METATYPE(TStartDragEvent)
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;
Q_DECLARE_METATYPE(TStartDockEvent)
