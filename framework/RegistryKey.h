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
        return &key_;
    }
    HKEY get() const { return key_; }
    void close()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};
