#include "lib/propstore/PropsFiler.h"

#include "vcl/SysUtils.h"
#include "vcl/Variants.h"

namespace {

const String SCount = QStringLiteral("Count");
const String SNullReference = QStringLiteral("(null)");
constexpr int MaxNesting = 16;

// Saved and loaded texts lose surrounding blanks and control characters.
String Clean(const String& Text) { return Trim(Text); }

int FloatDigits(TFloatType Type) {
    switch (Type) {
    case ftSingle: return 7;
    case ftDouble: return 15;
    case ftExtended: return 18;
    case ftComp: return 18;
    case ftCurr: return 19;
    }
    return 15;
}

// Floats are kept with "." whatever the locale.
String FloatText(Extended Value, TFloatType Type) {
    String text = FloatToStrF(Value, ffGeneral, FloatDigits(Type), 0);
    return text.replace(FormatSettings.DecimalSeparator, u'.');
}

bool IsSetWordBreak(QChar c) { return c.isSpace() || c == u',' || c == u'[' || c == u']'; }

bool IsComponentClass(PPropInfo PropInfo) {
    for (const QMetaObject* mo = PropInfo->ClassType(); mo; mo = mo->superClass())
        if (mo == &TComponent::staticMetaObject) return true;
    return false;
}

// The owner's name in a reference text: an owner without a name gives its class name without "T".
String OwnerText(const TComponent* Owner) {
    if (!Owner->Name().isEmpty()) return Owner->Name();
    String name = Owner->ClassName();
    if (name.startsWith(u'T')) name.remove(0, 1);
    return name;
}

} // namespace

String TPropsFiler::ReadString(const String& ASection, const String& Key, const String& Default) {
    return IniFile->ReadString(ASection, Key, Default);
}

void TPropsFiler::WriteString(const String& ASection, const String& Key, const String& Value) {
    IniFile->WriteString(ASection, Key, Value);
}

void TPropsFiler::EraseSection(const String& ASection) { IniFile->EraseSection(ASection); }

std::unique_ptr<TPropsFiler> TPropsFiler::CreateInfo() const {
    return std::make_unique<TPropsFiler>(IniFile, Section);
}

std::unique_ptr<TPropsFiler> TPropsFiler::SubFiler(TObject* Object, const String& ASection,
                                                   const String& APrefix) const {
    std::unique_ptr<TPropsFiler> filer = CreateInfo();
    filer->Instance = Object;
    filer->Section = ASection;
    filer->Prefix = APrefix;
    filer->Root = nullptr;
    filer->Depth = Depth + 1;
    return filer;
}

bool TPropsFiler::IsFiledKind(TTypeKind Kind) {
    switch (Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkFloat:
    case tkString:
    case tkSet:
    case tkClass:
    case tkWChar:
    case tkLString:
    case tkVariant:
    case tkInt64: return true;
    default: return false;
    }
}

String TPropsFiler::CurrentText(PPropInfo PropInfo) const {
    switch (PropInfo->Kind()) {
    case tkInteger: return IntToStr(GetOrdProp(Instance, PropInfo));
    case tkInt64: return IntToStr(GetInt64Prop(Instance, PropInfo));
    case tkChar:
    case tkWChar: {
        const Int64 code = GetOrdProp(Instance, PropInfo);
        return code == 0 ? String() : String(QChar(char16_t(code)));
    }
    case tkEnumeration: return GetEnumProp(Instance, PropInfo);
    case tkFloat: return FloatText(GetFloatProp(Instance, PropInfo), PropInfo->FloatType());
    case tkString:
    case tkLString: return GetStrProp(Instance, PropInfo);
    case tkSet: return GetSetProp(Instance, PropInfo, true);
    case tkVariant: return VarToStr(GetVariantProp(Instance, PropInfo));
    default: return String();
    }
}

