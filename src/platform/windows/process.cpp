// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>

namespace Platform {

// A Windows timer listens at a pipe whose name tells no process; nothing asks this.
bool isProcessStopped(qint64)
{
    return false;
}

void attachParentConsole()
{
    // moriv.exe is a program for the desktop, with no console of its own: what it prints
    // (--help, --version, a usage error, what --command answers) goes to the console it was
    // typed in. Output sent to a file or a pipe already has somewhere to go and stays there.
    const auto unset = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE
               || GetFileType(handle) == FILE_TYPE_UNKNOWN;
    };
    const bool out = unset(STD_OUTPUT_HANDLE);
    const bool err = unset(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (out)
        std::freopen("CONOUT$", "w", stdout);
    if (err)
        std::freopen("CONOUT$", "w", stderr);
}

} // namespace Platform
