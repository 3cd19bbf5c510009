#pragma once
// Number fields: integers of every width, floating point, currency and BCD.
#include "vcl/db/Field.h"

// The common part of number fields: right-aligned, with display and edit pictures of the number
// picture language (FormatFloat).
class TNumericField : public TField {
    Q_OBJECT
    Q_PROPERTY(AlignmentTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(QString EditFormat READ EditFormat WRITE SetEditFormat)
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
    MOX_DEFAULT(Alignment, taRightJustify)
public:
    explicit TNumericField(TComponent* AOwner);

    String DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const String& Value);
    String EditFormat() const { return editFormat_; }
    void SetEditFormat(const String& Value);
    // Digits and signs.
    bool IsValidChar(QChar InputChar) const override;

protected:
    // The picture for the text asked for: the edit picture when editing and there is one.
    String PictureFor(bool DisplayText) const;

private:
    String displayFormat_;
    String editFormat_;
};

// A 32-bit integer; MinValue and MaxValue limit it when either is not 0, the type's range always.
class TIntegerField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    MOX_DEFAULT(MaxValue, 0)
    MOX_DEFAULT(MinValue, 0)
public:
    explicit TIntegerField(TComponent* AOwner);

    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int Value) { maxValue_ = Value; }
    int MinValue() const { return minValue_; }
    void SetMinValue(int Value) { minValue_ = Value; }
    Variant NativeValue(const Variant& Value) const override;

protected:
    TIntegerField(TComponent* AOwner, TFieldType Type, Int64 MinRange, Int64 MaxRange);
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    int GetAsInteger() const override;
    void SetAsIntegerValue(int Value) override;
    Int64 GetAsLargeInt() const override;
    void SetAsLargeIntValue(Int64 Value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double Value) override;
    Currency GetAsCurrency() const override;
    void SetAsCurrencyValue(Currency Value) override;
    String GetClassText(bool DisplayText) const override;
    int GetDefaultWidth() const override { return defaultWidth_; }
    void CheckRange(Int64 Value) const;

private:
    Int64 minRange_;
    Int64 maxRange_;
    int minValue_ = 0;
    int maxValue_ = 0;
    int defaultWidth_ = 11;
};

class TSmallintField : public TIntegerField {
    Q_OBJECT
public:
    explicit TSmallintField(TComponent* AOwner);
};

class TWordField : public TIntegerField {
    Q_OBJECT
public:
    explicit TWordField(TComponent* AOwner);
};

class TAutoIncField : public TIntegerField {
    Q_OBJECT
public:
    explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(qint64 MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(qint64 MinValue READ MinValue WRITE SetMinValue)
    MOX_DEFAULT(MaxValue, 0)
    MOX_DEFAULT(MinValue, 0)
public:
    explicit TLargeintField(TComponent* AOwner);

    qint64 MaxValue() const { return maxValue_; }
    void SetMaxValue(qint64 Value) { maxValue_ = Value; }
    qint64 MinValue() const { return minValue_; }
    void SetMinValue(qint64 Value) { minValue_ = Value; }
    Variant NativeValue(const Variant& Value) const override;

protected:
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    int GetAsInteger() const override;
    void SetAsIntegerValue(int Value) override;
    Int64 GetAsLargeInt() const override;
    void SetAsLargeIntValue(Int64 Value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double Value) override;
    String GetClassText(bool DisplayText) const override;
    int GetDefaultWidth() const override { return 15; }

private:
    qint64 minValue_ = 0;
    qint64 maxValue_ = 0;
};

// A double; Currency shows it as money. MinValue and MaxValue limit it when either is not 0.
class TFloatField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(bool Currency READ IsCurrency WRITE SetCurrency)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(double MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    MOX_DEFAULT(Currency, False)
    MOX_DEFAULT(MaxValue, 0)
    MOX_DEFAULT(MinValue, 0)
    MOX_DEFAULT(Precision, 15)
public:
    explicit TFloatField(TComponent* AOwner);

    bool IsCurrency() const { return currency_; }
    void SetCurrency(bool Value);
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double Value) { maxValue_ = Value; }
    double MinValue() const { return minValue_; }
    void SetMinValue(double Value) { minValue_ = Value; }
    // Significant digits of the text (2 to 15).
    int Precision() const { return precision_; }
    void SetPrecision(int Value);
    Variant NativeValue(const Variant& Value) const override;
    bool IsValidChar(QChar InputChar) const override;

protected:
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    int GetAsInteger() const override;
    void SetAsIntegerValue(int Value) override;
    Int64 GetAsLargeInt() const override;
    void SetAsLargeIntValue(Int64 Value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double Value) override;
    Currency GetAsCurrency() const override;
    void SetAsCurrencyValue(Currency Value) override;
    String GetClassText(bool DisplayText) const override;
    int GetDefaultWidth() const override { return precision_ < 15 ? precision_ + 2 : 10; }

private:
    bool currency_ = false;
    double minValue_ = 0;
    double maxValue_ = 0;
    int precision_ = 15;
};

class TCurrencyField : public TFloatField {
    Q_OBJECT
    MOX_DEFAULT(Currency, True)
public:
    explicit TCurrencyField(TComponent* AOwner);
};

// An exact decimal held as Currency: Size decimals (at most 4) and Precision digits in all
// (0: no limit beyond Currency's range).
class TBCDField : public TNumericField {
    Q_OBJECT
    Q_PROPERTY(bool Currency READ IsCurrency WRITE SetCurrency)
    Q_PROPERTY(Currency MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(Currency MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int Precision READ Precision WRITE SetPrecision)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    MOX_DEFAULT(Currency, False)
    MOX_DEFAULT(MaxValue, 0)
    MOX_DEFAULT(MinValue, 0)
    MOX_DEFAULT(Precision, 0)
    MOX_DEFAULT(Size, 4)
public:
    explicit TBCDField(TComponent* AOwner);

    bool IsCurrency() const { return currency_; }
    void SetCurrency(bool Value);
    ::Currency MaxValue() const { return maxValue_; }
    void SetMaxValue(::Currency Value) { maxValue_ = Value; }
    ::Currency MinValue() const { return minValue_; }
    void SetMinValue(::Currency Value) { minValue_ = Value; }
    int Precision() const { return precision_; }
    void SetPrecision(int Value);
    Variant NativeValue(const Variant& Value) const override;
    bool IsValidChar(QChar InputChar) const override;

protected:
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    int GetAsInteger() const override;
    void SetAsIntegerValue(int Value) override;
    Int64 GetAsLargeInt() const override;
    void SetAsLargeIntValue(Int64 Value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double Value) override;
    ::Currency GetAsCurrency() const override;
    void SetAsCurrencyValue(::Currency Value) override;
    String GetClassText(bool DisplayText) const override;
    int GetDefaultWidth() const override { return precision_ > 0 ? precision_ + 2 : 20; }

private:
    bool currency_ = false;
    ::Currency minValue_;
    ::Currency maxValue_;
    int precision_ = 0;
};

class TFMTBCDField : public TBCDField {
    Q_OBJECT
public:
    explicit TFMTBCDField(TComponent* AOwner);
};
