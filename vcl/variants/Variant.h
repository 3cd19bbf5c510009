#pragma once
// Variant: a value of one of the platform's variant types, with its conversion, arithmetic and
// comparison rules.
#include "vcl/System.h"

#include <QMetaType>
#include <QVariant>
#include <initializer_list>
#include <memory>

// Raised when a value cannot become the type asked for ("Invalid variant type conversion").
MOX_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);
// Raised for an operation the operands do not support ("Invalid variant operation").
MOX_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError);
MOX_DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError);
MOX_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError);
MOX_DECLARE_EXCEPTION(EVariantNotAnArrayError, EVariantError);
MOX_DECLARE_EXCEPTION(EVariantArrayCreateError, EVariantError);

// The platform's type codes.
using TVarType = Word;
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varShortInt = 0x0010;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varWord = 0x0012;
inline constexpr TVarType varLongWord = 0x0013;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varUInt64 = 0x0015;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varUString = 0x0102;
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;

enum TVariantRelationship {
    vrEqual,
    vrLessThan,
    vrGreaterThan,
    vrNotEqual
};

class Variant;
// The operations behind Variant's operators.
namespace VariantOps {
// Arithmetic: Null in, Null out; string + string concatenates, other strings are read as numbers;
// integers widen on overflow; Divide divides as real numbers; arrays raise EVariantInvalidOpError.
Variant Add(const Variant& a, const Variant& b);
Variant Subtract(const Variant& a, const Variant& b);
Variant Multiply(const Variant& a, const Variant& b);
Variant Divide(const Variant& a, const Variant& b);
// The platform's mod; a zero divisor raises EDivByZero.
Variant Modulus(const Variant& a, const Variant& b);
Variant Negate(const Variant& a);
// Logical for two Booleans, bitwise for integers.
Variant And(const Variant& a, const Variant& b);
Variant Or(const Variant& a, const Variant& b);
Variant Xor(const Variant& a, const Variant& b);
Variant Not(const Variant& a);
// Null equals only Null and is neither less nor greater than anything.
bool Equal(const Variant& a, const Variant& b);
bool Less(const Variant& a, const Variant& b);
bool LessOrEqual(const Variant& a, const Variant& b);
} // namespace VariantOps

class Variant {
public:
    Variant() = default;
    Variant(int v) : type_(varInteger) { i_ = v; }
    Variant(long v) : type_(varInt64) { i_ = v; }
    Variant(long long v) : type_(varInt64) { i_ = v; }
    Variant(unsigned v) : type_(varLongWord) { u_ = v; }
    Variant(unsigned long v) : type_(varUInt64) { u_ = v; }
    Variant(unsigned long long v) : type_(varUInt64) { u_ = v; }
    Variant(short v) : type_(varSmallint) { i_ = v; }
    Variant(unsigned short v) : type_(varWord) { i_ = v; }
    Variant(signed char v) : type_(varShortInt) { i_ = v; }
    Variant(unsigned char v) : type_(varByte) { i_ = v; }
    Variant(float v) : type_(varSingle) { d_ = v; }
    Variant(double v) : type_(varDouble) { d_ = v; }
    Variant(long double v) : type_(varDouble) { d_ = double(v); }
    Variant(bool v) : type_(varBoolean) { i_ = v; }
    Variant(Currency v) : type_(varCurrency) { i_ = v.Raw(); }
    Variant(TDateTime v) : type_(varDate) { d_ = v.Val; }
    Variant(const String& v) : type_(varString), s_(v) {}
    Variant(const char* v) : type_(varString), s_(QString::fromUtf8(v)) {}
    Variant(QChar v) : type_(varString), s_(v) {}
    Variant(char v) : type_(varString), s_(QChar::fromLatin1(v)) {}
    // A pointer would otherwise become a Boolean.
    Variant(const void*) = delete;

    static Variant MakeNull();

