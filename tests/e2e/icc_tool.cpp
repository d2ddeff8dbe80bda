// Colour profiles for the end-to-end tests, by Little CMS itself:
//   icc_tool p3 FILE              writes a Display P3 display profile
//   icc_tool publish FILE [NAME]  sets the root window's NAME (_ICC_PROFILE)
//   icc_tool srgb FILE R G B      "#RRGGBB": the 8-bit colour through FILE to
//                                 sRGB, relative colorimetric, as Little CMS
//                                 computes it in floating point
#include <lcms2.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
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
        const char* name = argc > 3 ? argv[3] : "_ICC_PROFILE";
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
    if (command == "srgb" && argc == 6) {
        cmsHPROFILE from = cmsOpenProfileFromMem(bytes.data(), bytes.size());
        cmsHPROFILE to = cmsCreate_sRGBProfile();
        cmsHTRANSFORM t = cmsCreateTransform(from, TYPE_RGB_DBL, to, TYPE_RGB_DBL,
                                             INTENT_RELATIVE_COLORIMETRIC, 0);
        const double rgb[3] = {std::atoi(argv[3]) / 255.0, std::atoi(argv[4]) / 255.0,
                               std::atoi(argv[5]) / 255.0};
        double out[3] = {};
        cmsDoTransform(t, rgb, out, 1);
        const auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
        std::printf("#%02X%02X%02X\n", byte(out[0]), byte(out[1]), byte(out[2]));
        return 0;
    }
    std::fputs("usage: icc_tool p3 FILE | publish FILE [NAME] | srgb FILE R G B\n", stderr);
    return 2;
}
