// Input for a KWin session through its fake-input protocol, which KWin grants
// to a client whose desktop file names the interface.
// Usage: fake-input STEP...  with the steps "at X Y" (the pointer to a point of
// the screen), "click" (the left button) and "key CODE..." (evdev codes,
// pressed in order and released in reverse: "key 29 34" is Ctrl+G).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <wayland-client.h>

#include "fake-input-client-protocol.h"

namespace {

org_kde_kwin_fake_input* FakeInput = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        FakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

} // namespace

int main(int argc, char* argv[])
{
    wl_display* display = wl_display_connect(nullptr);
    const wl_registry_listener listener{Global, [](void*, wl_registry*, uint32_t) {}};
    if (display) {
        wl_registry_add_listener(wl_display_get_registry(display), &listener, nullptr);
        wl_display_roundtrip(display);
    }
    if (!FakeInput) {
        std::fprintf(stderr, "fake-input: no org_kde_kwin_fake_input version 4 granted\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(FakeInput, "formula-test tests", "drives the window under test");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "at") == 0 && i + 2 < argc) {
            org_kde_kwin_fake_input_pointer_motion_absolute(FakeInput, wl_fixed_from_int(std::atoi(argv[i + 1])),
                                                            wl_fixed_from_int(std::atoi(argv[i + 2])));
            i += 2;
        } else if (std::strcmp(argv[i], "click") == 0) {
            constexpr uint32_t kLeftButton = 0x110;
            org_kde_kwin_fake_input_button(FakeInput, kLeftButton, WL_POINTER_BUTTON_STATE_PRESSED);
            org_kde_kwin_fake_input_button(FakeInput, kLeftButton, WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (std::strcmp(argv[i], "key") == 0) {
            std::vector<uint32_t> codes;
            while (i + 1 < argc && argv[i + 1][0] >= '0' && argv[i + 1][0] <= '9')
                codes.push_back(uint32_t(std::atoi(argv[++i])));
            for (auto code = codes.begin(); code != codes.end(); ++code)
                org_kde_kwin_fake_input_keyboard_key(FakeInput, *code, WL_KEYBOARD_KEY_STATE_PRESSED);
            for (auto code = codes.rbegin(); code != codes.rend(); ++code)
                org_kde_kwin_fake_input_keyboard_key(FakeInput, *code, WL_KEYBOARD_KEY_STATE_RELEASED);
        } else {
            std::fprintf(stderr, "fake-input: unknown step %s\n", argv[i]);
            return 2;
        }
        wl_display_roundtrip(display);
    }
    wl_display_disconnect(display);
    return 0;
}
