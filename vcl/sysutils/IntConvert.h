#pragma once
// Integers to and from text.
#include "vcl/System.h"

String IntToStr(int value);
String IntToStr(Int64 value);
// Upper-case hexadecimal of at least `digits` digits; negative values as their two's complement.
String IntToHex(int value, int digits);
String IntToHex(Int64 value, int digits);
String UIntToStr(UInt64 value);

// Decimal or hexadecimal ("$1F", "0x1F") text with leading blanks and a sign; anything after the
// number makes it invalid. StrToInt raises EConvertError "'...' is not a valid integer value".
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, Int64& value);
int StrToInt(const String& s);
Int64 StrToInt64(const String& s);
int StrToIntDef(const String& s, int defaultValue);
Int64 StrToInt64Def(const String& s, Int64 defaultValue);
