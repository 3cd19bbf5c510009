#pragma once
// TCanvas: the drawing surface of a bitmap or a control, over QPainter. Each drawing operation
// paints through a painter opened on the canvas's device (an image) for that operation, or through
// the painter a paint event lends the canvas; what the platform keeps in its device context (the
// clip region, the path, the saved states, the pen position) the canvas keeps itself.
#include <QImage>
#include <QPainterPath>
#include <QRecursiveMutex>
#include <QRegion>
#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "vcl/Types.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"
#include "vcl/classes/Published.h"
#include "vcl/graphics/Brush.h"
#include "vcl/graphics/Colors.h"
#include "vcl/graphics/Font.h"
#include "vcl/graphics/GraphicsTypes.h"
#include "vcl/graphics/Pen.h"

class QPainter;
class QPaintDevice;
class TCanvas;
class TGraphic;
class TBitmap;

// The platform's device context is the canvas itself: Canvas->Handle() is what the drawing
// functions of vcl/Windows.h take.
using HDC = TCanvas*;

namespace mox::graphics {
class CanvasPainting;
}

class TCanvas : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TBrush* Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(TCopyMode CopyMode READ CopyMode WRITE SetCopyMode)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TPen* Pen READ Pen WRITE SetPen)
    Q_CLASSINFO("default:CopyMode", "13369376")
    // Raised before and after every drawing operation.
    MOX_EVENT(TNotifyEvent, OnChange)
    MOX_EVENT(TNotifyEvent, OnChanging)
