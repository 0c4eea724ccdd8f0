// SPDX-License-Identifier: GPL-3.0-or-later
// Presses keys through KWin's fake input, which KWin handles as its own keyboard's: global
// shortcuts see them. KWin lets a client bind it only when KWIN_WAYLAND_NO_PERMISSION_CHECKS=1
// was set at its start.
// Usage: kwininput CODE...: presses the evdev key codes in order, releases them backwards.
#include "fake-input-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wayland-client.h>

static struct org_kde_kwin_fake_input *input;

static void announced(void *data, struct wl_registry *registry, uint32_t name,
                      const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: kwininput CODE...\n");
        return 2;
    }
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "kwininput: no Wayland display\n");
        return 1;
    }
    static const struct wl_registry_listener listener = {announced, removed};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
    wl_display_roundtrip(display);
    if (!input) {
        fprintf(stderr, "kwininput: the compositor offers no fake input to this client\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "moriv tests", "keys of a test");
    for (int i = 1; i < argc; ++i)
        org_kde_kwin_fake_input_keyboard_key(input, (uint32_t)atoi(argv[i]), 1);
    for (int i = argc - 1; i >= 1; --i)
        org_kde_kwin_fake_input_keyboard_key(input, (uint32_t)atoi(argv[i]), 0);
    int status = wl_display_roundtrip(display) < 0;
    wl_display_disconnect(display);
    return status;
}
