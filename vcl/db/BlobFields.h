#pragma once
// Binary and long fields: bytes of a fixed or varying size, BLOBs, memos and graphics, and the
// field that holds any variant.
#include <QByteArray>

#include "vcl/db/Field.h"

// Bytes travel as text with one character per byte (codes 0 to 255), as the platform's 8-bit
// strings carried them; AsBytes gives and takes the bytes themselves.
class TBinaryField : public TField {
    Q_OBJECT
    Q_PROPERTY(int Size READ Size WRITE SetSize)
public:
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray& Value);
    Variant NativeValue(const Variant& Value) const override;

protected:
    TBinaryField(TComponent* AOwner, TFieldType Type);
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    // The class in parentheses, upper case when the field holds data: "(Bytes)", "(BLOB)".
    String GetClassText(bool DisplayText) const override;
};

class TBytesField : public TBinaryField {
    Q_OBJECT
    MOX_DEFAULT(Size, 16)
public:
    explicit TBytesField(TComponent* AOwner);
};

class TVarBytesField : public TBinaryField {
    Q_OBJECT
    MOX_DEFAULT(Size, 16)
public:
    explicit TVarBytesField(TComponent* AOwner);
};

class TBlobField : public TBinaryField {
    Q_OBJECT
    Q_PROPERTY(DB::TFieldType BlobType READ BlobType WRITE SetBlobType)
    MOX_DEFAULT(Size, 0)
public:
    explicit TBlobField(TComponent* AOwner);

    // The kind of BLOB (ftBlob, ftMemo, ftGraphic, ftFmtMemo, ...).
    TFieldType BlobType() const { return DataType(); }
    void SetBlobType(TFieldType Value);
    bool IsBlob() const override { return true; }

protected:
    TBlobField(TComponent* AOwner, TFieldType Type);
};

// Text of any length; AsString is the text itself and AsBytes its UTF-8 form.
class TMemoField : public TBlobField {
    Q_OBJECT
public:
    explicit TMemoField(TComponent* AOwner);
    Variant NativeValue(const Variant& Value) const override;
    QByteArray AsBytes() const { return GetAsString().toUtf8(); }
    void SetAsBytes(const QByteArray& Value) { SetAsStringValue(QString::fromUtf8(Value)); }

protected:
    TMemoField(TComponent* AOwner, TFieldType Type);
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
};

class TWideMemoField : public TMemoField {
    Q_OBJECT
public:
    explicit TWideMemoField(TComponent* AOwner);
};

class TGraphicField : public TBlobField {
    Q_OBJECT
public:
    explicit TGraphicField(TComponent* AOwner);
};

// Any value of a variant.
class TVariantField : public TField {
    Q_OBJECT
public:
    explicit TVariantField(TComponent* AOwner);

protected:
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    int GetAsInteger() const override;
    void SetAsIntegerValue(int Value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double Value) override;
    Currency GetAsCurrency() const override;
    void SetAsCurrencyValue(Currency Value) override;
    TDateTime GetAsDateTime() const override;
    void SetAsDateTimeValue(TDateTime Value) override;
    bool GetAsBoolean() const override;
    void SetAsBooleanValue(bool Value) override;
};
