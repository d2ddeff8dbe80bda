#pragma once

#include <QString>

namespace velmor {

// Clears the clipboard, then puts plain text on it. Failures are not reported:
// the window stays usable whatever the clipboard does.
void PutTextOnClipboard(const QString& text);
// The clipboard's plain text, or the empty text.
QString ClipboardText();

}  // namespace velmor
