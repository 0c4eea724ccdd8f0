// SPDX-License-Identifier: GPL-3.0-or-later
// The remote control's library: the program loads it, and with it Qt's HTTP server, only when
// the remote control is on.
#include "remote/httpremote.h"

extern "C" Q_DECL_EXPORT RemoteControl *moriv_remote_create(RemoteHost *host,
                                                            const QByteArray *token)
{
    return new HttpRemote(*host, *token);
}
