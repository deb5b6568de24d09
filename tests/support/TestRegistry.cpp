#include "TestRegistry.h"

namespace registry {
namespace {
struct OpenKey {
    explicit OpenKey(const char* path)
    {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            key = nullptr;
    }
    ~OpenKey() { RegCloseKey(key); }
    HKEY key = nullptr;
};
}

void deleteValue(const char* path, const char* name) { RegDeleteKeyValueA(HKEY_CURRENT_USER, path, name); }

void resetProgramKeys()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, OptionsKey); // the key itself too, as it is named
    deleteValue(RunKey, "Lumenfold.exe");
}

Value read(const char* path, const char* name)
{
    Value value;
    OpenKey open(path);
    DWORD size = 0;
    if (open.key && RegQueryValueExA(open.key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size + 1);
        RegQueryValueExA(open.key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.data[0]), &size);
        value.exists = true;
        value.data.resize(size);
    }
    return value;
}

void write(const char* path, const char* name, DWORD type, const std::string& data)
{
    // No NUL after the data in the buffer, so that Wine stores exactly these bytes.
    std::string bytes = data + 'x';
    RegSetKeyValueA(HKEY_CURRENT_USER, path, name, type, bytes.data(), static_cast<DWORD>(data.size())); // makes the key
}

std::map<std::string, Value> readAll(const char* path)
{
    std::map<std::string, Value> values;
    OpenKey open(path);
    char name[256];
    for (DWORD index = 0, size = sizeof name;
         open.key && RegEnumValueA(open.key, index, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++index, size = sizeof name)
        values[name] = read(path, name);
    return values;
}

ULONGLONG lastWriteTime(const char* path)
{
    OpenKey open(path);
    FILETIME written = {}; // left 0 without the key
    RegQueryInfoKeyA(open.key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &written);
    return (static_cast<ULONGLONG>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
}

std::string handedOverText(const Value& value)
{
    bool text = value.type == REG_SZ || value.type == REG_MULTI_SZ || value.type == REG_EXPAND_SZ;
    return text && !value.data.empty() && value.data.back() == '\0' ? value.data.substr(0, value.data.size() - 1)
                                                                    : value.data;
}

} // namespace registry
