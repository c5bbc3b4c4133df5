#pragma once
// The key-value store behind the settings: the current user's registry key on
// Windows, a map in tests.  Only these operations are used.

#include <cstddef>

enum class ValueType { Text, Number, Binary, Other };

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual bool OpenForRead() = 0;   // fails when the key does not exist
    virtual bool OpenForWrite() = 0;  // creates the key when it is missing
    // Reads a value into a buffer of `size` bytes.  Fails when the value is
    // missing or longer than the buffer; on success `got` is the stored size.
    virtual bool Read(const char* name, void* buffer, std::size_t size, std::size_t& got, ValueType& type) = 0;
    virtual bool Write(const char* name, ValueType type, const void* data, std::size_t size) = 0;
    virtual void Close() = 0;
};
