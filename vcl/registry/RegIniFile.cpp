#include "vcl/registry/RegIniFile.h"

#include "vcl/classes/Strings.h"
#include "vcl/inifiles/IniValueText.h"
#include "vcl/registry/RegistryConsts.h"
#include "vcl/registry/RegistryStore.h"

TRegIniFile::TRegIniFile(const String& FileName) : fileName_(FileName) {
    OpenKey(FileName, true);
}

QStringList TRegIniFile::SectionPath(const String& Section) const {
    return Section.isEmpty() ? CurrentParts() : CurrentParts() + Section.split('\\', Qt::SkipEmptyParts);
}

bool TRegIniFile::SectionExists(const String& Section) {
    return !SectionKeys(Section).isEmpty();
}

bool TRegIniFile::ValueExists(const String& Section, const String& Ident) {
    String value;
    return KeyOpen() && Store().ReadValue(SectionPath(Section), Ident, value);
}

QStringList TRegIniFile::SectionNames() {
    return KeyNames();
}

QStringList TRegIniFile::SectionKeys(const String& Section) {
    return KeyOpen() ? Store().ValueNames(SectionPath(Section)) : QStringList();
}

void TRegIniFile::ReadSection(const String& Section, TStrings* Strings) {
    Strings->SetQStringList(SectionKeys(Section));
}

void TRegIniFile::ReadSections(TStrings* Strings) {
    Strings->SetQStringList(SectionNames());
}

void TRegIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    QStringList lines;
    for (const String& name : SectionKeys(Section))
        lines << name + '=' + ReadString(Section, name, String());
    Strings->SetQStringList(lines);
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    String value;
    return KeyOpen() && Store().ReadValue(SectionPath(Section), Ident, value) ? value : Default;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    const QStringList path = SectionPath(Section);
    CheckAvailable(path);
    if (!KeyOpen() || !Store().WriteValue(path, Ident, Value))
        throw ERegistryException(SRegSetDataFailed.arg(Ident));
}

int TRegIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    int value = 0;
    return TryIniTextToInt(ReadString(Section, Ident, String()), value) ? value : Default;
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteString(Section, Ident, IniIntToText(Value));
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteInteger(Section, Ident, Value ? 1 : 0);
}

void TRegIniFile::EraseSection(const String& Section) {
    // The empty section is the key itself, which the file name names: it is not erased.
    if (KeyOpen() && !Section.isEmpty()) Store().DeleteKey(SectionPath(Section));
}

void TRegIniFile::DeleteKey(const String& Section, const String& Ident) {
    if (KeyOpen()) Store().DeleteValue(SectionPath(Section), Ident);
}

TRegistryIniFile::TRegistryIniFile(const String& FileName)
    : TCustomIniFile(FileName), regIniFile_(std::make_unique<TRegIniFile>(FileName)) {}

TRegistryIniFile::~TRegistryIniFile() = default;

bool TRegistryIniFile::SectionExists(const String& Section) {
    return regIniFile_->SectionExists(Section);
}

bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident) {
    return regIniFile_->ValueExists(Section, Ident);
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
    return regIniFile_->ReadString(Section, Ident, Default);
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
    regIniFile_->WriteString(Section, Ident, Value);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) {
    regIniFile_->ReadSection(Section, Strings);
}

void TRegistryIniFile::ReadSections(TStrings* Strings) {
    regIniFile_->ReadSections(Strings);
}

void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
    regIniFile_->ReadSectionValues(Section, Strings);
}

void TRegistryIniFile::EraseSection(const String& Section) {
    regIniFile_->EraseSection(Section);
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) {
    regIniFile_->DeleteKey(Section, Ident);
}
