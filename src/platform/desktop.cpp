#include "platform/desktop.h"

#include <QDesktopServices>

namespace velmor {

namespace {

Desktop::Opener& CurrentOpener() {
    static Desktop::Opener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

}  // namespace

bool Desktop::Open(const QUrl& url) {
    return CurrentOpener()(url);
}

Desktop::Opener Desktop::SetOpener(Opener opener) {
    Opener previous = std::move(CurrentOpener());
    CurrentOpener() = std::move(opener);
    return previous;
}

}  // namespace velmor
