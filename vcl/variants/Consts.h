#pragma once
// The messages of the variant unit: the platform's texts, kept in one place.

namespace VariantConsts {
inline constexpr const char* SInvalidVarCast = "Invalid variant type conversion";
inline constexpr const char* SInvalidVarOp = "Invalid variant operation";
inline constexpr const char* SVarBadIndex = "Variant or safe array index out of bounds";
inline constexpr const char* SVarOverflow = "Variant overflow";
inline constexpr const char* SVarNotArray = "Variant is not an array";
inline constexpr const char* SVarArrayCreate = "Error creating variant or safe array";
inline constexpr const char* SDivByZero = "Division by zero";
inline constexpr const char* SZeroDivide = "Floating point division by zero";
inline constexpr const char* SInvalidOp = "Invalid floating point operation";
} // namespace VariantConsts
