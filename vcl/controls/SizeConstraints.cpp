#include "vcl/controls/SizeConstraints.h"

#include <algorithm>

#include "vcl/controls/Control.h"

TSizeConstraints::TSizeConstraints(TControl* Control) : control_(Control) {}

TPersistent* TSizeConstraints::GetOwner() const { return control_; }

void TSizeConstraints::Assign(TPersistent* Source) {
    if (auto* other = qobject_cast<TSizeConstraints*>(Source)) {
        maxHeight_ = other->maxHeight_;
        maxWidth_ = other->maxWidth_;
        minHeight_ = other->minHeight_;
        minWidth_ = other->minWidth_;
        Change();
        return;
    }
    TPersistent::Assign(Source);
}

namespace {
// Stores a maximum; a positive one below the minimum lowers the minimum.
bool SetMax(int& max, int& min, int value) {
    value = std::max(0, value);
    if (value == max) return false;
    max = value;
    if (max > 0 && max < min) min = max;
    return true;
}
// Stores a minimum; one above a positive maximum raises the maximum.
bool SetMin(int& min, int& max, int value) {
    value = std::max(0, value);
    if (value == min) return false;
    min = value;
    if (max > 0 && min > max) max = min;
    return true;
}
int Constrain(int value, int min, int max) {
    if (max > 0) value = std::min(value, max);
    return std::max(value, min);
}
} // namespace

void TSizeConstraints::SetMaxHeight(int Value) {
    if (SetMax(maxHeight_, minHeight_, Value)) Change();
}
void TSizeConstraints::SetMaxWidth(int Value) {
    if (SetMax(maxWidth_, minWidth_, Value)) Change();
}
void TSizeConstraints::SetMinHeight(int Value) {
    if (SetMin(minHeight_, maxHeight_, Value)) Change();
}
void TSizeConstraints::SetMinWidth(int Value) {
    if (SetMin(minWidth_, maxWidth_, Value)) Change();
}

int TSizeConstraints::ConstrainWidth(int Width) const { return Constrain(Width, minWidth_, maxWidth_); }
int TSizeConstraints::ConstrainHeight(int Height) const { return Constrain(Height, minHeight_, maxHeight_); }

void TSizeConstraints::Change() {
    if (OnChange) OnChange(this);
}
