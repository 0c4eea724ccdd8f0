// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/remotecontrol.h"

#include <QCoreApplication>
#include <QLibrary>

// The remote control's library exports this, to make the server.
using CreateRemote = RemoteControl *(*)(RemoteHost *host, const QByteArray *token);

std::unique_ptr<RemoteControl> Remote::load(RemoteHost &host, const QByteArray &token,
                                            Outcome *failure)
{
    if (!MORIV_REMOTE_LIBRARY) {
        if (failure)
            *failure = Outcome::failure(QStringLiteral("this build has no remote control (Qt's "
                                                       "HTTP server was not there to build it)"));
        return nullptr;
    }
    // Beside the program (a build, the Windows folder), else where the package puts it. It
    // stays loaded for the rest of the run.
    QString reason;
    const QString beside = QCoreApplication::applicationDirPath();
    for (const QString &folder : {beside, beside + QStringLiteral("/" MORIV_PLUGIN_DIR)}) {
        QLibrary library(folder + QStringLiteral("/moriv-remote"));
        const auto create =
            reinterpret_cast<CreateRemote>(library.resolve("moriv_remote_create"));
        if (create)
            return std::unique_ptr<RemoteControl>(create(&host, &token));
        reason = library.errorString(); // where the package puts it, the one that counts
    }
    if (failure)
        *failure = Outcome::failure(reason);
    return nullptr;
}