    TVarType VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }
    bool IsArray() const { return (type_ & varArray) != 0; }
    void Clear() { *this = Variant(); }

    // Conversions by the platform's rules: Empty gives 0, "", false; Null and text that is no
    // value raise EVariantTypeCastError; true is -1; numbers that do not fit raise
    // EVariantOverflowError; fractions round half to even.
    int ToInt() const;
    Int64 ToInt64() const;
    UInt64 ToUInt64() const;
    double ToDouble() const;
    Currency ToCurrency() const;
    TDateTime ToDateTime() const;
    bool ToBool() const;
    String ToString() const;

    // Elements of an array: one index per dimension, each within its bounds
    // (EVariantBadIndexError otherwise). Storing converts to the element type of a typed array.
    Variant GetElement(std::initializer_list<int> indices) const;
    void PutElement(std::initializer_list<int> indices, const Variant& value);
    Variant operator[](int index) const { return GetElement({index}); }

    // Qt's value: Empty is an invalid QVariant, Null a null pointer, a date a local QDateTime,
    // Currency a double, an array a QVariantList (of lists for two dimensions).
    QVariant ToQVariant() const;
    // The reverse; a QVariant that holds a Variant gives it back. Other types that convert to
    // text become strings; anything else raises EVariantTypeCastError.
    static Variant FromQVariant(const QVariant& value);

    // The operators take part only where a Variant does (hidden friends), so that other types never
    // meet each other through a conversion to Variant. "%" is the platform's mod.
    friend Variant operator+(const Variant& a, const Variant& b) { return VariantOps::Add(a, b); }
    friend Variant operator-(const Variant& a, const Variant& b) { return VariantOps::Subtract(a, b); }
    friend Variant operator*(const Variant& a, const Variant& b) { return VariantOps::Multiply(a, b); }
    friend Variant operator/(const Variant& a, const Variant& b) { return VariantOps::Divide(a, b); }
    friend Variant operator%(const Variant& a, const Variant& b) { return VariantOps::Modulus(a, b); }
    friend Variant operator-(const Variant& a) { return VariantOps::Negate(a); }
    friend Variant operator&(const Variant& a, const Variant& b) { return VariantOps::And(a, b); }
    friend Variant operator|(const Variant& a, const Variant& b) { return VariantOps::Or(a, b); }
    friend Variant operator^(const Variant& a, const Variant& b) { return VariantOps::Xor(a, b); }
    friend Variant operator!(const Variant& a) { return VariantOps::Not(a); }
    friend Variant& operator+=(Variant& a, const Variant& b) { return a = VariantOps::Add(a, b); }
    friend Variant& operator-=(Variant& a, const Variant& b) { return a = VariantOps::Subtract(a, b); }
    friend bool operator==(const Variant& a, const Variant& b) { return VariantOps::Equal(a, b); }
    friend bool operator!=(const Variant& a, const Variant& b) { return !VariantOps::Equal(a, b); }
    friend bool operator<(const Variant& a, const Variant& b) { return VariantOps::Less(a, b); }
    friend bool operator>(const Variant& a, const Variant& b) { return VariantOps::Less(b, a); }
    friend bool operator<=(const Variant& a, const Variant& b) { return VariantOps::LessOrEqual(a, b); }
    friend bool operator>=(const Variant& a, const Variant& b) { return VariantOps::LessOrEqual(b, a); }

    // The elements of an array; its layout is the unit's own business.
    struct ArrayData;

private:
    friend struct VariantAccess;

    TVarType type_ = varEmpty;
    union {
        Int64 i_ = 0; // signed integers, Boolean, Currency's raw count
        UInt64 u_;    // LongWord, UInt64
        double d_;    // Single, Double, Date
    };
    String s_;
    std::shared_ptr<ArrayData> array_; // shared until written: arrays are values
};
Q_DECLARE_METATYPE(Variant)

Variant Null();
Variant Unassigned();

TVarType VarType(const Variant& v);
bool VarIsNull(const Variant& v);
bool VarIsEmpty(const Variant& v);
bool VarIsClear(const Variant& v);
bool VarIsArray(const Variant& v);
// Integers, Boolean, Single, Double and Currency.
bool VarIsNumeric(const Variant& v);
bool VarIsStr(const Variant& v);
bool VarIsType(const Variant& v, TVarType type);
bool VarIsType(const Variant& v, std::initializer_list<TVarType> types);

// Null gives "".
String VarToStr(const Variant& v);
// Null gives the default.
String VarToStrDef(const Variant& v, const String& defaultValue);
TDateTime VarToDateTime(const Variant& v);
Variant VarFromDateTime(TDateTime value);
Variant VarAsType(const Variant& v, TVarType type);

// Both Empty, both Null, or neither and equal by the comparison rules.
bool VarSameValue(const Variant& a, const Variant& b);
// Null equals only Null (vrNotEqual against anything else); a string against a number is read as
// a number; arrays raise EVariantInvalidOpError.
TVariantRelationship VarCompareValue(const Variant& a, const Variant& b);

// Arrays. Bounds come in pairs, low and high, one pair per dimension (one or two dimensions).
Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType);
Variant VarArrayOf(std::initializer_list<Variant> values);
int VarArrayDimCount(const Variant& a);
int VarArrayLowBound(const Variant& a, int dim);
int VarArrayHighBound(const Variant& a, int dim);
// Moves the high bound of the last dimension, keeping the elements that remain.
void VarArrayRedim(Variant& a, int highBound);
Variant VarArrayGet(const Variant& a, std::initializer_list<int> indices);
void VarArrayPut(Variant& a, const Variant& value, std::initializer_list<int> indices);

// Integer division (the platform's div); Null in, Null out; a zero divisor raises EDivByZero.
Variant IntDiv(const Variant& a, const Variant& b);
