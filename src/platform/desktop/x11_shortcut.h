#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <cstdint>
#include <optional>

#include "platform/desktop/global_shortcut.h"

namespace velmor {

// The X keysym and modifier mask of a key combination, where X has one:
// letters and digits, the function keys and the named keys a shortcut uses.
struct XKeyChord {
    std::uint32_t keysym = 0;
    std::uint16_t modifiers = 0;
};
std::optional<XKeyChord> ToXKeyChord(const QKeyCombination& key);

// A key combination taken from the whole X display (a grab on the root
// window): pressed anywhere, it is `activated` here, whatever has the focus.
class X11Shortcut : public GlobalShortcut, public QAbstractNativeEventFilter {
    Q_OBJECT

  public:
    explicit X11Shortcut(QObject* parent = nullptr);
    ~X11Shortcut() override;

    bool Grab(const QKeySequence& sequence) override;
    void Release() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    std::uint8_t keycode_ = 0;
    std::uint16_t modifiers_ = 0;
};

}  // namespace velmor