public:
    TCanvas();
    ~TCanvas() override;

    // What the canvas paints on: an image (a bitmap's, a control's off-screen image), or the painter
    // of a paint event while it is attached. Without either, drawing raises EInvalidOperation
    // "Canvas does not allow drawing". A new device starts with no clip, no path and no saved state.
    void SetDevice(QPaintDevice* Device);
    QPaintDevice* Device() const { return device_; }
    // Paints through Painter (which stays active and keeps its own clip and transformation) until
    // DetachPainter.
    void AttachPainter(QPainter* Painter);
    void DetachPainter();
    bool HandleAllocated() const { return device_ != nullptr || external_ != nullptr; }
    HDC Handle() { return this; }
    // Runs Draw with a painter on the canvas, set up with its clip, pen, brush and font, as one
    // drawing operation: the library's way to the painter for what the canvas has no operation for.
    void WithPainter(const std::function<void(QPainter& Painter)>& Draw);

    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* Value) { brush_->Assign(Value); }
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* Value) { pen_->Assign(Value); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }
    TPoint PenPos() const { return penPos_; }
    void SetPenPos(const TPoint& Value) { MoveTo(Value.X, Value.Y); }

    // Lines and figures, with the platform's geometry: a figure's right and bottom edges are outside
    // it, a line does not paint its end point, the pen outlines and the brush fills, both through the
    // pen's Mode. While a path is being recorded they add to the path instead.
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(std::span<const TPoint> Points);
    void Polyline(std::initializer_list<TPoint> Points) {
        Polyline(std::span<const TPoint>(Points.begin(), Points.size()));
    }
    void Polygon(std::span<const TPoint> Points);
    void Polygon(std::initializer_list<TPoint> Points) {
        Polygon(std::span<const TPoint>(Points.begin(), Points.size()));
    }
    void PolyBezier(std::span<const TPoint> Points);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    // The part of the ellipse in (X1, Y1, X2, Y2) that runs counter-clockwise from the ray towards
    // (X3, Y3) to the ray towards (X4, Y4); the same rays give the whole ellipse.
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    // Fills with the brush alone, whatever the pen's Mode.
    void FillRect(const TRect& Rect);
    // A one-pixel frame in the brush.
    void FrameRect(const TRect& Rect);
    // Inverts every other pixel of the rectangle's outline: drawn twice, it is gone.
    void DrawFocusRect(const TRect& Rect);

    // Text in the font, its colour the font's; the background is filled with the brush's colour
    // when the brush is solid (see SetBkMode). (X, Y) is the top-left corner of the text, which
    // turns around it by the font's Orientation.
    void TextOut(int X, int Y, const String& Text);
    // Text clipped to Rect, whose background is filled as TextOut's.
    void TextRect(const TRect& Rect, int X, int Y, const String& Text);
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }
    // The platform's formatted text: Format is a combination of the DT_ flags (vcl/Windows.h).
    // Returns the height of the text; with DT_CALCRECT only measures, into Rect.
    int DrawText(const String& Text, TRect& Rect, unsigned Format);

    // Pictures: at their size, or stretched to Rect; a transparent bitmap leaves its transparent
    // colour out, an opaque one is copied through CopyMode.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source of another canvas (or of this one) to Dest, stretched, through CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of the bitmap to Dest, with every pixel of Color replaced by the brush; with a
    // clear brush those pixels are left out and what is under them shows.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);
    // The copy of an image behind CopyRect and the drawing of bitmaps, through a raster operation.
    void CopyImage(const TRect& Dest, const QImage& Image, const TRect& Source, TCopyMode Mode);
    // An image with its alpha channel blended over the canvas (icons, image lists).
    void DrawImage(int X, int Y, const QImage& Image);
    void StretchDrawImage(const TRect& Dest, const QImage& Image);
    // The image drawn with every pixel of TransparentColor left out.
    void DrawTransparent(const TRect& Dest, const QImage& Image, const TRect& Source,
                         TColor TransparentColor);

    // A pixel of the canvas's image; -1 (the platform's invalid colour) outside it, or when the canvas
    // paints through a painter whose device is no image.
    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Color);
    // The image the canvas paints on, if it is one.
    QImage* TargetImage() const;

    // Clipping, as the platform's region results: 1 nothing left, 2 a rectangle, 3 more complex, 0
    // an error. Without a clip the whole device is painted.
    TRect ClipRect() const;
    bool HasClip() const { return clip_.active; }
    int IntersectClipRect(const TRect& Rect);
    int ExcludeClipRect(const TRect& Rect);
    // Replaces the clip with the region; an empty optional removes the clip.
    int SelectClipRegion(const std::optional<QRegion>& Region);
    void ResetClip() { SelectClipRegion(std::nullopt); }

    // Keeps the clip, the path, the pen position, the pen, brush, font and copy mode; returns the
    // number of the saved state (1 for the first). RestoreDC goes back to state number SavedDC, or
    // when it is negative to that many states back; false when there is no such state.
    int SaveDC();
    bool RestoreDC(int SavedDC);

    // Paths: between BeginPath and EndPath, lines, figures and text make a path instead of painting;
    // StrokePath outlines it with the pen, FillPath fills it with the brush, SelectClipPath makes it
    // the clip (Mode: the RGN_ combinations of vcl/Windows.h). Each of these uses the path up.
    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    bool StrokePath();
    bool FillPath();
    bool StrokeAndFillPath();
    bool SelectClipPath(int Mode);
    bool PathRecording() const { return recording_; }
    const QPainterPath& Path() const { return path_; }

    // The background mode of text and dashed lines (TRANSPARENT 1, OPAQUE 2); it follows the brush
    // (opaque for a solid brush) until it is set, and again after the brush changes.
    int SetBkMode(int Mode);
    int BkMode() const;
    // ALTERNATE (1) or WINDING (2): how polygons and paths are filled.
    int SetPolyFillMode(int Mode);
    int PolyFillMode() const { return polyFillMode_; }

    // Frames. Frame3D draws Width rings with the top and left sides in TopColor and the others in
    // BottomColor, and shrinks Rect by Width. DrawEdge and DrawFrameControl take the BDR_/BF_ and
    // DFC_/DFCS_ flags of vcl/Windows.h; the frame controls come from the application's widget
    // style, which draws on the user-interface thread only.
    void Frame3D(TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
    bool DrawEdge(TRect& Rect, unsigned Edge, unsigned Flags);
    bool DrawFrameControl(TRect& Rect, unsigned Type, unsigned State);

    // A recursive lock that whoever paints on the canvas from more than one thread takes: a worker
    // painting a control's image and the control's paint event exclude each other through it.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lockCount_.load(); }

protected:
    virtual void Changing();
    virtual void Changed();
    // Called when the canvas has neither device nor painter and is asked to draw: a canvas that
    // makes its device on demand sets it here.
    virtual void CreateHandle() {}

private:
    friend class mox::graphics::CanvasPainting;

    struct ClipState {
        bool active = false;
        QRegion region;
        std::optional<QPainterPath> path;
    };
    struct SavedState;

    int ClipResult() const;
    TRect DeviceRect() const;
    QPainterPath ClipAsPath() const;
    void DrawFigure(const QPainterPath& Figure, bool Fill);
    void AddToPath(const QPainterPath& Figure, bool Closed);
    void AddTextPath(int X, int Y, const String& Text);
    void CopyThroughRop(QPainter& Painter, const TRect& Dest, const QImage& Image, const TRect& Source,
                        TCopyMode Mode);
    QPainterPath TakePath();

    std::unique_ptr<TFont> font_;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    TCopyMode copyMode_ = cmSrcCopy;
    TPoint penPos_;
    QPaintDevice* device_ = nullptr;
    QPainter* external_ = nullptr;
    ClipState clip_;
    std::optional<int> bkMode_;
    int polyFillMode_ = 1;
    bool recording_ = false;
    QPainterPath path_;
    std::vector<std::unique_ptr<SavedState>> saved_;
    QRecursiveMutex lock_;
    std::atomic<int> lockCount_{0};
};

// The platform's free form of TCanvas::Frame3D.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
