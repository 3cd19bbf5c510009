#pragma once
// TIniFile: an INI file reached on every call, like the platform's profile functions: each read
// reads the file as it is now (so it sees what another object or process wrote), each write
// rewrites the file at once, keeping its comments.
#include "vcl/inifiles/CustomIniFile.h"

class TIniDocument;

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& FileName);

    bool SectionExists(const String& Section) override;
    bool ValueExists(const String& Section, const String& Ident) override;
    // An unreadable file reads as an empty one.
    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    // Writes raise EIniFileException "Unable to write to <file>" when the file cannot be written.
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Every write has already reached the file.
    void UpdateFile() override {}

private:
    TIniDocument Read() const;
    // Reads the file, applies the change, and writes the file when the change says it changed.
    template <class Change> void Modify(Change&& change);
};
