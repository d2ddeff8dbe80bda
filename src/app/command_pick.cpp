#include "app/command_pick.h"

#include <QTimer>
#include <algorithm>

#include "core/value_formatter.h"
#include "platform/desktop/clipboard.h"

namespace velmor {

CommandPick::CommandPick(const CommandLine& line, const Options& options, ScreenCapture& capture,
                         PointerControl& pointer, PickerMemory& memory, PickViews& views,
                         QObject* parent)
    : QObject(parent), line_(line), flow_(capture, pointer, options.Values(), memory, views) {
    // One of the fourteen, a notation or a template, checked before anything opens.
    const bool upper = options.Values().upperCase;
    if (line.formatName.empty()) {
        const auto index = static_cast<std::size_t>(line.format);
        write_ = [index, upper](const Color& color) {
            return FormatColor(color, {}, upper).texts[index];
        };
    } else if (Templates templates = options.TemplateList();
               WriteNamed(line.formatName, Color{}, templates, &error_)) {
        write_ = [name = line.formatName, templates = std::move(templates)](const Color& color) {
            return WriteNamed(name, color, templates).value_or(std::string());
        };
    }
    // The area asked for holds for this pick only.
    connect(this, &CommandPick::answered, this,
            [&memory, area = memory.Area()] { memory.SetArea(area); });
    memory.SetArea(line.average);
    // Why a published profile went unused, when one monitor's reason is every monitor's.
    connect(&capture, &ScreenCapture::captured, this, [this](const ScreenImage& screen) {
        const auto& problems = screen.profileProblems;
        const bool same = !problems.empty() && !problems.front().isEmpty() &&
                          std::all_of(problems.begin(), problems.end(),
                                      [&](const QString& p) { return p == problems.front(); });
        profileProblem_ = same ? problems.front() : QString();
    });
    if (line.verbose) {
        connect(&capture, &ScreenCapture::routeNote, this, &CommandPick::note);
        // What the printed value is: never silently less than the screen holds.
        connect(&capture, &ScreenCapture::captured, this, [this](const ScreenImage& screen) {
            if (flow_.CurrentState() == PickFlow::State::Idle) return;
            for (const QString& n : SourceNotes(screen)) emit note(n);
        });
    }
    // A line a pick; a pick with Shift goes on, and closing after one or
    // more is a success.
    connect(&flow_, &PickFlow::picked, this,
            [this](const Color& color, const ProfileRef& profile, bool keepPicking) {
                if (done_) return;
                if (line_.managed && profile == nullptr) {
                    warning_ = (profileProblem_.isEmpty() ? tr("the monitor has no color profile")
                                                          : profileProblem_) +
                               tr("; the value is the screen's own");
                }
                const Color printed =
                    line_.managed && profile != nullptr ? profile->ToSrgb(color) : color;
                out_ += QString::fromStdString(write_(printed)) + QLatin1Char('\n');
                if (line_.copy) PutTextOnClipboard(out_.chopped(1));
                if (!keepPicking) Answer(0, out_, warning_);
            });
    connect(&flow_, &PickFlow::finished, this,
            [this](PickFlow::Outcome outcome, const QString& reason) {
                const bool failed =
                    outcome == PickFlow::Outcome::Failed || outcome == PickFlow::Outcome::Refused;
                if (failed) {
                    Answer(2, out_, reason);
                } else {
                    Answer(out_.isEmpty() ? 1 : 0, out_, warning_);
                }
            });
}

void CommandPick::Start() {
    // Answered from the event loop, as every answer is.
    QTimer::singleShot(0, this, [this] {
        if (error_.empty()) {
            flow_.Start();
        } else {
            Answer(2, {}, QString::fromStdString(error_));
        }
    });
}

void CommandPick::Answer(int status, const QString& out, const QString& err) {
    // The first answer counts: a pick, a close, or a failure.
    if (done_) return;
    done_ = true;
    emit answered(status, out, err);
}

}  // namespace velmor
