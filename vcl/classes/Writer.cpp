#include "vcl/classes/Writer.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "vcl/classes/ClassRegistry.h"
#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/IdentMapping.h"
#include "vcl/typinfo/EnumNames.h"
#include "vcl/typinfo/PropAccess.h"
#include "vcl/typinfo/PropValues.h"

using namespace ClassesConsts;

namespace {

constexpr int BinaryBytesPerLine = 32;

String Indent(int level) {
    return String(level * 2, ' ');
}

// The shortest text that reads back as the same number in the property's storage.
template <class T> String ShortestText(T value) {
    if (!std::isfinite(value)) throw EWriteError(QString::fromLatin1(SInvalidFloatValue));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    String text = QString::fromLatin1(buffer, result.ptr - buffer);
    // Without a point or an exponent the reader would take it for an integer.
    if (!text.contains('.') && !text.contains('e')) text += QStringLiteral(".0");
    return text;
}

String FloatText(Extended value, TFloatType type) {
    switch (type) {
    case ftSingle:
        return ShortestText(float(value));
    case ftExtended:
        return ShortestText(value);
    default:
        return ShortestText(double(value));
    }
}

std::optional<String> VariantText(const Variant& value) {
    switch (value.VarType() & varTypeMask) {
    case varNull:
        return QStringLiteral("Null");
    case varBoolean:
        return GetEnumName(value.ToBool());
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
        return QString::number(value.ToInt64());
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
        return ShortestText(value.ToDouble());
    case varString:
    case varUString:
    case varOleStr:
        return TWriter::QuotedString(value.ToString());
    default:
        return std::nullopt;
    }
}

// A value of a property that is no object, as the syntax writes it; none for kinds it cannot hold.
std::optional<String> ScalarText(TPersistent* instance, PPropInfo info) {
    switch (info->Kind()) {
    case tkInteger: {
        const Int64 value = GetOrdProp(instance, info);
        String ident;
        const TIntToIdent intToIdent = FindIntToIdent(info->Type());
        if (intToIdent && intToIdent(int(value), ident)) return ident;
        return QString::number(value);
    }
    case tkChar:
    case tkWChar:
        return TWriter::QuotedString(QString(QChar(char16_t(GetOrdProp(instance, info)))));
    case tkEnumeration: {
        const String name = GetEnumName(info, GetOrdProp(instance, info));
        return name.isEmpty() ? std::nullopt : std::optional<String>(name);
    }
    case tkSet:
        return "[" + SetToString(info, int(GetOrdProp(instance, info))).split(',', Qt::SkipEmptyParts).join(", ") +
               "]";
    case tkFloat:
        return FloatText(GetFloatProp(instance, info), info->FloatType());
    case tkInt64:
        return QString::number(GetInt64Prop(instance, info));
    case tkLString:
        return TWriter::QuotedString(GetStrProp(instance, info));
    case tkVariant:
        return VariantText(GetVariantProp(instance, info));
    case tkMethod: {
        const TEventMethodBinder binder = EventMethodBinder(info->Type());
        const String name = binder.MethodName ? binder.MethodName(GetMethodProp(instance, info)) : String();
        return name.isEmpty() ? std::nullopt : std::optional<String>(name);
    }
    default:
        return std::nullopt;
    }
}

// The ancestor's description of the same property; a property the ancestor's class lacks has none.
PPropInfo AncestorProp(TPersistent* ancestor, PPropInfo info) {
    return ancestor ? GetPropInfo(ancestor, info->Name()) : nullptr;
}

} // namespace

TWriter::TWriter() = default;
TWriter::~TWriter() = default;

String TWriter::QuotedString(const String& Value) {
    if (Value.isEmpty()) return QStringLiteral("''");
    String result;
    bool quoted = false;
    for (const QChar c : Value) {
        const char16_t code = c.unicode();
        if (code >= 32 && code < 127) {
            if (!quoted) result += '\'';
            quoted = true;
            result += c == '\'' ? QStringLiteral("''") : String(c);
        } else {
            if (quoted) result += '\'';
            quoted = false;
            result += '#' + QString::number(code);
        }
    }
    if (quoted) result += '\'';
    return result;
}

String TWriter::WriteDescendent(TComponent* Root, TComponent* Ancestor) {
    root_ = lookupRoot_ = Root;
    ancestor_ = Ancestor;
    ancestorRoot_ = Ancestor;
    out_.clear();
    lists_.clear();
    WriteComponent(Root, Ancestor, 0, Ancestor ? TObjectKind::Inherited : TObjectKind::Object);
    return out_;
}

