/* Pointer and keys for the KWin tests, through KWin's fake input interface
 * (granted to a program whose desktop entry declares it). Reads one command a
 * line from standard input and answers "ok" once KWin has taken it:
 *   move X Y      the pointer to logical X, Y (fractions allowed)
 *   button B S    evdev button B (272 left) down (1) or up (0)
 *   key K S       evdev key K down (1) or up (0)                            */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* input;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {global, global_remove};

int main(void) {
    struct wl_display* display = wl_display_connect(NULL);
    if (!display) {
        fputs("no Wayland display\n", stderr);
        return 1;
    }
    struct wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!input) {
        fputs("KWin offers no fake input to this program\n", stderr);
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "velmor tests", "drive the picker");
    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        double x, y;
        unsigned a, b;
        if (sscanf(line, "move %lf %lf", &x, &y) == 2) {
            org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_double(x),
                                                            wl_fixed_from_double(y));
        } else if (sscanf(line, "button %u %u", &a, &b) == 2) {
            org_kde_kwin_fake_input_button(input, a, b);
        } else if (sscanf(line, "key %u %u", &a, &b) == 2) {
            org_kde_kwin_fake_input_keyboard_key(input, a, b);
        }
        if (wl_display_roundtrip(display) < 0) return 1;
        puts("ok");
        fflush(stdout);
    }
    return 0;
}
