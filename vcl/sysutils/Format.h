#pragma once
// Format: the platform's "%" language over a list of values of mixed types.
#include "vcl/sysutils/FormatSettings.h"

#include <cstddef>
#include <initializer_list>

// One argument of Format: a small tagged value made implicitly from the usual C++ types.
class TVarRec {
public:
    enum Kind {
        vtInteger,
        vtInt64,
        vtUInt64,
        vtBoolean,
        vtChar,
        vtExtended,
        vtString,
        vtCurrency,
        vtPointer
    };

    TVarRec(int v) : kind_(vtInteger), int_(v) {}
    TVarRec(unsigned v) : kind_(vtInt64), int_(Int64(v)) {}
    TVarRec(long v) : kind_(vtInt64), int_(Int64(v)) {}
    TVarRec(long long v) : kind_(vtInt64), int_(Int64(v)) {}
    TVarRec(unsigned long v) : kind_(vtUInt64), uint_(UInt64(v)) {}
    TVarRec(unsigned long long v) : kind_(vtUInt64), uint_(UInt64(v)) {}
    TVarRec(short v) : TVarRec(int(v)) {}
    TVarRec(unsigned short v) : TVarRec(int(v)) {}
    TVarRec(double v) : kind_(vtExtended), float_(v) {}
    TVarRec(long double v) : kind_(vtExtended), float_(v) {}
    TVarRec(bool v) : kind_(vtBoolean), int_(v) {}
    TVarRec(QChar v) : kind_(vtChar), string_(v) {}
    TVarRec(char v) : kind_(vtChar), string_(QChar::fromLatin1(v)) {}
    TVarRec(const char* v) : kind_(vtString), string_(QString::fromUtf8(v)) {}
    TVarRec(const String& v) : kind_(vtString), string_(v) {}
    TVarRec(Currency v) : kind_(vtCurrency), currency_(v) {}
    TVarRec(const void* v) : kind_(vtPointer), pointer_(v) {}
    TVarRec(std::nullptr_t) : kind_(vtPointer) {}

    Kind VType() const { return kind_; }
    bool IsInteger() const { return kind_ == vtInteger || kind_ == vtInt64 || kind_ == vtUInt64; }
    bool IsFloat() const { return kind_ == vtExtended || kind_ == vtCurrency; }
    bool IsText() const { return kind_ == vtString || kind_ == vtChar; }
    Int64 AsInt64() const { return kind_ == vtUInt64 ? Int64(uint_) : int_; }
    UInt64 AsUInt64() const;
    Extended AsExtended() const { return kind_ == vtCurrency ? currency_.ToExtended() : float_; }
    Currency AsCurrency() const { return currency_; }
    const String& AsString() const { return string_; }
    const void* AsPointer() const { return pointer_; }

private:
    Kind kind_;
    Int64 int_ = 0;
    UInt64 uint_ = 0;
    Extended float_ = 0;
    String string_;
    Currency currency_;
    const void* pointer_ = nullptr;
};

// "%" [index ":"] ["-"] [width] ["." precision] type, where index, width and precision may be "*"
// (taken from the arguments) and type is one of d u e f g n m p s x; "%%" is a percent sign.
// Raises EConvertError "Format '...' invalid or incompatible with argument" and "No argument for
// format '...'".
String Format(const String& format, std::initializer_list<TVarRec> args);
String Format(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& fs);
