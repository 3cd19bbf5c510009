#pragma once
// What the graphics tests share: a palette whose roles all differ, and pixel queries on bitmaps.
#include <QApplication>
#include <QPalette>
#include <functional>
#include <gtest/gtest.h>

#include "vcl/Graphics.h"

namespace mox::test {

// Puts a palette in place in which every role the system colours use has a colour of its own, so
// that a test can tell which role a drawing took its colour from; the application's palette returns
// afterwards.
class DistinctPalette : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = QApplication::palette();
        QPalette palette;
        const std::pair<QPalette::ColorRole, QColor> roles[] = {
            {QPalette::Window, QColor(0xD0, 0xD1, 0xD2)},
            {QPalette::WindowText, QColor(0x01, 0x02, 0x03)},
            {QPalette::Base, QColor(0xF1, 0xF2, 0xF3)},
            {QPalette::Text, QColor(0x11, 0x12, 0x13)},
            {QPalette::Button, QColor(0xC4, 0xC5, 0xC6)},
            {QPalette::ButtonText, QColor(0x21, 0x22, 0x23)},
            {QPalette::Light, QColor(0xFA, 0xFB, 0xFC)},
            {QPalette::Midlight, QColor(0xE0, 0xE1, 0xE2)},
            {QPalette::Dark, QColor(0x80, 0x81, 0x82)},
            {QPalette::Mid, QColor(0xA0, 0xA1, 0xA2)},
            {QPalette::Shadow, QColor(0x30, 0x31, 0x32)},
            {QPalette::Highlight, QColor(0x10, 0x40, 0xC0)},
            {QPalette::HighlightedText, QColor(0xFE, 0xFD, 0xFC)},
            {QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1)},
            {QPalette::ToolTipText, QColor(0x05, 0x06, 0x07)},
        };
        for (const auto& [role, color] : roles)
            palette.setColor(role, color);
        QApplication::setPalette(palette);
    }
    void TearDown() override { QApplication::setPalette(saved_); }

private:
    QPalette saved_;
};

inline TColor PixelOf(TBitmap& bitmap, int x, int y) {
    return bitmap.Canvas()->Pixels(x, y);
}

// The number of pixels of the rectangle for which the test holds.
inline int CountPixels(TBitmap& bitmap, const TRect& rect, const std::function<bool(TColor)>& test) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            if (test(bitmap.Canvas()->Pixels(x, y))) ++count;
    return count;
}

// The smallest rectangle holding every pixel that is not the background; empty when there is none.
inline TRect InkBounds(TBitmap& bitmap, TColor background) {
    TRect bounds{bitmap.Width(), bitmap.Height(), 0, 0};
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Canvas()->Pixels(x, y) != background) {
                bounds.Left = std::min(bounds.Left, x);
                bounds.Top = std::min(bounds.Top, y);
                bounds.Right = std::max(bounds.Right, x + 1);
                bounds.Bottom = std::max(bounds.Bottom, y + 1);
            }
    return IsRectEmpty(bounds) ? TRect{} : bounds;
}

// A bitmap of the size filled with one colour.
inline std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>(width, height);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

} // namespace mox::test
