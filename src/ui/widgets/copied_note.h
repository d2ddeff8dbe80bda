#pragma once

#include <QString>

class QWidget;

namespace velmor {

// Puts the text on the clipboard and says so for a moment below `near`
// (the control that copied; the window under the pointer when none).
void CopyAndSay(const QString& text, QWidget* near);

}  // namespace velmor
