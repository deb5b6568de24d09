#pragma once
#include <windows.h>

#include <utility>

// Owns one kernel object handle and closes it exactly once.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : owned(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : owned(std::exchange(other.owned, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.owned, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return owned; }
    // Gives the handle up without closing it.
    HANDLE release() { return std::exchange(owned, nullptr); }
    bool valid() const { return owned != nullptr && owned != INVALID_HANDLE_VALUE; }
    void reset(HANDLE handle = nullptr)
    {
        if (valid())
            CloseHandle(owned);
        owned = handle;
    }

private:
    HANDLE owned = nullptr;
};
