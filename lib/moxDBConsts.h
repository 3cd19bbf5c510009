#pragma once
// The messages of the library's data units, kept in one place.
#include "vcl/System.h"

namespace moxDBConsts {
// Decimal arithmetic (EBcdOverflow).
inline const String SBcdOverflow = QStringLiteral("Floating point overflow");
inline const String SBcdUnderflow = QStringLiteral("Floating point underflow");
inline const String SBcdZeroDivide = QStringLiteral("Floating point division by zero");

// The expression evaluator (ENotSupported).
inline const String SCapabilityNotSupported = QStringLiteral("Capability not supported");

// Raised (EOverflow) when the concatenations of one evaluation would produce more characters.
inline const String SExprTextTooLong = QStringLiteral("Expression text results exceed %d characters");

// A time-stamp constant outside the calendar (EConvertError); %s is its number of milliseconds.
inline const String SInvalidTimeStamp = QStringLiteral("'%s' is not a valid timestamp");

// Expression buffers that do not hold a well-formed expression (EExprDataError); %d are byte counts
// or offsets.
inline const String SExprDataTooShort = QStringLiteral("Invalid expression buffer: %d bytes is too short");
inline const String SExprDataBadHeader =
    QStringLiteral("Invalid expression buffer: total size %d, literal area at %d, %d bytes given");
inline const String SExprDataBadNode =
    QStringLiteral("Invalid expression buffer: no node fits at node offset %d");
inline const String SExprDataNodeReused =
    QStringLiteral("Invalid expression buffer: the node at node offset %d is used more than once");
inline const String SExprDataBadLiteral =
    QStringLiteral("Invalid expression buffer: no literal of %d bytes fits at literal offset %d");
inline const String SExprDataUnterminated =
    QStringLiteral("Invalid expression buffer: the text at literal offset %d has no terminating zero");
inline const String SExprDataTooDeep =
    QStringLiteral("Invalid expression buffer: operands nested more than %d levels deep");
// Writing a buffer beyond the 16-bit offsets and sizes of the format.
inline const String SExprDataTooLarge =
    QStringLiteral("Expression too large: the buffer would exceed %d bytes");
inline const String SExprDataBadOperand =
    QStringLiteral("Invalid expression buffer operand: node offset %d has no operand %d");

// The expression parser (EDatabaseError).
inline const String SExprBadField = QStringLiteral("Field '%s' cannot be used in a filter expression");
inline const String SExprBadNullTest = QStringLiteral("NULL only allowed with '=' and '<>'");
inline const String SExprRangeError = QStringLiteral("Constant out of range");
inline const String SExprTypeMis = QStringLiteral("Type mismatch in expression");
inline const String SExprNoArith = QStringLiteral("Arithmetic in filter expressions not supported");
inline const String SExprBadScope =
    QStringLiteral("Operation cannot mix aggregate value with record-varying value");
inline const String SExprBadConst = QStringLiteral("Constant is not correct type %s");
inline const String SExprEmptyInList = QStringLiteral("IN predicate list may not be empty");
inline const String SExprTermination = QStringLiteral("Filter expression incorrectly terminated");
inline const String SExprNameError = QStringLiteral("Unterminated field name");
inline const String SExprStringError = QStringLiteral("Unterminated string constant");
inline const String SExprInvalidChar = QStringLiteral("Invalid filter expression character: '%s'");
inline const String SExprNoLParen = QStringLiteral("'(' expected but %s found");
inline const String SExprNoRParen = QStringLiteral("')' expected but %s found");
inline const String SExprNoRParenOrComma = QStringLiteral("')' or ',' expected but %s found");
inline const String SExprExpected = QStringLiteral("Expression expected but %s found");
inline const String SExprBadKeyword = QStringLiteral("Invalid use of keyword");
inline const String SExprFieldNotFound = QStringLiteral("Field '%s' not found");
inline const String SExprNothing = QStringLiteral("nothing");
// The words an expression uses for the Boolean constants.
inline const String STextTrue = QStringLiteral("True");
inline const String STextFalse = QStringLiteral("False");
// Parentheses, calls and lists nested deeper than the parser follows.
inline const String SExprTooDeep = QStringLiteral("Expression nested more than %d levels deep");

// Aggregates walk the records, which only a browsing data set can do without losing its edit.
inline const String SExprAggregateState =
    QStringLiteral("Aggregate expressions cannot be evaluated while the dataset is editing or calculating");
} // namespace moxDBConsts
using namespace moxDBConsts;
