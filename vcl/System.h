#pragma once
// The platform's basic types: the root object, the exception hierarchy, Currency and TDateTime.
#include <QString>
#include <cstdint>
#include <exception>
#include <string>

using String = QString;
using Char = QChar;
using Integer = int;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using ShortInt = std::int8_t;
using SmallInt = std::int16_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Double = double;
using Single = float;
using Extended = long double;
using Pointer = void*;
using NativeInt = std::intptr_t;

// The root of every class of the framework that is not a QObject, and a base of those that are.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = default;
    TObject& operator=(const TObject&) = default;
    virtual ~TObject();

    // The class name as the program declared it ("TStringList").
    virtual String ClassName() const;
    // Called by Free before the destructors run, while the whole object is still intact.
    virtual void BeforeDestruction() {}
    // Destroys an object made with new; a null object is no error.
    void Free();
};

// Frees the object and clears the pointer.
template <class T> void FreeAndNil(T*& object) {
    T* p = object;
    object = nullptr;
    if (p) p->Free();
}

// The root of every error the framework and the library raise; thrown by value, caught by reference.
class Exception : public std::exception, public TObject {
public:
    explicit Exception(const String& message = String(), int helpContext = 0);
    const String& Message() const { return message_; }
    void SetMessage(const String& message);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    String message_;
    std::string utf8_;
    int helpContext_ = 0;
};

// Declares an exception class that adds nothing but its place in the hierarchy.
#define MOX_DECLARE_EXCEPTION(Name, Base)                                                                   \
    class Name : public Base {                                                                              \
    public:                                                                                                 \
        using Base::Base;                                                                                   \
        String ClassName() const override { return QStringLiteral(#Name); }                               \
    }

// The silent exception: it ends an operation without a message.
MOX_DECLARE_EXCEPTION(EAbort, Exception);
MOX_DECLARE_EXCEPTION(EHeapException, Exception);
MOX_DECLARE_EXCEPTION(EOutOfMemory, EHeapException);
MOX_DECLARE_EXCEPTION(EInOutError, Exception);
MOX_DECLARE_EXCEPTION(EExternal, Exception);
MOX_DECLARE_EXCEPTION(EIntError, EExternal);
MOX_DECLARE_EXCEPTION(EDivByZero, EIntError);
MOX_DECLARE_EXCEPTION(ERangeError, EIntError);
MOX_DECLARE_EXCEPTION(EIntOverflow, EIntError);
MOX_DECLARE_EXCEPTION(EMathError, EExternal);
MOX_DECLARE_EXCEPTION(EInvalidOp, EMathError);
MOX_DECLARE_EXCEPTION(EZeroDivide, EMathError);
MOX_DECLARE_EXCEPTION(EOverflow, EMathError);
MOX_DECLARE_EXCEPTION(EUnderflow, EMathError);
MOX_DECLARE_EXCEPTION(EInvalidPointer, EHeapException);
MOX_DECLARE_EXCEPTION(EInvalidCast, Exception);
MOX_DECLARE_EXCEPTION(EConvertError, Exception);
MOX_DECLARE_EXCEPTION(EAccessViolation, EExternal);
MOX_DECLARE_EXCEPTION(EAssertionFailed, Exception);
MOX_DECLARE_EXCEPTION(EVariantError, Exception);
MOX_DECLARE_EXCEPTION(EPropertyError, Exception);
MOX_DECLARE_EXCEPTION(EPropertyConvertError, Exception);
MOX_DECLARE_EXCEPTION(EIntfCastError, Exception);
MOX_DECLARE_EXCEPTION(EOSError, Exception);
MOX_DECLARE_EXCEPTION(ENotSupportedException, Exception);
MOX_DECLARE_EXCEPTION(EAbstractError, Exception);

// Raises EAbort: ends the current operation without a message.
[[noreturn]] void Abort();

// A fixed-point amount: a signed 64-bit count of ten-thousandths.
class Currency {
public:
    static constexpr Int64 Scale = 10000;

    constexpr Currency() = default;
    Currency(int value) : value_(Int64(value) * Scale) {}
    Currency(Int64 value) = delete; // ambiguous: whole units or the raw count? use FromUnits/FromRaw
    Currency(double value);
    Currency(long double value);

    static constexpr Currency FromRaw(Int64 tenThousandths) {
        Currency c;
        c.value_ = tenThousandths;
        return c;
    }
    static Currency FromUnits(Int64 units);
    constexpr Int64 Raw() const { return value_; }
    double ToDouble() const { return double(value_) / Scale; }
    long double ToExtended() const { return (long double)value_ / Scale; }
    explicit operator double() const { return ToDouble(); }

    // Arithmetic raises EOverflow when the result leaves the 64-bit range.
    Currency operator-() const;
    Currency& operator+=(const Currency& other);
    Currency& operator-=(const Currency& other);
    Currency& operator*=(const Currency& other);
    Currency& operator/=(const Currency& other);
    friend Currency operator+(Currency a, const Currency& b) { return a += b; }
    friend Currency operator-(Currency a, const Currency& b) { return a -= b; }
    friend Currency operator*(Currency a, const Currency& b) { return a *= b; }
    friend Currency operator/(Currency a, const Currency& b) { return a /= b; }
    friend constexpr auto operator<=>(const Currency&, const Currency&) = default;

private:
    Int64 value_ = 0;
};

// The platform's date-time number: whole days since 30 December 1899, the time of day as the fraction.
struct TDateTime {
    double Val = 0;
    constexpr TDateTime() = default;
    constexpr TDateTime(double value) : Val(value) {}
    constexpr operator double() const { return Val; }
};

// Days between 1 January 0001 and 30 December 1899: the offset of the date-time number.
inline constexpr int DateDelta = 693594;
inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = 24 * 60;
inline constexpr int SecsPerDay = MinsPerDay * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;
