#include "vcl/inifiles/MemIniFile.h"

#include "vcl/classes/Errors.h"
#include "vcl/classes/Strings.h"
#include "vcl/inifiles/IniFilesConsts.h"

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) {
    Load();
}

void TMemIniFile::Load() {
    String error;
    if (!document_.LoadFromFile(FileName(), error)) throw EFOpenError(SFOpenErrorEx.arg(FileName(), error));
}

bool TMemIniFile::SectionExists(const String& Section) {
    return !document_.Keys(Section).isEmpty();
}

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) {
    String value;
    return document_.Read(Section, Ident, value);
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    String value;
    return document_.Read(Section, Ident, value) ? value : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    document_.Write(Section, Ident, Value);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) {
    Strings->SetQStringList(document_.Keys(Section));
}

void TMemIniFile::ReadSections(TStrings* Strings) {
    Strings->SetQStringList(document_.SectionNames());
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    Strings->SetQStringList(document_.Lines(Section));
}

void TMemIniFile::GetStrings(TStrings* List) const {
    QStringList lines = document_.ToText().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    List->AddStrings(lines);
}

void TMemIniFile::SetStrings(TStrings* List) {
    document_.Parse(List->ToQStringList().join('\n'));
}

void TMemIniFile::EraseSection(const String& Section) {
    document_.EraseSection(Section);
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
    document_.DeleteKey(Section, Ident);
}

void TMemIniFile::UpdateFile() {
    String error;
    if (!document_.SaveToFile(FileName(), error)) throw EFCreateError(SFCreateErrorEx.arg(FileName(), error));
}

void TMemIniFile::Clear() {
    document_.Clear();
}

void TMemIniFile::Rename(const String& FileName, bool Reload) {
    SetFileName(FileName);
    if (Reload) Load();
}
