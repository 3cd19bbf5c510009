#pragma once
// TReader: reads a form resource in the text form syntax into components. It makes the
// components through the class registry, owned by the root, and sets their properties through the
// meta-object while they are csLoading and csReading; references to components are resolved once
// everything is read (so they may point forward), event names are bound to the root's Q_INVOKABLE
// methods of the same name, and Loaded is called on every component read. A failed read raises
// EReadError naming the resource, the line and the property, and frees every component it made.
#include <QList>
#include <QPointer>
#include <vector>

#include "vcl/classes/Collection.h"
#include "vcl/classes/Filer.h"
#include "vcl/classes/FormText.h"
#include "vcl/typinfo/PropInfo.h"

class TReader : public TFiler {
public:
    // The name of the resource is what error messages call it ("TMainForm.dfm").
    explicit TReader(const String& ResourceName = String());
    ~TReader() override;

    // Reads the text into Root, an existing component (a form being made, an ancestor's instance
    // for an inherited resource). Root takes the resource's name, made unique among its owner's
    // components ("Name_1") when another has it.
    void ReadRootComponent(TComponent* Root, const String& Text);
    // Makes the root of the class the text names, owned by Owner, and reads the text into it.
    TComponent* ReadNewRootComponent(const String& Text, TComponent* Owner);

    // What a DefineProperties reader takes its data with. Each call takes the next value of the
    // property (or of the list begun); a value of another kind raises EReadError.
    TFormValue::TKind NextValue() const;
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    int ReadInteger();
    Int64 ReadInt64();
    Extended ReadFloat();
    String ReadString();
    bool ReadBoolean();
    String ReadIdent();
    // The items of a collection value replace Collection's.
    void ReadCollection(TCollection* Collection);

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TBinaryReaderProc& ReadData,
                              const TBinaryWriterProc& WriteData, bool HasData) override;

private:
    struct TCursor {
        const TFormValue* Values;
        size_t Count;
        size_t Index;
    };
    struct TFixup {
        QPointer<TPersistent> Instance;
        PPropInfo PropInfo;
        String Reference;
        TComponent* LookupRoot;
        int Line;
        String Path;
    };

    void ReadInto(TComponent* Root, const TFormObject& Tree);
    void ReadObject(TComponent* Instance, const TFormObject& Object, TComponent* LookupRoot);
    void ReadChild(const TFormObject& Object, TComponent* Parent, TComponent* LookupRoot);
    // Named false leaves a root's name to ReadInto, which may have to make it unique.
    TComponent* MakeChild(const TFormObject& Object, TComponent* Owner, bool Named);
    void ReadProperty(TPersistent* Instance, const TFormProperty& Prop, const String& Owner);
    void SetProperty(TPersistent* Instance, PPropInfo Info, const TFormValue& Value, const String& Path,
                     int Line);
    void ReadDefined(TPersistent* Instance, const String& Name, const TFormValue& Value);
    void ReadCollectionValue(TCollection* Collection, const TFormValue& Value, const String& Path);
    void BindEvent(TPersistent* Instance, PPropInfo Info, const String& MethodName);
    void ResolveFixups();
    TComponent* FindReference(const String& Reference, TComponent* LookupRoot) const;
    void Finish();
    void Rollback();
    const TFormValue& TakeValue();
    String UniqueRootName(TComponent* Root, const String& Name) const;

    String resource_;
    std::vector<TCursor> cursors_;
    // The defined property DefineProperties is asked for, and whether a declaration took it.
    String pendingName_;
    const TFormValue* pendingValue_ = nullptr;
    bool pendingTaken_ = false;
    QList<QPointer<TComponent>> created_;
    QList<QPointer<TComponent>> loaded_;
    std::vector<TFixup> fixups_;
};
