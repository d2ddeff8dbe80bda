#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace velmor {

// Clears the clipboard, then puts plain text on it. Failures are not reported:
// the window stays usable whatever the clipboard does.
void PutTextOnClipboard(const QString& text);
// The clipboard's plain text, or the empty text.
QString ClipboardText();
// Runs the event loop until something else has read the text last put on
// the clipboard (a compositor's clipboard manager reads it as it changes
// hands), for at most `ms`. False when nothing has.
bool WaitUntilClipboardRead(int ms);

// The clipboard's plain text, read without holding up the window: on X11 the
// program that owns the clipboard may never answer, and Qt would wait 15
// seconds for it; a helper process reads it there, and is given a second.
struct ClipboardRead {
    QString text;
    QString problem;  // why nothing could be read
};
void ReadClipboardText(QObject* context, std::function<void(const ClipboardRead&)> done);

// The helper: prints the clipboard's text on standard output.
inline constexpr const char* kReadClipboardOption = "--read-clipboard";
int PrintClipboardText(int argc, char** argv);

}  // namespace velmor
