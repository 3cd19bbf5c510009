#pragma once
// The classes of field types that the expression parser's rules speak of.
#include "vcl/db/Types.h"

namespace ExprFieldTypes {

inline bool IsString(TFieldType T) {
    return T == ftString || T == ftFixedChar || T == ftWideString || T == ftGuid || T == ftFixedWideChar;
}
inline bool IsNumeric(TFieldType T) {
    return T == ftSmallint || T == ftInteger || T == ftWord || T == ftFloat || T == ftCurrency || T == ftBCD ||
           T == ftAutoInc || T == ftLargeint;
}
inline bool IsTemporal(TFieldType T) {
    return T == ftDate || T == ftTime || T == ftDateTime;
}
inline bool IsBlob(TFieldType T) {
    switch (T) {
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
    case ftOraClob:
    case ftWideMemo:
        return true;
    default:
        return false;
    }
}

} // namespace ExprFieldTypes
