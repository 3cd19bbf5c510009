#pragma once
// TWriter: writes a component and everything it holds in the text form syntax that TReader reads,
// so that reading a resource and writing it again gives the same text. A property is written only
// when its stored condition holds and its value differs from its declared default, or, written
// against an ancestor, from the ancestor's value. Child components follow in creation order.
// Event handlers are written by the name of the root's method they were bound to; a handler set
// in code (a lambda) has no name and is not written.
#include <vector>

#include "vcl/classes/Collection.h"
#include "vcl/classes/Filer.h"
#include "vcl/typinfo/PropInfo.h"

class TWriter : public TFiler {
public:
    TWriter();
    ~TWriter() override;

    // The text of Root; with an Ancestor (an instance of Root's ancestor class, read from its own
    // resource) the text is an inherited resource holding only what differs from it.
    String WriteDescendent(TComponent* Root, TComponent* Ancestor);

    // What a DefineProperties writer writes its data with: one value, or a list of them.
    void WriteListBegin();
    void WriteListEnd();
    void WriteInteger(Int64 Value);
    void WriteFloat(Extended Value);
    void WriteString(const String& Value);
    void WriteBoolean(bool Value);
    void WriteIdent(const String& Ident);
    void WriteCollection(TCollection* Collection);

    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;
    void DefineBinaryProperty(const String& Name, const TBinaryReaderProc& ReadData,
                              const TBinaryWriterProc& WriteData, bool HasData) override;

    // A string as the syntax writes it: printable ASCII in quotes, every other character as #code.
    static String QuotedString(const String& Value);

private:
    enum class TObjectKind { Object, Inherited, Inline };

    void WriteComponent(TComponent* Instance, TComponent* Ancestor, int Level, TObjectKind Kind);
    void WriteProperties(TPersistent* Instance, TPersistent* Ancestor, const String& Prefix);
    void WriteClassProperty(TPersistent* Instance, TPersistent* Ancestor, PPropInfo Info, const String& Prefix);
    void WritePropertyLine(const String& Name, const String& ValueText);
    void BeginPropertyLine(const String& Name);
    void EndPropertyLine();
    void BeginValue();
    int ValueLevel() const;
    void WriteCollectionItems(TCollection* Collection, TCollection* Ancestor);
    String ReferenceText(TComponent* Component) const;
    // A collection's text as WriteCollection gives it, for the comparison with an ancestor's.
    String CollectionText(TCollection* Collection);
    QList<TComponent*> ChildrenOf(TComponent* Instance) const;

    String out_;
    // The indentation of the property lines being written (two blanks a level).
    int propLevel_ = 1;
    // The dotted prefix of a nested object's properties ("Font."), for defined properties too.
    String prefix_;
    // Values written inside lists begun, innermost last.
    std::vector<int> lists_;
    TComponent* ancestorRoot_ = nullptr;
    // The objects whose properties are being written, outermost first.
    QList<TPersistent*> chain_;
};