void TPropsFiler::LoadText(PPropInfo PropInfo, const String& Text) {
    switch (PropInfo->Kind()) {
    case tkInteger: SetOrdProp(Instance, PropInfo, StrToIntDef(Text, 0)); break;
    case tkInt64: SetInt64Prop(Instance, PropInfo, StrToInt64Def(Text, 0)); break;
    case tkChar:
    case tkWChar:
        if (!Text.isEmpty()) SetOrdProp(Instance, PropInfo, Text[0].unicode());
        break;
    case tkEnumeration: {
        const int value = GetEnumValue(PropInfo, Text);
        if (value >= 0) SetOrdProp(Instance, PropInfo, value);
        break;
    }
    case tkFloat: {
        Extended value = 0;
        String local = Text;
        local.replace(u'.', FormatSettings.DecimalSeparator);
        if (TryStrToFloat(local, value)) SetFloatProp(Instance, PropInfo, value);
        break;
    }
    case tkString:
    case tkLString: SetStrProp(Instance, PropInfo, Text); break;
    case tkSet: {
        const QMetaEnum& type = PropInfo->Enum();
        int members = 0;
        for (qsizetype i = 0; i < Text.size();) {
            if (IsSetWordBreak(Text[i])) {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < Text.size() && !IsSetWordBreak(Text[end]))
                ++end;
            const int member = GetEnumValue(type, Text.mid(i, end - i));
            if (member > 0) members |= member;
            i = end;
        }
        SetOrdProp(Instance, PropInfo, members);
        break;
    }
    case tkVariant: SetVariantProp(Instance, PropInfo, Variant(Text)); break;
    default: break;
    }
}

void TPropsFiler::LoadProperty(PPropInfo PropInfo) {
    if (!IsFiledKind(PropInfo->Kind())) return;
    if (PropInfo->Kind() == tkClass) {
        LoadClass(PropInfo);
        return;
    }
    const String current = CurrentText(PropInfo);
    if (PropInfo->Kind() == tkVariant && Clean(current).isEmpty()) {
        SetVariantProp(Instance, PropInfo, Variant(String()));
        return;
    }
    LoadText(PropInfo, Clean(ReadString(Section, GetItemName(PropInfo->Name()), current)));
}

void TPropsFiler::StoreProperty(PPropInfo PropInfo) {
    const TTypeKind kind = PropInfo->Kind();
    if (!IsFiledKind(kind)) return;
    if (kind == tkClass) {
        StoreClass(PropInfo);
        return;
    }
    const String text = Clean(CurrentText(PropInfo));
    const bool writtenEmpty = kind == tkString || kind == tkLString || kind == tkWChar;
    if (text.isEmpty() && !writtenEmpty) return;
    WriteString(Section, GetItemName(PropInfo->Name()), text);
}

void TPropsFiler::LoadProperties() {
    for (PPropInfo info : GetPropList(Instance, tkProperties)) {
        try {
            LoadProperty(info);
        } catch (...) {
            // A property that cannot take its stored value keeps the one it has.
        }
    }
}

void TPropsFiler::StoreProperties() {
    for (PPropInfo info : GetPropList(Instance, tkProperties))
        StoreProperty(info);
}

void TPropsFiler::LoadClass(PPropInfo PropInfo) {
    if (Depth >= MaxNesting) return;
    if (IsComponentClass(PropInfo)) {
        LoadReference(PropInfo);
        return;
    }
    QObject* object = GetObjectProp(Instance, PropInfo);
    auto* value = dynamic_cast<TObject*>(object);
    if (!value) return;
    const String name = GetItemName(PropInfo->Name());
    if (auto* strings = dynamic_cast<TStrings*>(value))
        LoadStrings(strings, Section + u'.' + name);
    else if (auto* collection = dynamic_cast<TCollection*>(value))
        LoadCollection(collection, name);
    LoadNested(value, name);
}

void TPropsFiler::StoreClass(PPropInfo PropInfo) {
    if (Depth >= MaxNesting) return;
    if (IsComponentClass(PropInfo)) {
        StoreReference(PropInfo);
        return;
    }
    auto* value = dynamic_cast<TObject*>(GetObjectProp(Instance, PropInfo));
    if (!value) return;
    const String name = GetItemName(PropInfo->Name());
    if (auto* strings = dynamic_cast<TStrings*>(value))
        StoreStrings(strings, Section + u'.' + name);
    else if (auto* collection = dynamic_cast<TCollection*>(value))
        StoreCollection(collection, name);
    StoreNested(value, name);
}

