#pragma once
// Pieces shared by the number layouts (not part of the public surface).
#include "vcl/sysutils/FormatSettings.h"

// "1234567" -> "1,234,567".
QString GroupThousands(const QString& digits, QChar separator);
// A formatted amount with the currency string placed by CurrencyFormat / NegCurrFormat.
QString CurrencyLayout(const QString& number, bool negative, const TFormatSettings& fs);
