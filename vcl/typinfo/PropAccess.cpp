#include "vcl/typinfo/PropAccess.h"

#include <QChar>
#include <QStringList>
#include <limits>

#include "vcl/typinfo/Consts.h"
#include "vcl/typinfo/Internal.h"

using namespace TypInfoConsts;
using mox::typinfo::RaiseInvalidPropType;
using mox::typinfo::ReadValue;
using mox::typinfo::RequireKind;
using mox::typinfo::RequireProp;
using mox::typinfo::WriteValue;

namespace {

constexpr TTypeKinds OrdinalKinds = TTypeKinds(tkInteger) | tkChar | tkWChar | tkEnumeration | tkSet;

[[noreturn]] void RaiseRange() {
    throw ERangeError(QString::fromLatin1(SRangeError));
}

void CheckRange(Int64 value, Int64 low, Int64 high) {
    if (value < low || value > high) RaiseRange();
}

// An enumeration or set value as stored: an integer of the type's size and signedness.
Int64 ReadEnumStorage(QMetaType type, const void* data) {
    const bool isUnsigned = type.flags() & QMetaType::IsUnsignedEnumeration;
    switch (type.sizeOf()) {
    case 1:
        return isUnsigned ? Int64(*static_cast<const quint8*>(data))
                          : Int64(*static_cast<const qint8*>(data));
    case 2:
        return isUnsigned ? Int64(*static_cast<const quint16*>(data))
                          : Int64(*static_cast<const qint16*>(data));
    case 4:
        return isUnsigned ? Int64(*static_cast<const quint32*>(data))
                          : Int64(*static_cast<const qint32*>(data));
    default:
        return *static_cast<const qint64*>(data);
    }
}

QVariant MakeEnumStorage(QMetaType type, Int64 value) {
    const bool isUnsigned = type.flags() & QMetaType::IsUnsignedEnumeration;
    const int bits = type.sizeOf() * 8;
    if (bits < 64) {
        if (isUnsigned)
            CheckRange(value, 0, (Int64(1) << bits) - 1);
        else
            CheckRange(value, -(Int64(1) << (bits - 1)), (Int64(1) << (bits - 1)) - 1);
    }
    QVariant result(type, nullptr);
    void* data = result.data();
    switch (type.sizeOf()) {
    case 1:
        *static_cast<qint8*>(data) = qint8(value);
        break;
    case 2:
        *static_cast<qint16*>(data) = qint16(value);
        break;
    case 4:
        *static_cast<qint32*>(data) = qint32(value);
        break;
    default:
        *static_cast<qint64*>(data) = value;
        break;
    }
    return result;
}

Int64 ReadOrdinal(PPropInfo info, const QVariant& v) {
    const QMetaType type = info->Type();
    switch (type.id()) {
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::UInt:
        return v.toUInt();
    case QMetaType::Short:
        return v.value<short>();
    case QMetaType::UShort:
        return v.value<unsigned short>();
    case QMetaType::SChar:
        return v.value<signed char>();
    case QMetaType::UChar:
        return v.value<unsigned char>();
    case QMetaType::Char:
        return static_cast<unsigned char>(v.value<char>());
    case QMetaType::QChar:
        return v.value<QChar>().unicode();
    case QMetaType::Char16:
        return v.value<char16_t>();
    case QMetaType::Long:
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return Int64(v.toULongLong()); // the bit pattern, as the platform keeps a UInt64
    default:
        break;
    }
    if (type.flags() & QMetaType::IsEnumeration) {
        const Int64 raw = ReadEnumStorage(type, v.constData());
        return info->Kind() == tkSet ? Int64(quint32(raw)) : raw;
    }
    RaiseInvalidPropType(info);
}

int AllMembers(const QMetaEnum& type) {
    int mask = 0;
    for (int i = 0; i < type.keyCount(); ++i)
        mask |= type.value(i);
    return mask;
}

QVariant MakeOrdinal(PPropInfo info, Int64 value) {
    const QMetaType type = info->Type();
    switch (type.id()) {
    case QMetaType::Bool:
        CheckRange(value, 0, 1);
        return QVariant(value == 1);
    case QMetaType::Int:
        CheckRange(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        return QVariant(int(value));
    case QMetaType::UInt:
        CheckRange(value, 0, std::numeric_limits<unsigned>::max());
        return QVariant(unsigned(value));
    case QMetaType::Short:
        CheckRange(value, std::numeric_limits<short>::min(), std::numeric_limits<short>::max());
        return QVariant::fromValue(short(value));
    case QMetaType::UShort:
        CheckRange(value, 0, std::numeric_limits<unsigned short>::max());
        return QVariant::fromValue((unsigned short)value);
    case QMetaType::SChar:
        CheckRange(value, -128, 127);
        return QVariant::fromValue((signed char)value);
    case QMetaType::UChar:
        CheckRange(value, 0, 255);
        return QVariant::fromValue((unsigned char)value);
    case QMetaType::Char:
        CheckRange(value, 0, 255);
        return QVariant::fromValue(char(static_cast<unsigned char>(value)));
    case QMetaType::QChar:
        CheckRange(value, 0, 0xFFFF);
        return QVariant::fromValue(QChar(char16_t(value)));
    case QMetaType::Char16:
        CheckRange(value, 0, 0xFFFF);
        return QVariant::fromValue(char16_t(value));
    case QMetaType::Long:
        return QVariant::fromValue(long(value));
    case QMetaType::LongLong:
        return QVariant::fromValue(qlonglong(value));
    case QMetaType::ULong:
        return QVariant::fromValue((unsigned long)value);
    case QMetaType::ULongLong:
        return QVariant::fromValue(qulonglong(value));
    default:
        break;
    }
    if (!(type.flags() & QMetaType::IsEnumeration)) RaiseInvalidPropType(info);
    const QMetaEnum& names = info->Enum();
    if (info->Kind() == tkEnumeration) {
        CheckRange(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        if (!names.valueToKey(int(value))) RaiseRange();
    }
    if (info->Kind() == tkSet) {
        // A set is its bit mask, whatever the signedness of its storage.
        const Int64 all = Int64(unsigned(AllMembers(names)));
        if (value < 0 || (value & ~all) != 0) RaiseRange();
        value = Int64(qint32(quint32(value)));
        if (type.flags() & QMetaType::IsUnsignedEnumeration) value = Int64(quint32(value));
    }
    return MakeEnumStorage(type, value);
}

} // namespace

void mox::typinfo::WriteValue(TObject* Instance, PPropInfo PropInfo, const QVariant& Value) {
    QObject* object = AsQObject(Instance);
    if (!object || !object->metaObject()->inherits(PropInfo->Prop().enclosingMetaObject()))
        RaiseUnknownProperty(PropInfo->Name());
    if (!PropInfo->IsWritable()) throw EPropertyError(QString::fromLatin1(SReadOnlyProperty));
    if (!PropInfo->Prop().write(object, Value))
        throw EPropertyConvertError(QString::fromLatin1(SInvalidPropertyValue));
}

Int64 GetOrdProp(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, OrdinalKinds);
    return ReadOrdinal(PropInfo, ReadValue(Instance, PropInfo));
}
Int64 GetOrdProp(const TObject* Instance, const String& PropName) {
    return GetOrdProp(Instance, RequireProp(Instance, PropName));
}

void SetOrdProp(TObject* Instance, PPropInfo PropInfo, Int64 Value) {
    RequireKind(PropInfo, OrdinalKinds);
    WriteValue(Instance, PropInfo, MakeOrdinal(PropInfo, Value));
}
void SetOrdProp(TObject* Instance, const String& PropName, Int64 Value) {
    SetOrdProp(Instance, RequireProp(Instance, PropName), Value);
}

String GetEnumProp(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, tkEnumeration);
    return GetEnumName(PropInfo, GetOrdProp(Instance, PropInfo));
}
String GetEnumProp(const TObject* Instance, const String& PropName) {
    return GetEnumProp(Instance, RequireProp(Instance, PropName));
}

