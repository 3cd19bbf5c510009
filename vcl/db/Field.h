#pragma once
// TField: one column of a data set's records, with its value in every representation, its texts,
// its display settings and its validation.
#include <functional>

#include "vcl/classes/Alignment.h"
#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Published.h"
#include "vcl/db/Errors.h"
#include "vcl/db/Types.h"
#include "vcl/variants/Variant.h"

class TDataSet;
class TField;

using TFieldNotifyEvent = std::function<void(TField* Sender)>;
// Text receives the text to show; DisplayText tells whether it is for display or for editing.
using TFieldGetTextEvent = std::function<void(TField* Sender, String& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const String& Text)>;
Q_DECLARE_METATYPE(TFieldNotifyEvent)
Q_DECLARE_METATYPE(TFieldGetTextEvent)
Q_DECLARE_METATYPE(TFieldSetTextEvent)

class TField : public TComponent {
    Q_OBJECT
    Q_PROPERTY(AlignmentTypes::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(QString CustomConstraint READ CustomConstraint WRITE SetCustomConstraint)
    Q_PROPERTY(QString ConstraintErrorMessage READ ConstraintErrorMessage WRITE SetConstraintErrorMessage)
    Q_PROPERTY(QString DefaultExpression READ DefaultExpression WRITE SetDefaultExpression)
    Q_PROPERTY(QString DisplayLabel READ DisplayLabel WRITE SetDisplayLabel)
    Q_PROPERTY(int DisplayWidth READ DisplayWidth WRITE SetDisplayWidth)
    Q_PROPERTY(DB::TFieldKind FieldKind READ FieldKind WRITE SetFieldKind)
    Q_PROPERTY(QString FieldName READ FieldName WRITE SetFieldName)
    Q_PROPERTY(QString ImportedConstraint READ ImportedConstraint WRITE SetImportedConstraint)
    Q_PROPERTY(int Index READ Index WRITE SetIndex STORED false)
    Q_PROPERTY(QString KeyFields READ KeyFields WRITE SetKeyFields)
    Q_PROPERTY(bool LookupCache READ LookupCache WRITE SetLookupCache)
    Q_PROPERTY(TDataSet* LookupDataSet READ LookupDataSet WRITE SetLookupDataSet)
    Q_PROPERTY(QString LookupKeyFields READ LookupKeyFields WRITE SetLookupKeyFields)
    Q_PROPERTY(QString LookupResultField READ LookupResultField WRITE SetLookupResultField)
    Q_PROPERTY(QString Origin READ Origin WRITE SetOrigin)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool Required READ Required WRITE SetRequired)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    MOX_DEFAULT(Alignment, taLeftJustify)
    MOX_DEFAULT(FieldKind, fkData)
    MOX_DEFAULT(LookupCache, False)
    MOX_DEFAULT(ReadOnly, False)
    MOX_DEFAULT(Required, False)
    MOX_DEFAULT(Visible, True)
    MOX_STORED(DisplayLabel, IsDisplayLabelStored)
    MOX_STORED(DisplayWidth, IsDisplayWidthStored)
    MOX_EVENT(TFieldNotifyEvent, OnChange)
    MOX_EVENT(TFieldGetTextEvent, OnGetText)
    MOX_EVENT(TFieldSetTextEvent, OnSetText)
    MOX_EVENT(TFieldNotifyEvent, OnValidate)

public:
    explicit TField(TComponent* AOwner);
    ~TField() override;
    // Leaves the data set while the field is still whole.
    void BeforeDestruction() override;

