#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "application.h"
#include "core/color_design.h"
#include "core/command_line.h"
#include "core/notations.h"
#include "core/text.h"
#include "platform/desktop/clipboard.h"
#include "platform/desktop/clipboard_keeper.h"
#include "platform/desktop/display_probe.h"
#include "platform/desktop/resident_client.h"
#include "platform/desktop/startup_trace.h"
#include "ui/dialogs/help.h"

namespace {

constexpr const char* kUsage =
    "Usage: velmor-color-picker [--help] [--version]\n"
    "       velmor-color-picker --pick [--format F] [--average N] [--managed] [--copy]\n"
    "                           [--verbose]\n"
    "       velmor-color-picker --background\n"
    "       velmor-color-picker --scheme NAME COLOR [--steps N]\n"
    "       velmor-color-picker --contrast FG BG [--suggest R]\n"
    "\n"
    "Pick any color on the screen, choose named, web-safe or mixed colors, paste\n"
    "one in any CSS notation, copy it in fourteen classic notations, the CSS ones\n"
    "or templates of your own, check the contrast of two, and keep favorites that\n"
    "import and export as palettes.\n"
    "\n"
    "  --pick        open the screen picker without the main window; the first\n"
    "                pick is printed on standard output (exit status 0), Esc\n"
    "                prints nothing (1), an error prints its reason on standard\n"
    "                error (2). Shift+click or Shift+Enter picks and goes on: a\n"
    "                line a pick, and Esc after one or more is status 0. Nothing\n"
    "                is added to the favorites; the picker's zoom and history\n"
    "                are kept in settings.ini ([Picker]), and a save that fails\n"
    "                is said on standard error without changing the exit status.\n"
    "  --format F    with --pick, print F instead of \"#RRGGBB\": a number for one\n"
    "                of the fourteen (0 color value, 1 name, 2 R, 3 G, 4 B, 5 long\n"
    "                value, 6 hex, 7 HTML name, 8 HTML, 9 RGB(), 10 VB, 11 C++,\n"
    "                12 Delphi, 13 Java), a notation (listed below), or the name\n"
    "                of a template in the [Formats] section of settings.ini\n"
    "  --average N   with --pick, print the mean of the N x N pixels around the\n"
    "                one picked (N odd, 1 to 11), taken in linear light\n"
    "  --managed     with --pick, print the color through the monitor's ICC profile\n"
    "                (_ICC_PROFILE) converted to sRGB; without a profile the\n"
    "                screen's value, and a warning on standard error\n"
    "  --verbose     with --pick, say on standard error how the screen was read\n"
    "                (KWin, screencopy, the desktop portal or the X server), why a\n"
    "                way was refused, and when the screen holds more than 8 bits a\n"
    "                channel or its picture was resampled\n"
    "  --copy        with --pick, put the printed text on the clipboard too; it\n"
    "                stays there after the program ends\n"
    "  --background  stay running without the main window: Super+Shift+C (the\n"
    "                [Picker] Shortcut key of settings.ini) picks from anywhere\n"
    "                and copies the color as Ctrl+C does. A later start shows the\n"
    "                window of the copy running, and a later --pick is run there.\n"
    "  --scheme NAME COLOR  print the scheme's colors, one #RRGGBB a line:\n"
    "                complementary, analogous, triadic, tetradic and\n"
    "                split-complementary turn the color's OKLCH hue (lightness and\n"
    "                chroma kept, brought into sRGB as CSS maps gamuts); tints,\n"
    "                shades and tones step toward white, black and #808080 in\n"
    "                OKLab. COLOR in any notation the program reads.\n"
    "  --steps N     with --scheme: how many tints, shades or tones (1 to 20, 5)\n"
    "  --contrast FG BG  print the WCAG 2 contrast ratio, two decimals\n"
    "  --suggest R   with --contrast: a second line with the color nearest to FG\n"
    "                (CIEDE2000) that reaches R:1, only its OKLCH lightness changed;\n"
    "                exit status 2 where no lightness reaches R\n"
    "  --version     print the version\n"
    "\n"
    "In the picker: the wheel or + and - zoom the magnifier (2x to 32x), [ and ]\n"
    "or Shift+wheel choose the area averaged (1x1 to 11x11), Delete takes the\n"
    "selected history cell out of the list.\n"
    "Qt's standard options are taken too: -style S, -stylesheet F, -platform P,\n"
    "-reverse, -qwindowgeometry G and the others every Qt program understands.\n"
    "\n"
    "Options and favorites are kept in settings.ini beside the program for a\n"
    "portable copy, or in ~/.config/velmor-color-picker/.\n"
    "On Wayland the screen is copied through the compositor's screencopy where it\n"
    "offers one (sway and other wlroots compositors), else read through the desktop\n"
    "portal (xdg-desktop-portal); GNOME asks once whether screenshots are allowed.\n"
    "On KDE Plasma, KWin lets the program its installed desktop entry names copy\n"
    "the screens itself.\n";

}  // namespace

