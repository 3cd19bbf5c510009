#pragma once
// Published properties: their kinds, their descriptions, the lists of a class's properties, and
// what the form writer needs to know of them (stored, default).
#include <QFlags>
#include <QList>
#include <QMetaEnum>
#include <QMetaObject>
#include <QMetaProperty>
#include <QMetaType>
#include <optional>

#include "vcl/System.h"

namespace TypInfo {
Q_NAMESPACE

// The kind of a property's type. The values are 1 << the platform's ordinal, so that TTypeKinds is
// a QFlags set. How the Qt property types map:
//   int, unsigned, short, signed and unsigned char (ShortInt, Byte)      tkInteger
//   char (the platform's 8-bit character)                                 tkChar
//   QChar, char16_t                                                       tkWChar
//   qint64, quint64, long                                                 tkInt64
//   bool, and every enumeration declared with Q_ENUM / Q_ENUM_NS         tkEnumeration
//   QFlags of such an enumeration (Q_FLAG / Q_FLAG_NS)                    tkSet
//   double, float, long double, TDateTime, Currency                       tkFloat
//   QString                                                               tkLString
//   Variant, QVariant                                                     tkVariant
//   a pointer to a QObject class                                          tkClass
//   a registered event type (vcl/classes/Events.h)                        tkMethod
//   QByteArray, QStringList, QVariantList                                 tkDynArray
//   a Q_GADGET value                                                      tkRecord
// QString is the platform's long string (tkLString): it is the kind that the units reading and
// writing properties by kind expect for text. An enumeration without Q_ENUM has no names and
// counts as tkInteger.
enum TTypeKind {
    tkUnknown = 1 << 0,
    tkInteger = 1 << 1,
    tkChar = 1 << 2,
    tkEnumeration = 1 << 3,
    tkFloat = 1 << 4,
    tkString = 1 << 5,
    tkSet = 1 << 6,
    tkClass = 1 << 7,
    tkMethod = 1 << 8,
    tkWChar = 1 << 9,
    tkLString = 1 << 10,
    tkWString = 1 << 11,
    tkVariant = 1 << 12,
    tkArray = 1 << 13,
    tkRecord = 1 << 14,
    tkInterface = 1 << 15,
    tkInt64 = 1 << 16,
    tkDynArray = 1 << 17,
    tkUString = 1 << 18,
};
Q_ENUM_NS(TTypeKind)
Q_DECLARE_FLAGS(TTypeKinds, TTypeKind)
Q_FLAG_NS(TTypeKinds)

// The storage of a floating-point property, which decides its precision as text.
enum TFloatType {
    ftSingle,
    ftDouble,
    ftExtended,
    ftComp,
    ftCurr
};
Q_ENUM_NS(TFloatType)

} // namespace TypInfo
Q_DECLARE_OPERATORS_FOR_FLAGS(TypInfo::TTypeKinds)

namespace TypInfo {
inline constexpr TTypeKinds tkAny = TTypeKinds::fromInt((1 << 19) - 1);
inline constexpr TTypeKinds tkMethods = tkMethod;
inline constexpr TTypeKinds tkProperties = tkAny & ~TTypeKinds(tkMethod) & ~TTypeKinds(tkUnknown);
} // namespace TypInfo
using namespace TypInfo;

// The description of one published property of a class. Descriptions live as long as the program
// (like the platform's type information), so PPropInfo pointers may be kept.
class TPropInfo {
public:
    TPropInfo(const QMetaProperty& Prop, const QMetaObject* Host, int NameIndex);
    TPropInfo(const TPropInfo&) = delete;
    TPropInfo& operator=(const TPropInfo&) = delete;

    const String& Name() const { return name_; }
    TTypeKind Kind() const;
    const QMetaProperty& Prop() const { return prop_; }
    QMetaType Type() const { return prop_.metaType(); }
    // The names of an enumeration's values or a set's members; invalid for Boolean and others.
    const QMetaEnum& Enum() const { return enum_; }
    // The class a class-typed property declares (the pointee), else none.
    const QMetaObject* ClassType() const;
    // The storage of a floating-point property (ftDouble for the others).
    TFloatType FloatType() const;
    bool IsWritable() const { return prop_.isWritable(); }
    // The class whose published list holds this description: its class information (defaults,
    // stored conditions) is the one that applies.
    const QMetaObject* Host() const { return host_; }
    // The position in that list.
    int NameIndex() const { return index_; }

private:
    QMetaProperty prop_;
    QMetaEnum enum_;
    const QMetaObject* host_;
    int index_;
    String name_;
};

using PPropInfo = const TPropInfo*;
using TPropList = QList<PPropInfo>;

// The kind of a Qt type (the table above); enumerations and sets need their QMetaEnum.
TTypeKind TypeKindOf(QMetaType Type, const QMetaEnum& Enum = QMetaEnum());

// Only classes derived from TPersistent have published properties, and only the properties that
// TPersistent and its descendants declare (never QObject's own, such as objectName). Names are
// found without regard to case. A class that declares a property of the same name as its base
// replaces the base's description at the base's position. An instance's list is its actual
// class's list.
PPropInfo GetPropInfo(const QMetaObject* AClass, const String& PropName, TTypeKinds AKinds = tkAny);
PPropInfo GetPropInfo(const TObject* Instance, const String& PropName, TTypeKinds AKinds = tkAny);
// All published properties in declaration order, those of the base classes first.
TPropList GetPropInfos(const QMetaObject* AClass);
TPropList GetPropInfos(const TObject* Instance);
// The published properties of the given kinds, in declaration order or sorted by name.
TPropList GetPropList(const QMetaObject* AClass, TTypeKinds AKinds = tkAny, bool SortList = false);
TPropList GetPropList(const TObject* Instance, TTypeKinds AKinds = tkAny, bool SortList = false);

bool IsPublishedProp(const QMetaObject* AClass, const String& PropName);
bool IsPublishedProp(const TObject* Instance, const String& PropName);
// These raise EPropertyError "Unknown property: '%s'" when the class has no such property.
TTypeKind PropType(const QMetaObject* AClass, const String& PropName);
TTypeKind PropType(const TObject* Instance, const String& PropName);
bool PropIsType(const QMetaObject* AClass, const String& PropName, TTypeKind TypeKind);
bool PropIsType(const TObject* Instance, const String& PropName, TTypeKind TypeKind);

// The published property of an instance; raises EPropertyError "Unknown property: '%s'".
PPropInfo FindPublishedProp(const TObject* Instance, const String& PropName);

// Whether the form writer stores the property: false with Q_PROPERTY(... STORED false), else the
// result of the class's MOX_STORED condition when it declares one (vcl/classes/Published.h).
bool IsStoredProp(const TObject* Instance, PPropInfo PropInfo);
bool IsStoredProp(const TObject* Instance, const String& PropName);

// The default text the class declares with MOX_DEFAULT (a string's default written as a quoted
// literal comes back without its quotes), or none.
std::optional<String> GetPropDefaultText(PPropInfo PropInfo);
// The declared default of an ordinal property (integer, character, enumeration, Boolean, set) as
// its ordinal value, or none. A declared text that does not fit the property's type raises
// EPropertyError.
std::optional<Int64> GetOrdPropDefault(PPropInfo PropInfo);
// True when the property holds its default, so the form writer leaves it out: the declared default
// when there is one; otherwise, as the platform does, no ordinal value is a default (an ordinal
// property without a declared default is always written), and 64-bit integers and floating-point
// numbers default to 0, strings to empty, variants to unassigned, events to unassigned and class
// references to none.
bool IsDefaultPropValue(const TObject* Instance, PPropInfo PropInfo);
