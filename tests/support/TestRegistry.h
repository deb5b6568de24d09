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
    bool operator==(const Value& o) const { return exists == o.exists && type == o.type && data == o.data; }
};

void resetProgramKeys(); // the options, the desktops and the auto-start entry
void deleteValue(const char* path, const char* name);
Value read(const char* path, const char* name);
void write(const char* path, const char* name, DWORD type, const std::string& data); // exactly these bytes
std::map<std::string, Value> readAll(const char* path);
ULONGLONG lastWriteTime(const char* path); // 0 when the key does not exist

// Wine stores a NUL after counted string data when the caller's buffer has one there ("1 37" with
// length 4 is stored as 5 bytes; Windows stores 4): this is the stored text without that NUL.
std::string handedOverText(const Value& value);

} // namespace registry
