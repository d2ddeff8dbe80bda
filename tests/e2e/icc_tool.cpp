// Colour profiles for the end-to-end tests:
//   icc_tool p3 FILE              writes a Display P3 display profile
//   icc_tool publish FILE         sets the root window's _ICC_PROFILE
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/capture/monitor_profile.h"

int main(int argc, char** argv) {
    const std::string command = argc > 2 ? argv[1] : "";
    if (command == "p3") {
        const QByteArray icc = velmor::DisplayP3Icc();
        std::ofstream(argv[2], std::ios::binary).write(icc.constData(), icc.size());
        return 0;
    }
    std::ifstream in(argc > 2 ? argv[2] : "", std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
    if (command == "publish") {
        const char* name = "_ICC_PROFILE";
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c)) return 1;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom->atom, XCB_ATOM_CARDINAL, 8,
                            static_cast<uint32_t>(bytes.size()), bytes.data());
        std::free(atom);
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        xcb_disconnect(c);
        return 0;
    }
    std::fputs("usage: icc_tool p3 FILE | publish FILE\n", stderr);
    return 2;
}
