#pragma once
// TFiler: what the form reader and writer share, and what a class's DefineProperties sees of them:
// data of a form resource that is no published property is declared under a name of its own, with
// the procedure that reads it, the one that writes it, and whether there is anything to write.
#include <QByteArray>
#include <functional>

#include "vcl/classes/Component.h"

class TReader;
class TWriter;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
// Binary data ("Data = { 0A1B... }") is handed over whole.
using TBinaryReaderProc = std::function<void(const QByteArray& Data)>;
using TBinaryWriterProc = std::function<QByteArray()>;

class TFiler : public TObject {
public:
    ~TFiler() override;

    // The component whose resource is read or written, and the one whose owned components
    // references are looked up in (the root, or the inline frame being read).
    TComponent* Root() const { return root_; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    // While writing against an ancestor: the ancestor's object that matches the one being written,
    // so that DefineProperties can tell whether its data differs; null otherwise and while reading.
    TPersistent* Ancestor() const { return ancestor_; }

    // Reading calls ReadData when the resource holds the named property; writing calls WriteData
    // when HasData is true.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    virtual void DefineBinaryProperty(const String& Name, const TBinaryReaderProc& ReadData,
                                      const TBinaryWriterProc& WriteData, bool HasData) = 0;

protected:
    TFiler() = default;
    // DefineProperties is protected in every class; the filers ask for it through this.
    static void CallDefineProperties(TPersistent* Instance, TFiler* Filer) { Instance->DefineProperties(Filer); }

    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TPersistent* ancestor_ = nullptr;
};
