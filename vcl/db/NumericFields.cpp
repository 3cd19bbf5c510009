#include "vcl/db/NumericFields.h"

#include <cmath>
#include <limits>

#include "vcl/SysUtils.h"
#include "vcl/db/Consts.h"

using namespace DBConsts;

namespace {
bool IsValue(const Variant& v) {
    return !v.IsNull() && !v.IsEmpty();
}

// Rounds half to even, as the platform's Round does.
double RoundEven(double value) {
    return std::nearbyint(value);
}

bool ToInt64(const Variant& v, Int64& out) {
    try {
        if (VarIsStr(v)) return TryStrToInt64(Trim(v.ToString()), out);
        if (v.VarType() == varDouble || v.VarType() == varSingle || v.VarType() == varDate) {
            const double d = RoundEven(v.ToDouble());
            if (!std::isfinite(d) || d < -9.2233720368547758e18 || d >= 9.2233720368547758e18) return false;
            out = Int64(d);
            return true;
        }
        out = v.ToInt64();
        return true;
    } catch (const EVariantError&) {
        return false;
    }
}

bool ToDouble(const Variant& v, double& out) {
    try {
        if (VarIsStr(v)) return TryStrToFloat(Trim(v.ToString()), out);
        out = v.ToDouble();
        return std::isfinite(out);
    } catch (const EVariantError&) {
        return false;
    }
}

bool ToCurrency(const Variant& v, Currency& out) {
    try {
        if (VarIsStr(v)) return TryStrToCurr(Trim(v.ToString()), out);
        out = v.ToCurrency();
        return true;
    } catch (const EVariantError&) {
        return false;
    } catch (const EMathError&) {
        return false;
    }
}
} // namespace

// TNumericField

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) {
    SetAlignment(taRightJustify);
}

void TNumericField::SetDisplayFormat(const String& Value) {
    displayFormat_ = Value;
    PropertyChanged(false);
}

void TNumericField::SetEditFormat(const String& Value) {
    editFormat_ = Value;
    PropertyChanged(false);
}

bool TNumericField::IsValidChar(QChar InputChar) const {
    return (InputChar >= u'0' && InputChar <= u'9') || InputChar == u'+' || InputChar == u'-';
}

String TNumericField::PictureFor(bool DisplayText) const {
    return DisplayText || editFormat_.isEmpty() ? displayFormat_ : editFormat_;
}

// TIntegerField

TIntegerField::TIntegerField(TComponent* AOwner)
    : TIntegerField(AOwner, ftInteger, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) {}

TIntegerField::TIntegerField(TComponent* AOwner, TFieldType Type, Int64 MinRange, Int64 MaxRange)
    : TNumericField(AOwner), minRange_(MinRange), maxRange_(MaxRange) {
    SetDataType(Type);
    defaultWidth_ = Type == ftSmallint ? 6 : Type == ftWord ? 5 : 11;
}

void TIntegerField::CheckRange(Int64 Value) const {
    Int64 low = minRange_, high = maxRange_;
    if (minValue_ != 0 || maxValue_ != 0) {
        low = std::max<Int64>(low, minValue_);
        high = std::min<Int64>(high, maxValue_);
    }
    if (Value < low || Value > high)
        DatabaseErrorFmt(SFieldRangeError, {IntToStr(Value), DisplayName(), IntToStr(low), IntToStr(high)});
}

Variant TIntegerField::NativeValue(const Variant& Value) const {
    if (!IsValue(Value)) return Null();
    Int64 v = 0;
    if (!ToInt64(Value, v)) ValueError();
    CheckRange(v);
    return int(v);
}

String TIntegerField::GetAsString() const {
    const Variant v = GetData();
    return IsValue(v) ? IntToStr(v.ToInt()) : String();
}

void TIntegerField::SetAsStringValue(const String& Value) {
    const String text = Trim(Value);
    if (text.isEmpty()) {
        Clear();
        return;
    }
    Int64 v = 0;
    if (!TryStrToInt64(text, v)) DatabaseErrorFmt(SInvalidIntegerValue, {Value, DisplayName()});
    SetAsLargeIntValue(v);
}

int TIntegerField::GetAsInteger() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToInt() : 0;
}

void TIntegerField::SetAsIntegerValue(int Value) {
    SetData(NativeValue(Value));
}
Int64 TIntegerField::GetAsLargeInt() const {
    return GetAsInteger();
}
void TIntegerField::SetAsLargeIntValue(Int64 Value) {
    SetData(NativeValue(Variant((long long)Value)));
}
double TIntegerField::GetAsFloat() const {
    return GetAsInteger();
}
void TIntegerField::SetAsFloatValue(double Value) {
    SetData(NativeValue(Value));
}
Currency TIntegerField::GetAsCurrency() const {
    return Currency(GetAsInteger());
}
void TIntegerField::SetAsCurrencyValue(Currency Value) {
    SetData(NativeValue(Value));
}

