#include "vcl/classes/Reader.h"

#include <QMetaMethod>
#include <limits>

#include "vcl/classes/ClassRegistry.h"
#include "vcl/classes/ClassesConsts.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/GlobalComponents.h"
#include "vcl/classes/IdentMapping.h"
#include "vcl/typinfo/PropAccess.h"
#include "vcl/typinfo/PropValues.h"

using namespace ClassesConsts;

namespace {

// An error that already names its place; outer steps pass it on unchanged.
MOX_DECLARE_EXCEPTION(ELocatedReadError, EReadError);

[[noreturn]] void InvalidValue() {
    throw EReadError(QString::fromLatin1(SInvalidFormValue));
}

bool SameName(const String& a, const String& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

TReader::TReader(const String& ResourceName) : resource_(ResourceName) {}
TReader::~TReader() = default;

void TReader::ReadRootComponent(TComponent* Root, const String& Text) {
    TFormObject tree;
    try {
        tree = ParseFormText(Text);
    } catch (const EFormSyntaxError& e) {
        throw EReadError(QString::fromLatin1(SReadAt).arg(resource_).arg(e.Line()).arg(e.What()));
    }
    ReadInto(Root, tree);
}

TComponent* TReader::ReadNewRootComponent(const String& Text, TComponent* Owner) {
    TFormObject tree;
    try {
        tree = ParseFormText(Text);
    } catch (const EFormSyntaxError& e) {
        throw EReadError(QString::fromLatin1(SReadAt).arg(resource_).arg(e.Line()).arg(e.What()));
    }
    TComponent* root = nullptr;
    try {
        root = MakeChild(tree, Owner, false);
    } catch (const ELocatedReadError& e) {
        throw EReadError(e.Message());
    }
    // The root is freed here, after the rollback of what was made inside it.
    created_.removeAll(root);
    try {
        ReadInto(root, tree);
    } catch (...) {
        delete root;
        throw;
    }
    return root;
}

void TReader::ReadInto(TComponent* Root, const TFormObject& Tree) {
    root_ = lookupRoot_ = Root;
    try {
        Root->SetComponentStateFlag(csLoading, true);
        Root->SetComponentStateFlag(csReading, true);
        if (!loaded_.contains(Root)) loaded_.append(Root);
        // Each resource read names the root, so an inherited one gives it the descendant's name.
        if (!Tree.Name.isEmpty() && Root->Name() != Tree.Name) {
            try {
                Root->SetName(UniqueRootName(Root, Tree.Name));
            } catch (const Exception& e) {
                throw ELocatedReadError(
                    QString::fromLatin1(SReadAt).arg(resource_).arg(Tree.Line).arg(e.Message()));
            }
        }
        ReadObject(Root, Tree, Root);
        ResolveFixups();
        Finish();
    } catch (const ELocatedReadError& e) {
        Rollback();
        throw EReadError(e.Message());
    } catch (...) {
        Rollback();
        throw;
    }
}

String TReader::UniqueRootName(TComponent* Root, const String& Name) const {
    // A second instance of a form beside the first gets "Name_1", as the platform does.
    TComponent* owner = Root->Owner();
    auto taken = [&](const String& candidate) {
        TComponent* other = owner ? owner->FindComponent(candidate) : FindGlobalComponent(candidate);
        return other && other != Root;
    };
    if (!taken(Name)) return Name;
    for (int i = 1;; ++i) {
        const String candidate = Name + "_" + QString::number(i);
        if (!taken(candidate)) return candidate;
    }
}

void TReader::ReadObject(TComponent* Instance, const TFormObject& Object, TComponent* LookupRoot) {
    TComponent* savedLookup = lookupRoot_;
    lookupRoot_ = LookupRoot;
    for (const TFormProperty& prop : Object.Properties) ReadProperty(Instance, prop, Instance->Name());
    for (const TFormObject& child : Object.Children) ReadChild(child, Instance, LookupRoot);
    lookupRoot_ = savedLookup;
}

TComponent* TReader::MakeChild(const TFormObject& Object, TComponent* Owner, bool Named) {
    auto fail = [&](const String& what) -> ELocatedReadError {
        return ELocatedReadError(QString::fromLatin1(SReadAt).arg(resource_).arg(Object.Line).arg(what));
    };
    const TPersistentClass cls = GetClass(Object.ClassName);
    if (!cls) throw fail(Fmt(SClassNotFound, Object.ClassName));
    if (!cls.InheritsFrom<TComponent>()) throw fail(Fmt(SNotAComponentClass, Object.ClassName));
    TComponent* component = nullptr;
    try {
        component = cls.CreateComponent(Owner);
    } catch (const Exception& e) {
        throw fail(e.Message());
    }
    created_.append(component);
    component->SetComponentStateFlag(csLoading, true);
    component->SetComponentStateFlag(csReading, true);
    if (Object.Kind == TFormObject::okInline) component->SetComponentStateFlag(csInline, true);
    try {
        if (Named) component->SetName(Object.Name);
    } catch (const Exception& e) {
        throw fail(e.Message());
    }
    return component;
}

void TReader::ReadChild(const TFormObject& Object, TComponent* Parent, TComponent* LookupRoot) {
    TComponent* component = nullptr;
    if (Object.Kind == TFormObject::okInherited) {
        component = LookupRoot->FindComponent(Object.Name);
        if (!component)
            throw ELocatedReadError(QString::fromLatin1(SReadAt)
                                        .arg(resource_)
                                        .arg(Object.Line)
                                        .arg(Fmt(SAncestorNotFound, Object.Name)));
        component->SetComponentStateFlag(csLoading, true);
        component->SetComponentStateFlag(csReading, true);
    } else {
        component = MakeChild(Object, LookupRoot, true);
    }
    if (!loaded_.contains(component)) loaded_.append(component);
    if (component->HasParent()) {
        try {
            component->SetParentComponent(Parent);
        } catch (const Exception& e) {
            throw ELocatedReadError(
                QString::fromLatin1(SReadAt).arg(resource_).arg(Object.Line).arg(e.Message()));
        }
    }
    // An inline frame is the root of what is nested in it.
    ReadObject(component, Object, Object.Kind == TFormObject::okInline ? component : LookupRoot);
}

void TReader::ReadProperty(TPersistent* Instance, const TFormProperty& Prop, const String& Owner) {
    const String path = Owner.isEmpty() ? Prop.Name : Owner + "." + Prop.Name;
    try {
        const QStringList names = Prop.Name.split('.');
        TPersistent* target = Instance;
        for (qsizetype i = 0; i + 1 < names.size(); ++i) {
            const PPropInfo info = GetPropInfo(target, names[i]);
            TPersistent* next = info && info->Kind() == tkClass
                                    ? dynamic_cast<TPersistent*>(GetObjectProp(target, info))
                                    : nullptr;
            if (!next) throw EReadError(Fmt(SUnknownFormProperty, names[i]));
            target = next;
        }
        const String last = names.last();
        if (const PPropInfo info = GetPropInfo(target, last))
            SetProperty(target, info, Prop.Value, path, Prop.Line);
        else
            ReadDefined(target, last, Prop.Value);
    } catch (const ELocatedReadError&) {
        throw;
    } catch (const Exception& e) {
        throw ELocatedReadError(
            QString::fromLatin1(SReadPropertyAt).arg(resource_).arg(Prop.Line).arg(path, e.Message()));
    }
}

void TReader::SetProperty(TPersistent* Instance, PPropInfo Info, const TFormValue& Value, const String& Path,
                          int Line) {
    using V = TFormValue;
    switch (Info->Kind()) {
    case tkInteger:
        if (Value.Kind == V::vkInteger) {
            SetOrdProp(Instance, Info, Value.Integer);
            return;
        }
        if (Value.Kind == V::vkIdent) {
            int number = 0;
            const TIdentToInt identToInt = FindIdentToInt(Info->Type());
            if (identToInt && identToInt(Value.Text, number)) {
                SetOrdProp(Instance, Info, number);
                return;
            }
        }
        break;
    case tkInt64:
        if (Value.Kind == V::vkInteger) {
            SetInt64Prop(Instance, Info, Value.Integer);
            return;
        }
        break;
    case tkChar:
    case tkWChar:
        if (Value.Kind == V::vkString && Value.Text.size() == 1) {
            SetOrdProp(Instance, Info, Value.Text[0].unicode());
            return;
        }
        if (Value.Kind == V::vkInteger) {
            SetOrdProp(Instance, Info, Value.Integer);
            return;
        }
        break;
    case tkEnumeration:
        if (Value.Kind == V::vkIdent) {
            SetEnumProp(Instance, Info, Value.Text);
            return;
        }
        break;
    case tkSet:
        if (Value.Kind == V::vkSet) {
            SetSetProp(Instance, Info, Value.Members.join(','));
            return;
        }
        break;
    case tkFloat:
        if (Value.Kind == V::vkFloat || Value.Kind == V::vkInteger) {
            SetFloatProp(Instance, Info, Value.Kind == V::vkFloat ? Value.Float : Extended(Value.Integer));
            return;
        }
        break;
    case tkLString:
        if (Value.Kind == V::vkString) {
            SetStrProp(Instance, Info, Value.Text);
            return;
        }
        break;
    case tkVariant:
        switch (Value.Kind) {
        case V::vkInteger:
            SetVariantProp(Instance, Info, Value.Integer >= std::numeric_limits<int>::min() &&
                                                   Value.Integer <= std::numeric_limits<int>::max()
                                               ? Variant(int(Value.Integer))
                                               : Variant((long long)Value.Integer));
            return;
        case V::vkFloat:
            SetVariantProp(Instance, Info, Variant(double(Value.Float)));
            return;
        case V::vkString:
            SetVariantProp(Instance, Info, Variant(Value.Text));
            return;
        case V::vkIdent:
            if (SameName(Value.Text, "True") || SameName(Value.Text, "False")) {
                SetVariantProp(Instance, Info, Variant(SameName(Value.Text, "True")));
                return;
            }
            if (SameName(Value.Text, "Null")) {
                SetVariantProp(Instance, Info, Variant::MakeNull());
                return;
            }
            break;
        default:
            break;
        }
        break;
    case tkClass:
        if (Value.Kind == V::vkCollection) {
            auto* collection = dynamic_cast<TCollection*>(GetObjectProp(Instance, Info));
            if (!collection) break;
            ReadCollectionValue(collection, Value, Path);
            return;
        }
        if (Value.Kind == V::vkIdent) {
            if (SameName(Value.Text, "nil")) {
                SetObjectProp(Instance, Info, nullptr);
                return;
            }
            if (!Info->ClassType() || !Info->ClassType()->inherits(&TComponent::staticMetaObject)) break;
            fixups_.push_back({Instance, Info, Value.Text, lookupRoot_, Line, Path});
            return;
        }
        break;
    case tkMethod:
        if (Value.Kind == V::vkIdent) {
            BindEvent(Instance, Info, Value.Text);
            return;
        }
        break;
    default:
        break;
    }
    InvalidValue();
}

void TReader::BindEvent(TPersistent* Instance, PPropInfo Info, const String& MethodName) {
    const TEventMethodBinder binder = EventMethodBinder(Info->Type());
    const QMetaObject* mo = root_->metaObject();
    if (binder.Bind) {
        for (int i = 0; i < mo->methodCount(); ++i) {
            const QMetaMethod method = mo->method(i);
            if (method.methodType() != QMetaMethod::Method && method.methodType() != QMetaMethod::Slot) continue;
            if (!SameName(QString::fromLatin1(method.name()), MethodName) || !binder.Fits(method)) continue;
            SetMethodProp(Instance, Info, binder.Bind(root_, method));
            return;
        }
    }
    throw EMethodNotFound(Fmt(SMethodNotFound, MethodName));
}

void TReader::ReadDefined(TPersistent* Instance, const String& Name, const TFormValue& Value) {
    const String savedName = pendingName_;
    const TFormValue* savedValue = pendingValue_;
    const bool savedTaken = pendingTaken_;
    pendingName_ = Name;
    pendingValue_ = &Value;
    pendingTaken_ = false;
    CallDefineProperties(Instance, this);
    const bool taken = pendingTaken_;
    pendingName_ = savedName;
    pendingValue_ = savedValue;
    pendingTaken_ = savedTaken;
    if (!taken) throw EReadError(Fmt(SUnknownFormProperty, Name));
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
    if (pendingTaken_ || !pendingValue_ || !ReadData || !SameName(Name, pendingName_)) return;
    pendingTaken_ = true;
    const size_t depth = cursors_.size();
    cursors_.push_back({pendingValue_, 1, 0});
    try {
        ReadData(this);
    } catch (...) {
        cursors_.resize(depth);
        throw;
    }
    // What the procedure left unread, or a list it did not close, is data it does not understand.
    const bool whole = cursors_.size() == depth + 1 && cursors_.back().Index == 1;
    cursors_.resize(depth);
    if (!whole) InvalidValue();
}

void TReader::DefineBinaryProperty(const String& Name, const TBinaryReaderProc& ReadData,
                                   const TBinaryWriterProc&, bool) {
    if (pendingTaken_ || !pendingValue_ || !ReadData || !SameName(Name, pendingName_)) return;
    pendingTaken_ = true;
    if (pendingValue_->Kind != TFormValue::vkBinary) InvalidValue();
    ReadData(pendingValue_->Binary);
}

const TFormValue& TReader::TakeValue() {
    if (cursors_.empty() || cursors_.back().Index >= cursors_.back().Count)
        throw EReadError(QString::fromLatin1(SReadPastList));
    TCursor& cursor = cursors_.back();
    return cursor.Values[cursor.Index++];
}

TFormValue::TKind TReader::NextValue() const {
    if (cursors_.empty() || cursors_.back().Index >= cursors_.back().Count)
        throw EReadError(QString::fromLatin1(SReadPastList));
    return cursors_.back().Values[cursors_.back().Index].Kind;
}

void TReader::ReadListBegin() {
    const TFormValue& value = TakeValue();
    if (value.Kind != TFormValue::vkList) InvalidValue();
    cursors_.push_back({value.List.data(), value.List.size(), 0});
}

bool TReader::EndOfList() const {
    return cursors_.empty() || cursors_.back().Index >= cursors_.back().Count;
}

void TReader::ReadListEnd() {
    // Only a list begun can end, and only once all its values are read.
    if (cursors_.size() < 2 || !EndOfList()) InvalidValue();
    cursors_.pop_back();
}

int TReader::ReadInteger() {
    const Int64 value = ReadInt64();
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) InvalidValue();
    return int(value);
}

Int64 TReader::ReadInt64() {
    const TFormValue& value = TakeValue();
    if (value.Kind != TFormValue::vkInteger) InvalidValue();
    return value.Integer;
}

Extended TReader::ReadFloat() {
    const TFormValue& value = TakeValue();
    if (value.Kind == TFormValue::vkInteger) return Extended(value.Integer);
    if (value.Kind != TFormValue::vkFloat) InvalidValue();
    return value.Float;
}

String TReader::ReadString() {
    const TFormValue& value = TakeValue();
    if (value.Kind != TFormValue::vkString) InvalidValue();
    return value.Text;
}

bool TReader::ReadBoolean() {
    const String ident = ReadIdent();
    if (SameName(ident, "True")) return true;
    if (SameName(ident, "False")) return false;
    InvalidValue();
}

String TReader::ReadIdent() {
    const TFormValue& value = TakeValue();
    if (value.Kind != TFormValue::vkIdent) InvalidValue();
    return value.Text;
}

void TReader::ReadCollection(TCollection* Collection) {
    const TFormValue& value = TakeValue();
    if (value.Kind != TFormValue::vkCollection || !Collection) InvalidValue();
    ReadCollectionValue(Collection, value, Collection->PropName());
}

void TReader::ReadCollectionValue(TCollection* Collection, const TFormValue& Value, const String& Path) {
    // Item properties are read with cursors of their own; the defined property's stay as they are.
    std::vector<TCursor> saved;
    saved.swap(cursors_);
    Collection->BeginUpdate();
    try {
        Collection->Clear();
        for (size_t i = 0; i < Value.Items.size(); ++i) {
            TCollectionItem* item = Collection->Add();
            const String itemPath = Path + "[" + QString::number(i) + "]";
            for (const TFormProperty& prop : Value.Items[i]) ReadProperty(item, prop, itemPath);
        }
    } catch (...) {
        Collection->EndUpdate();
        cursors_.swap(saved);
        throw;
    }
    Collection->EndUpdate();
    cursors_.swap(saved);
}

TComponent* TReader::FindReference(const String& Reference, TComponent* LookupRoot) const {
    const QStringList names = Reference.split('.');
    auto first = [&](const String& name) -> TComponent* {
        for (TComponent* scope : {LookupRoot, root_}) {
            if (!scope) continue;
            if (SameName(scope->Name(), name)) return scope;
            if (TComponent* found = scope->FindComponent(name)) return found;
        }
        return FindGlobalComponent(name);
    };
    TComponent* found = first(names.first());
    for (qsizetype i = 1; found && i < names.size(); ++i) found = found->FindComponent(names[i]);
    return found;
}

void TReader::ResolveFixups() {
    for (const TFixup& fixup : fixups_) {
        if (!fixup.Instance) continue;
        try {
            TComponent* target = FindReference(fixup.Reference, fixup.LookupRoot);
            if (!target) throw EReadError(Fmt(SUnresolvedReference, fixup.Reference));
            SetObjectProp(fixup.Instance.data(), fixup.PropInfo, target);
        } catch (const Exception& e) {
            throw ELocatedReadError(QString::fromLatin1(SReadPropertyAt)
                                        .arg(resource_)
                                        .arg(fixup.Line)
                                        .arg(fixup.Path, e.Message()));
        }
    }
    fixups_.clear();
}

void TReader::Finish() {
    const QList<QPointer<TComponent>> loaded = loaded_;
    for (const QPointer<TComponent>& c : loaded)
        if (c) c->SetComponentStateFlag(csReading, false);
    for (const QPointer<TComponent>& c : loaded) {
        if (!c) continue;
        c->Loaded();
        // Also when a Loaded of a descendant leaves out the base's.
        if (c) c->SetComponentStateFlag(csLoading, false);
    }
    created_.clear();
    loaded_.clear();
}

void TReader::Rollback() {
    fixups_.clear();
    // The last made goes first, so a frame's children go before the frame.
    for (qsizetype i = created_.size() - 1; i >= 0; --i)
        if (TComponent* c = created_[i].data()) delete c;
    created_.clear();
    for (const QPointer<TComponent>& c : loaded_)
        if (c) {
            c->SetComponentStateFlag(csReading, false);
            c->SetComponentStateFlag(csLoading, false);
        }
    loaded_.clear();
}
