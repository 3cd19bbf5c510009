#include "vcl/dbtables/Driver.h"

#include <QList>

#include "vcl/dbtables/SQLiteDriver.h"

#include <cstring>

void TDbRow::Reserve(int Columns, int Bytes) {
    offsets_.reserve(size_t(Columns));
    data_.reserve(Bytes);
}

void TDbRow::AppendRaw(Kind K, const void* Data, size_t Size) {
    offsets_.push_back(quint32(data_.size()));
    data_.append(char(K));
    data_.append(static_cast<const char*>(Data), qsizetype(Size));
}

void TDbRow::AppendNull() {
    AppendRaw(Null, nullptr, 0);
}

void TDbRow::AppendInteger(Int64 Value) {
    AppendRaw(Integer, &Value, sizeof Value);
}

void TDbRow::AppendReal(double Value) {
    AppendRaw(Real, &Value, sizeof Value);
}

void TDbRow::AppendText(const char* Utf8, int Size) {
    const quint32 n = quint32(std::max(Size, 0));
    AppendRaw(Text, &n, sizeof n);
    data_.append(Utf8, qsizetype(n));
}

void TDbRow::AppendBytes(const char* Data, int Size) {
    const quint32 n = quint32(std::max(Size, 0));
    AppendRaw(Bytes, &n, sizeof n);
    data_.append(Data, qsizetype(n));
}

void TDbRow::Append(const QVariant& Value) {
    if (!Value.isValid() || Value.isNull()) {
        AppendNull();
        return;
    }
    switch (Value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        AppendReal(Value.toDouble());
        break;
    case QMetaType::QString: {
        const QByteArray text = Value.toString().toUtf8();
        AppendText(text.constData(), int(text.size()));
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = Value.toByteArray();
        AppendBytes(bytes.constData(), int(bytes.size()));
        break;
    }
    default:
        AppendInteger(Value.toLongLong());
        break;
    }
}

void TDbRow::Allocate(int Columns, qsizetype Bytes) {
    offsets_.resize(size_t(Columns));
    data_.resize(Bytes);
}

qsizetype TDbRow::PutInteger(int Column, qsizetype Offset, Int64 Value) {
    offsets_[size_t(Column)] = quint32(Offset);
    char* p = data_.data() + Offset;
    *p = Integer;
    std::memcpy(p + 1, &Value, sizeof Value);
    return Offset + NumberSize;
}

qsizetype TDbRow::PutReal(int Column, qsizetype Offset, double Value) {
    offsets_[size_t(Column)] = quint32(Offset);
    char* p = data_.data() + Offset;
    *p = Real;
    std::memcpy(p + 1, &Value, sizeof Value);
    return Offset + NumberSize;
}

qsizetype TDbRow::PutData(int Column, qsizetype Offset, Kind K, const void* Data, int Size) {
    offsets_[size_t(Column)] = quint32(Offset);
    char* p = data_.data() + Offset;
    *p = K;
    const quint32 n = quint32(std::max(Size, 0));
    std::memcpy(p + 1, &n, sizeof n);
    if (n) std::memcpy(p + 5, Data, n);
    return Offset + DataSize(int(n));
}

qsizetype TDbRow::PutNull(int Column, qsizetype Offset) {
    offsets_[size_t(Column)] = quint32(Offset);
    data_.data()[Offset] = Null;
    return Offset + 1;
}

QVariant TDbRow::Value(int Column) const {
    const char* p = data_.constData() + offsets_[size_t(Column)];
    switch (Kind(*p)) {
    case Integer: {
        Int64 v;
        std::memcpy(&v, p + 1, sizeof v);
        return QVariant(qlonglong(v));
    }
    case Real: {
        double v;
        std::memcpy(&v, p + 1, sizeof v);
        return QVariant(v);
    }
    case Text:
    case Bytes: {
        quint32 n;
        std::memcpy(&n, p + 1, sizeof n);
        if (Kind(*p) == Text) return QVariant(QString::fromUtf8(p + 1 + sizeof n, qsizetype(n)));
        return QVariant(QByteArray(p + 1 + sizeof n, qsizetype(n)));
    }
    default:
        return QVariant();
    }
}

double TDbRow::RealValue(int Column) const {
    const char* p = data_.constData() + offsets_[size_t(Column)];
    if (Kind(*p) == Real) {
        double v;
        std::memcpy(&v, p + 1, sizeof v);
        return v;
    }
    return Value(Column).toDouble();
}

void TDbStatement::ReadRow(TDbRow& Row, int Count) const {
    for (int i = 0; i < Count; ++i)
        Row.Append(Column(i));
}

namespace {
QList<std::shared_ptr<TDbDriver>>& Drivers() {
    static QList<std::shared_ptr<TDbDriver>> drivers{std::make_shared<TSQLiteDriver>()};
    return drivers;
}
} // namespace

void RegisterDbDriver(std::shared_ptr<TDbDriver> Driver) {
    auto& drivers = Drivers();
    for (auto& d : drivers)
        if (d->Name().compare(Driver->Name(), Qt::CaseInsensitive) == 0) {
            d = std::move(Driver);
            return;
        }
    drivers.append(std::move(Driver));
}

std::shared_ptr<TDbDriver> FindDbDriver(const String& Name) {
    for (const auto& d : Drivers())
        if (d->Name().compare(Name, Qt::CaseInsensitive) == 0) return d;
    return nullptr;
}
