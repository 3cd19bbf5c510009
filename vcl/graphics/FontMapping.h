#pragma once
// How the fonts that programs name map onto the fonts installed here: a family that is installed is
// used as it is; any other ("MS Sans Serif", "Courier New") becomes the nearest installed face of
// its kind (sans-serif, serif or fixed pitch) at the same pixel size.
#include "vcl/graphics/GraphicsTypes.h"

// The installed family that stands for Name; fpFixed asks for a fixed-pitch face.
String ResolveFontFamily(const String& Name, TFontPitch Pitch = fpDefault);
// Whether the family draws at any size and angle (the platform's TrueType fonts): only such fonts
// are drawn rotated.
bool IsScalableFontFamily(const String& Family);
// The screen's pixels per inch: 96 unless the screen says otherwise.
int ScreenPixelsPerInch();
// Value * Numerator / Denominator, rounded to the nearest with halves away from zero, as the
// platform's MulDiv (which gives -1 for a zero denominator).
int MulDiv(int Value, int Numerator, int Denominator);
