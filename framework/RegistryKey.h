#pragma once
#include <windows.h>

// Owns one open registry key and closes it exactly once. The key is opened by the caller's own
// RegOpenKeyExA / RegCreateKeyExA call through receive(), so that every call keeps its exact flags.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY* receive()
    {
        close();
        return &key;
    }
    HKEY get() const { return key; }
    void close()
    {
        if (key != nullptr)
            RegCloseKey(key);
        key = nullptr;
    }

private:
    HKEY key = nullptr;
};
