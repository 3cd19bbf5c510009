#include "vcl/inifiles/IniFile.h"

#include "vcl/classes/Strings.h"
#include "vcl/inifiles/IniDocument.h"
#include "vcl/inifiles/IniFilesConsts.h"

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) {}

TIniDocument TIniFile::Read() const {
    TIniDocument document;
    String error;
    if (!document.LoadFromFile(FileName(), error)) document.Clear();
    return document;
}

template <class Change> void TIniFile::Modify(Change&& change) {
    TIniDocument document;
    String error;
    // A file that exists but cannot be read is never replaced by one that lacks its contents.
    if (!document.LoadFromFile(FileName(), error))
        throw EIniFileException(SIniFileWriteError.arg(FileName()) + ": " + error);
    if (!change(document)) return;
    if (!document.SaveToFile(FileName(), error))
        throw EIniFileException(SIniFileWriteError.arg(FileName()) + ": " + error);
}

bool TIniFile::SectionExists(const String& Section) {
    return !Read().Keys(Section).isEmpty();
}

bool TIniFile::ValueExists(const String& Section, const String& Ident) {
    String value;
    return Read().Read(Section, Ident, value);
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    String value;
    return Read().Read(Section, Ident, value) ? value : Default;
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) {
    Strings->SetQStringList(Read().Keys(Section));
}

void TIniFile::ReadSections(TStrings* Strings) {
    Strings->SetQStringList(Read().SectionNames());
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    Strings->SetQStringList(Read().Lines(Section));
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    Modify([&](TIniDocument& document) {
        document.Write(Section, Ident, Value);
        return true;
    });
}

void TIniFile::EraseSection(const String& Section) {
    Modify([&](TIniDocument& document) { return document.EraseSection(Section); });
}

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
    Modify([&](TIniDocument& document) { return document.DeleteKey(Section, Ident); });
}
