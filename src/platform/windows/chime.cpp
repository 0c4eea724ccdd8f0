// SPDX-License-Identifier: GPL-3.0-or-later
// The chime on Windows: a short WAV among moriv.exe's resources, played by the system without
// waiting for it. winmm.dll is loaded when the chime is first wanted.
#include "platform/chime.h"
#include "platform/diagnostics.h"

#include <windows.h>

namespace {

class ResourceChime final : public Chime
{
public:
    ~ResourceChime() override
    {
        if (m_library)
            FreeLibrary(m_library);
    }

    bool load()
    {
        m_library = LoadLibraryW(L"winmm.dll");
        m_play = m_library ? reinterpret_cast<decltype(m_play)>(
                                 reinterpret_cast<void *>(GetProcAddress(m_library, "PlaySoundW")))
                           : nullptr;
        if (!m_play)
            qCWarning(lcMoriv, "the chime cannot sound: winmm.dll cannot be loaded");
        return m_play != nullptr;
    }

    void play() override
    {
        // SND_ASYNC: played while the count goes on; SND_NODEFAULT: silence rather than the
        // system's default beep when no sound device is there.
        constexpr DWORD flags = 0x00040000 /* SND_RESOURCE */ | 0x0001 /* SND_ASYNC */
                                | 0x0002 /* SND_NODEFAULT */;
        if (!m_play || m_play(L"CHIME", GetModuleHandleW(nullptr), flags) || m_failed)
            return;
        m_failed = true;
        qCWarning(lcMoriv, "the chime cannot sound: no sound device plays it");
    }

private:
    HMODULE m_library = nullptr;
    BOOL(WINAPI *m_play)(LPCWSTR, HMODULE, DWORD) = nullptr;
    bool m_failed = false;
};

} // namespace

std::unique_ptr<Chime> Platform::createChime()
{
    auto chime = std::make_unique<ResourceChime>();
    chime->load();
    return chime;
}
