#include "vcl/typinfo/PropInfo.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <algorithm>
#include <memory>
#include <vector>

#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"
#include "vcl/typinfo/Consts.h"
#include "vcl/typinfo/Internal.h"
#include "vcl/variants/Variant.h"

using namespace TypInfoConsts;

namespace {

// The enumeration behind an enumeration or set property. moc knows it when the property's type
// is written with its scope (Classes::TAlign); for a type written without it (after
// "using namespace Classes") the meta-type still knows the meta-object that declares it.
QMetaEnum ResolveEnum(const QMetaProperty& prop) {
    if (prop.isEnumType()) return prop.enumerator();
    const QMetaType type = prop.metaType();
    const QMetaObject* scope = type.metaObject();
    if (!(type.flags() & QMetaType::IsEnumeration) || !scope) return QMetaEnum();
    QByteArray name = type.name();
    const bool isSet = name.startsWith("QFlags<") && name.endsWith('>');
    if (isSet) name = name.mid(7, name.size() - 8);
    name = name.mid(name.lastIndexOf(':') + 1);
    for (int i = 0; i < scope->enumeratorCount(); ++i) {
        const QMetaEnum e = scope->enumerator(i);
        if (isSet ? (e.isFlag() && name == e.enumName()) : name == e.name()) return e;
    }
    return QMetaEnum();
}

bool IsSetType(QMetaType type) {
    return (type.flags() & QMetaType::IsEnumeration) && QByteArray(type.name()).startsWith("QFlags<");
}

// The published properties of one class, built on first use and kept for the program's life.
struct ClassProps {
    std::vector<std::unique_ptr<TPropInfo>> infos;
    QHash<QString, PPropInfo> byName; // keyed by the case-folded name
    TPropList list;
};

QString NameKey(const QString& name) {
    return name.toCaseFolded();
}

std::unique_ptr<ClassProps> BuildClassProps(const QMetaObject* mo) {
    auto result = std::make_unique<ClassProps>();
    if (!mo || !mo->inherits(&TPersistent::staticMetaObject)) return result;
    QHash<QString, int> position;
    // Qt numbers the properties of the base classes first, in declaration order.
    for (int i = TPersistent::staticMetaObject.propertyOffset(); i < mo->propertyCount(); ++i) {
        const QMetaProperty prop = mo->property(i);
        const QString key = NameKey(QString::fromLatin1(prop.name()));
        const auto found = position.constFind(key);
        if (found != position.cend()) {
            // A redeclaration in a derived class replaces the base's description in place.
            result->infos[*found] = std::make_unique<TPropInfo>(prop, mo, *found);
        } else {
            position.insert(key, int(result->infos.size()));
            result->infos.push_back(std::make_unique<TPropInfo>(prop, mo, int(result->infos.size())));
        }
    }
    for (const auto& info : result->infos) {
        result->list.append(info.get());
        result->byName.insert(NameKey(info->Name()), info.get());
    }
    return result;
}

const ClassProps& PropsOf(const QMetaObject* mo) {
    static QMutex mutex;
    static QHash<const QMetaObject*, std::shared_ptr<const ClassProps>> cache;
    QMutexLocker locker(&mutex);
    auto& slot = cache[mo];
    if (!slot) slot = BuildClassProps(mo);
    return *slot;
}

const QMetaObject* MetaObjectOf(const TObject* instance) {
    const QObject* object = mox::typinfo::AsQObject(instance);
    return object ? object->metaObject() : nullptr;
}

} // namespace

namespace mox::typinfo {

const QObject* AsQObject(const TObject* Instance) {
    return dynamic_cast<const TPersistent*>(Instance);
}
QObject* AsQObject(TObject* Instance) {
    return dynamic_cast<TPersistent*>(Instance);
}

void RaiseUnknownProperty(const String& Name) {
    throw EPropertyError(QString::fromLatin1(SUnknownProperty).arg(Name));
}

void RaiseInvalidPropType(PPropInfo PropInfo) {
    // An event type by the name the program gives it ("TNotifyEvent"), not as C++ spells it out.
    QString name = EventTypeName(PropInfo->Type());
    if (name.isEmpty()) name = QString::fromLatin1(PropInfo->Type().name());
    throw EPropertyError(QString::fromLatin1(SInvalidPropertyType).arg(name));
}

PPropInfo RequireProp(const TObject* Instance, const String& PropName) {
    return FindPublishedProp(Instance, PropName);
}

void RequireKind(PPropInfo PropInfo, TTypeKinds Kinds) {
    if (!(Kinds & PropInfo->Kind())) RaiseInvalidPropType(PropInfo);
}

QVariant ReadValue(const TObject* Instance, PPropInfo PropInfo) {
    const QObject* object = AsQObject(Instance);
    // A description read against an object of another class would make Qt address the wrong
    // property of it.
    if (!object || !object->metaObject()->inherits(PropInfo->Prop().enclosingMetaObject()))
        RaiseUnknownProperty(PropInfo->Name());
    return PropInfo->Prop().read(object);
}

} // namespace mox::typinfo

