#include "TrapKitProtocol.h"

extern "C" BOOLEAN WINAPI CatchCreateWin(int install)
{
    return install >= 0;
}

extern "C" BOOLEAN WINAPI CatchSysCmd(int install)
{
    return install >= 0;
}
