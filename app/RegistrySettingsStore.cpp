#include "app/RegistrySettingsStore.h"

namespace {

ValueType TypeOf(DWORD type) {
    switch (type) {
        case REG_SZ: return ValueType::Text;
        case REG_DWORD: return ValueType::Number;
        case REG_BINARY: return ValueType::Binary;
        default: return ValueType::Other;
    }
}

DWORD RegistryType(ValueType type) {
    switch (type) {
        case ValueType::Text: return REG_SZ;
        case ValueType::Number: return REG_DWORD;
        default: return REG_BINARY;
    }
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(const char* keyPath) : keyPath_(keyPath) {}

bool RegistrySettingsStore::OpenForRead() {
    Close();
    return RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_, 0, KEY_READ, &key_) == ERROR_SUCCESS || (key_ = nullptr, false);
}

bool RegistrySettingsStore::OpenForWrite() {
    Close();
    DWORD disposition = 0;
    return RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           &key_, &disposition) == ERROR_SUCCESS ||
           (key_ = nullptr, false);
}

bool RegistrySettingsStore::Read(const char* name, void* buffer, std::size_t size, std::size_t& got, ValueType& type) {
    if (!key_) return false;
    DWORD stored = 0;
    DWORD length = static_cast<DWORD>(size);
    if (RegQueryValueExA(key_, name, nullptr, &stored, static_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS)
        return false;
    got = length;
    type = TypeOf(stored);
    return true;
}

bool RegistrySettingsStore::Write(const char* name, ValueType type, const void* data, std::size_t size) {
    if (!key_) return false;
    return RegSetValueExA(key_, name, 0, RegistryType(type), static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

void RegistrySettingsStore::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}
