// The picker on the real X server: opening (capture to exposed) against a bare
// QScreen::grabWindow(0), and tracking one pointer move. Run under Xvfb.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/screen_access.h"
#include "settings/app_options.h"
#include "ui/picker/color_picker.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    velmor::QtScreenAccess screen;
    velmor::AppOptions options;
    const QSize size = screen.Geometry().size();

    std::vector<double> grabs;
    std::vector<double> openings;
    for (int run = 0; run < 10; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QPixmap bare = QGuiApplication::primaryScreen()->grabWindow(0);
        grabs.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        QImage capture = screen.Capture();
        const double captured = timer.nsecsElapsed() / 1e6;
        velmor::ColorPicker picker(std::move(capture), screen, options,
                                   [](const QString&, QWidget*) {});
        const double built = timer.nsecsElapsed() / 1e6;
        picker.show();
        if (!QTest::qWaitForWindowExposed(&picker)) return 1;
        openings.push_back(timer.nsecsElapsed() / 1e6);
        if (std::getenv("VELMOR_BENCH_DETAIL")) {
            std::printf("  capture %.1f  built %.1f  exposed %.1f ms\n", captured, built,
                        openings.back());
        }
        picker.close();
        QApplication::processEvents();
    }

    velmor::ColorPicker picker(screen.Capture(), screen, options, [](const QString&, QWidget*) {});
    picker.show();
    if (!QTest::qWaitForWindowExposed(&picker)) return 1;
    std::vector<double> moves;
    for (int i = 0; i < 5000; ++i) {
        const QPoint at((i * 37) % (size.width() - 200), (i * 53) % size.height());
        QElapsedTimer timer;
        timer.start();
        picker.Track(at);
        QApplication::processEvents();  // the magnifier and text shown
        moves.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("screen %dx%d\n", size.width(), size.height());
    std::printf("bare grabWindow(0)      median %7.2f ms\n", Median(grabs));
    std::printf("picker opening          median %7.2f ms (%.2f x the bare grab)\n",
                Median(openings), Median(openings) / Median(grabs));
    std::printf("tracking one move       median %7.3f ms over %zu moves\n", Median(moves),
                moves.size());
    return 0;
}
