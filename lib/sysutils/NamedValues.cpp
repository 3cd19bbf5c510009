// Variant equality and named-value lists.
#include "lib/moxSysUtils.h"

namespace {

Variant PairAt(const Variant& list, int index) {
    return list.GetElement({index});
}

} // namespace

bool VarEquals(const Variant& V1, const Variant& V2) {
    try {
        return V1 == V2;
    } catch (const Exception&) {
        return false;
    }
}

int NamedValuesCount(const Variant& List) {
    if (List.IsEmpty()) return 0;
    return VarArrayHighBound(List, 1) + 1;
}

String NamedValueName(const Variant& List, int Index) {
    return VarToStr(PairAt(List, Index).GetElement({0}));
}

Variant NamedValueAt(const Variant& List, int Index) {
    return PairAt(List, Index).GetElement({1});
}

int NamedValueIndex(const Variant& List, const String& Name) {
    const int count = NamedValuesCount(List);
    for (int i = 0; i < count; ++i)
        if (NamedValueName(List, i).compare(Name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Variant NamedValueByName(const Variant& List, const String& Name) {
    const int index = NamedValueIndex(List, Name);
    return index < 0 ? Unassigned() : NamedValueAt(List, index);
}

void SetNamedValueAt(Variant& List, int Index, const Variant& Value) {
    // Arrays are values: change a copy of the pair and put it back.
    Variant pair = PairAt(List, Index);
    pair.PutElement({1}, Value);
    List.PutElement({Index}, pair);
}

int AddNamedValue(Variant& List, const String& Name, const Variant& Value) {
    int index = 0;
    if (List.IsEmpty()) {
        List = VarArrayCreate({0, 0}, varVariant);
    } else {
        index = VarArrayHighBound(List, 1) + 1;
        VarArrayRedim(List, index);
    }
    List.PutElement({index}, VarArrayOf({Variant(Name), Value}));
    return index;
}

void SetNamedValue(Variant& List, const String& Name, const Variant& Value) {
    const int index = NamedValueIndex(List, Name);
    if (index < 0) {
        AddNamedValue(List, Name, Value);
    } else {
        SetNamedValueAt(List, index, Value);
    }
}