String TIntegerField::GetClassText(bool DisplayText) const {
    const Variant v = GetData();
    if (!IsValue(v)) return String();
    const String picture = PictureFor(DisplayText);
    return picture.isEmpty() ? IntToStr(v.ToInt()) : FormatFloat(picture, v.ToInt());
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner, ftSmallint, -32768, 32767) {}
TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner, ftWord, 0, 65535) {}
TAutoIncField::TAutoIncField(TComponent* AOwner)
    : TIntegerField(AOwner, ftAutoInc, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) {}

// TLargeintField

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftLargeint);
}

Variant TLargeintField::NativeValue(const Variant& Value) const {
    if (!IsValue(Value)) return Null();
    Int64 v = 0;
    if (!ToInt64(Value, v)) ValueError();
    if ((minValue_ != 0 || maxValue_ != 0) && (v < minValue_ || v > maxValue_))
        DatabaseErrorFmt(SFieldRangeError, {IntToStr(v), DisplayName(), IntToStr(Int64(minValue_)),
                                            IntToStr(Int64(maxValue_))});
    return (long long)v;
}

String TLargeintField::GetAsString() const {
    const Variant v = GetData();
    return IsValue(v) ? IntToStr(v.ToInt64()) : String();
}

void TLargeintField::SetAsStringValue(const String& Value) {
    const String text = Trim(Value);
    if (text.isEmpty()) {
        Clear();
        return;
    }
    Int64 v = 0;
    if (!TryStrToInt64(text, v)) DatabaseErrorFmt(SInvalidIntegerValue, {Value, DisplayName()});
    SetAsLargeIntValue(v);
}

int TLargeintField::GetAsInteger() const {
    const Int64 v = GetAsLargeInt();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) ValueError();
    return int(v);
}

void TLargeintField::SetAsIntegerValue(int Value) {
    SetData(NativeValue(Value));
}

Int64 TLargeintField::GetAsLargeInt() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToInt64() : 0;
}

void TLargeintField::SetAsLargeIntValue(Int64 Value) {
    SetData(NativeValue(Variant((long long)Value)));
}
double TLargeintField::GetAsFloat() const {
    return double(GetAsLargeInt());
}
void TLargeintField::SetAsFloatValue(double Value) {
    SetData(NativeValue(Value));
}

String TLargeintField::GetClassText(bool DisplayText) const {
    const Variant v = GetData();
    if (!IsValue(v)) return String();
    const String picture = PictureFor(DisplayText);
    return picture.isEmpty() ? IntToStr(v.ToInt64()) : FormatFloat(picture, Extended(v.ToInt64()));
}

// TFloatField

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftFloat);
}

void TFloatField::SetCurrency(bool Value) {
    currency_ = Value;
    PropertyChanged(false);
}

void TFloatField::SetPrecision(int Value) {
    precision_ = std::clamp(Value, 2, 15);
    PropertyChanged(false);
}

Variant TFloatField::NativeValue(const Variant& Value) const {
    if (!IsValue(Value)) return Null();
    double v = 0;
    if (!ToDouble(Value, v)) ValueError();
    if ((minValue_ != 0 || maxValue_ != 0) && (v < minValue_ || v > maxValue_))
        DatabaseErrorFmt(SFieldRangeError,
                         {FloatToStr(v), DisplayName(), FloatToStr(minValue_), FloatToStr(maxValue_)});
    return v;
}

bool TFloatField::IsValidChar(QChar InputChar) const {
    return TNumericField::IsValidChar(InputChar) || InputChar == FormatSettings.DecimalSeparator ||
           InputChar == u'E' || InputChar == u'e';
}

String TFloatField::GetAsString() const {
    const Variant v = GetData();
    return IsValue(v) ? FloatToStr(v.ToDouble()) : String();
}

void TFloatField::SetAsStringValue(const String& Value) {
    const String text = Trim(Value);
    if (text.isEmpty()) {
        Clear();
        return;
    }
    double v = 0;
    if (!TryStrToFloat(text, v)) DatabaseErrorFmt(SInvalidFloatValue, {Value, DisplayName()});
    SetAsFloatValue(v);
}

int TFloatField::GetAsInteger() const {
    const double v = RoundEven(GetAsFloat());
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) ValueError();
    return int(v);
}

void TFloatField::SetAsIntegerValue(int Value) {
    SetAsFloatValue(Value);
}

Int64 TFloatField::GetAsLargeInt() const {
    Int64 v = 0;
    if (!ToInt64(Variant(GetAsFloat()), v)) ValueError();
    return v;
}

void TFloatField::SetAsLargeIntValue(Int64 Value) {
    SetAsFloatValue(double(Value));
}

double TFloatField::GetAsFloat() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToDouble() : 0.0;
}

void TFloatField::SetAsFloatValue(double Value) {
    SetData(NativeValue(Value));
}

