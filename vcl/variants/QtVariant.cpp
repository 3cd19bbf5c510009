// Variant at Qt's boundaries.
#include "vcl/variants/Access.h"

#include "vcl/SysUtils.h"

#include <QDateTime>
#include <QVariantList>

using namespace VariantRules;
using VA = VariantAccess;

QVariant Variant::ToQVariant() const {
    switch (KindOf(*this)) {
    case Kind::Empty:
        return QVariant();
    case Kind::Null:
        return QVariant::fromValue(nullptr);
    case Kind::Boolean:
        return QVariant(i_ != 0);
    case Kind::Signed:
        if (type_ == varInt64) return QVariant(qlonglong(i_));
        return QVariant(int(i_));
    case Kind::Unsigned:
        if (type_ == varUInt64) return QVariant(qulonglong(u_));
        return QVariant(uint(u_));
    case Kind::Float:
        if (type_ == varSingle) return QVariant(float(d_));
        return QVariant(d_);
    case Kind::Currency:
        return QVariant(Currency::FromRaw(i_).ToDouble());
    case Kind::Date:
        return QVariant(DateTimeToQDateTime(d_));
    case Kind::String:
        return QVariant(s_);
    case Kind::Array:
        break;
    }
    const ArrayData& d = *array_;
    QVariantList list;
    if (d.dims == 1) {
        for (const Variant& item : d.items)
            list << item.ToQVariant();
        return list;
    }
    for (int r = 0; r < d.count[0]; ++r) {
        QVariantList row;
        for (int c = 0; c < d.count[1]; ++c)
            row << d.items[size_t(r) * size_t(d.count[1]) + size_t(c)].ToQVariant();
        list << QVariant(row);
    }
    return list;
}

Variant Variant::FromQVariant(const QVariant& value) {
    if (!value.isValid()) return Variant();
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<Variant>()) return value.value<Variant>();
    switch (type.id()) {
    case QMetaType::Nullptr:
        return Null();
    case QMetaType::Bool:
        return Variant(value.toBool());
    case QMetaType::Int:
        return Variant(value.toInt());
    case QMetaType::UInt:
        return Variant(value.toUInt());
    case QMetaType::Short:
        return Variant(short(value.toInt()));
    case QMetaType::UShort:
        return Variant((unsigned short)value.toUInt());
    case QMetaType::SChar:
        return Variant((signed char)value.toInt());
    case QMetaType::UChar:
        return Variant((unsigned char)value.toUInt());
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Variant(Int64(value.toLongLong()));
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return Variant(UInt64(value.toULongLong()));
    case QMetaType::Float:
        return Variant(value.toFloat());
    case QMetaType::Double:
        return Variant(value.toDouble());
    case QMetaType::QString:
        return Variant(value.toString());
    case QMetaType::QChar:
        return Variant(value.toChar());
    case QMetaType::QByteArray:
        return Variant(QString::fromUtf8(value.toByteArray()));
    case QMetaType::QDate:
        return Variant(QDateToDateTime(value.toDate()));
    case QMetaType::QTime:
        return Variant(QTimeToDateTime(value.toTime()));
    case QMetaType::QDateTime:
        return Variant(QDateTimeToDateTime(value.toDateTime()));
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        const QVariantList list = value.toList();
        auto data = std::make_shared<ArrayData>();
        data->count[0] = int(list.size());
        for (const QVariant& item : list)
            data->items.push_back(FromQVariant(item));
        return VA::MakeArray(std::move(data));
    }
    default:
        break;
    }
    if (value.canConvert<QString>()) return Variant(value.toString());
    CastError();
}
