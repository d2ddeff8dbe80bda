#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "app/options.h"
#include "app/pick_flow.h"
#include "core/command_line.h"

namespace velmor {

// A pick asked for on a command line, here or forwarded to the running
// program: the colour in the asked notation, a line a pick (Shift keeps
// picking), or why there is none. Answers once: status 0 with the lines, 1
// when closed without a pick, 2 with the reason. The flow's messages for
// standard error come as notes meanwhile.
class CommandPick : public QObject {
    Q_OBJECT

  public:
    CommandPick(const CommandLine& line, const Options& options, ScreenCapture& capture,
                PointerControl& pointer, PickerMemory& memory, PickViews& views,
                QObject* parent = nullptr);

    PickFlow& Flow() { return flow_; }
    // Answers without a pick when the asked notation does not exist.
    void Start();

  signals:
    void note(const QString& line);
    void answered(int status, const QString& out, const QString& err);

  private:
    void Answer(int status, const QString& out, const QString& err = {});

    CommandLine line_;
    std::function<std::string(const Color&)> write_;
    std::string error_;
    QString profileProblem_;
    // The lines of the picks so far, and why a value is the screen's own.
    QString out_;
    QString warning_;
    PickFlow flow_;
    bool done_ = false;
};

}  // namespace velmor
