#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "core/shortcuts.h"

namespace velmor {

// The folder that holds the running program; known before the application
// object exists (--help names the guide without one).
QString ProgramDirectory();

// Hands documents and addresses to the desktop; passed to whatever opens
// them, so that tests see what would have been opened.
class Desktop {
  public:
    virtual ~Desktop() = default;
    // True when something took the request.
    virtual bool Open(const QUrl& url) = 0;
    // How a shortcut pressed anywhere can reach the program here.
    virtual ShortcutRoute Shortcuts() const = 0;
    // GNOME: makes ACCELERATOR ("<Super><Shift>c") run a pick that copies.
    virtual bool BindGnomeShortcut(const QString& accelerator, QString* why) = 0;
    // The program started, resident, with the desktop.
    virtual bool StartsWithDesktop() const = 0;
    virtual bool SetStartWithDesktop(bool start, QString* why) = 0;
};

// The desktop's own opener. xdg-open is started on its own, so that a browser
// it waits for outlives neither us nor a hung window; an opener that fails
// within a few seconds is reported through `failed`.
class SystemDesktop : public Desktop {
  public:
    using Failure = std::function<void(const QUrl& url)>;
    explicit SystemDesktop(Failure failed = {}) : failed_(std::move(failed)) {}
    void SetFailure(Failure failed) { failed_ = std::move(failed); }
    bool Open(const QUrl& url) override;
    ShortcutRoute Shortcuts() const override;
    bool BindGnomeShortcut(const QString& accelerator, QString* why) override;
    bool StartsWithDesktop() const override;
    bool SetStartWithDesktop(bool start, QString* why) override;

  private:
    Failure failed_;
};

}  // namespace velmor
