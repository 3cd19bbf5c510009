#pragma once
// The horizontal alignment of a text within its space, shared by fields and controls.
#include <QObject>

namespace AlignmentTypes {
Q_NAMESPACE
enum TAlignment {
    taLeftJustify,
    taRightJustify,
    taCenter
};
Q_ENUM_NS(TAlignment)
} // namespace AlignmentTypes
using namespace AlignmentTypes;
