// The picker on the real X server, side by side in one process: a bare
// QScreen::grabWindow(0), our capture of the whole X screen, and our capture
// through to the picker exposed on every monitor; the first run (cold) and
// the median of later runs (warm). Then tracking one pointer move. Run under Xvfb.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/current_color.h"
#include "app/favorites.h"
#include "app/options.h"
#include "app/pick_flow.h"
#include "app/picker_memory.h"
#include "platform/capture/x11_screen.h"
#include "platform/desktop/desktop.h"
#include "platform/desktop/prompter.h"
#include "settings/app_options.h"
#include "settings/settings_store.h"
#include "ui/main/main_window.h"
#include "ui/picker/color_picker.h"
#include "ui/picker/picker_surface.h"
#include "ui/picker/widget_pick_views.h"
#include "ui/widgets/message_box_prompter.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Ms(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

velmor::ScreenImage CaptureNow(velmor::X11Capture& capture) {
    velmor::ScreenImage image;
    QObject::connect(&capture, &velmor::ScreenCapture::captured,
                     [&image](const velmor::ScreenImage& s) { image = s; });
    capture.Request({});
    QObject::disconnect(&capture, nullptr, nullptr, nullptr);
    return image;
}

int Fail(int step) {
    std::fprintf(stderr, "picker_bench: step %d did not finish\n", step);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velmor::X11Capture capture;
    velmor::X11Pointer pointer;
    velmor::AppOptions options;
    const QString ini = QDir::temp().filePath(QStringLiteral("velmor-bench-settings.ini"));
    const velmor::SettingsFile settings(ini.toStdString());
    velmor::PickerMemory memory(settings);
    const QSize size = QGuiApplication::primaryScreen()->geometry().size() *
                       QGuiApplication::primaryScreen()->devicePixelRatio();

    std::vector<double> grabs, captures, openings;
    constexpr int kRuns = 11;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        { const QPixmap bare = QGuiApplication::primaryScreen()->grabWindow(0); }
        grabs.push_back(Ms(timer));

        timer.restart();
        velmor::ScreenImage image = CaptureNow(capture);
        captures.push_back(Ms(timer));
        if (image.image.isNull()) return Fail(1);
        velmor::ColorPicker picker(std::move(image), pointer, options, memory);
        picker.Open();
        for (int i = 0; i < picker.SurfaceCount(); ++i) {
            if (!QTest::qWaitForWindowExposed(picker.Surface(i))) return Fail(2);
        }
        QApplication::processEvents();  // the first paint done
        openings.push_back(Ms(timer));
        picker.Close();
        QApplication::processEvents();
    }

    velmor::ColorPicker picker(CaptureNow(capture), pointer, options, memory);
    picker.Open();
    if (!QTest::qWaitForWindowExposed(picker.PanelSurface())) return Fail(3);
    std::vector<double> moves;
    for (int i = 0; i < 5000; ++i) {
        const velmor::DevicePoint at{(i * 37) % (size.width() - 300), (i * 53) % size.height()};
        QElapsedTimer timer;
        timer.start();
        picker.Track(at);
        QApplication::processEvents();  // the magnifier and text shown
        moves.push_back(Ms(timer));
    }
    // Zoom steps up to 32 times and down to 2, round and round: each one
    // redraws the magnifier and shows it.
    std::vector<double> zooms;
    picker.Track({size.width() / 3, size.height() / 2});
    int direction = 1;
    for (int i = 0; i < 3000; ++i) {
        if (picker.ZoomLevel() == velmor::kMaxZoom) direction = -1;
        if (picker.ZoomLevel() == velmor::kMinZoom) direction = 1;
        QElapsedTimer timer;
        timer.start();
        picker.Zoom(direction);
        QApplication::processEvents();
        zooms.push_back(Ms(timer));
    }
    picker.Close();

    // P released in the main window to the frozen picker on the screen: the
    // 100 ms key timer, the window's unmapping, capture and exposure.
    velmor::Options windowOptions(settings);
    velmor::CurrentColor current;
    velmor::Favorites favorites(settings);
    velmor::MessageBoxPrompter prompter;
    velmor::SystemDesktop desktop;
    velmor::MainWindow window(windowOptions, current, favorites, prompter, desktop);
    velmor::WidgetPickViews views;
    velmor::PickFlow flow(capture, pointer, windowOptions.Values(), memory, views);
    velmor::WidgetPickHost host(window);
    flow.SetHost(&host);
    QObject::connect(&window, &velmor::MainWindow::pickRequested, &flow, &velmor::PickFlow::Start);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return Fail(4);
    std::vector<double> presses;
    for (int run = 0; run < kRuns; ++run) {
        window.activateWindow();
        QTest::qWait(100);
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(window.windowHandle(), Qt::Key_P);
        if (!QTest::qWaitFor([&] {
                const QWidget* panel =
                    flow.Picker() != nullptr ? flow.Picker()->MessageParent() : nullptr;
                return panel != nullptr && panel->windowHandle() &&
                       panel->windowHandle()->isExposed();
            })) {
            return Fail(5);
        }
        QApplication::processEvents();
        presses.push_back(Ms(timer));
        static_cast<velmor::ColorPicker*>(flow.Picker())->Close();
        if (!QTest::qWaitForWindowExposed(&window)) return Fail(6);
    }
    QFile::remove(ini);

    auto warm = [](std::vector<double> v) { return Median({v.begin() + 1, v.end()}); };
    std::printf("screen %dx%d device pixels\n", size.width(), size.height());
    std::printf("                          cold      warm (median of %d)\n", kRuns - 1);
    std::printf("bare grabWindow(0)     %7.2f ms %7.2f ms\n", grabs[0], warm(grabs));
    std::printf("our capture            %7.2f ms %7.2f ms\n", captures[0], warm(captures));
    std::printf("capture to exposed     %7.2f ms %7.2f ms  (%.2f x / %.2f x the bare grab)\n",
                openings[0], warm(openings), openings[0] / grabs[0], warm(openings) / warm(grabs));
    std::printf("P to the picker shown  %7.2f ms %7.2f ms  (100 ms of it the key timer)\n",
                presses[0], warm(presses));
    std::printf("tracking one move      median %7.3f ms over %zu moves\n", Median(moves),
                moves.size());
    std::printf(
        "one zoom step shown    median %7.3f ms, slowest %.3f ms over %zu steps "
        "(a frame at 60 Hz: 16.7 ms)\n",
        Median(zooms), *std::max_element(zooms.begin(), zooms.end()), zooms.size());
    return 0;
}
