#pragma once
// A settings store held in memory, for running the settings rules without a
// registry.  It keeps each value's type and bytes as the registry would.

#include "app/SettingsStore.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

class MemorySettingsStore : public SettingsStore {
public:
    struct Value {
        ValueType Type;
        std::vector<unsigned char> Bytes;
    };

    bool OpenForRead() override { return exists_ && (open_ = true); }
    bool OpenForWrite() override {
        if (refuseWrite_) return false;
        exists_ = true;
        return open_ = true;
    }
    bool Read(const char* name, void* buffer, std::size_t size, std::size_t& got, ValueType& type) override {
        auto it = values_.find(name);
        if (!open_ || it == values_.end() || it->second.Bytes.size() > size) return false;
        got = it->second.Bytes.size();
        type = it->second.Type;
        if (got) std::memcpy(buffer, it->second.Bytes.data(), got);
        return true;
    }
    bool Write(const char* name, ValueType type, const void* data, std::size_t size) override {
        if (!open_) return false;
        const unsigned char* p = static_cast<const unsigned char*>(data);
        values_[name] = Value{type, std::vector<unsigned char>(p, p + size)};
        return true;
    }
    void Close() override { open_ = false; }

    void Set(const char* name, ValueType type, const void* data, std::size_t size) {
        exists_ = true;
        const unsigned char* p = static_cast<const unsigned char*>(data);
        values_[name] = Value{type, std::vector<unsigned char>(p, p + size)};
    }
    void SetText(const char* name, const char* text) { Set(name, ValueType::Text, text, std::strlen(text) + 1); }
    void SetNumber(const char* name, std::int32_t value) { Set(name, ValueType::Number, &value, 4); }
    void Remove(const char* name) { values_.erase(name); }
    const Value* Find(const char* name) const {
        auto it = values_.find(name);
        return it == values_.end() ? nullptr : &it->second;
    }
    const std::map<std::string, Value>& Values() const { return values_; }
    void RefuseWrite(bool refuse) { refuseWrite_ = refuse; }
    bool IsOpen() const { return open_; }

private:
    std::map<std::string, Value> values_;
    bool exists_ = false;
    bool open_ = false;
    bool refuseWrite_ = false;
};
