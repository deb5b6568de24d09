#include "CommandMap.h"

namespace {
template <typename Value>
Value lookUp(const std::map<int, Value>& commands, int id)
{
    auto found = commands.find(id);
    return found == commands.end() ? Value{} : found->second;
}
}

int CommandMap::addWindowCommand(HWND window)
{
    windowCommands[nextId] = window;
    return nextId++;
}

int CommandMap::addCloseAllCommand(int desktopId)
{
    closeAllCommands[nextId] = desktopId;
    return nextId++;
}

int CommandMap::addSwitchCommand(int desktopId)
{
    switchCommands[nextId] = desktopId;
    return nextId++;
}

HWND CommandMap::windowFor(int id) const
{
    return lookUp(windowCommands, id);
}

int CommandMap::closeAllFor(int id) const
{
    return lookUp(closeAllCommands, id);
}

int CommandMap::switchFor(int id) const
{
    return lookUp(switchCommands, id);
}

void CommandMap::clear()
{
    nextId = baseId;
    windowCommands.clear();
    closeAllCommands.clear();
    switchCommands.clear();
}
