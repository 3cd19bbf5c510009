#pragma once
// The messages of the data-access units: the platform's texts, kept in one place.
#include <initializer_list>

#include "vcl/System.h"

namespace DBConsts {
inline constexpr const char* SFieldNotFound = "Field '%s' not found";
inline constexpr const char* SFieldRequired = "Field '%s' must have a value";
inline constexpr const char* SFieldValueError = "Invalid value for field '%s'";
inline constexpr const char* SFieldReadOnly = "Field '%s' cannot be modified";
inline constexpr const char* SFieldAccessError = "Cannot access field '%s' as type %s";
inline constexpr const char* SFieldTypeMismatch = "Type mismatch for field '%s', expecting: %s actual: %s";
inline constexpr const char* SFieldRangeError =
    "%s is not a valid value for field '%s'. The allowed range is %s to %s";
inline constexpr const char* SInvalidIntegerValue = "'%s' is not a valid integer value for field '%s'";
inline constexpr const char* SInvalidFloatValue = "'%s' is not a valid floating point value for field '%s'";
inline constexpr const char* SInvalidBoolValue = "'%s' is not a valid boolean value for field '%s'";
inline constexpr const char* SDuplicateFieldName = "Duplicate field name '%s'";
inline constexpr const char* SFieldNameMissing = "Field name missing";
inline constexpr const char* SFieldIndexError = "Field index out of range";
inline constexpr const char* SDataSetMissing = "Field '%s' has no dataset";
inline constexpr const char* SLookupInfoError = "Lookup information for field '%s' is incomplete";
inline constexpr const char* SCircularDataLink = "Circular datalinks are not allowed";
inline constexpr const char* SNotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* SDataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* SDataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* SDataSetReadOnly = "Cannot modify a read-only dataset";
inline constexpr const char* SDataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* SRecordNotFound = "Record not found";
inline constexpr const char* SInvalidBookmark = "Invalid bookmark";
inline constexpr const char* SNotIndexField = "Field '%s' is not indexed and cannot be modified";
inline constexpr const char* SNoFieldIndexes = "No index currently active";
inline constexpr const char* SIndexNotFound = "Index '%s' not found";
inline constexpr const char* SNoIndexForFields = "No index for fields '%s'";
inline constexpr const char* SDuplicateIndexName = "Duplicate index name '%s'";
inline constexpr const char* SFilterNotSupported =
    "Filter expressions are not available: the expression engine is not installed";
inline constexpr const char* SDataSourceChange = "DataSource cannot be changed";
inline constexpr const char* SInvalidCalcType = "Field '%s' cannot be a calculated or lookup field";

// The database and table side.
inline constexpr const char* SDatabaseNameMissing = "Database name missing";
inline constexpr const char* SDuplicateDatabaseName = "Duplicate database name '%s'";
inline constexpr const char* SDatabaseClosed = "Cannot perform this operation on a closed database";
inline constexpr const char* SDatabaseOpen = "Cannot perform this operation on an open database";
inline constexpr const char* SAliasNotFound = "Alias '%s' not found";
inline constexpr const char* SUnknownDriver = "Unknown database driver '%s'";
inline constexpr const char* SDatabaseFileMissing = "Database file not given for '%s'";
inline constexpr const char* SNoTableName = "Missing TableName property";
inline constexpr const char* STableNotFound = "Table '%s' does not exist";
inline constexpr const char* SRecordChanged =
    "Couldn't perform the edit because another user changed the record";
inline constexpr const char* SRecordDeleted =
    "Couldn't perform the edit because another user deleted the record";
inline constexpr const char* SNotInTransaction = "No transaction is active";
inline constexpr const char* SInTransaction = "A transaction is already active";
inline constexpr const char* STableReadOnly = "Table '%s' has no row identity and can only be read";
inline constexpr const char* SNoRowIdentity =
    "Table '%s' has neither a row number nor a primary key and cannot be opened";
inline constexpr const char* SSampleDatabase = "The sample database could not be created in '%s': %s";

// The message with its "%s" placeholders replaced by the arguments in order.
String Fmt(const char* Message, std::initializer_list<String> Args);
} // namespace DBConsts
