#include "vcl/typinfo/EnumNames.h"

#include <QStringList>
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "vcl/typinfo/Consts.h"
#include "vcl/typinfo/Internal.h"
#include "vcl/typinfo/PropAccess.h"

using namespace TypInfoConsts;

namespace {

std::optional<int> FindValue(const QMetaEnum& type, const String& name) {
    if (!type.isValid() || name.isEmpty()) return std::nullopt;
    for (int i = 0; i < type.keyCount(); ++i)
        if (name.compare(QLatin1String(type.key(i)), Qt::CaseInsensitive) == 0) return type.value(i);
    return std::nullopt;
}

bool IsBoolean(PPropInfo info) {
    return info->Type().id() == QMetaType::Bool;
}

void RequireSet(PPropInfo info) {
    if (info->Kind() != tkSet) mox::typinfo::RaiseInvalidPropType(info);
}

[[noreturn]] void RaiseInvalidValue() {
    throw EPropertyConvertError(QString::fromLatin1(SInvalidPropertyValue));
}

bool IsSeparator(QChar c) {
    return c == ',' || c.isSpace();
}

} // namespace

String GetEnumName(const QMetaEnum& TypeInfo, Int64 Value) {
    if (!TypeInfo.isValid() || Value < std::numeric_limits<int>::min() ||
        Value > std::numeric_limits<int>::max())
        return String();
    return QString::fromLatin1(TypeInfo.valueToKey(int(Value)));
}

String GetEnumName(PPropInfo PropInfo, Int64 Value) {
    if (IsBoolean(PropInfo)) return Value == 0 || Value == 1 ? GetEnumName(Value == 1) : String();
    return GetEnumName(PropInfo->Enum(), Value);
}

int GetEnumValue(const QMetaEnum& TypeInfo, const String& Name) {
    return FindValue(TypeInfo, Name).value_or(-1);
}

int GetEnumValue(PPropInfo PropInfo, const String& Name) {
    return mox::typinfo::FindEnumValue(PropInfo, Name).value_or(-1);
}

std::optional<int> mox::typinfo::FindEnumValue(PPropInfo PropInfo, const String& Name) {
    if (IsBoolean(PropInfo)) {
        for (int value : {0, 1})
            if (Name.compare(GetEnumName(value == 1), Qt::CaseInsensitive) == 0) return value;
        return std::nullopt;
    }
    return FindValue(PropInfo->Enum(), Name);
}

String SetToString(const QMetaEnum& TypeInfo, int Value, bool Brackets) {
    // The members in ascending order of their bit; names for combinations of bits are no members.
    std::vector<std::pair<unsigned, const char*>> members;
    for (int i = 0; TypeInfo.isValid() && i < TypeInfo.keyCount(); ++i) {
        const unsigned bit = unsigned(TypeInfo.value(i));
        if (bit != 0 && (bit & (bit - 1)) == 0 && (unsigned(Value) & bit) &&
            std::none_of(members.begin(), members.end(), [bit](const auto& m) { return m.first == bit; }))
            members.emplace_back(bit, TypeInfo.key(i));
    }
    std::sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList names;
    for (const auto& member : members)
        names << QString::fromLatin1(member.second);
    const String text = names.join(',');
    return Brackets ? '[' + text + ']' : text;
}

String SetToString(PPropInfo PropInfo, int Value, bool Brackets) {
    RequireSet(PropInfo);
    return SetToString(PropInfo->Enum(), Value, Brackets);
}

int StringToSet(const QMetaEnum& TypeInfo, const String& Value) {
    String text = Value.trimmed();
    const bool open = text.startsWith('['), close = text.endsWith(']');
    if (open != close || (open && text.size() < 2)) RaiseInvalidValue();
    if (open) text = text.mid(1, text.size() - 2);
    if (text.contains('[') || text.contains(']')) RaiseInvalidValue();
    int result = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (IsSeparator(text[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !IsSeparator(text[end]))
            ++end;
        const String name = text.mid(i, end - i);
        const std::optional<int> member = FindValue(TypeInfo, name);
        if (!member) throw EPropertyConvertError(QString::fromLatin1(SInvalidPropertyElement).arg(name));
        result |= *member;
        i = end;
    }
    return result;
}

int StringToSet(PPropInfo PropInfo, const String& Value) {
    RequireSet(PropInfo);
    return StringToSet(PropInfo->Enum(), Value);
}
