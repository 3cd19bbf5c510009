#pragma once
// The run-time unit's enumerations and sets.
#include <QFlags>
#include <QObject>

namespace SysUtils {
Q_NAMESPACE

// How FloatToStrF and CurrToStrF lay out a number.
enum TFloatFormat {
    ffGeneral,
    ffExponent,
    ffFixed,
    ffNumber,
    ffCurrency
};
Q_ENUM_NS(TFloatFormat)

enum TReplaceFlag {
    rfReplaceAll = 1 << 0,
    rfIgnoreCase = 1 << 1,
};
Q_DECLARE_FLAGS(TReplaceFlags, TReplaceFlag)
Q_FLAG_NS(TReplaceFlags)

enum TTextLineBreakStyle {
    tlbsLF,
    tlbsCRLF
};
Q_ENUM_NS(TTextLineBreakStyle)

} // namespace SysUtils
Q_DECLARE_OPERATORS_FOR_FLAGS(SysUtils::TReplaceFlags)
using namespace SysUtils;