int main(int argc, char* argv[]) {
    velmor::StartupMark("main");
    // A screen's picture (33 MB at 4K) is mapped for itself and unmapped when
    // freed. The C library's default would keep it in a heap after the first
    // one (the X connection's reading thread allocates it there), and a
    // resident program would hold a whole screen while idle.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    if (argc == 4 && std::string(argv[1]) == velmor::kHoldClipboardOption) {
        return velmor::HoldClipboard(argv[2], argv[3]);
    }
    if (argc == 2 && std::string(argv[1]) == velmor::kReadClipboardOption) {
        return velmor::PrintClipboardText(argc, argv);
    }
    // These answer without a display, before Qt needs one.
    const velmor::CommandLine line =
        velmor::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.error.empty()) {
        std::fprintf(stderr, "velmor-color-picker: %s\n", line.error.c_str());
        std::fputs("Try 'velmor-color-picker --help'.\n", stderr);
        return 2;
    }
    if (line.help) {
        std::fputs(kUsage, stdout);
        std::printf("\nNotations: %s\n", velmor::NotationNameList().c_str());
        const std::optional<QString> guide = velmor::UserGuidePath();
        std::printf("\nThe user guide: %s\n",
                    guide ? guide->toLocal8Bit().constData() : "not installed");
        return 0;
    }
    if (line.version) {
        std::puts(VELMOR_NAME " " VELMOR_VERSION);
        return 0;
    }
    // The design tools answer without a display.
    if (!line.scheme.empty() || !line.contrast.empty()) {
        const velmor::DesignAnswer answer =
            !line.scheme.empty()
                ? velmor::RunScheme(line.scheme[0], line.scheme[1], line.steps)
                : velmor::RunContrast(line.contrast[0], line.contrast[1], line.suggest);
        if (!answer.error.empty()) {
            std::fprintf(stderr, "velmor-color-picker: %s\n", answer.error.c_str());
            return 2;
        }
        std::fputs(answer.out.c_str(), stdout);
        return 0;
    }
    // A copy already running in this session does the work, and answers.
    if (line.background && velmor::ResidentRunning()) {
        std::fputs("velmor-color-picker: already running in this session\n", stderr);
        return 0;
    }
    if (!line.background) {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        if (const auto answer = velmor::AskResident(arguments, line.pick)) {
            std::fputs(answer->out.c_str(), stdout);
            for (const std::string& said : velmor::Split(answer->err, '\n')) {
                if (!said.empty()) std::fprintf(stderr, "velmor-color-picker: %s\n", said.c_str());
            }
            return answer->status;
        }
    }
    // The X server asked for on the command line is probed as DISPLAY is.
    if (!line.display.empty()) setenv("DISPLAY", line.display.c_str(), 1);
    velmor::DisplayFacts displays = velmor::ProbeDisplays();
    // -platform decides as QT_QPA_PLATFORM would.
    if (!line.platform.empty()) displays.requested = line.platform;
    const velmor::DisplayChoice display = velmor::ChooseDisplay(displays);
    if (!display.error.empty()) {
        std::fprintf(stderr, "velmor-color-picker: %s\n", display.error.c_str());
        return 2;
    }
    if (display.platform) setenv("QT_QPA_PLATFORM", display.platform->c_str(), 1);
    const char* session = std::getenv("XDG_SESSION_TYPE");
    return velmor::Application(
               line, velmor::IsWaylandSession(session != nullptr ? session : "", displays),
               displays)
        .Run(argv);
}
