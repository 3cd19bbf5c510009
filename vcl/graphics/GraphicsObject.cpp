#include "vcl/graphics/GraphicsObject.h"

TGraphicsObject::TGraphicsObject() = default;
TGraphicsObject::~TGraphicsObject() = default;

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}
