#pragma once
// TBooleanField: true or false, shown as the two texts of DisplayValues ("True;False" by default).
#include "vcl/db/Field.h"

class TBooleanField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayValues READ DisplayValues WRITE SetDisplayValues)
    MOX_DEFAULT(DisplayValues, "")
public:
    explicit TBooleanField(TComponent* AOwner);

    // "TrueText;FalseText"; empty for "True" and "False".
    String DisplayValues() const { return displayValues_; }
    void SetDisplayValues(const String& Value);
    Variant NativeValue(const Variant& Value) const override;

protected:
    String GetAsString() const override;
    // An empty text clears the field; otherwise the text must begin one of the two display texts
    // (the false text is tried first, without regard to case).
    void SetAsStringValue(const String& Value) override;
    bool GetAsBoolean() const override;
    void SetAsBooleanValue(bool Value) override;
    int GetDefaultWidth() const override;

private:
    String displayValues_;
    String trueText_;
    String falseText_;
};