void TWriter::WriteComponent(TComponent* Instance, TComponent* Ancestor, int Level, TObjectKind Kind) {
    static const char* const keywords[] = {"object", "inherited", "inline"};
    const String className = TPersistentClass(Instance->metaObject(), {}).ClassName();
    out_ += Indent(Level) + QString::fromLatin1(keywords[int(Kind)]) + ' ' +
            (Instance->Name().isEmpty() ? String() : Instance->Name() + ": ") + className + '\n';
    const int savedLevel = propLevel_;
    TComponent* savedLookup = lookupRoot_;
    if (Kind == TObjectKind::Inline) lookupRoot_ = Instance;
    propLevel_ = Level + 1;
    WriteProperties(Instance, Ancestor, String());
    for (TComponent* child : ChildrenOf(Instance)) {
        TComponent* inherited =
            ancestorRoot_ && !child->Name().isEmpty() ? ancestorRoot_->FindComponent(child->Name()) : nullptr;
        const TObjectKind kind = inherited                                  ? TObjectKind::Inherited
                                 : child->ComponentState().testFlag(csInline) ? TObjectKind::Inline
                                                                            : TObjectKind::Object;
        WriteComponent(child, inherited, Level + 1, kind);
    }
    propLevel_ = savedLevel;
    lookupRoot_ = savedLookup;
    out_ += Indent(Level) + "end\n";
}

QList<TComponent*> TWriter::ChildrenOf(TComponent* Instance) const {
    QList<TComponent*> children;
    auto add = [&](TComponent* child) {
        if (child && !children.contains(child)) children.append(child);
    };
    Instance->GetChildren(add, root_);
    // A root (or an inline frame) holds what it owns and what has no other place to be written.
    if (Instance == lookupRoot_) {
        for (int i = 0; i < Instance->ComponentCount(); ++i) {
            TComponent* child = Instance->Components(i);
            TComponent* parent = child->HasParent() ? child->GetParentComponent() : nullptr;
            if (!parent || parent == Instance) add(child);
        }
    }
    return children;
}

void TWriter::WriteProperties(TPersistent* Instance, TPersistent* Ancestor, const String& Prefix) {
    // An object that holds itself somewhere down its properties is written once.
    if (chain_.contains(Instance)) return;
    chain_.append(Instance);
    const bool isComponent = dynamic_cast<TComponent*>(Instance) != nullptr;
    for (PPropInfo info : GetPropInfos(Instance)) {
        // A component's name is written in its object line.
        if (isComponent && info->Name() == QLatin1String("Name")) continue;
        if (!IsStoredProp(Instance, info)) continue;
        if (info->Kind() == tkClass) {
            WriteClassProperty(Instance, Ancestor, info, Prefix);
            continue;
        }
        if (!info->IsWritable()) continue;
        const std::optional<String> text = ScalarText(Instance, info);
        if (!text) continue;
        if (const PPropInfo inherited = AncestorProp(Ancestor, info)) {
            if (ScalarText(Ancestor, inherited) == text) continue;
        } else if (IsDefaultPropValue(Instance, info)) {
            continue;
        }
        WritePropertyLine(Prefix + info->Name(), *text);
    }
    const String savedPrefix = prefix_;
    TPersistent* savedAncestor = ancestor_;
    prefix_ = Prefix;
    ancestor_ = Ancestor;
    CallDefineProperties(Instance, this);
    prefix_ = savedPrefix;
    ancestor_ = savedAncestor;
    chain_.removeLast();
}

void TWriter::WriteClassProperty(TPersistent* Instance, TPersistent* Ancestor, PPropInfo Info,
                                 const String& Prefix) {
    QObject* object = GetObjectProp(Instance, Info);
    const PPropInfo inherited = AncestorProp(Ancestor, Info);
    QObject* ancestorObject = inherited ? GetObjectProp(Ancestor, inherited) : nullptr;
    const String name = Prefix + Info->Name();
    if (!object) {
        // Cleared where the ancestor refers to a component.
        if (ancestorObject && Info->IsWritable()) WritePropertyLine(name, QStringLiteral("nil"));
        return;
    }
    auto* component = dynamic_cast<TComponent*>(object);
    if (component && component->Owner() != Instance) {
        if (!Info->IsWritable()) return;
        const String reference = ReferenceText(component);
        if (reference.isEmpty()) return;
        auto* ancestorComponent = dynamic_cast<TComponent*>(ancestorObject);
        if (ancestorComponent && ancestorComponent->Name().compare(component->Name(), Qt::CaseInsensitive) == 0)
            return;
        WritePropertyLine(name, reference);
        return;
    }
    if (auto* collection = dynamic_cast<TCollection*>(object)) {
        auto* ancestorCollection = dynamic_cast<TCollection*>(ancestorObject);
        const bool differs = ancestorCollection ? CollectionText(collection) != CollectionText(ancestorCollection)
                                                : collection->Count() > 0;
        if (!differs) return;
        BeginPropertyLine(name);
        WriteCollection(collection);
        EndPropertyLine();
        return;
    }
    if (auto* nested = dynamic_cast<TPersistent*>(object))
        WriteProperties(nested, dynamic_cast<TPersistent*>(ancestorObject), name + ".");
}

