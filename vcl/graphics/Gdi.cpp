#include "vcl/graphics/Gdi.h"

#include "vcl/graphics/GraphicsTypes.h"

int SaveDC(HDC DC) {
    return DC ? DC->SaveDC() : 0;
}
bool RestoreDC(HDC DC, int SavedDC) {
    return DC && DC->RestoreDC(SavedDC);
}
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
    return DC ? DC->IntersectClipRect({Left, Top, Right, Bottom}) : ERROR;
}
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
    return DC ? DC->ExcludeClipRect({Left, Top, Right, Bottom}) : ERROR;
}
int SelectClipRgn(HDC DC, std::nullptr_t) {
    if (!DC) return ERROR;
    DC->ResetClip();
    return SIMPLEREGION;
}
int GetClipBox(HDC DC, TRect& Rect) {
    if (!DC) return ERROR;
    Rect = DC->ClipRect();
    return IsRectEmpty(Rect) ? NULLREGION : SIMPLEREGION;
}
bool BeginPath(HDC DC) {
    if (!DC) return false;
    DC->BeginPath();
    return true;
}
bool EndPath(HDC DC) {
    if (!DC || !DC->PathRecording()) return false;
    DC->EndPath();
    return true;
}
bool AbortPath(HDC DC) {
    if (!DC) return false;
    DC->AbortPath();
    return true;
}
bool CloseFigure(HDC DC) {
    if (!DC || !DC->PathRecording()) return false;
    DC->CloseFigure();
    return true;
}
bool StrokePath(HDC DC) {
    return DC && DC->StrokePath();
}
bool FillPath(HDC DC) {
    return DC && DC->FillPath();
}
bool StrokeAndFillPath(HDC DC) {
    return DC && DC->StrokeAndFillPath();
}
bool SelectClipPath(HDC DC, int Mode) {
    return DC && DC->SelectClipPath(Mode);
}
int SetBkMode(HDC DC, int Mode) {
    return DC ? DC->SetBkMode(Mode) : 0;
}
int GetBkMode(HDC DC) {
    return DC ? DC->BkMode() : 0;
}
int SetPolyFillMode(HDC DC, int Mode) {
    return DC ? DC->SetPolyFillMode(Mode) : 0;
}
bool DrawEdge(HDC DC, TRect& Rect, UINT Edge, UINT Flags) {
    return DC && DC->DrawEdge(Rect, Edge, Flags);
}
bool DrawFrameControl(HDC DC, TRect& Rect, UINT Type, UINT State) {
    return DC && DC->DrawFrameControl(Rect, Type, State);
}
bool DrawFocusRect(HDC DC, const TRect& Rect) {
    if (!DC) return false;
    DC->DrawFocusRect(Rect);
    return true;
}
int DrawText(HDC DC, const String& Text, int Count, TRect& Rect, UINT Format) {
    if (!DC) return 0;
    return DC->DrawText(Count < 0 ? Text : Text.left(Count), Rect, Format);
}
bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc, LongWord Rop) {
    return StretchBlt(Dest, X, Y, Width, Height, Source, XSrc, YSrc, Width, Height, Rop);
}
bool StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc, int WidthSrc,
                int HeightSrc, LongWord Rop) {
    if (!Dest) return false;
    const QImage* image = Source ? Source->TargetImage() : nullptr;
    Dest->CopyImage(Bounds(X, Y, Width, Height), image ? *image : QImage(),
                    Bounds(XSrc, YSrc, WidthSrc, HeightSrc), TCopyMode(Rop));
    return true;
}
bool PatBlt(HDC DC, int X, int Y, int Width, int Height, LongWord Rop) {
    if (!DC) return false;
    DC->CopyImage(Bounds(X, Y, Width, Height), QImage(), {}, TCopyMode(Rop));
    return true;
}
