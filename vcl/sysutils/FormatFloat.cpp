// The picture language of FormatFloat and FormatCurr.
#include "vcl/sysutils/FloatConvert.h"

#include "vcl/sysutils/FloatDecimal.h"
#include "vcl/sysutils/FloatText.h"

#include <functional>

namespace {

constexpr int MaxPrecision = 18;
constexpr int AllDecimals = 9999;

// Rounds the value being formatted to the given significant digits and decimals.
using Source = std::function<TFloatRec(int precision, int decimals)>;

bool IsQuote(QChar c) {
    return c == u'\'' || c == u'"';
}

// Splits at ';' outside quotes.
QStringList Sections(const QString& format) {
    QStringList sections{QString()};
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (IsQuote(c)) {
            quote = c;
        } else if (c == u';') {
            sections << QString();
            continue;
        }
        sections.last() += c;
    }
    return sections;
}

// What a section asks for, from one pass over it.
struct Shape {
    int intPlaces = 0, firstIntZero = -1; // placeholders before the point; index of the first '0'
    int decPlaces = 0, lastDecZero = -1;  // placeholders after it; index of the last '0'
    bool thousands = false;
    bool scientific = false;
};

// True when the picture at i holds an exponent: E+ E- e+ e-.
bool ExponentAt(const QString& s, qsizetype i) {
    return (s[i] == u'E' || s[i] == u'e') && i + 1 < s.size() && (s[i + 1] == u'+' || s[i + 1] == u'-');
}

Shape Analyse(const QString& s) {
    Shape shape;
    bool point = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (IsQuote(c)) {
            const qsizetype end = s.indexOf(c, i + 1);
            i = end < 0 ? s.size() : end;
        } else if (c == u'0' || c == u'#') {
            if (!point) {
                if (c == u'0' && shape.firstIntZero < 0) shape.firstIntZero = shape.intPlaces;
                ++shape.intPlaces;
            } else {
                if (c == u'0') shape.lastDecZero = shape.decPlaces;
                ++shape.decPlaces;
            }
        } else if (c == u'.') {
            point = true;
        } else if (c == u',') {
            shape.thousands = true;
        } else if (ExponentAt(s, i)) {
            shape.scientific = true;
            break; // the rest is the exponent and literal text
        }
    }
    return shape;
}

struct Rendered {
    QString text;
    bool zero = false;
};