Currency TFloatField::GetAsCurrency() const {
    Currency c;
    if (!ToCurrency(Variant(GetAsFloat()), c)) ValueError();
    return c;
}

void TFloatField::SetAsCurrencyValue(Currency Value) {
    SetAsFloatValue(Value.ToDouble());
}

String TFloatField::GetClassText(bool DisplayText) const {
    const Variant v = GetData();
    if (!IsValue(v)) return String();
    const double d = v.ToDouble();
    const String picture = PictureFor(DisplayText);
    if (!picture.isEmpty()) return FormatFloat(picture, d);
    if (currency_)
        return FloatToStrF(d, DisplayText ? ffCurrency : ffFixed, precision_,
                           FormatSettings.CurrencyDecimals);
    return FloatToStrF(d, ffGeneral, precision_, 0);
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) {
    SetDataType(ftCurrency);
    SetCurrency(true);
}

// TBCDField

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
    SetDataType(ftBCD);
    SetSizeValue(4);
}

void TBCDField::SetCurrency(bool Value) {
    currency_ = Value;
    PropertyChanged(false);
}

void TBCDField::SetPrecision(int Value) {
    precision_ = std::max(0, Value);
    PropertyChanged(false);
}

Variant TBCDField::NativeValue(const Variant& Value) const {
    if (!IsValue(Value)) return Null();
    ::Currency c;
    if (!ToCurrency(Value, c)) ValueError();
    // Keep the declared decimals, rounding half away from zero.
    const int decimals = std::clamp(Size(), 0, 4);
    if (decimals < 4) {
        Int64 unit = 1;
        for (int i = decimals; i < 4; ++i)
            unit *= 10;
        Int64 raw = c.Raw();
        const Int64 rest = raw % unit;
        raw -= rest;
        if (2 * std::abs(rest) >= unit) raw += rest < 0 ? -unit : unit;
        c = ::Currency::FromRaw(raw);
    }
    if (precision_ > 0) {
        const int integerDigits = precision_ - decimals;
        long double limit = 1;
        for (int i = 0; i < integerDigits; ++i)
            limit *= 10;
        if (std::fabs(c.ToExtended()) >= limit) ValueError();
    }
    if ((minValue_.Raw() != 0 || maxValue_.Raw() != 0) && (c < minValue_ || c > maxValue_))
        DatabaseErrorFmt(SFieldRangeError,
                         {CurrToStr(c), DisplayName(), CurrToStr(minValue_), CurrToStr(maxValue_)});
    return c;
}

bool TBCDField::IsValidChar(QChar InputChar) const {
    return TNumericField::IsValidChar(InputChar) || InputChar == FormatSettings.DecimalSeparator;
}

String TBCDField::GetAsString() const {
    const Variant v = GetData();
    return IsValue(v) ? CurrToStr(v.ToCurrency()) : String();
}

void TBCDField::SetAsStringValue(const String& Value) {
    const String text = Trim(Value);
    if (text.isEmpty()) {
        Clear();
        return;
    }
    ::Currency c;
    if (!TryStrToCurr(text, c)) DatabaseErrorFmt(SInvalidFloatValue, {Value, DisplayName()});
    SetAsCurrencyValue(c);
}

int TBCDField::GetAsInteger() const {
    Int64 v = 0;
    if (!ToInt64(Variant(GetAsCurrency()), v) || v < std::numeric_limits<int>::min() ||
        v > std::numeric_limits<int>::max())
        ValueError();
    return int(v);
}

void TBCDField::SetAsIntegerValue(int Value) {
    SetAsCurrencyValue(::Currency(Value));
}

Int64 TBCDField::GetAsLargeInt() const {
    Int64 v = 0;
    if (!ToInt64(Variant(GetAsCurrency()), v)) ValueError();
    return v;
}

void TBCDField::SetAsLargeIntValue(Int64 Value) {
    SetData(NativeValue(Variant((long long)Value)));
}
double TBCDField::GetAsFloat() const {
    return GetAsCurrency().ToDouble();
}
void TBCDField::SetAsFloatValue(double Value) {
    SetData(NativeValue(Value));
}

::Currency TBCDField::GetAsCurrency() const {
    const Variant v = GetData();
    return IsValue(v) ? v.ToCurrency() : ::Currency();
}

void TBCDField::SetAsCurrencyValue(::Currency Value) {
    SetData(NativeValue(Value));
}

String TBCDField::GetClassText(bool DisplayText) const {
    const Variant v = GetData();
    if (!IsValue(v)) return String();
    const ::Currency c = v.ToCurrency();
    const String picture = PictureFor(DisplayText);
    if (!picture.isEmpty()) return FormatCurr(picture, c);
    if (currency_) return CurrToStrF(c, DisplayText ? ffCurrency : ffFixed, FormatSettings.CurrencyDecimals);
    return CurrToStr(c);
}

TFMTBCDField::TFMTBCDField(TComponent* AOwner) : TBCDField(AOwner) {
    SetDataType(ftFMTBcd);
}
