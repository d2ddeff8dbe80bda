#include "platform/desktop/x11_shortcut.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "platform/capture/xcb_library.h"

namespace velmor {

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t Root(const XcbLibrary& x, xcb_connection_t* c) {
    return x.xcb_setup_roots_iterator(x.xcb_get_setup(c)).data->root;
}

// A grab matches the modifiers exactly: Caps Lock and Num Lock on or off
// must not lose the shortcut.
constexpr std::uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                           XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

// The first keycode whose keys give the keysym, or 0.
std::uint8_t KeycodeOf(const XcbLibrary& x, xcb_connection_t* c, std::uint32_t keysym) {
    const xcb_setup_t* setup = x.xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> map(
        x.xcb_get_keyboard_mapping_reply(
            c,
            x.xcb_get_keyboard_mapping(c, static_cast<xcb_keycode_t>(first),
                                       static_cast<std::uint8_t>(count)),
            nullptr),
        &std::free);
    if (!map || map->keysyms_per_keycode == 0) return 0;
    const xcb_keysym_t* syms = x.xcb_get_keyboard_mapping_keysyms(map.get());
    const int length = x.xcb_get_keyboard_mapping_keysyms_length(map.get());
    for (int i = 0; i < length; ++i) {
        if (syms[i] == keysym)
            return static_cast<std::uint8_t>(first + i / map->keysyms_per_keycode);
    }
    return 0;
}

}  // namespace

std::optional<XKeyChord> ToXKeyChord(const QKeyCombination& key) {
    const int k = key.key();
    XKeyChord chord;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) {
        chord.keysym = static_cast<std::uint32_t>(k - Qt::Key_A + 'a');
    } else if (k >= 0x20 && k <= 0x7E) {
        chord.keysym = static_cast<std::uint32_t>(k);  // Latin-1 keys are their own keysyms
    } else if (k >= Qt::Key_F1 && k <= Qt::Key_F35) {
        chord.keysym = static_cast<std::uint32_t>(0xFFBE + (k - Qt::Key_F1));
    } else {
        static constexpr struct {
            int key;
            std::uint32_t keysym;
        } kNamed[] = {
            {Qt::Key_Print, 0xFF61},     {Qt::Key_Pause, 0xFF13},    {Qt::Key_Insert, 0xFF63},
            {Qt::Key_Delete, 0xFFFF},    {Qt::Key_Home, 0xFF50},     {Qt::Key_End, 0xFF57},
            {Qt::Key_PageUp, 0xFF55},    {Qt::Key_PageDown, 0xFF56}, {Qt::Key_Left, 0xFF51},
            {Qt::Key_Up, 0xFF52},        {Qt::Key_Right, 0xFF53},    {Qt::Key_Down, 0xFF54},
            {Qt::Key_Escape, 0xFF1B},    {Qt::Key_Tab, 0xFF09},      {Qt::Key_Return, 0xFF0D},
            {Qt::Key_ScrollLock, 0xFF14}};
        for (const auto& n : kNamed) {
            if (n.key == k) chord.keysym = n.keysym;
        }
        if (chord.keysym == 0) return std::nullopt;
    }
    const Qt::KeyboardModifiers m = key.keyboardModifiers();
    if (m.testFlag(Qt::ShiftModifier)) chord.modifiers |= XCB_MOD_MASK_SHIFT;
    if (m.testFlag(Qt::ControlModifier)) chord.modifiers |= XCB_MOD_MASK_CONTROL;
    if (m.testFlag(Qt::AltModifier)) chord.modifiers |= XCB_MOD_MASK_1;
    if (m.testFlag(Qt::MetaModifier)) chord.modifiers |= XCB_MOD_MASK_4;
    return chord;
}

X11Shortcut::X11Shortcut(QObject* parent) : GlobalShortcut(parent) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Shortcut::~X11Shortcut() {
    Release();
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11Shortcut::Grab(const QKeySequence& sequence) {
    Release();
    xcb_connection_t* c = Connection();
    const XcbLibrary* x = Xcb();
    if (c == nullptr || x == nullptr || sequence.isEmpty()) return false;
    const std::optional<XKeyChord> chord = ToXKeyChord(sequence[0]);
    if (!chord) return false;
    const std::uint8_t keycode = KeycodeOf(*x, c, chord->keysym);
    if (keycode == 0) return false;
    bool taken = true;
    for (std::uint16_t lock : kLockVariants) {
        xcb_generic_error_t* error = x->xcb_request_check(
            c, x->xcb_grab_key_checked(c, 1, Root(*x, c), chord->modifiers | lock, keycode,
                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (error != nullptr) {
            taken = false;  // another program holds it
            std::free(error);
        }
    }
    keycode_ = keycode;
    modifiers_ = chord->modifiers;
    if (!taken) Release();
    return taken;
}

void X11Shortcut::Release() {
    xcb_connection_t* c = Connection();
    const XcbLibrary* x = Xcb();
    if (keycode_ == 0 || c == nullptr || x == nullptr) return;
    for (std::uint16_t lock : kLockVariants) {
        x->xcb_ungrab_key(c, keycode_, Root(*x, c), modifiers_ | lock);
    }
    x->xcb_flush(c);
    keycode_ = 0;
}

bool X11Shortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (keycode_ == 0 || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    const std::uint16_t mods = press->state & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
    if (press->detail != keycode_ || mods != modifiers_) return false;
    emit activated();
    return true;
}

}  // namespace velmor
