// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/command.h"
#include "platform/outcome.h"

#include <QByteArray>
#include <QHostAddress>

#include <memory>

// What the remote control tells of the timer.
struct RemoteState
{
    enum class State { Ready, Counting, Paused, Asking, Over };
    enum class Phase { Normal, Warning, Over };
    State state = State::Ready;
    qint32 secondsLeft = 0; // negative past zero
    int minutes = 0;        // what a fresh Start counts; 0 when the stored text is no length
    Phase phase = Phase::Normal;
    bool operator==(const RemoteState &) const = default;
};

// The timer, as the remote control drives it.
class RemoteHost
{
public:
    virtual ~RemoteHost() = default;
    virtual RemoteState state() const = 0;
    // A question or the settings dialog is open: nothing is to be done until it is answered.
    virtual bool isAsking() const = 0;
    // Runs the command as its action does; reset without the question, for the caller has
    // asked already.
    virtual void run(Command command) = 0;
    // This run counts MINUTES (1 to 32768), shown at once as after a reset.
    virtual void countMinutes(int minutes) = 0;
};

// The remote control: HTTP on one address, every request carrying the token. Its library is
// loaded only when it is asked for.
class RemoteControl
{
public:
    virtual ~RemoteControl() = default;
    virtual Outcome listen(const QHostAddress &address, quint16 port) = 0;
    virtual quint16 port() const = 0;
    // The state changed, or a second went by: the event streams are told.
    virtual void publish() = 0;
};

namespace Remote {

// The longest body a request may carry.
inline constexpr qsizetype maxBody = 1024;
// The port the menu's remote control listens on until another is stored.
inline constexpr quint16 defaultPort = 7270;

// The remote control's library, loaded now; the reason when it cannot be.
std::unique_ptr<RemoteControl> load(RemoteHost &host, const QByteArray &token,
                                    Outcome *failure);

// The token in PATH, or a new one of 256 random bits from the system's generator, written
// there readable by the user alone. One that others could read is replaced by a new one.
Outcome readOrMakeToken(const QString &path, QByteArray *token);

} // namespace Remote
