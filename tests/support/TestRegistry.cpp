#include "TestRegistry.h"

#include <vector>

namespace registry {

void deleteKey(const char* path)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, path);
    RegDeleteKeyA(HKEY_CURRENT_USER, path);
}

void deleteValue(const char* path, const char* name)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void resetProgramKeys()
{
    deleteKey(OptionsKey);
    deleteValue(RunKey, "Lumenfold.exe");
}

Value read(const char* path, const char* name)
{
    Value value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size + 1);
        RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()), &size);
        value.exists = true;
        value.data.assign(data.data(), size);
    }
    RegCloseKey(key);
    return value;
}

void write(const char* path, const char* name, DWORD type, const std::string& data)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    // Copied into a buffer with no NUL after the data, so that exactly these bytes are stored.
    std::vector<char> bytes(data.begin(), data.end());
    bytes.push_back('x');
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

std::map<std::string, Value> readAll(const char* path)
{
    std::map<std::string, Value> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values[name] = read(path, name);
    }
    RegCloseKey(key);
    return values;
}

ULONGLONG lastWriteTime(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    FILETIME written = {};
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &written);
    RegCloseKey(key);
    return (static_cast<ULONGLONG>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
}

std::string handedOverText(const Value& value)
{
    bool stringType = value.type == REG_SZ || value.type == REG_MULTI_SZ || value.type == REG_EXPAND_SZ;
    if (stringType && !value.data.empty() && value.data.back() == '\0')
        return value.data.substr(0, value.data.size() - 1);
    return value.data;
}

} // namespace registry