    TDataSet* DataSet() const { return dataSet_; }
    // Joins the data set's fields at their end; raises "Cannot perform this operation on an open
    // dataset" when either data set is open, and "Duplicate field name" for a name already there.
    virtual void SetDataSet(TDataSet* ADataSet);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* AParent) override;

    TFieldType DataType() const { return dataType_; }
    // The size the type has: characters of a string, decimals of a BCD, bytes of bytes fields.
    int Size() const { return size_; }
    virtual void SetSize(int Value);
    // 1-based position among the data set's field definitions; 0 for fields that are not data.
    int FieldNo() const { return fieldNo_; }
    TFieldKind FieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind Value);
    bool Calculated() const { return fieldKind_ == fkCalculated || fieldKind_ == fkInternalCalc; }
    void SetCalculated(bool Value) { SetFieldKind(Value ? fkCalculated : fkData); }
    bool Lookup() const { return fieldKind_ == fkLookup; }
    void SetLookup(bool Value) { SetFieldKind(Value ? fkLookup : fkData); }
    String FieldName() const { return fieldName_; }
    void SetFieldName(const String& Value);
    String FullName() const { return fieldName_; }
    // DisplayLabel falls back to FieldName; DisplayName is what messages name.
    String DisplayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void SetDisplayLabel(const String& Value);
    String DisplayName() const { return DisplayLabel(); }
    int DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : GetDefaultWidth(); }
    void SetDisplayWidth(int Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    bool Visible() const { return visible_; }
    void SetVisible(bool Value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    bool Required() const { return required_; }
    void SetRequired(bool Value) { required_ = Value; }
    // The position in the data set's Fields.
    int Index() const;
    void SetIndex(int Value);
    String EditMask() const { return editMask_; }
    void SetEditMask(const String& Value);
    String Origin() const { return origin_; }
    void SetOrigin(const String& Value) { origin_ = Value; }
    bool IsIndexField() const { return isIndexField_; }

    // Expressions a data set may evaluate for the field; the data-access layer only keeps them.
    String DefaultExpression() const { return defaultExpression_; }
    void SetDefaultExpression(const String& Value) { defaultExpression_ = Value; }
    String CustomConstraint() const { return customConstraint_; }
    void SetCustomConstraint(const String& Value) { customConstraint_ = Value; }
    String ConstraintErrorMessage() const { return constraintErrorMessage_; }
    void SetConstraintErrorMessage(const String& Value) { constraintErrorMessage_ = Value; }
    String ImportedConstraint() const { return importedConstraint_; }
    void SetImportedConstraint(const String& Value) { importedConstraint_ = Value; }
    bool HasConstraints() const { return !customConstraint_.isEmpty() || !importedConstraint_.isEmpty(); }

    // A lookup field takes LookupResultField from the record of LookupDataSet whose LookupKeyFields
    // equal this data set's KeyFields (names separated by ";").
    TDataSet* LookupDataSet() const { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet* Value);
    String KeyFields() const { return keyFields_; }
    void SetKeyFields(const String& Value);
    String LookupKeyFields() const { return lookupKeyFields_; }
    void SetLookupKeyFields(const String& Value);
    String LookupResultField() const { return lookupResultField_; }
    void SetLookupResultField(const String& Value);
    bool LookupCache() const { return lookupCache_; }
    void SetLookupCache(bool Value) { lookupCache_ = Value; }

    // The value in each representation. Reading a type the field cannot give, or writing one it
    // cannot take, raises "Cannot access field '%s' as type %s".
    String AsString() const { return GetAsString(); }
    void SetAsString(const String& Value) { SetAsStringValue(Value); }
    int AsInteger() const { return GetAsInteger(); }
    void SetAsInteger(int Value) { SetAsIntegerValue(Value); }
    Int64 AsLargeInt() const { return GetAsLargeInt(); }
    void SetAsLargeInt(Int64 Value) { SetAsLargeIntValue(Value); }
    double AsFloat() const { return GetAsFloat(); }
    void SetAsFloat(double Value) { SetAsFloatValue(Value); }
    Currency AsCurrency() const { return GetAsCurrency(); }
    void SetAsCurrency(Currency Value) { SetAsCurrencyValue(Value); }
    TDateTime AsDateTime() const { return GetAsDateTime(); }
    void SetAsDateTime(TDateTime Value) { SetAsDateTimeValue(Value); }
    bool AsBoolean() const { return GetAsBoolean(); }
    void SetAsBoolean(bool Value) { SetAsBooleanValue(Value); }
    // Null when the field is empty. Writing Null or Empty clears the field; a value of another type
    // is converted, and one the field cannot take raises "Invalid value for field '%s'".
    Variant AsVariant() const { return GetAsVariant(); }
    void SetAsVariant(const Variant& Value);
    Variant Value() const { return GetAsVariant(); }
    void SetValue(const Variant& Value) { SetAsVariant(Value); }
    // The value as it was read, before the edit in progress.
    Variant OldValue() const;
    bool IsNull() const;
    void Clear() { SetData(Null()); }
    // Copies another field's value.
    void Assign(TPersistent* Source) override;

    // Display text (formatted for showing) and edit text (for editing); OnGetText and OnSetText take
    // over when assigned. Setting an empty text clears the field.
    String DisplayText() const;
    String Text() const;
    void SetText(const String& Value);

    // Runs OnValidate with the new value visible through the field.
    void Validate(const Variant& NewValue);
    // Whether typing the character into an editor of the field makes sense.
    virtual bool IsValidChar(QChar InputChar) const;
    // True when the field's value may be changed now.
    bool CanModify() const;
    // Asks the data controls bound to the field to take the focus.
    void FocusControl();
    virtual bool IsBlob() const { return false; }

    // The value this field keeps for Value, converted to the field's own type; raises "Invalid
    // value for field '%s'" when it cannot be. Null stays Null.
    virtual Variant NativeValue(const Variant& Value) const;

    // The raw value in the field's own type, read from or written to the data set's record.
    Variant GetData() const;
    void SetData(const Variant& Value);

    Q_INVOKABLE bool IsDisplayLabelStored() const { return !displayLabel_.isEmpty(); }
    Q_INVOKABLE bool IsDisplayWidthStored() const { return displayWidth_ > 0; }

protected:
    virtual String GetAsString() const;
    virtual void SetAsStringValue(const String& Value);
    virtual int GetAsInteger() const;
    virtual void SetAsIntegerValue(int Value);
    virtual Int64 GetAsLargeInt() const;
    virtual void SetAsLargeIntValue(Int64 Value);
    virtual double GetAsFloat() const;
    virtual void SetAsFloatValue(double Value);
    virtual Currency GetAsCurrency() const;
    virtual void SetAsCurrencyValue(Currency Value);
    virtual TDateTime GetAsDateTime() const;
    virtual void SetAsDateTimeValue(TDateTime Value);
    virtual bool GetAsBoolean() const;
    virtual void SetAsBooleanValue(bool Value);
    virtual Variant GetAsVariant() const;
    // The class's own text of the value, without OnGetText.
    virtual String GetClassText(bool DisplayText) const;
    virtual int GetDefaultWidth() const { return 10; }
    // Called by the data set after a new value was stored.
    virtual void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void SetDataType(TFieldType Value) { dataType_ = Value; }
    void SetSizeValue(int Value) { size_ = Value; }
    [[noreturn]] void AccessError(const char* TypeName) const;
    [[noreturn]] void ValueError() const;
    // Changing what the field is requires a closed data set.
    void CheckInactive() const;
    // Tells the data controls that a display property changed.
    void PropertyChanged(bool LayoutAffected);

private:
    friend class TDataSet;
    friend class TFields;
    friend class TFieldDef;

    TDataSet* dataSet_ = nullptr;
    TDataSet* lookupDataSet_ = nullptr;
    TFieldType dataType_ = ftUnknown;
    TFieldKind fieldKind_ = fkData;
    TAlignment alignment_ = taLeftJustify;
    int size_ = 0;
    int fieldNo_ = 0;
    int displayWidth_ = 0;
    // Where a calculated or lookup field keeps its value in a record buffer; -1 for data fields.
    int calcSlot_ = -1;
    bool visible_ = true;
    bool readOnly_ = false;
    bool required_ = false;
    bool lookupCache_ = false;
    bool isIndexField_ = false;
    bool validating_ = false;
    const Variant* validateValue_ = nullptr;
    String fieldName_;
    String displayLabel_;
    String editMask_;
    String origin_;
    String defaultExpression_;
    String customConstraint_;
    String constraintErrorMessage_;
    String importedConstraint_;
    String keyFields_;
    String lookupKeyFields_;
    String lookupResultField_;
};
