#pragma once

#include <QString>

namespace velmor {

// Clears the clipboard, then puts plain text on it. Failures are not reported:
// the window stays usable whatever the clipboard does.
void PutTextOnClipboard(const QString& text);

}  // namespace velmor