void TPropsFiler::LoadStrings(TStrings* Strings, const String& ListSection) {
    const int count = StrToIntDef(Clean(ReadString(ListSection, SCount, QStringLiteral("0"))), 0);
    // A list saved empty is not emptied: a missing list must not wipe the designed lines.
    if (count <= 0) return;
    TStringList lines;
    for (int i = 0; i < count; ++i)
        lines.Add(ReadString(ListSection, QStringLiteral("Item%1").arg(i), String()));
    Strings->Assign(&lines);
}

void TPropsFiler::StoreStrings(TStrings* Strings, const String& ListSection) {
    EraseSection(ListSection);
    if (Strings->Count() == 0) return;
    WriteString(ListSection, SCount, IntToStr(Strings->Count()));
    for (int i = 0; i < Strings->Count(); ++i)
        WriteString(ListSection, QStringLiteral("Item%1").arg(i), Strings->Strings(i));
}

void TPropsFiler::LoadCollection(TCollection* Collection, const String& Name) {
    const String itemsSection = Section + u'.' + Name;
    const int count =
        StrToIntDef(Clean(ReadString(Section, Name + QStringLiteral(".Count"), IntToStr(Collection->Count()))), 0);
    Collection->BeginUpdate();
    try {
        const bool rebuild = count != Collection->Count();
        if (rebuild) Collection->Clear();
        for (int i = 0; i < count; ++i) {
            TCollectionItem* item = rebuild ? Collection->Add() : Collection->Items(i);
            SubFiler(item, itemsSection, QStringLiteral("Item%1_").arg(i))->LoadProperties();
        }
    } catch (...) {
        Collection->EndUpdate();
        throw;
    }
    Collection->EndUpdate();
}

void TPropsFiler::StoreCollection(TCollection* Collection, const String& Name) {
    const String itemsSection = Section + u'.' + Name;
    WriteString(Section, Name + QStringLiteral(".Count"), IntToStr(Collection->Count()));
    EraseSection(itemsSection);
    for (int i = 0; i < Collection->Count(); ++i)
        SubFiler(Collection->Items(i), itemsSection, QStringLiteral("Item%1_").arg(i))->StoreProperties();
}

void TPropsFiler::LoadReference(PPropInfo PropInfo) {
    const String text = Clean(ReadString(Section, GetItemName(PropInfo->Name()), String()));
    if (text.isEmpty()) return;
    if (AnsiCompareText(text, SNullReference) == 0) {
        SetObjectProp(Instance, PropInfo, nullptr);
        return;
    }
    const qsizetype dot = text.indexOf(u'.');
    TComponent* owner = nullptr;
    String name = text;
    if (dot >= 0) {
        owner = FindGlobalComponent(text.left(dot));
        name = text.mid(dot + 1);
    } else {
        owner = Root;
    }
    // An owner that cannot be found leaves the reference as it is.
    if (!owner) return;
    TComponent* found = owner->FindComponent(name);
    if (found && PropInfo->ClassType() && !found->metaObject()->inherits(PropInfo->ClassType())) found = nullptr;
    SetObjectProp(Instance, PropInfo, found);
}

void TPropsFiler::StoreReference(PPropInfo PropInfo) {
    auto* component = dynamic_cast<TComponent*>(GetObjectProp(Instance, PropInfo));
    if (!component) return;
    String text = component->Name();
    if (component->Owner() && component->Owner() != Root) text = OwnerText(component->Owner()) + u'.' + text;
    WriteString(Section, GetItemName(PropInfo->Name()), Clean(text));
}

void TPropsFiler::LoadNested(TObject* Object, const String& Name) {
    SubFiler(Object, Section, Name)->LoadProperties();
}

void TPropsFiler::StoreNested(TObject* Object, const String& Name) {
    SubFiler(Object, Section, Name)->StoreProperties();
}
