#pragma once
// Dates and times to and from text.
#include "vcl/sysutils/FormatSettings.h"

// The date-time picture language: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn
// s ss z zzz t tt am/pm a/p ampm / : "text" 'text' (letters in either case). An "m" right after
// an hour means minutes.
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& fs);
String DateToStr(TDateTime value);
String DateToStr(TDateTime value, const TFormatSettings& fs);
String TimeToStr(TDateTime value);
String TimeToStr(TDateTime value, const TFormatSettings& fs);
// The short date and the long time; midnight shows the date alone.
String DateTimeToStr(TDateTime value);
String DateTimeToStr(TDateTime value, const TFormatSettings& fs);

// Numbers separated by DateSeparator in the order of ShortDateFormat; a missing year is this year,
// a year of one or two digits lands within the century window. Times are h[:n[:s[.z]]] with an
// optional AM/PM marker. The StrTo forms raise EConvertError "'...' is not a valid date" (time,
// date and time).
bool TryStrToDate(const String& s, TDateTime& value);
bool TryStrToDate(const String& s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToTime(const String& s, TDateTime& value);
bool TryStrToTime(const String& s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToDateTime(const String& s, TDateTime& value);
bool TryStrToDateTime(const String& s, TDateTime& value, const TFormatSettings& fs);
TDateTime StrToDate(const String& s);
TDateTime StrToDate(const String& s, const TFormatSettings& fs);
TDateTime StrToTime(const String& s);
TDateTime StrToTime(const String& s, const TFormatSettings& fs);
TDateTime StrToDateTime(const String& s);
TDateTime StrToDateTime(const String& s, const TFormatSettings& fs);
TDateTime StrToDateDef(const String& s, TDateTime defaultValue);
TDateTime StrToTimeDef(const String& s, TDateTime defaultValue);
TDateTime StrToDateTimeDef(const String& s, TDateTime defaultValue);