TPropInfo::TPropInfo(const QMetaProperty& Prop, const QMetaObject* Host, int NameIndex)
    : prop_(Prop), enum_(ResolveEnum(Prop)), host_(Host), index_(NameIndex),
      name_(QString::fromLatin1(Prop.name())) {}

TTypeKind TPropInfo::Kind() const {
    return TypeKindOf(prop_.metaType(), enum_);
}

const QMetaObject* TPropInfo::ClassType() const {
    return Kind() == tkClass ? prop_.metaType().metaObject() : nullptr;
}

TFloatType TPropInfo::FloatType() const {
    const QMetaType type = prop_.metaType();
    if (type.id() == QMetaType::Float) return ftSingle;
    if (type == QMetaType::fromType<long double>()) return ftExtended;
    if (type == QMetaType::fromType<Currency>()) return ftCurr;
    return ftDouble;
}

TTypeKind TypeKindOf(QMetaType Type, const QMetaEnum& Enum) {
    switch (Type.id()) {
    case QMetaType::Bool:
        return tkEnumeration;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return tkInteger;
    case QMetaType::Char:
        return tkChar;
    case QMetaType::QChar:
    case QMetaType::Char16:
        return tkWChar;
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return tkInt64;
    case QMetaType::Double:
    case QMetaType::Float:
        return tkFloat;
    case QMetaType::QString:
        return tkLString;
    case QMetaType::QVariant:
        return tkVariant;
    case QMetaType::QByteArray:
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return tkDynArray;
    case QMetaType::UnknownType:
        return tkUnknown;
    default:
        break;
    }
    if (Type == QMetaType::fromType<Variant>()) return tkVariant;
    if (Type == QMetaType::fromType<TDateTime>() || Type == QMetaType::fromType<Currency>() ||
        Type == QMetaType::fromType<long double>())
        return tkFloat;
    if (Type.flags() & QMetaType::PointerToQObject) return tkClass;
    if (Type.flags() & QMetaType::IsEnumeration) {
        if (!Enum.isValid()) return tkInteger;
        return IsSetType(Type) ? tkSet : tkEnumeration;
    }
    if (IsEventType(Type)) return tkMethod;
    if (Type.flags() & QMetaType::IsGadget) return tkRecord;
    return tkUnknown;
}

PPropInfo GetPropInfo(const QMetaObject* AClass, const String& PropName, TTypeKinds AKinds) {
    if (!AClass) return nullptr;
    const PPropInfo info = PropsOf(AClass).byName.value(NameKey(PropName), nullptr);
    return info && (AKinds & info->Kind()) ? info : nullptr;
}

PPropInfo GetPropInfo(const TObject* Instance, const String& PropName, TTypeKinds AKinds) {
    return GetPropInfo(MetaObjectOf(Instance), PropName, AKinds);
}

TPropList GetPropInfos(const QMetaObject* AClass) {
    return AClass ? PropsOf(AClass).list : TPropList();
}
TPropList GetPropInfos(const TObject* Instance) {
    return GetPropInfos(MetaObjectOf(Instance));
}

TPropList GetPropList(const QMetaObject* AClass, TTypeKinds AKinds, bool SortList) {
    TPropList result;
    for (PPropInfo info : GetPropInfos(AClass))
        if (AKinds & info->Kind()) result.append(info);
    if (SortList)
        std::stable_sort(result.begin(), result.end(), [](PPropInfo a, PPropInfo b) {
            return a->Name().compare(b->Name(), Qt::CaseInsensitive) < 0;
        });
    return result;
}

TPropList GetPropList(const TObject* Instance, TTypeKinds AKinds, bool SortList) {
    return GetPropList(MetaObjectOf(Instance), AKinds, SortList);
}

bool IsPublishedProp(const QMetaObject* AClass, const String& PropName) {
    return GetPropInfo(AClass, PropName) != nullptr;
}
bool IsPublishedProp(const TObject* Instance, const String& PropName) {
    return GetPropInfo(Instance, PropName) != nullptr;
}

TTypeKind PropType(const QMetaObject* AClass, const String& PropName) {
    const PPropInfo info = GetPropInfo(AClass, PropName);
    if (!info) mox::typinfo::RaiseUnknownProperty(PropName);
    return info->Kind();
}
TTypeKind PropType(const TObject* Instance, const String& PropName) {
    return PropType(MetaObjectOf(Instance), PropName);
}

bool PropIsType(const QMetaObject* AClass, const String& PropName, TTypeKind TypeKind) {
    return PropType(AClass, PropName) == TypeKind;
}
bool PropIsType(const TObject* Instance, const String& PropName, TTypeKind TypeKind) {
    return PropType(Instance, PropName) == TypeKind;
}

PPropInfo FindPublishedProp(const TObject* Instance, const String& PropName) {
    const PPropInfo info = GetPropInfo(Instance, PropName);
    if (!info) mox::typinfo::RaiseUnknownProperty(PropName);
    return info;
}
