#pragma once

#include <QProcess>

#include "platform/capture/screen_capture.h"

namespace velmor {

// The picker run again as its own process natively on Wayland, for a program
// that shows its windows through XWayland: its first pick comes back as a
// colour, Esc as a cancel, an error with its reason.
class ChildPicker : public ScreenCapture {
    Q_OBJECT

  public:
    explicit ChildPicker(QString program, QObject* parent = nullptr);
    ~ChildPicker() override;

    void Request(const QString& parentWindow) override;
    void Cancel() override;
    void SetSampleArea(int area) override;

  private:
    void Finished(int exitCode, QProcess::ExitStatus status);

    QString program_;
    QProcess process_;
};

}  // namespace velmor
