#pragma once
// TRegIniFile: a registry key read and written the way an INI file is: sections are subkeys of
// the key named by the file name, values are named values in them; an empty section means the key
// itself. TRegistryIniFile: the same key behind the settings-store interface of TCustomIniFile.
#include "vcl/inifiles/CustomIniFile.h"
#include "vcl/registry/Registry.h"

class TRegIniFile : public TRegistry {
public:
    // Opens (and makes, if needed) the key FileName below HKEY_CURRENT_USER; an empty name opens
    // the root, so that the root can be set before a key is opened.
    explicit TRegIniFile(const String& FileName);

    String FileName() const { return fileName_; }

    using TRegistry::DeleteKey;
    using TRegistry::ReadBool;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteBool;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

    bool SectionExists(const String& Section);
    bool ValueExists(const String& Section, const String& Ident);
    QStringList SectionNames();
    QStringList SectionKeys(const String& Section);
    // Each fills the list afresh: the values of a section, the section names, "Name=Value" lines.
    void ReadSection(const String& Section, TStrings* Strings);
    void ReadSections(TStrings* Strings);
    void ReadSectionValues(const String& Section, TStrings* Strings);
    String ReadString(const String& Section, const String& Ident, const String& Default);
    void WriteString(const String& Section, const String& Ident, const String& Value);
    // Integers and truth values are kept as text; a text that is no integer reads as the default.
    int ReadInteger(const String& Section, const String& Ident, int Default);
    void WriteInteger(const String& Section, const String& Ident, int Value);
    bool ReadBool(const String& Section, const String& Ident, bool Default);
    void WriteBool(const String& Section, const String& Ident, bool Value);
    void EraseSection(const String& Section);
    void DeleteKey(const String& Section, const String& Ident);

private:
    QStringList SectionPath(const String& Section) const;

    String fileName_;
};

class TRegistryIniFile : public TCustomIniFile {
public:
    explicit TRegistryIniFile(const String& FileName);
    ~TRegistryIniFile() override;

    // The registry object behind the store: its root and open key can be changed.
    TRegIniFile* RegIniFile() const { return regIniFile_.get(); }

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Every write has already reached the store.
    void UpdateFile() override {}

private:
    std::unique_ptr<TRegIniFile> regIniFile_;
};
