#pragma once

#include <QString>

namespace velmor {

inline const QString kHelpFileName = QStringLiteral("tintpick.chm");
// Addresses under the reserved example.com domain: nothing real is contacted.
inline const QString kSupportAddress = QStringLiteral("support@example.com");
inline const QString kWebAddress = QStringLiteral("http://www.example.com/");

// Each hands one request to the desktop and does not look at the result.
void OpenHelpFile();
void OpenSupportMail();
void OpenWebSite();

}  // namespace velmor
