// SPDX-License-Identifier: GPL-3.0-or-later
// The chime through the desktop's sound theme (the XDG sound naming), played by libcanberra,
// which is loaded when the chime is first wanted.
#include "platform/chime.h"
#include "platform/diagnostics.h"

#include <canberra.h>
#include <dlfcn.h>

namespace {

// Made once a run, and kept to its end: the sound server may still be playing the chime when
// the program ends, and the library with its context goes with the process.
class CanberraChime final : public Chime
{
public:

    bool load()
    {
        m_library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!m_library)
            return said("libcanberra is not installed");
        m_create = reinterpret_cast<decltype(m_create)>(dlsym(m_library, "ca_context_create"));
        m_play = reinterpret_cast<decltype(m_play)>(dlsym(m_library, "ca_context_play"));
        m_error = reinterpret_cast<decltype(m_error)>(dlsym(m_library, "ca_strerror"));
        if (!m_create || !m_play || !m_error || m_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            return said("libcanberra cannot be used");
        }
        return true;
    }

    void play() override
    {
        if (!m_context)
            return;
        // Asynchronous: the sound server plays it while the count goes on. A theme without the
        // alarm clock's sound has the plainer one for something done.
        int result = CA_ERROR_NOTFOUND;
        for (const char *name : {"alarm-clock-elapsed", "complete"}) {
            result = m_play(m_context, 0, CA_PROP_EVENT_ID, name, CA_PROP_EVENT_DESCRIPTION,
                            "Time is up", CA_PROP_MEDIA_ROLE, "event", nullptr);
            if (result != CA_ERROR_NOTFOUND)
                break;
        }
        if (result != CA_SUCCESS && !m_failed) {
            m_failed = true;
            qCWarning(lcMoriv, "the chime cannot sound: %s", m_error(result));
        }
    }

private:
    bool said(const char *why)
    {
        qCWarning(lcMoriv, "the chime cannot sound: %s", why);
        return false;
    }

    void *m_library = nullptr;
    ca_context *m_context = nullptr;
    int (*m_create)(ca_context **) = nullptr;
    int (*m_play)(ca_context *, uint32_t, ...) = nullptr;
    const char *(*m_error)(int) = nullptr;
    bool m_failed = false;
};

class SilentChime final : public Chime
{
public:
    void play() override {}
};

} // namespace

std::unique_ptr<Chime> Platform::createChime()
{
    auto chime = std::make_unique<CanberraChime>();
    if (!chime->load())
        return std::make_unique<SilentChime>();
    return chime;
}
