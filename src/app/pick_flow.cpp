#include "app/pick_flow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#include "core/color_codec.h"
#include "platform/capture/x11_screen.h"
#include "platform/desktop/startup_trace.h"

namespace velmor {

namespace {

// How long the window system may take to confirm the main window is gone.
constexpr int kWindowTimeoutMs = 500;
// One compositor frame for the windows below to repaint where it was.
constexpr int kSettleMs = 34;

QString ParentWindowId(const PickHost* host) {
    const QWindow* window = host != nullptr ? host->Handle() : nullptr;
    if (window == nullptr || !OnX11()) return {};
    return QStringLiteral("x11:%1").arg(window->winId(), 0, 16);
}

}  // namespace

PickFlow::PickFlow(ScreenCapture& capture, PointerControl& pointer, const AppOptions& options,
                   PickerMemory& memory, PickViews& views, QObject* parent)
    : QObject(parent),
      capture_(capture),
      pointer_(pointer),
      options_(options),
      memory_(memory),
      views_(views) {
    windowTimeout_.setSingleShot(true);
    windowTimeout_.setInterval(kWindowTimeoutMs);
    connect(&windowTimeout_, &QTimer::timeout, this, &PickFlow::WindowGone);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &PickFlow::Capture);
    connect(&capture_, &ScreenCapture::captured, this, &PickFlow::OnCaptured);
    connect(&capture_, &ScreenCapture::colorPicked, this, &PickFlow::OnColorPicked);
    connect(&capture_, &ScreenCapture::cancelled, this, [this] { Finish(Outcome::Cancelled); });
    connect(&capture_, &ScreenCapture::failed, this,
            [this](const QString& reason) { Finish(Outcome::Failed, reason); });
    connect(&capture_, &ScreenCapture::askingUser, this, &PickFlow::ShowPermissionNote);
    connect(&capture_, &ScreenCapture::stoppedAsking, this, [this] {
        if (note_) note_.release()->deleteLater();
    });
    connect(&capture_, &ScreenCapture::refused, this, &PickFlow::OnRefused);
}

void PickFlow::OnRefused(const QString& reason, ScreenCapture::Remedy remedy) {
    if (state_ != State::Capturing) return;
    if (note_) note_.release()->deleteLater();
    if (views_.OfferRemedy(reason, remedy)) {
        capture_.Retry(remedy);
        return;
    }
    Finish(Outcome::Refused, reason);
}

void PickFlow::ShowPermissionNote() {
    if (state_ != State::Capturing) return;
    note_ = views_.ShowPermissionNote([this] {
        capture_.Cancel();
        Finish(Outcome::Cancelled);
    });
}

PickFlow::~PickFlow() = default;

QWidget* PickFlow::MessageParent() const {
    if (picker_ && picker_->IsOpen()) return picker_->MessageParent();
    return host_ != nullptr ? host_->Widget() : nullptr;
}

void PickFlow::Start() {
    if (state_ != State::Idle) return;
    memory_.EnsureLoaded();
    restoreWindow_ = host_ != nullptr && host_->IsShown();
    if (!restoreWindow_) {
        state_ = State::Capturing;
        Capture();
        return;
    }
    // While the main window is away the picker's surfaces are the only windows,
    // and closing them must not end the program (nor, resident, ever).
    quitOnLastWindow_ = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    state_ = State::WaitingForWindow;
    QWindow* handle = host_->Handle();
    if (handle != nullptr) handle->installEventFilter(this);
    host_->Hide();
    windowTimeout_.start();
    if (handle == nullptr || !handle->isExposed()) {
        QTimer::singleShot(0, this, &PickFlow::WindowGone);
    }
}

bool PickFlow::eventFilter(QObject* watched, QEvent* event) {
    if (state_ == State::WaitingForWindow && event->type() == QEvent::Expose) {
        auto* window = qobject_cast<QWindow*>(watched);
        if (window != nullptr && !window->isExposed()) {
            QTimer::singleShot(0, this, &PickFlow::WindowGone);
        }
    }
    return QObject::eventFilter(watched, event);
}

void PickFlow::WindowGone() {
    if (state_ != State::WaitingForWindow) return;
    windowTimeout_.stop();
    if (QWindow* handle = host_ != nullptr ? host_->Handle() : nullptr) {
        handle->removeEventFilter(this);
    }
    state_ = State::Capturing;
    settle_.start();
}

void PickFlow::Capture() {
    StartupMark("capture asked");
    capture_.SetSampleArea(memory_.Area());
    capture_.Request(ParentWindowId(host_));
}

void PickFlow::OnCaptured(const ScreenImage& screen) {
    StartupMark("captured");
    if (state_ != State::Capturing) return;
    note_.reset();
    if (screen.image.isNull()) {
        Finish(Outcome::Failed, tr("The screen could not be read."));
        return;
    }
    state_ = State::Picking;
    picker_ = views_.MakePicker(screen, pointer_, options_, memory_,
                                restoreWindow_ ? host_->Widget() : nullptr);
    connect(picker_.get(), &PickerView::picked, this, &PickFlow::picked);
    connect(picker_.get(), &PickerView::colorMenuRequested, this, &PickFlow::colorMenuRequested);
    connect(picker_.get(), &PickerView::closed, this, [this] { Finish(Outcome::Closed); });
    picker_->Open();
}

void PickFlow::OnColorPicked(const QColor& color) {
    if (state_ != State::Capturing) return;
    // A picker of its own kept its zoom and history in the file.
    memory_.Load();
    emit picked(Color::FromUnit(color.redF(), color.greenF(), color.blueF()), nullptr, false);
    Finish(Outcome::Closed);
}

void PickFlow::Finish(Outcome outcome, const QString& reason) {
    if (state_ == State::Idle) return;
    if (state_ == State::Picking) memory_.Save();
    windowTimeout_.stop();
    settle_.stop();
    state_ = State::Idle;
    if (note_) note_.release()->deleteLater();
    // The picker goes once its close has returned.
    if (picker_) picker_.release()->deleteLater();
    RestoreMainWindow();
    emit finished(outcome, reason);
}

void PickFlow::RestoreMainWindow() {
    if (!restoreWindow_ || host_ == nullptr) return;
    restoreWindow_ = false;
    host_->Restore();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLastWindow_);
}

}  // namespace velmor
