#pragma once
// Date and time fields: a date-time number, shown through the date-time picture language.
#include "vcl/db/Field.h"

class TDateTimeField : public TField {
    Q_OBJECT
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE SetDisplayFormat)
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
public:
    explicit TDateTimeField(TComponent* AOwner);

    // The picture for display; empty: the short date and the long time (the date alone at midnight).
    String DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const String& Value);
    Variant NativeValue(const Variant& Value) const override;

protected:
    TDateTimeField(TComponent* AOwner, TFieldType Type);
    String GetAsString() const override;
    void SetAsStringValue(const String& Value) override;
    double GetAsFloat() const override;
    void SetAsFloatValue(double Value) override;
    TDateTime GetAsDateTime() const override;
    void SetAsDateTimeValue(TDateTime Value) override;
    String GetClassText(bool DisplayText) const override;
    int GetDefaultWidth() const override { return DataType() == ftDate || DataType() == ftTime ? 10 : 18; }
    // The value kept: the date part only for dates, the time of day only for times.
    TDateTime Adjust(TDateTime Value) const;
    // Reads a text: a date for dates, a time for times, either or both otherwise.
    virtual TDateTime ParseText(const String& Text) const;

private:
    String displayFormat_;
};

class TDateField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TDateField(TComponent* AOwner);
};

class TTimeField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TTimeField(TComponent* AOwner);
};

// A time stamp of an SQL server, held here as a date-time.
class TSQLTimeStampField : public TDateTimeField {
    Q_OBJECT
public:
    explicit TSQLTimeStampField(TComponent* AOwner);
};
