#include "vcl/inifiles/CustomIniFile.h"

#include "vcl/classes/StringList.h"
#include "vcl/inifiles/IniValueText.h"

TCustomIniFile::TCustomIniFile(const String& FileName) : fileName_(FileName) {}

TCustomIniFile::~TCustomIniFile() = default;

bool TCustomIniFile::SectionExists(const String& Section) {
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
    TStringList keys;
    ReadSection(Section, &keys);
    for (int i = 0; i < keys.Count(); ++i)
        if (keys.Strings(i).compare(Ident, Qt::CaseInsensitive) == 0) return true;
    return false;
}

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
    int value = 0;
    return TryIniTextToInt(ReadString(Section, Ident, String()), value) ? value : Default;
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
    WriteString(Section, Ident, IniIntToText(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default) {
    double value = 0;
    return TryIniTextToFloat(ReadString(Section, Ident, String()), value) ? value : Default;
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value) {
    WriteString(Section, Ident, IniFloatToText(Value));
}

TDateTime TCustomIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default) {
    TDateTime value;
    return TryIniTextToDate(ReadString(Section, Ident, String()), value) ? value : Default;
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default) {
    TDateTime value;
    return TryIniTextToDateTime(ReadString(Section, Ident, String()), value) ? value : Default;
}

TDateTime TCustomIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default) {
    TDateTime value;
    return TryIniTextToTime(ReadString(Section, Ident, String()), value) ? value : Default;
}

void TCustomIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value) {
    WriteString(Section, Ident, IniDateToText(Value));
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value) {
    WriteString(Section, Ident, IniDateTimeToText(Value));
}

void TCustomIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value) {
    WriteString(Section, Ident, IniTimeToText(Value));
}
