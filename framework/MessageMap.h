#pragma once
#include "CWnd.h"

#include <cstddef>

// One row of a class's message map: which message (for WM_COMMAND and WM_NOTIFY also which
// control and which notification code) goes to which handler of class T.
template <class T>
struct MessageMapEntry {
    UINT message;
    int controlId;
    UINT code;
    void (T::*onEvent)();
    void (T::*onNotify)(NMHDR*, LRESULT*);
};

template <class T>
constexpr MessageMapEntry<T> mapMessage(UINT message, void (T::*handler)())
{
    return {message, 0, 0, handler, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> mapCommand(int controlId, UINT code, void (T::*handler)())
{
    return {WM_COMMAND, controlId, code, handler, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> mapNotify(int controlId, UINT code, void (T::*handler)(NMHDR*, LRESULT*))
{
    return {WM_NOTIFY, controlId, code, nullptr, handler};
}

template <class T>
constexpr MessageMapEntry<T> mapNotifyReflect(UINT code, void (T::*handler)(NMHDR*, LRESULT*))
{
    return {ReflectedNotify, 0, code, nullptr, handler};
}

// Calls the first handler of the map that takes the message; false when none does.
template <class T, std::size_t N>
bool dispatchMessageMap(T& target, const MessageMapEntry<T> (&map)[N], UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT* result)
{
    for (const MessageMapEntry<T>& entry : map) {
        if (entry.message != message)
            continue;
        *result = 0;
        if (message == WM_COMMAND) {
            if (LOWORD(wParam) != entry.controlId || HIWORD(wParam) != entry.code)
                continue;
        } else if (message == WM_NOTIFY || message == ReflectedNotify) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code != entry.code)
                continue;
            if (message == WM_NOTIFY && static_cast<int>(header->idFrom) != entry.controlId)
                continue;
            (target.*entry.onNotify)(header, result);
            return true;
        }
        (target.*entry.onEvent)();
        return true;
    }
    return false;
}
