#pragma once
// The inside of a Variant for the unit's own files (not part of the public surface).
#include "vcl/variants/Consts.h"
#include "vcl/variants/Variant.h"

#include <vector>

struct Variant::ArrayData {
    TVarType elementType = varVariant;
    int dims = 1;
    int low[2] = {0, 0};
    int count[2] = {0, 1};
    std::vector<Variant> items; // the last index varies fastest
};

struct VariantAccess {
    static Int64 I(const Variant& v) { return v.i_; }
    static UInt64 U(const Variant& v) { return v.u_; }
    static double D(const Variant& v) { return v.d_; }
    static const String& S(const Variant& v) { return v.s_; }
    static const std::shared_ptr<Variant::ArrayData>& A(const Variant& v) { return v.array_; }
    // The array, made the variant's own before it is written.
    static Variant::ArrayData& Writable(Variant& v);

    static Variant Make(TVarType type, Int64 i) {
        Variant v;
        v.type_ = type;
        v.i_ = i;
        return v;
    }
    static Variant MakeUnsigned(TVarType type, UInt64 u) {
        Variant v;
        v.type_ = type;
        v.u_ = u;
        return v;
    }
    static Variant MakeDouble(TVarType type, double d) {
        Variant v;
        v.type_ = type;
        v.d_ = d;
        return v;
    }
    static Variant MakeString(TVarType type, const String& s) {
        Variant v;
        v.type_ = type;
        v.s_ = s;
        return v;
    }
    static Variant MakeArray(std::shared_ptr<Variant::ArrayData> data) {
        Variant v;
        v.type_ = varArray | data->elementType;
        v.array_ = std::move(data);
        return v;
    }
};

namespace VariantRules {
[[noreturn]] void CastError();
[[noreturn]] void InvalidOp();
[[noreturn]] void Overflow();
[[noreturn]] void BadIndex();

// The kind of value behind the type codes.
enum class Kind {
    Empty,
    Null,
    Boolean,
    Signed,
    Unsigned,
    Float,
    Currency,
    Date,
    String,
    Array
};
Kind KindOf(const Variant& v);
bool IsStringType(TVarType t);
} // namespace VariantRules
