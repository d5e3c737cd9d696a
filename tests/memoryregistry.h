#pragma once

#include "runtime/registry.h"
#include "runtime/runtimeerror.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pomvexa::testing {

// A registry held in memory. A test sets its values (any type, any bytes) and its failures, and
// reads back every open, query and close it was asked for.
class MemoryRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type = typeString;
        std::string bytes;
    };

    // Key paths are compared without regard to case; value names likewise.
    std::map<std::string, std::map<std::string, Value>> keys;
    // Status to return for an open of a path, instead of looking it up.
    std::map<std::string, Status> openFailures;
    // Status to return for every query, instead of looking the value up.
    std::optional<Status> queryFailure;
    // Size to report for a successful query instead of the value's (0 models an empty read).
    std::optional<std::uint32_t> reportedSize;
    // A run-time error that every open raises, as a registry that cannot be bound does.
    std::optional<RuntimeError::Code> bindingFailure;

    std::vector<std::string> opened; // key paths, in order
    std::vector<std::uint32_t> accessRequested;
    std::vector<std::string> queried; // value names, in order
    int closes = 0;

    static std::string text(const std::string& value) { return value + '\0'; }

    void setString(const std::string& key, const std::string& name, const std::string& bytes) {
        keys[lowered(key)][lowered(name)] = {typeString, bytes};
    }
    void setValue(const std::string& key, const std::string& name, std::uint32_t type,
                  const std::string& bytes) {
        keys[lowered(key)][lowered(name)] = {type, bytes};
    }

    int openKeys() const { return static_cast<int>(handles.size()); }

    Status openKey(std::int32_t root, const std::string& path, std::uint32_t access,
                   Key& key) override {
        if (bindingFailure)
            throw RuntimeError(*bindingFailure);
        opened.push_back(path);
        accessRequested.push_back(access);
        if (const auto failure = openFailures.find(lowered(path)); failure != openFailures.end())
            return failure->second;
        if (root != localMachine || keys.find(lowered(path)) == keys.end())
            return fileNotFound;
        key = nextKey++;
        handles[key] = lowered(path);
        return success;
    }

    Status queryValue(Key key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override {
        queried.push_back(name);
        const auto handle = handles.find(key);
        if (handle == handles.end())
            return invalidHandle;
        if (queryFailure)
            return *queryFailure;
        const auto& values = keys[handle->second];
        const auto value = values.find(lowered(name));
        if (value == values.end())
            return fileNotFound;
        const std::string& bytes = value->second.bytes;
        if (bytes.size() > size) {
            size = static_cast<std::uint32_t>(bytes.size());
            return moreData;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        type = value->second.type;
        size = reportedSize.value_or(static_cast<std::uint32_t>(bytes.size()));
        return success;
    }

    Status closeKey(Key key) override {
        ++closes;
        return handles.erase(key) == 1 ? success : invalidHandle;
    }

    // Strings are stored as UTF-8.
    std::string toText(std::string_view bytes) const override { return std::string(bytes); }

private:
    static std::string lowered(std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }

    std::map<Key, std::string> handles;
    Key nextKey = 100;
};

} // namespace pomvexa::testing
