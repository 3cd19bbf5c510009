#pragma once
// TCustomIniFile: the settings-store family's common interface. A store holds named sections, each
// holding named values as text; the typed reads and writes go through ReadString and WriteString
// with the fixed text rules of IniValueText.h.
#include "vcl/System.h"

class TStrings;

MOX_DECLARE_EXCEPTION(EIniFileException, Exception);

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& FileName);
    ~TCustomIniFile() override;

    String FileName() const { return fileName_; }

    // True when the section holds at least one value.
    virtual bool SectionExists(const String& Section);
    virtual bool ValueExists(const String& Section, const String& Ident);

    // Each fills the list afresh: the keys of a section, the section names, "Key=Value" lines.
    virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
    virtual void ReadSections(TStrings* Strings) = 0;
    virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // The default when the value is absent or is not an integer.
    virtual int ReadInteger(const String& Section, const String& Ident, int Default);
    virtual void WriteInteger(const String& Section, const String& Ident, int Value);
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    virtual double ReadFloat(const String& Section, const String& Ident, double Default);
    virtual void WriteFloat(const String& Section, const String& Ident, double Value);
    virtual TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
    virtual TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
    virtual TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
    virtual void WriteDate(const String& Section, const String& Ident, TDateTime Value);
    virtual void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
    virtual void WriteTime(const String& Section, const String& Ident, TDateTime Value);

    // Removes the section with all its values; an absent section is no error.
    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    // Writes buffered changes to the backing store (only the in-memory INI file buffers).
    virtual void UpdateFile() = 0;

protected:
    void SetFileName(const String& FileName) { fileName_ = FileName; }

private:
    String fileName_;
};