void SetEnumProp(TObject* Instance, PPropInfo PropInfo, const String& Value) {
    RequireKind(PropInfo, tkEnumeration);
    const std::optional<int> ordinal = mox::typinfo::FindEnumValue(PropInfo, Value);
    if (!ordinal) throw EPropertyConvertError(QString::fromLatin1(SInvalidPropertyElement).arg(Value));
    SetOrdProp(Instance, PropInfo, *ordinal);
}
void SetEnumProp(TObject* Instance, const String& PropName, const String& Value) {
    SetEnumProp(Instance, RequireProp(Instance, PropName), Value);
}

String GetSetProp(const TObject* Instance, PPropInfo PropInfo, bool Brackets) {
    RequireKind(PropInfo, tkSet);
    return SetToString(PropInfo, int(GetOrdProp(Instance, PropInfo)), Brackets);
}
String GetSetProp(const TObject* Instance, const String& PropName, bool Brackets) {
    return GetSetProp(Instance, RequireProp(Instance, PropName), Brackets);
}

void SetSetProp(TObject* Instance, PPropInfo PropInfo, const String& Value) {
    RequireKind(PropInfo, tkSet);
    SetOrdProp(Instance, PropInfo, unsigned(StringToSet(PropInfo, Value)));
}
void SetSetProp(TObject* Instance, const String& PropName, const String& Value) {
    SetSetProp(Instance, RequireProp(Instance, PropName), Value);
}

