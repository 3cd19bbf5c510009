#include "vcl/registry/Registry.h"

#include "vcl/classes/Strings.h"
#include "vcl/inifiles/IniValueText.h"
#include "vcl/registry/RegistryConsts.h"
#include "vcl/registry/RegistryStore.h"

namespace {
QStringList SplitKey(const String& key) {
    return key.split('\\', Qt::SkipEmptyParts);
}
} // namespace

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY Value) {
    if (Value == rootKey_) return;
    CloseKey();
    rootKey_ = Value;
    store_.reset();
}

TRegistryStore& TRegistry::Store() {
    if (!TRegistryStore::HiveAvailable(rootKey_))
        throw ERegistryException(SRegHiveUnavailable.arg(TRegistryStore::HiveName(rootKey_)));
    if (!store_) store_ = std::make_unique<TRegistryStore>(rootKey_);
    return *store_;
}

void TRegistry::CheckAvailable(const QStringList& Path) const {
    if (!TRegistryStore::HiveAvailable(rootKey_))
        throw ERegistryException(SRegHiveUnavailable.arg(TRegistryStore::HiveName(rootKey_)));
    if (!TRegistryStore::PathAvailable(Path))
        throw ERegistryException(
            SRegKeyUnavailable.arg(TRegistryStore::HiveName(rootKey_) + '\\' + Path.join('\\')));
}

QStringList TRegistry::KeyPath(const String& Key) const {
    const bool relative = !Key.startsWith('\\') && keyOpen_;
    return relative ? currentParts_ + SplitKey(Key) : SplitKey(Key);
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
    const QStringList path = KeyPath(Key);
    CheckAvailable(path);
    if (!CanCreate && !Store().KeyExists(path)) return false;
    keyOpen_ = true;
    currentParts_ = path;
    currentPath_ = path.join('\\');
    return true;
}

void TRegistry::CloseKey() {
    keyOpen_ = false;
    currentParts_.clear();
    currentPath_.clear();
}

bool TRegistry::DeleteKey(const String& Key) {
    const QStringList path = KeyPath(Key);
    if (!TRegistryStore::PathAvailable(path)) return false;
    return Store().DeleteKey(path);
}

bool TRegistry::KeyExists(const String& Key) {
    const QStringList path = KeyPath(Key);
    if (!TRegistryStore::PathAvailable(path)) return false;
    return Store().KeyExists(path);
}

bool TRegistry::HasSubKeys() {
    return !KeyNames().isEmpty();
}

QStringList TRegistry::KeyNames() {
    return keyOpen_ ? Store().KeyNames(currentParts_) : QStringList();
}

QStringList TRegistry::ValueNames() {
    return keyOpen_ ? Store().ValueNames(currentParts_) : QStringList();
}

void TRegistry::GetKeyNames(TStrings* Strings) {
    Strings->SetQStringList(KeyNames());
}

void TRegistry::GetValueNames(TStrings* Strings) {
    Strings->SetQStringList(ValueNames());
}

bool TRegistry::ValueExists(const String& Name) {
    String value;
    return keyOpen_ && Store().ReadValue(currentParts_, Name, value);
}

bool TRegistry::DeleteValue(const String& Name) {
    return keyOpen_ && Store().DeleteValue(currentParts_, Name);
}

TRegDataType TRegistry::GetDataType(const String& Name) {
    return ValueExists(Name) ? rdString : rdUnknown;
}

String TRegistry::ReadString(const String& Name) {
    String value;
    if (keyOpen_) Store().ReadValue(currentParts_, Name, value);
    return value;
}

String TRegistry::ReadText(const String& Name) {
    String value;
    if (!keyOpen_ || !Store().ReadValue(currentParts_, Name, value))
        throw ERegistryException(SRegGetDataFailed.arg(Name));
    return value;
}

namespace {
template <class T, class Parse> T ParseOrRaise(const String& text, const String& name, Parse parse) {
    T value{};
    if (!parse(text, value)) throw ERegistryException(SInvalidRegType.arg(name));
    return value;
}
} // namespace

int TRegistry::ReadInteger(const String& Name) {
    return ParseOrRaise<int>(ReadText(Name), Name, TryIniTextToInt);
}

bool TRegistry::ReadBool(const String& Name) {
    return ReadInteger(Name) != 0;
}

double TRegistry::ReadFloat(const String& Name) {
    return ParseOrRaise<double>(ReadText(Name), Name, TryIniTextToFloat);
}

TDateTime TRegistry::ReadDate(const String& Name) {
    return ParseOrRaise<TDateTime>(ReadText(Name), Name, TryIniTextToDate);
}

TDateTime TRegistry::ReadDateTime(const String& Name) {
    return ParseOrRaise<TDateTime>(ReadText(Name), Name, TryIniTextToDateTime);
}

TDateTime TRegistry::ReadTime(const String& Name) {
    return ParseOrRaise<TDateTime>(ReadText(Name), Name, TryIniTextToTime);
}

void TRegistry::WriteString(const String& Name, const String& Value) {
    if (!keyOpen_ || !Store().WriteValue(currentParts_, Name, Value))
        throw ERegistryException(SRegSetDataFailed.arg(Name));
}

void TRegistry::WriteInteger(const String& Name, int Value) {
    WriteString(Name, IniIntToText(Value));
}

void TRegistry::WriteBool(const String& Name, bool Value) {
    WriteInteger(Name, Value ? 1 : 0);
}

void TRegistry::WriteFloat(const String& Name, double Value) {
    WriteString(Name, IniFloatToText(Value));
}

void TRegistry::WriteDate(const String& Name, TDateTime Value) {
    WriteString(Name, IniDateToText(Value));
}

void TRegistry::WriteDateTime(const String& Name, TDateTime Value) {
    WriteString(Name, IniDateTimeToText(Value));
}

void TRegistry::WriteTime(const String& Name, TDateTime Value) {
    WriteString(Name, IniTimeToText(Value));
}
