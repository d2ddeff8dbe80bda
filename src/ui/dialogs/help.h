#pragma once

#include <QString>
#include <optional>

class QUrl;
class QWidget;

namespace velmor {

inline const QString kHelpFileName = QStringLiteral("tintpick.chm");
// The build's home page and support addresses (by default under the
// reserved example.com domain, so nothing real is contacted).
inline const QString kSupportAddress = QStringLiteral(VELMOR_SUPPORT_ADDRESS);
inline const QString kWebAddress = QStringLiteral(VELMOR_HOME_PAGE);

class Desktop;
class Prompter;

// Our user guide: the installed copy, or the one built beside the program;
// nothing when neither is there.
std::optional<QString> UserGuidePath();

// The help command: the help file beside the program when one stands there,
// else our user guide in the browser; when nothing can open it, one message
// says where the guide is.
void OpenHelp(Prompter& prompter, Desktop& desktop, QWidget* parent);

// What the user is told when the desktop's opener failed on `url`.
QString OpenFailedMessage(const QUrl& url);

// Each hands one request to the desktop and does not look at the result.
void OpenSupportMail(Desktop& desktop);
void OpenWebSite(Desktop& desktop);

}  // namespace velmor
