// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

// A short chime at zero. It never blocks the program while it sounds, and where there is no
// sound (no sound server, a muted one, no sound theme) it says so at most once and is silent.
class Chime
{
public:
    virtual ~Chime() = default;
    virtual void play() = 0;
};

namespace Platform {

// Loads what the chime needs, only now: nothing of it is in memory while the chime is off.
std::unique_ptr<Chime> createChime();

} // namespace Platform
