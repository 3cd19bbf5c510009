#pragma once
// TPropsFiler: turns the published properties of an object into settings-file values and back.
// Keys are the filer's Prefix followed by the property name, all in its Section; string lists and
// collections get sections of their own below it, nested objects their own key prefix.
#include <memory>

#include "vcl/Classes.h"
#include "vcl/IniFiles.h"
#include "vcl/TypInfo.h"

class TPropsFiler : public TObject {
public:
    TPropsFiler(TCustomIniFile* AIniFile, const String& ASection) : IniFile(AIniFile), Section(ASection) {}

    TCustomIniFile* IniFile; // not owned
    // The object whose properties are read or written.
    TObject* Instance = nullptr;
    // The storage's owner: component references to its components are kept by their bare name.
    // None inside nested objects and collection items.
    TComponent* Root = nullptr;
    String Prefix;
    String Section;
    // How deep below the storage's own properties this filer works; nesting stops at a fixed depth so
    // that objects holding each other cannot recurse without end.
    int Depth = 0;

    virtual String ReadString(const String& ASection, const String& Key, const String& Default);
    virtual void WriteString(const String& ASection, const String& Key, const String& Value);
    virtual void EraseSection(const String& ASection);
    virtual String GetItemName(const String& Name) const { return Prefix + Name; }
    // A filer on the same store object and section, with no instance, root or prefix yet.
    virtual std::unique_ptr<TPropsFiler> CreateInfo() const;

    // Whether the filer keeps properties of this kind (events and the record-like kinds are skipped).
    static bool IsFiledKind(TTypeKind Kind);

    // Read with the current value as default, so a missing key leaves the property as it is. A value
    // that cannot be converted leaves it unchanged; a failing setter raises.
    void LoadProperty(PPropInfo PropInfo);
    void StoreProperty(PPropInfo PropInfo);
    // Every filed property of Instance: each load is guarded on its own (a failure skips that
    // property), a failing store stops the rest and raises.
    void LoadProperties();
    void StoreProperties();

private:
    String CurrentText(PPropInfo PropInfo) const;
    void LoadText(PPropInfo PropInfo, const String& Text);

    void LoadClass(PPropInfo PropInfo);
    void StoreClass(PPropInfo PropInfo);
    void LoadStrings(TStrings* Strings, const String& ListSection);
    void StoreStrings(TStrings* Strings, const String& ListSection);
    void LoadCollection(TCollection* Collection, const String& Name);
    void StoreCollection(TCollection* Collection, const String& Name);
    void LoadReference(PPropInfo PropInfo);
    void StoreReference(PPropInfo PropInfo);
    // The object's own published properties under the key prefix of the property holding it.
    void LoadNested(TObject* Object, const String& Name);
    void StoreNested(TObject* Object, const String& Name);
    std::unique_ptr<TPropsFiler> SubFiler(TObject* Object, const String& ASection, const String& APrefix) const;
};
