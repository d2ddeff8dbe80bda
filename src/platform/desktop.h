#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace velmor {

// Hands documents and addresses to the desktop; passed to whatever opens
// them, so that tests see what would have been opened.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // True when something took the request.
    virtual bool Open(const QUrl& url) = 0;
};

// The desktop's own opener (xdg-open and the like).
class SystemDesktop : public Desktop {
  public:
    bool Open(const QUrl& url) override;
};

}  // namespace velmor
