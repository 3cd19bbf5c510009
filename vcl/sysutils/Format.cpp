#include "vcl/sysutils/Format.h"

#include "vcl/sysutils/Consts.h"
#include "vcl/sysutils/FloatConvert.h"

UInt64 TVarRec::AsUInt64() const {
    if (kind_ == vtUInt64) return uint_;
    // A negative int reads as its 32-bit pattern, like the platform's Cardinal.
    if (kind_ == vtInteger) return UInt64(quint32(int_));
    return UInt64(int_);
}

namespace {

class Formatter {
public:
    Formatter(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& fs)
        : f_(format), args_(args.begin(), args.end()), fs_(fs) {}

    QString Run() {
        QString out;
        qsizetype i = 0;
        while (i < f_.size()) {
            const qsizetype percent = f_.indexOf(u'%', i);
            if (percent < 0) {
                out += QStringView(f_).mid(i);
                break;
            }
            out += QStringView(f_).mid(i, percent - i);
            i = percent + 1;
            if (i < f_.size() && f_[i] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            out += Specifier(i);
        }
        return out;
    }

private:
    [[noreturn]] void Invalid() const { SysConsts::RaiseConvertError(SysConsts::SInvalidFormat, f_); }

    const TVarRec& Next() {
        if (next_ >= args_.size()) SysConsts::RaiseConvertError(SysConsts::SArgumentMissing, f_);
        return args_[next_++];
    }

    // Digits or "*"; -1 when neither is there.
    int Count(qsizetype& i) {
        if (i < f_.size() && f_[i] == u'*') {
            ++i;
            const TVarRec& a = Next();
            if (a.VType() != TVarRec::vtInteger) Invalid();
            return int(a.AsInt64());
        }
        if (i >= f_.size() || !f_[i].isDigit()) return -1;
        qint64 n = 0;
        while (i < f_.size() && f_[i] >= u'0' && f_[i] <= u'9') {
            n = qMin<qint64>(n * 10 + (f_[i].unicode() - u'0'), 1 << 20);
            ++i;
        }
        return int(n);
    }

    QString Specifier(qsizetype& i) {
        // An index ("%1:s", "%*:s"): this and the following arguments start there.
        qsizetype j = i;
        if (j < f_.size() && f_[j] == u'*')
            ++j;
        else
            while (j < f_.size() && f_[j] >= u'0' && f_[j] <= u'9')
                ++j;
        if (j > i && j < f_.size() && f_[j] == u':') {
            const int index = Count(i);
            if (index < 0) Invalid();
            next_ = size_t(index);
            ++i;
        }
        bool left = false;
        if (i < f_.size() && f_[i] == u'-') {
            left = true;
            ++i;
        }
        const int width = Count(i);
        int precision = -1;
        if (i < f_.size() && f_[i] == u'.') {
            ++i;
            precision = Count(i);
            if (precision < 0) precision = 0;
        }
        if (i >= f_.size()) Invalid();
        const QChar type = f_[i++].toLower();
        QString text = Convert(type, Next(), precision);
        if (width > text.size()) text = left ? text.leftJustified(width) : text.rightJustified(width);
        return text;
    }

    QString Convert(QChar type, const TVarRec& a, int precision) {
        switch (type.unicode()) {
        case u'd': {
            if (!a.IsInteger()) Invalid();
            QString digits = a.VType() == TVarRec::vtUInt64 ? QString::number(qulonglong(a.AsUInt64()))
                                                            : QString::number(qlonglong(a.AsInt64()));
            const bool negative = digits.startsWith(u'-');
            if (negative) digits.remove(0, 1);
            digits = digits.rightJustified(precision, u'0');
            return negative ? u'-' + digits : digits;
        }
        case u'u':
            if (!a.IsInteger()) Invalid();
            return QString::number(qulonglong(a.AsUInt64())).rightJustified(precision, u'0');
        case u'x':
            if (!a.IsInteger()) Invalid();
            return QString::number(qulonglong(a.AsUInt64()), 16).toUpper().rightJustified(precision, u'0');
        case u'e':
            if (!a.IsFloat()) Invalid();
            return FloatToStrF(a.AsExtended(), ffExponent, precision < 0 ? 15 : precision, 3, fs_);
        case u'f':
        case u'n':
            if (!a.IsFloat()) Invalid();
            if (a.VType() == TVarRec::vtCurrency)
                return CurrToStrF(a.AsCurrency(), type == u'f' ? ffFixed : ffNumber,
                                  precision < 0 ? 2 : precision, fs_);
            return FloatToStrF(a.AsExtended(), type == u'f' ? ffFixed : ffNumber, 18,
                               precision < 0 ? 2 : precision, fs_);
        case u'g':
            if (!a.IsFloat()) Invalid();
            return FloatToStrF(a.AsExtended(), ffGeneral, precision < 0 ? 15 : precision, 0, fs_);
        case u'm': {
            if (!a.IsFloat()) Invalid();
            const int decimals = precision < 0 ? fs_.CurrencyDecimals : precision;
            if (a.VType() == TVarRec::vtCurrency)
                return CurrToStrF(a.AsCurrency(), ffCurrency, decimals, fs_);
            return FloatToStrF(a.AsExtended(), ffCurrency, 18, decimals, fs_);
        }
        case u'p':
            if (a.VType() != TVarRec::vtPointer) Invalid();
            return QString::number(quintptr(a.AsPointer()), 16)
                .toUpper()
                .rightJustified(int(sizeof(void*) * 2), u'0');
        case u's':
            if (!a.IsText()) Invalid();
            return precision >= 0 ? a.AsString().left(precision) : a.AsString();
        default:
            Invalid();
        }
    }

    const QString& f_;
    std::vector<TVarRec> args_;
    const TFormatSettings& fs_;
    size_t next_ = 0;
};

} // namespace

String Format(const String& format, std::initializer_list<TVarRec> args, const TFormatSettings& fs) {
    return Formatter(format, args, fs).Run();
}

String Format(const String& format, std::initializer_list<TVarRec> args) {
    return Format(format, args, FormatSettings);
}
