#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

#include "app/command_pick.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/global_shortcut.h"
#include "platform/desktop/portal_shortcut.h"
#include "platform/desktop/resident_service.h"
#include "window_program.h"

namespace velmor {

// The program living on without its window: one copy per session that a
// second start reaches, the shortcut that picks from anywhere, and the tray
// icon where the desktop shows one. A pick by the shortcut or the tray is
// the window's own pick (current colour and favourites), and its colour is
// copied as Ctrl+C copies it.
class Resident : public QObject {
    Q_OBJECT

  public:
    Resident(WindowProgram& program, ScreenCapture& capture, PointerControl& pointer,
             PickViews& views, Desktop& desktop);

    // Takes the session's name; false when another copy already has it.
    bool Register() { return service_.Register(); }
    // The shortcut and the tray, for a program started in the background.
    void StayInBackground();
    void ShowWindow();
    void Pick();
    // A command line forwarded by a later start.
    void RunCommandPick(const QStringList& arguments, const ResidentService::Answer& answer);

  private:
    bool Busy() const;
    void FillTrayMenu();
    void GrabShortcut();

    WindowProgram& program_;
    ScreenCapture& capture_;
    PointerControl& pointer_;
    PickViews& views_;
    Desktop& desktop_;
    ResidentService service_;
    std::unique_ptr<CommandPick> commandPick_;
    std::unique_ptr<GlobalShortcut> shortcut_;
    std::unique_ptr<PortalShortcut> portalShortcut_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    QMenu trayMenu_;
    bool copyNextPick_ = false;
    QString grabbed_;
};

}  // namespace velmor
