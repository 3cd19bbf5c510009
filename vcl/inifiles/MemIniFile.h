#pragma once
// TMemIniFile: an INI file held in memory. The whole file is read when the object is made (a
// missing file is an empty store) and written back, whole, by UpdateFile.
#include "vcl/inifiles/CustomIniFile.h"
#include "vcl/inifiles/IniDocument.h"

class TMemIniFile : public TCustomIniFile {
public:
    // Raises EFOpenError when the file exists but cannot be read.
    explicit TMemIniFile(const String& FileName);

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Raises EFCreateError naming the file when it cannot be written.
    void UpdateFile() override;

    // Adds the contents to the list in the file's form, one line per item.
    void GetStrings(TStrings* List) const;
    // Replaces the contents with the INI text of the list's lines.
    void SetStrings(TStrings* List);
    // Empties the store (the file is untouched until UpdateFile).
    void Clear();
    // Points the store at another file; with Reload the contents are read from it.
    void Rename(const String& FileName, bool Reload);

private:
    void Load();

    TIniDocument document_;
};
