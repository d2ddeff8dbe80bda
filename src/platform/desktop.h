#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace velmor {

// Hands documents and addresses to the desktop. Tests swap the opener to see
// what would have been opened.
class Desktop {
  public:
    // True when something took the request.
    using Opener = std::function<bool(const QUrl&)>;

    static bool Open(const QUrl& url);
    static Opener SetOpener(Opener opener);
};

}  // namespace velmor
