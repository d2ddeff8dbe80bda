#include "resident.h"

#include <QApplication>
#include <QKeySequence>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "platform/capture/x11_screen.h"
#include "platform/desktop/clipboard.h"
#include "platform/desktop/idle_memory.h"
#include "platform/desktop/kde_shortcut.h"
#include "platform/desktop/x11_shortcut.h"

namespace velmor {

namespace {
constexpr int kSettleMs = 2000;
}  // namespace

Resident::Resident(WindowProgram& program, ScreenCapture& capture, PointerControl& pointer,
                   PickViews& views, Desktop& desktop)
    : program_(program),
      capture_(capture),
      pointer_(pointer),
      views_(views),
      desktop_(desktop),
      service_([this] { ShowWindow(); },
               [this](const QStringList& arguments, const ResidentService::Answer& answer) {
                   RunCommandPick(arguments, answer);
               }) {
    connect(&program_.Flow(), &PickFlow::picked, this,
            [this](const Color& color, const ProfileRef&) {
                if (!copyNextPick_) return;
                if (const auto text = program_.OptionsModel().CopiedText(color)) {
                    PutTextOnClipboard(QString::fromStdString(*text));
                }
            });
    connect(&program_.Flow(), &PickFlow::finished, this, [this] { copyNextPick_ = false; });
}

bool Resident::Busy() const {
    return program_.Flow().CurrentState() != PickFlow::State::Idle || commandPick_ != nullptr;
}

void Resident::ShowWindow() {
    // Mid-pick the window is the pick's to bring back.
    if (Busy()) return;
    MainWindow& window = program_.Window();
    window.show();
    window.raise();
    window.activateWindow();
}

void Resident::Pick() {
    if (Busy()) return;
    copyNextPick_ = true;
    program_.Flow().Start();
}

void Resident::RunCommandPick(const QStringList& arguments, const ResidentService::Answer& answer) {
    std::vector<std::string> args;
    for (const QString& a : arguments) args.push_back(a.toStdString());
    const CommandLine line = ParseCommandLine(args);
    if (!line.error.empty() || !line.pick) {
        answer(2, {}, QString::fromStdString(line.error.empty() ? "not a pick" : line.error));
        return;
    }
    if (Busy()) {
        answer(2, {}, tr("a pick is already open"));
        return;
    }
    commandPick_ = std::make_unique<CommandPick>(line, program_.OptionsModel(), capture_, pointer_,
                                                 program_.Memory(), views_);
    commandPick_->Flow().SetHost(&program_.Host());
    auto notes = std::make_shared<QString>();
    connect(commandPick_.get(), &CommandPick::note, this,
            [notes](const QString& n) { notes->append(n + QLatin1Char('\n')); });
    connect(commandPick_.get(), &CommandPick::answered, this,
            [this, answer, notes](int status, const QString& out, const QString& err) {
                answer(status, out, *notes + (err.isEmpty() ? err : err + QLatin1Char('\n')));
                // Gone once its flow has returned.
                commandPick_.release()->deleteLater();
            });
    commandPick_->Start();
}

void Resident::GrabShortcut() {
    const QString keys = QString::fromStdString(program_.OptionsModel().Values().shortcut);
    if (keys == grabbed_) return;
    grabbed_ = keys;
    if (keys.isEmpty()) {
        shortcut_->Release();
    } else if (!shortcut_->Grab(QKeySequence::fromString(keys, QKeySequence::PortableText))) {
        std::fprintf(stderr,
                     "velmor-color-picker: the shortcut %s cannot be taken: another program "
                     "holds it, or the keyboard has no such key\n",
                     keys.toLocal8Bit().constData());
    }
}

void Resident::StayInBackground() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // Once started up (the fonts listed, the picker made ready), it waits.
    QTimer::singleShot(kSettleMs, this, &GiveBackIdleMemory);
    const ShortcutRoute route = desktop_.Shortcuts();
    if (route == ShortcutRoute::X11Grab) shortcut_ = std::make_unique<X11Shortcut>();
    if (route == ShortcutRoute::KdeService) shortcut_ = std::make_unique<KdeShortcut>();
    if (shortcut_) {
        connect(shortcut_.get(), &GlobalShortcut::activated, this, &Resident::Pick);
        // A key changed in Options holds at once.
        connect(&program_.OptionsModel(), &Options::changed, this, &Resident::GrabShortcut);
        GrabShortcut();
    } else if (route == ShortcutRoute::Portal) {
        const std::string keys = program_.OptionsModel().Values().shortcut;
        portalShortcut_ = std::make_unique<PortalShortcut>();
        connect(portalShortcut_.get(), &PortalShortcut::activated, this, &Resident::Pick);
        connect(portalShortcut_.get(), &PortalShortcut::failed, this, [](const QString& why) {
            std::fprintf(stderr, "velmor-color-picker: %s\n", why.toLocal8Bit().constData());
        });
        portalShortcut_->Start(QString::fromStdString(PortalTrigger(keys).value_or(keys)));
    }
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    // Built as it opens: the last picks are whatever was picked until then.
    connect(&trayMenu_, &QMenu::aboutToShow, this, &Resident::FillTrayMenu);
    FillTrayMenu();
    tray_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
    tray_->setToolTip(QStringLiteral(VELMOR_NAME));
    tray_->setContextMenu(&trayMenu_);
    connect(tray_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) Pick();
            });
    tray_->show();
}

void Resident::FillTrayMenu() {
    trayMenu_.clear();
    trayMenu_.addAction(tr("&Pick"), this, &Resident::Pick);
    // The last picks, newest first: a click copies one as Ctrl+C does.
    const PickHistory& history = program_.Memory().History();
    trayMenu_.addSeparator();
    for (int back = 1, shown = 0; back <= kHistoryCells && shown < 5; ++back) {
        const std::optional<Color>& color =
            history.Cell((history.Next() - back + kHistoryCells) % kHistoryCells);
        if (!color) continue;
        ++shown;
        const Srgb8 c8 = color->To8();
        QPixmap swatch(16, 16);
        swatch.fill(QColor(c8.red, c8.green, c8.blue));
        trayMenu_.addAction(QIcon(swatch), QString::fromStdString(color->Html()), this,
                            [this, c = *color] {
                                if (const auto text = program_.OptionsModel().CopiedText(c)) {
                                    PutTextOnClipboard(QString::fromStdString(*text));
                                }
                            });
    }
    trayMenu_.addSeparator();
    trayMenu_.addAction(tr("&Show Window"), this, &Resident::ShowWindow);
    trayMenu_.addAction(tr("&Quit"), qApp, &QCoreApplication::quit);
}

}  // namespace velmor