String GetStrProp(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, tkLString);
    return ReadValue(Instance, PropInfo).toString();
}
String GetStrProp(const TObject* Instance, const String& PropName) {
    return GetStrProp(Instance, RequireProp(Instance, PropName));
}

void SetStrProp(TObject* Instance, PPropInfo PropInfo, const String& Value) {
    RequireKind(PropInfo, tkLString);
    WriteValue(Instance, PropInfo, QVariant(Value));
}
void SetStrProp(TObject* Instance, const String& PropName, const String& Value) {
    SetStrProp(Instance, RequireProp(Instance, PropName), Value);
}

Extended GetFloatProp(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, tkFloat);
    const QVariant value = ReadValue(Instance, PropInfo);
    const QMetaType type = PropInfo->Type();
    if (type == QMetaType::fromType<TDateTime>()) return value.value<TDateTime>().Val;
    if (type == QMetaType::fromType<Currency>()) return value.value<Currency>().ToExtended();
    if (type == QMetaType::fromType<long double>()) return value.value<long double>();
    if (type.id() == QMetaType::Float) return value.value<float>();
    return value.toDouble();
}
Extended GetFloatProp(const TObject* Instance, const String& PropName) {
    return GetFloatProp(Instance, RequireProp(Instance, PropName));
}

void SetFloatProp(TObject* Instance, PPropInfo PropInfo, Extended Value) {
    RequireKind(PropInfo, tkFloat);
    const QMetaType type = PropInfo->Type();
    QVariant value;
    if (type == QMetaType::fromType<TDateTime>())
        value = QVariant::fromValue(TDateTime(double(Value)));
    else if (type == QMetaType::fromType<Currency>())
        value = QVariant::fromValue(Currency(Value));
    else if (type == QMetaType::fromType<long double>())
        value = QVariant::fromValue(Value);
    else if (type.id() == QMetaType::Float)
        value = QVariant::fromValue(float(Value));
    else
        value = QVariant(double(Value));
    WriteValue(Instance, PropInfo, value);
}
void SetFloatProp(TObject* Instance, const String& PropName, Extended Value) {
    SetFloatProp(Instance, RequireProp(Instance, PropName), Value);
}