Rendered Render(const QString& s, const Source& source, const TFormatSettings& fs) {
    const Shape shape = Analyse(s);
    TFloatRec rec;
    int exponent = 0;
    QString whole, fraction;
    if (shape.scientific) {
        rec = source(qBound(1, shape.intPlaces + shape.decPlaces, MaxPrecision), AllDecimals);
        exponent = rec.IsZero() ? 0 : rec.Exponent - shape.intPlaces;
        for (int i = 0; i < shape.intPlaces; ++i)
            whole += QChar(i < rec.Digits.size() ? rec.Digits[i] : '0');
        for (int i = 0; i < shape.decPlaces; ++i) {
            const qsizetype k = shape.intPlaces + i;
            fraction += QChar(k < rec.Digits.size() ? rec.Digits[k] : '0');
        }
        // A zero mantissa keeps only the digits the picture requires.
        const int minWhole = shape.firstIntZero < 0 ? 0 : shape.intPlaces - shape.firstIntZero;
        while (whole.size() > minWhole && whole.startsWith(u'0'))
            whole.remove(0, 1);
    } else {
        rec = source(MaxPrecision, shape.decPlaces);
        for (int i = 0; i < rec.Exponent; ++i)
            whole += QChar(i < rec.Digits.size() ? rec.Digits[i] : '0');
        const int minWhole = shape.firstIntZero < 0 ? 0 : shape.intPlaces - shape.firstIntZero;
        if (whole.size() < minWhole) whole = QString(minWhole - whole.size(), u'0') + whole;
        for (int i = 0; i < shape.decPlaces; ++i) {
            const qsizetype k = qsizetype(rec.Exponent) + i;
            fraction += QChar(k >= 0 && k < rec.Digits.size() ? rec.Digits[k] : '0');
        }
    }
    while (fraction.size() > shape.lastDecZero + 1 && fraction.endsWith(u'0'))
        fraction.chop(1);

    Rendered out;
    out.zero = rec.IsZero();
    QString& r = out.text;
    const qsizetype excess = whole.size() - shape.intPlaces;
    auto putWhole = [&](qsizetype from, qsizetype to) {
        for (qsizetype j = qMax<qsizetype>(from, 0); j <= to && j < whole.size(); ++j) {
            r += whole[j];
            if (shape.thousands && !shape.scientific && j < whole.size() - 1 &&
                (whole.size() - 1 - j) % 3 == 0)
                r += fs.ThousandSeparator;
        }
    };
    int intSeen = 0, decSeen = 0;
    bool point = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (IsQuote(c)) {
            const qsizetype end = s.indexOf(c, i + 1);
            r += s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1);
            i = end < 0 ? s.size() : end;
        } else if ((c == u'0' || c == u'#') && !point) {
            const qsizetype j = intSeen + excess;
            putWhole(intSeen == 0 ? 0 : j, j);
            ++intSeen;
        } else if (c == u'0' || c == u'#') {
            if (decSeen < fraction.size()) r += fraction[decSeen];
            ++decSeen;
        } else if (c == u'.') {
            if (point) continue;
            point = true;
            if (shape.intPlaces == 0) putWhole(0, whole.size() - 1);
            if (!fraction.isEmpty()) r += fs.DecimalSeparator;
        } else if (c == u',') {
            continue;
        } else if (ExponentAt(s, i)) {
            const bool plus = s[i + 1] == u'+';
            i += 2;
            int digits = 0;
            while (i < s.size() && s[i] == u'0' && digits < 4) {
                ++digits;
                ++i;
            }
            --i;
            r += c;
            r += exponent < 0 ? QStringLiteral("-") : plus ? QStringLiteral("+") : QString();
            r += QString::number(std::abs(exponent)).rightJustified(digits, u'0');
            // Anything after the exponent is literal text.
            for (++i; i < s.size(); ++i) {
                if (IsQuote(s[i])) {
                    const qsizetype end = s.indexOf(s[i], i + 1);
                    r += s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1);
                    i = end < 0 ? s.size() : end;
                } else {
                    r += s[i];
                }
            }
            break;
        } else {
            r += c;
        }
    }
    return out;
}

QString Picture(const QString& format, const Source& source, const TFormatSettings& fs) {
    const TFloatRec probe = source(MaxPrecision, AllDecimals);
    if (probe.kind == TFloatRec::NaN) return QStringLiteral("NAN");
    if (probe.kind == TFloatRec::PositiveInfinity) return QStringLiteral("INF");
    if (probe.kind == TFloatRec::NegativeInfinity) return QStringLiteral("-INF");
    const QStringList sections = Sections(format);
    const bool negative = probe.Negative && !probe.IsZero();
    const bool ownNegative = negative && sections.size() >= 2 && !sections[1].isEmpty();
    const QString& chosen = ownNegative ? sections[1] : sections[0];
    const bool hasZero = sections.size() >= 3 && !sections[2].isEmpty();
    if (chosen.isEmpty() && !(probe.IsZero() && hasZero)) return QString();
    if (probe.IsZero() && hasZero) return Render(sections[2], source, fs).text;
    const Rendered r = Render(chosen, source, fs);
    // A value that rounds to zero is written as zero.
    if (r.zero)
        return hasZero       ? Render(sections[2], source, fs).text
               : ownNegative ? Render(sections[0], source, fs).text
                             : r.text;
    return negative && !ownNegative ? u'-' + r.text : r.text;
}

} // namespace

String FormatFloat(const String& format, Extended value, const TFormatSettings& fs) {
    if (format.isEmpty() || format.startsWith(u';')) return FloatToStrF(value, ffGeneral, 15, 0, fs);
    return Picture(
        format, [value](int p, int d) { return FloatToDecimal(value, p, d); }, fs);
}

String FormatFloat(const String& format, Extended value) {
    return FormatFloat(format, value, FormatSettings);
}

String FormatCurr(const String& format, Currency value, const TFormatSettings& fs) {
    if (format.isEmpty() || format.startsWith(u';')) return CurrToStrF(value, ffGeneral, 0, fs);
    return Picture(
        format, [value](int p, int d) { return CurrToDecimal(value, p, d); }, fs);
}

String FormatCurr(const String& format, Currency value) {
    return FormatCurr(format, value, FormatSettings);
}
