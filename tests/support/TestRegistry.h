#pragma once
#include <windows.h>

#include <map>
#include <string>

// The real registry of the test prefix, under HKEY_CURRENT_USER.
namespace registry {

constexpr const char* OptionsKey = "Software\\Lumenfold";
constexpr const char* DesksKey = "Software\\Lumenfold\\desks";
constexpr const char* RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Value {
    bool exists = false;
    DWORD type = REG_NONE;
    std::string data; // the stored bytes, exactly
    bool operator==(const Value& other) const
    {
        return exists == other.exists && type == other.type && data == other.data;
    }
};

void resetProgramKeys(); // the options, the desktops and the auto-start entry
void deleteKey(const char* path);
void deleteValue(const char* path, const char* name);
Value read(const char* path, const char* name);
void write(const char* path, const char* name, DWORD type, const std::string& data); // exactly these bytes
std::map<std::string, Value> readAll(const char* path);
ULONGLONG lastWriteTime(const char* path); // 0 when the key does not exist

// Wine stores a NUL after string data whenever the caller's buffer has one after the counted
// bytes, so "1 37" handed over with its length 4 is stored as 5 bytes; Windows stores the 4. This
// is the text as handed over: the stored data without that one added NUL.
std::string handedOverText(const Value& value);

} // namespace registry
