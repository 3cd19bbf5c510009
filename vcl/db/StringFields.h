#pragma once
// Text fields: TStringField and its wide and GUID forms.
#include "vcl/db/Field.h"

// A text of at most Size characters (20 unless given). An empty text is no value: the field is
// cleared, so a required field must be given a text.
class TStringField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
    Q_PROPERTY(bool FixedChar READ FixedChar WRITE SetFixedChar)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(bool Transliterate READ Transliterate WRITE SetTransliterate)
    MOX_DEFAULT(FixedChar, False)
    MOX_DEFAULT(Size, 20)
    MOX_DEFAULT(Transliterate, True)
public:
    explicit TStringField(TComponent* AOwner);

    bool FixedChar() const { return fixedChar_; }
    void SetFixedChar(bool Value) { fixedChar_ = Value; }
    bool Transliterate() const { return transliterate_; }
    void SetTransliterate(bool Value) { transliterate_ = Value; }
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
    Currency GetAsCurrency() const override;
    void SetAsCurrencyValue(Currency Value) override;
    TDateTime GetAsDateTime() const override;
    void SetAsDateTimeValue(TDateTime Value) override;
    bool GetAsBoolean() const override;
    void SetAsBooleanValue(bool Value) override;
    int GetDefaultWidth() const override { return Size() > 0 ? Size() : 20; }

private:
    bool fixedChar_ = false;
    bool transliterate_ = true;
};

class TWideStringField : public TStringField {
    Q_OBJECT
public:
    explicit TWideStringField(TComponent* AOwner);
};

// A GUID in its text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
class TGuidField : public TStringField {
    Q_OBJECT
    MOX_DEFAULT(Size, 38)
public:
    explicit TGuidField(TComponent* AOwner);
};
