#include "ui/picker/pick_command.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QThread>

#include "platform/message_box.h"
#include "platform/screen_access.h"
#include "ui/main/main_window.h"
#include "ui/picker/color_picker.h"

namespace velmor {

namespace {

// Lets the desktop repaint where the main window was: at least `least` ms,
// at most `most` ms, until the window is no longer shown.
void WaitUntilGone(QWidget& window, int least, int most) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < most) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!window.isVisible() && elapsed.elapsed() >= least) break;
        QThread::msleep(5);
    }
}

void Restore(MainWindow& window) {
    QCoreApplication::processEvents();
    window.showNormal();
    window.raise();
    window.activateWindow();
}

}  // namespace

void RunPickCommand(MainWindow& window, ScreenAccess& screen, const AppOptions& options) {
    // While the main window is away the picker is the only window, and closing
    // it must not end the program.
    const bool quitOnLastWindow = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    const auto restoreQuit = qScopeGuard(
        [quitOnLastWindow] { QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow); });
    window.showMinimized();
    QCoreApplication::processEvents();
    window.hide();
    WaitUntilGone(window, 150, 300);

    QImage capture = screen.Capture();
    if (capture.isNull()) {
        Restore(window);
        ShowStopMessage(&window,
                        QStringLiteral("The screen could not be read, so the picker cannot "
                                       "open. Picking colours from the screen needs an X11 "
                                       "session."));
        return;
    }
    {
        ColorPicker picker(
            std::move(capture), screen, options,
            [&window](const QString& text, QWidget* parent) { window.Add2Favo(text, parent); });
        picker.exec();
    }
    Restore(window);
}

}  // namespace velmor