Int64 GetInt64Prop(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, TTypeKinds(tkInt64) | tkInteger);
    return ReadOrdinal(PropInfo, ReadValue(Instance, PropInfo));
}
Int64 GetInt64Prop(const TObject* Instance, const String& PropName) {
    return GetInt64Prop(Instance, RequireProp(Instance, PropName));
}

void SetInt64Prop(TObject* Instance, PPropInfo PropInfo, Int64 Value) {
    RequireKind(PropInfo, TTypeKinds(tkInt64) | tkInteger);
    WriteValue(Instance, PropInfo, MakeOrdinal(PropInfo, Value));
}
void SetInt64Prop(TObject* Instance, const String& PropName, Int64 Value) {
    SetInt64Prop(Instance, RequireProp(Instance, PropName), Value);
}

QObject* GetObjectProp(const TObject* Instance, PPropInfo PropInfo, const QMetaObject* MinClass) {
    RequireKind(PropInfo, tkClass);
    QObject* object = ReadValue(Instance, PropInfo).value<QObject*>();
    if (object && MinClass && !object->metaObject()->inherits(MinClass)) return nullptr;
    return object;
}
QObject* GetObjectProp(const TObject* Instance, const String& PropName, const QMetaObject* MinClass) {
    return GetObjectProp(Instance, RequireProp(Instance, PropName), MinClass);
}

void SetObjectProp(TObject* Instance, PPropInfo PropInfo, QObject* Value) {
    RequireKind(PropInfo, tkClass);
    if (Value && !Value->metaObject()->inherits(PropInfo->ClassType()))
        throw EPropertyConvertError(QString::fromLatin1(SInvalidPropertyValue));
    // moc places the QObject base first, so the pointer is the pointee's address for any class.
    WriteValue(Instance, PropInfo, QVariant(PropInfo->Type(), &Value));
}
void SetObjectProp(TObject* Instance, const String& PropName, QObject* Value) {
    SetObjectProp(Instance, RequireProp(Instance, PropName), Value);
}

QVariant GetMethodProp(const TObject* Instance, PPropInfo PropInfo) {
    RequireKind(PropInfo, tkMethod);
    return ReadValue(Instance, PropInfo);
}
QVariant GetMethodProp(const TObject* Instance, const String& PropName) {
    return GetMethodProp(Instance, RequireProp(Instance, PropName));
}

void SetMethodProp(TObject* Instance, PPropInfo PropInfo, const QVariant& Handler) {
    RequireKind(PropInfo, tkMethod);
    if (!Handler.isValid()) {
        WriteValue(Instance, PropInfo, QVariant(PropInfo->Type(), nullptr));
        return;
    }
    if (Handler.metaType() != PropInfo->Type()) RaiseInvalidPropType(PropInfo);
    WriteValue(Instance, PropInfo, Handler);
}
void SetMethodProp(TObject* Instance, const String& PropName, const QVariant& Handler) {
    SetMethodProp(Instance, RequireProp(Instance, PropName), Handler);
}

bool IsMethodAssigned(const TObject* Instance, PPropInfo PropInfo) {
    return IsEventAssigned(GetMethodProp(Instance, PropInfo));
}

TPropPath FindPropPath(TObject* Root, const String& Path) {
    const QStringList names = Path.split('.');
    TObject* instance = Root;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const PPropInfo info = names[i].isEmpty() ? nullptr : GetPropInfo(instance, names[i]);
        if (!info) return {};
        if (i == names.size() - 1) return {instance, info};
        if (info->Kind() != tkClass) return {};
        instance = dynamic_cast<TObject*>(GetObjectProp(instance, info));
        if (!instance) return {};
    }
    return {};
}

TPropPath GetPropPath(TObject* Root, const String& Path) {
    const TPropPath found = FindPropPath(Root, Path);
    if (!found) mox::typinfo::RaiseUnknownProperty(Path);
    return found;
}
