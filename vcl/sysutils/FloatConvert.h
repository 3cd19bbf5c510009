#pragma once
// Floating-point and currency values to and from text.
#include "vcl/sysutils/Enums.h"
#include "vcl/sysutils/FormatSettings.h"

// Shortest text of up to 15 significant digits ("1.5", "1E20", "1E-5").
String FloatToStr(Extended value);
String FloatToStr(Extended value, const TFormatSettings& fs);
// precision: significant digits (at most 18); digits: decimals for ffFixed, ffNumber and
// ffCurrency, the exponent's least digit count for ffGeneral and ffExponent.
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);

String CurrToStr(Currency value);
String CurrToStr(Currency value, const TFormatSettings& fs);
String CurrToStrF(Currency value, TFloatFormat format, int digits);
String CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& fs);

// The picture language: 0 digit, # optional digit, '.' decimal point, ',' thousands, E+ E- e+ e-
// scientific with up to four exponent digits, 'text' and "text" literal; up to three sections
// (positive;negative;zero) separated by ';'.
String FormatFloat(const String& format, Extended value);
String FormatFloat(const String& format, Extended value, const TFormatSettings& fs);
String FormatCurr(const String& format, Currency value);
String FormatCurr(const String& format, Currency value, const TFormatSettings& fs);

// Text such as " -1.5E3 " with the settings' decimal separator and no thousands separators.
// StrToFloat raises EConvertError "'...' is not a valid floating point value".
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& fs);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs);
Extended StrToFloat(const String& s);
Extended StrToFloat(const String& s, const TFormatSettings& fs);
Extended StrToFloatDef(const String& s, Extended defaultValue);
Extended StrToFloatDef(const String& s, Extended defaultValue, const TFormatSettings& fs);

// Exact decimal reading, rounded half away from zero to four decimals.
bool TryStrToCurr(const String& s, Currency& value);
bool TryStrToCurr(const String& s, Currency& value, const TFormatSettings& fs);
Currency StrToCurr(const String& s);
Currency StrToCurr(const String& s, const TFormatSettings& fs);
Currency StrToCurrDef(const String& s, Currency defaultValue);
Currency StrToCurrDef(const String& s, Currency defaultValue, const TFormatSettings& fs);
