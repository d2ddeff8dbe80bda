#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmor {

// What the running program answered a forwarded command line: the exit
// status and what to print on standard output and standard error.
struct ResidentAnswer {
    int status = 0;
    std::string out;
    std::string err;
};

// Hands the command line to the program already running in this session, if
// one does: a pick is run there and answered; anything else shows its main
// window. Nothing when none runs or no session bus can be reached, and this
// process does the work itself. Blocks until the answer comes, without Qt,
// so that a forwarded pick costs no toolkit start.
std::optional<ResidentAnswer> AskResident(const std::vector<std::string>& arguments, bool pick);

// True when a copy runs in this session already.
bool ResidentRunning();

// The object path the running program answers on, from its id.
std::string ResidentPath();

}  // namespace velmor
