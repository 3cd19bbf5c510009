// What the form writer asks of a property: whether it is stored and whether it holds its default.
#include <QMetaMethod>
#include <QObject>

#include "vcl/classes/IdentMapping.h"
#include "vcl/typinfo/Consts.h"
#include "vcl/typinfo/Internal.h"
#include "vcl/typinfo/PropAccess.h"
#include "vcl/typinfo/PropValues.h"

using namespace TypInfoConsts;
using mox::typinfo::AsQObject;

namespace {

std::optional<QString> ClassInfoText(const QMetaObject* mo, const char* prefix, const String& name) {
    const int index = mo ? mo->indexOfClassInfo((prefix + name).toLatin1().constData()) : -1;
    if (index < 0) return std::nullopt;
    return QString::fromUtf8(mo->classInfo(index).value());
}

[[noreturn]] void RaiseInvalidDefault(PPropInfo info, const QString& text) {
    throw EPropertyError(QString::fromLatin1(SInvalidPropertyDefault).arg(text, info->Name()));
}

// A whole number in decimal, or in hexadecimal after "$" or "0x".
std::optional<Int64> ParseInteger(const QString& text) {
    bool ok = false;
    Int64 value = 0;
    if (text.startsWith('$'))
        value = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    return ok ? std::optional<Int64>(value) : std::nullopt;
}

// A character default is the character itself, or its code after "#".
std::optional<Int64> ParseCharacter(const QString& text) {
    if (text.size() == 1) return text[0].unicode();
    if (text.startsWith('#')) return ParseInteger(text.mid(1));
    return std::nullopt;
}

Int64 OrdinalOfText(PPropInfo info, const QString& text) {
    std::optional<Int64> value;
    switch (info->Kind()) {
    case tkInteger: {
        value = ParseInteger(text);
        // A type with names for its values (a colour) may name its default (clBtnFace).
        int named = 0;
        const TIdentToInt identToInt = FindIdentToInt(info->Type());
        if (!value && identToInt && identToInt(text, named)) value = named;
        break;
    }
    case tkChar:
    case tkWChar:
        value = ParseCharacter(text);
        break;
    case tkEnumeration: {
        const int named = GetEnumValue(info, text);
        value = named >= 0 ? std::optional<Int64>(named) : ParseInteger(text);
        break;
    }
    case tkSet:
        try {
            value = StringToSet(info, text);
        } catch (const EPropertyConvertError&) {
            value = std::nullopt;
        }
        break;
    default:
        mox::typinfo::RaiseInvalidPropType(info);
    }
    if (!value) RaiseInvalidDefault(info, text);
    return *value;
}

// Two numbers compared as the property keeps them: a single-precision property holds no 0.1 but
// its nearest float, which must still count as the default 0.1.
bool SameInStorage(PPropInfo info, Extended value, Extended declared) {
    switch (info->FloatType()) {
    case ftSingle:
        return float(value) == float(declared);
    case ftCurr:
        return Currency(value) == Currency(declared);
    case ftExtended:
        return value == declared;
    default:
        return double(value) == double(declared);
    }
}

constexpr TTypeKinds OrdinalKinds = TTypeKinds(tkInteger) | tkChar | tkWChar | tkEnumeration | tkSet;

} // namespace

bool IsStoredProp(const TObject* Instance, PPropInfo PropInfo) {
    if (!PropInfo->Prop().isStored()) return false;
    const QObject* object = AsQObject(Instance);
    if (!object) mox::typinfo::RaiseUnknownProperty(PropInfo->Name());
    const std::optional<QString> method = ClassInfoText(object->metaObject(), "stored:", PropInfo->Name());
    if (!method) return true;
    const QMetaObject* mo = object->metaObject();
    const int index = mo->indexOfMethod((*method + "()").toLatin1().constData());
    const QMetaMethod condition = index >= 0 ? mo->method(index) : QMetaMethod();
    if (!condition.isValid() || condition.returnMetaType().id() != QMetaType::Bool)
        throw EPropertyError(QString::fromLatin1(SStoredMethodNotFound).arg(*method, PropInfo->Name()));
    bool stored = true;
    condition.invoke(const_cast<QObject*>(object), Qt::DirectConnection, Q_RETURN_ARG(bool, stored));
    return stored;
}

bool IsStoredProp(const TObject* Instance, const String& PropName) {
    return IsStoredProp(Instance, mox::typinfo::RequireProp(Instance, PropName));
}

std::optional<String> GetPropDefaultText(PPropInfo PropInfo) {
    std::optional<QString> text = ClassInfoText(PropInfo->Host(), "default:", PropInfo->Name());
    // moc keeps a quoted literal's quotes when it turns the macro's argument into text.
    if (text && text->size() >= 2 && text->startsWith('"') && text->endsWith('"'))
        *text = text->mid(1, text->size() - 2);
    return text;
}

std::optional<Int64> GetOrdPropDefault(PPropInfo PropInfo) {
    if (!(OrdinalKinds & PropInfo->Kind())) return std::nullopt;
    const std::optional<String> text = GetPropDefaultText(PropInfo);
    if (!text) return std::nullopt;
    return OrdinalOfText(PropInfo, *text);
}

bool IsDefaultPropValue(const TObject* Instance, PPropInfo PropInfo) {
    const std::optional<String> text = GetPropDefaultText(PropInfo);
    switch (PropInfo->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet: {
        const std::optional<Int64> ordinal = GetOrdPropDefault(PropInfo);
        return ordinal && GetOrdProp(Instance, PropInfo) == *ordinal;
    }
    case tkInt64: {
        const std::optional<Int64> value = text ? ParseInteger(*text) : std::optional<Int64>(0);
        if (!value) RaiseInvalidDefault(PropInfo, *text);
        return GetInt64Prop(Instance, PropInfo) == *value;
    }
    case tkFloat: {
        bool ok = true;
        const double value = text ? text->toDouble(&ok) : 0.0;
        if (!ok) RaiseInvalidDefault(PropInfo, *text);
        return SameInStorage(PropInfo, GetFloatProp(Instance, PropInfo), value);
    }
    case tkLString:
        return GetStrProp(Instance, PropInfo) == text.value_or(String());
    case tkVariant:
        return PropInfo->Type() == QMetaType::fromType<QVariant>()
                   ? !mox::typinfo::ReadValue(Instance, PropInfo).isValid()
                   : VarIsEmpty(GetVariantProp(Instance, PropInfo));
    case tkMethod:
        return !IsMethodAssigned(Instance, PropInfo);
    case tkClass:
        return GetObjectProp(Instance, PropInfo) == nullptr;
    default:
        return false;
    }
}
