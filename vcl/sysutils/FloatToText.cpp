#include "vcl/sysutils/FloatConvert.h"

#include "vcl/sysutils/FloatDecimal.h"
#include "vcl/sysutils/FloatText.h"

namespace {

constexpr int MaxPrecision = 18;
constexpr int AllDecimals = 9999;

QString SpecialText(const TFloatRec& rec) {
    switch (rec.kind) {
    case TFloatRec::NaN:
        return QStringLiteral("NAN");
    case TFloatRec::PositiveInfinity:
        return QStringLiteral("INF");
    case TFloatRec::NegativeInfinity:
        return QStringLiteral("-INF");
    case TFloatRec::Finite:
        break;
    }
    return QString();
}

QString Digit(const TFloatRec& rec, qsizetype i) {
    return QString(QChar(i >= 0 && i < rec.Digits.size() ? rec.Digits[i] : '0'));
}

QString ExponentText(int exponent, bool alwaysSign, int minDigits) {
    QString s = exponent < 0 ? QStringLiteral("-") : alwaysSign ? QStringLiteral("+") : QString();
    return s + QString::number(std::abs(exponent)).rightJustified(minDigits, u'0');
}

QString Scientific(const TFloatRec& rec, int mantissaDigits, bool alwaysSign, int expDigits,
                   const TFormatSettings& fs) {
    QString s = Digit(rec, 0);
    if (mantissaDigits > 1) {
        s += fs.DecimalSeparator;
        for (int i = 1; i < mantissaDigits; ++i)
            s += Digit(rec, i);
    }
    return s + u'E' + ExponentText(rec.IsZero() ? 0 : rec.Exponent - 1, alwaysSign, expDigits);
}

QString General(const TFloatRec& rec, int precision, int expDigits, const TFormatSettings& fs) {
    if (rec.IsZero()) return QStringLiteral("0");
    if (rec.Exponent > precision || rec.Exponent < -3)
        return Scientific(rec, int(rec.Digits.size()), false, expDigits, fs);
    QString s;
    if (rec.Exponent <= 0) {
        s = u'0' + QString(fs.DecimalSeparator) + QString(-rec.Exponent, u'0') +
            QString::fromLatin1(rec.Digits);
    } else {
        for (int i = 0; i < rec.Exponent; ++i)
            s += Digit(rec, i);
        if (rec.Digits.size() > rec.Exponent)
            s += fs.DecimalSeparator + QString::fromLatin1(rec.Digits.mid(rec.Exponent));
    }
    return s;
}

QString Fixed(const TFloatRec& rec, int decimals, bool thousands, const TFormatSettings& fs) {
    QString whole;
    for (int i = 0; i < rec.Exponent; ++i)
        whole += Digit(rec, i);
    if (whole.isEmpty()) whole = QStringLiteral("0");
    QString s = thousands ? GroupThousands(whole, fs.ThousandSeparator) : whole;
    if (decimals > 0) {
        s += fs.DecimalSeparator;
        for (int i = 0; i < decimals; ++i)
            s += Digit(rec, rec.Exponent + i);
    }
    return s;
}

QString Layout(const TFloatRec& rec, TFloatFormat format, int precision, int digits,
               const TFormatSettings& fs) {
    if (rec.kind != TFloatRec::Finite) return SpecialText(rec);
    const bool negative = rec.Negative && !rec.IsZero();
    QString body;
    switch (format) {
    case ffGeneral:
        body = General(rec, precision, qBound(0, digits, 4), fs);
        break;
    case ffExponent:
        body = Scientific(rec, precision, true, qBound(0, digits, 4), fs);
        break;
    case ffFixed:
    case ffNumber:
    case ffCurrency:
        if (rec.Exponent > precision)
            body = General(rec, precision, 0, fs);
        else
            body = Fixed(rec, digits, format != ffFixed, fs);
        break;
    }
    if (format == ffCurrency) return CurrencyLayout(body, negative, fs);
    return negative ? u'-' + body : body;
}

} // namespace

QString GroupThousands(const QString& digits, QChar separator) {
    QString s;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        s += digits[i];
        if (i < n - 1 && (n - 1 - i) % 3 == 0) s += separator;
    }
    return s;
}

QString CurrencyLayout(const QString& number, bool negative, const TFormatSettings& fs) {
    const QString& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 1:
            return number + c;
        case 2:
            return c + u' ' + number;
        case 3:
            return number + u' ' + c;
        default:
            return c + number;
        }
    }
    switch (fs.NegCurrFormat) {
    case 1:
        return u'-' + c + number;
    case 2:
        return c + u'-' + number;
    case 3:
        return c + number + u'-';
    case 4:
        return u'(' + number + c + u')';
    case 5:
        return u'-' + number + c;
    case 6:
        return number + u'-' + c;
    case 7:
        return number + c + u'-';
    case 8:
        return u'-' + number + u' ' + c;
    case 9:
        return u'-' + c + u' ' + number;
    case 10:
        return number + u' ' + c + u'-';
    case 11:
        return c + u' ' + number + u'-';
    case 12:
        return c + u' ' + u'-' + number;
    case 13:
        return number + u'-' + u' ' + c;
    case 14:
        return u'(' + c + u' ' + number + u')';
    case 15:
        return u'(' + number + u' ' + c + u')';
    default:
        return u'(' + c + number + u')';
    }
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& fs) {
    precision = qBound(1, precision, MaxPrecision);
    digits = qBound(0, digits, MaxPrecision);
    const bool fixed = format == ffFixed || format == ffNumber || format == ffCurrency;
    return Layout(FloatToDecimal(value, precision, fixed ? digits : AllDecimals), format, precision, digits,
                  fs);
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FloatToStr(Extended value, const TFormatSettings& fs) {
    return FloatToStrF(value, ffGeneral, 15, 0, fs);
}
String FloatToStr(Extended value) {
    return FloatToStr(value, FormatSettings);
}

String CurrToStrF(Currency value, TFloatFormat format, int digits, const TFormatSettings& fs) {
    constexpr int precision = 19;
    digits = qBound(0, digits, MaxPrecision);
    const bool fixed = format == ffFixed || format == ffNumber || format == ffCurrency;
    return Layout(CurrToDecimal(value, precision, fixed ? digits : AllDecimals), format, precision, digits,
                  fs);
}

String CurrToStrF(Currency value, TFloatFormat format, int digits) {
    return CurrToStrF(value, format, digits, FormatSettings);
}

String CurrToStr(Currency value, const TFormatSettings& fs) {
    return CurrToStrF(value, ffGeneral, 0, fs);
}
String CurrToStr(Currency value) {
    return CurrToStr(value, FormatSettings);
}
