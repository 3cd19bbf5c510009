#pragma once
// How the settings stores turn numbers, truth values and dates into text and back. The rules are
// fixed and never follow the locale, so a file reads the same on every machine:
//   integers   decimal; reading also takes the hexadecimal forms "$1F" and "0x1F" (up to 32 bits,
//              "$FFFFFFFF" is -1), an optional sign and blanks around the number;
//   truth      "1" and "0"; reading takes any integer, non-zero being true;
//   floats     "." as decimal separator, the shortest text that reads back as the same double
//              ("0.1", "36926.5796064815", "1e+20"); "inf" and "nan" are not accepted;
//   dates      "yyyy-MM-dd", times "hh:mm:ss" with ".zzz" when there are milliseconds, date-times
//              the date, one blank and the time ("2001-02-03 13:54:37"); a date-time also reads
//              a date alone, a time alone and "T" in place of the blank.
#include "vcl/System.h"

bool TryIniTextToInt(const String& Text, int& Value);
String IniIntToText(int Value);

bool TryIniTextToFloat(const String& Text, double& Value);
String IniFloatToText(double Value);

String IniDateToText(TDateTime Value);
String IniTimeToText(TDateTime Value);
String IniDateTimeToText(TDateTime Value);
bool TryIniTextToDate(const String& Text, TDateTime& Value);
bool TryIniTextToTime(const String& Text, TDateTime& Value);
bool TryIniTextToDateTime(const String& Text, TDateTime& Value);
