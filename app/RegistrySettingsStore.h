#pragma once
// The settings key in the current user's registry hive.

#include "app/SettingsStore.h"

#include <windows.h>

class RegistrySettingsStore : public SettingsStore {
public:
    explicit RegistrySettingsStore(const char* keyPath);
    ~RegistrySettingsStore() override { Close(); }

    bool OpenForRead() override;
    bool OpenForWrite() override;
    bool Read(const char* name, void* buffer, std::size_t size, std::size_t& got, ValueType& type) override;
    bool Write(const char* name, ValueType type, const void* data, std::size_t size) override;
    void Close() override;

private:
    const char* keyPath_;
    HKEY key_ = nullptr;
};
