#pragma once
// The data-access unit's enumerations and sets: field types and kinds, data-set states, data events,
// locate, filter and index options.
#include <QByteArray>
#include <QFlags>
#include <QObject>

#include "vcl/System.h"

namespace DB {
Q_NAMESPACE

// The type of a field's value, in the platform's order.
enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftGraphic,
    ftFmtMemo,
    ftParadoxOle,
    ftDBaseOle,
    ftTypedBinary,
    ftCursor,
    ftFixedChar,
    ftWideString,
    ftLargeint,
    ftADT,
    ftArray,
    ftReference,
    ftDataSet,
    ftOraBlob,
    ftOraClob,
    ftVariant,
    ftInterface,
    ftIDispatch,
    ftGuid,
    ftTimeStamp,
    ftFMTBcd,
    ftFixedWideChar,
    ftWideMemo,
};
Q_ENUM_NS(TFieldType)
inline constexpr int FieldTypeCount = int(ftWideMemo) + 1;

// Where a field's value comes from: the record, an OnCalcFields handler, another data set, or a
// calculation that the data set keeps with the record.
enum TFieldKind {
    fkData,
    fkCalculated,
    fkLookup,
    fkInternalCalc,
    fkAggregate
};
Q_ENUM_NS(TFieldKind)

enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsOldValue,
    dsCurValue,
    dsBlockRead,
    dsInternalCalc,
    dsOpening
};
Q_ENUM_NS(TDataSetState)

// What a data set tells its data sources and their links.
enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    dePropertyChange,
    deFieldListChange,
    deFocusControl,
    deParentScroll,
    deConnectChange,
    deReconcileError,
    deDisabledStateChange
};
Q_ENUM_NS(TDataEvent)

enum TLocateOption {
    loCaseInsensitive = 1 << 0,
    loPartialKey = 1 << 1
};
Q_DECLARE_FLAGS(TLocateOptions, TLocateOption)
Q_FLAG_NS(TLocateOptions)

enum TFilterOption {
    foCaseInsensitive = 1 << 0,
    foNoPartialCompare = 1 << 1
};
Q_DECLARE_FLAGS(TFilterOptions, TFilterOption)
Q_FLAG_NS(TFilterOptions)

enum TFieldAttribute {
    faHiddenCol = 1 << 0,
    faReadonly = 1 << 1,
    faRequired = 1 << 2,
    faLink = 1 << 3,
    faUnNamed = 1 << 4,
    faFixed = 1 << 5
};
Q_DECLARE_FLAGS(TFieldAttributes, TFieldAttribute)
Q_FLAG_NS(TFieldAttributes)

enum TIndexOption {
    ixPrimary = 1 << 0,
    ixUnique = 1 << 1,
    ixDescending = 1 << 2,
    ixCaseInsensitive = 1 << 3,
    ixExpression = 1 << 4,
    ixNonMaintained = 1 << 5
};
Q_DECLARE_FLAGS(TIndexOptions, TIndexOption)
Q_FLAG_NS(TIndexOptions)

// What an error handler of a data set decides: raise the error, end silently, or try again.
enum TDataAction {
    daFail,
    daAbort,
    daRetry
};
Q_ENUM_NS(TDataAction)

// How a descendant fetches a record, and what it found.
enum TGetMode {
    gmCurrent,
    gmNext,
    gmPrior
};
enum TGetResult {
    grOK,
    grBOF,
    grEOF,
    grError
};
// Where a record buffer stands: on a record, on an inserted one, or at either end.
enum TBookmarkFlag {
    bfCurrent,
    bfBOF,
    bfEOF,
    bfInserted
};

enum TResyncModeFlag {
    rmExact = 1 << 0,
    rmCenter = 1 << 1
};
Q_DECLARE_FLAGS(TResyncMode, TResyncModeFlag)

} // namespace DB
Q_DECLARE_OPERATORS_FOR_FLAGS(DB::TLocateOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(DB::TFilterOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(DB::TFieldAttributes)
Q_DECLARE_OPERATORS_FOR_FLAGS(DB::TIndexOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(DB::TResyncMode)
using namespace DB;

// A record's identity within its data set: opaque bytes that stay valid while the record exists.
using TBookmark = QByteArray;
// The bookmark kept as a string (each byte one character).
using TBookmarkStr = String;

// The states in which fields take new values.
inline bool IsEditMode(TDataSetState State) {
    return State == dsEdit || State == dsInsert || State == dsSetKey;
}

// The platform's names of the field types ("String", "Integer", ...), as messages show them.
String FieldTypeName(TFieldType Type);
