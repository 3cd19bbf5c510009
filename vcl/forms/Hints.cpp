#include "vcl/forms/Hints.h"

String GetShortHint(const String& Hint) {
    const qsizetype bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.left(bar);
}

String GetLongHint(const String& Hint) {
    const qsizetype bar = Hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? Hint : Hint.mid(bar + 1);
}