String TWriter::CollectionText(TCollection* Collection) {
    const String saved = out_;
    const std::vector<int> savedLists = lists_;
    out_.clear();
    lists_.clear();
    WriteCollection(Collection);
    const String text = out_;
    out_ = saved;
    lists_ = savedLists;
    return text;
}

String TWriter::ReferenceText(TComponent* Component) const {
    if (Component->Name().isEmpty()) return String();
    if (Component == lookupRoot_ || Component->Owner() == lookupRoot_ || Component == root_ ||
        Component->Owner() == root_)
        return Component->Name();
    // A component of another module is reached through that module's name.
    if (TComponent* owner = Component->Owner(); owner && !owner->Name().isEmpty())
        return owner->Name() + '.' + Component->Name();
    return Component->Name();
}

void TWriter::BeginPropertyLine(const String& Name) {
    out_ += Indent(propLevel_) + Name + " = ";
}

void TWriter::EndPropertyLine() {
    if (!lists_.empty()) {
        lists_.clear();
        throw EWriteError(QString::fromLatin1(SWriteListOpen));
    }
    out_ += '\n';
}

void TWriter::WritePropertyLine(const String& Name, const String& ValueText) {
    BeginPropertyLine(Name);
    out_ += ValueText;
    EndPropertyLine();
}

int TWriter::ValueLevel() const {
    return lists_.empty() ? propLevel_ : lists_.back();
}

void TWriter::BeginValue() {
    // The first value stands after "Name = "; those inside a list each on a line of their own.
    if (!lists_.empty()) out_ += '\n' + Indent(lists_.back());
}

void TWriter::WriteListBegin() {
    BeginValue();
    const int level = ValueLevel() + 1;
    out_ += '(';
    lists_.push_back(level);
}

void TWriter::WriteListEnd() {
    if (lists_.empty()) throw EWriteError(QString::fromLatin1(SWriteNoList));
    lists_.pop_back();
    out_ += ')';
}

void TWriter::WriteInteger(Int64 Value) {
    BeginValue();
    out_ += QString::number(Value);
}

void TWriter::WriteFloat(Extended Value) {
    BeginValue();
    out_ += ShortestText(Value);
}

void TWriter::WriteString(const String& Value) {
    BeginValue();
    out_ += QuotedString(Value);
}

void TWriter::WriteBoolean(bool Value) {
    WriteIdent(GetEnumName(Value));
}

void TWriter::WriteIdent(const String& Ident) {
    BeginValue();
    out_ += Ident;
}

void TWriter::WriteCollection(TCollection* Collection) {
    BeginValue();
    const int level = ValueLevel();
    out_ += '<';
    for (int i = 0; Collection && i < Collection->Count(); ++i) {
        out_ += '\n' + Indent(level + 1) + "item\n";
        const int savedLevel = propLevel_;
        const std::vector<int> savedLists = lists_;
        lists_.clear();
        propLevel_ = level + 2;
        // An item's properties are compared with its declared defaults, not with an ancestor's item.
        WriteProperties(Collection->Items(i), nullptr, String());
        propLevel_ = savedLevel;
        lists_ = savedLists;
        out_ += Indent(level + 1) + "end";
    }
    out_ += '>';
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    BeginPropertyLine(prefix_ + Name);
    WriteData(this);
    EndPropertyLine();
}

void TWriter::DefineBinaryProperty(const String& Name, const TBinaryReaderProc&, const TBinaryWriterProc& WriteData,
                                   bool HasData) {
    if (!HasData || !WriteData) return;
    const QByteArray data = WriteData();
    BeginPropertyLine(prefix_ + Name);
    const int level = ValueLevel();
    out_ += '{';
    for (qsizetype at = 0; at < data.size(); at += BinaryBytesPerLine)
        out_ += '\n' + Indent(level + 1) + QString::fromLatin1(data.mid(at, BinaryBytesPerLine).toHex().toUpper());
    out_ += '}';
    EndPropertyLine();
}
