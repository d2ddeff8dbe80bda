#include "platform/capture/child_picker.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QColor>
#include <QProcessEnvironment>

namespace velmor {

ChildPicker::ChildPicker(QString program, QObject* parent)
    : ScreenCapture(parent), program_(std::move(program)) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    process_.setProcessEnvironment(environment);
    process_.setProgram(program_);
    // The picker's frozen picture never outlives the program, however it ends:
    // the child goes when its parent does, or at once if that already happened.
    const pid_t owner = ::getpid();
    process_.setChildProcessModifier([owner] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != owner) ::_exit(1);
    });
    SetSampleArea(1);
    connect(&process_, &QProcess::finished, this, &ChildPicker::Finished);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        emit failed(tr("The screen could not be read: the picker could not be started (%1).")
                        .arg(process_.errorString()));
    });
}

ChildPicker::~ChildPicker() {
    Cancel();
}

void ChildPicker::Request(const QString&) {
    if (process_.state() != QProcess::NotRunning) return;
    process_.start();
}

void ChildPicker::SetSampleArea(int area) {
    QStringList arguments{QStringLiteral("--pick"), QStringLiteral("--format"),
                          QStringLiteral("hex")};
    if (area > 1) arguments << QStringLiteral("--average") << QString::number(area);
    process_.setArguments(arguments);
}

void ChildPicker::Cancel() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(1000);
}

void ChildPicker::Finished(int exitCode, QProcess::ExitStatus status) {
    const QString out = QString::fromLocal8Bit(process_.readAllStandardOutput()).trimmed();
    const QString err = QString::fromLocal8Bit(process_.readAllStandardError()).trimmed();
    if (status == QProcess::NormalExit && exitCode == 0) {
        const QColor color(out.section(QLatin1Char('\n'), 0, 0));
        if (color.isValid()) {
            emit colorPicked(color);
        } else {
            emit failed(tr("The screen could not be read: the picker answered \"%1\".").arg(out));
        }
    } else if (status == QProcess::NormalExit && exitCode == 1) {
        emit cancelled();
    } else {
        // Its last line says why, after the program's name.
        QString reason = err.section(QLatin1Char('\n'), -1);
        reason.remove(QStringLiteral("velmor-color-picker: "));
        emit failed(reason.isEmpty() ? tr("The screen could not be read: the picker stopped.")
                                     : reason);
    }
}

}  // namespace velmor
