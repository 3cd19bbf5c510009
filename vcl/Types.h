#pragma once
// Points, sizes and rectangles as the platform keeps them. A rectangle is left, top, right and
// bottom in pixels with the right and bottom edges outside it, unlike QRect, whose right() and
// bottom() are the last pixels inside: convert only through the functions below.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int X, int Y) {
    return {X, Y};
}
constexpr TRect Rect(int Left, int Top, int Right, int Bottom) {
    return {Left, Top, Right, Bottom};
}
// The rectangle of the given size at (Left, Top).
constexpr TRect Bounds(int Left, int Top, int Width, int Height) {
    return {Left, Top, Left + Width, Top + Height};
}

inline QPoint ToQPoint(const TPoint& P) {
    return {P.X, P.Y};
}
inline TPoint ToPoint(const QPoint& P) {
    return {P.x(), P.y()};
}
inline QSize ToQSize(const TSize& S) {
    return {S.cx, S.cy};
}
inline TSize ToSize(const QSize& S) {
    return {S.width(), S.height()};
}
inline QRect ToQRect(const TRect& R) {
    return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
}
inline TRect ToRect(const QRect& R) {
    return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}

// The rectangle operations of the platform's user-interface library, with its results: an empty
// rectangle (no area) is one whose right is not beyond its left or whose bottom is not below its top.
inline bool IsRectEmpty(const TRect& R) {
    return R.Right <= R.Left || R.Bottom <= R.Top;
}
inline bool PtInRect(const TRect& R, const TPoint& P) {
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
inline bool EqualRect(const TRect& A, const TRect& B) {
    return A == B;
}
inline void SetRect(TRect& R, int Left, int Top, int Right, int Bottom) {
    R = {Left, Top, Right, Bottom};
}
inline void SetRectEmpty(TRect& R) {
    R = {};
}
inline void OffsetRect(TRect& R, int DX, int DY) {
    R.Left += DX;
    R.Right += DX;
    R.Top += DY;
    R.Bottom += DY;
}
inline void InflateRect(TRect& R, int DX, int DY) {
    R.Left -= DX;
    R.Right += DX;
    R.Top -= DY;
    R.Bottom += DY;
}
// Dest becomes the overlap of A and B; an empty overlap gives the empty rectangle and false.
inline bool IntersectRect(TRect& Dest, const TRect& A, const TRect& B) {
    TRect r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
    if (IsRectEmpty(r)) r = {};
    Dest = r;
    return !IsRectEmpty(r);
}
// Dest becomes the smallest rectangle holding both; an empty one does not count.
inline bool UnionRect(TRect& Dest, const TRect& A, const TRect& B) {
    if (IsRectEmpty(A)) {
        Dest = IsRectEmpty(B) ? TRect{} : B;
    } else if (IsRectEmpty(B)) {
        Dest = A;
    } else {
        Dest = {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
                std::max(A.Bottom, B.Bottom)};
    }
    return !IsRectEmpty(Dest);
}
