#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace zv::cli {

// Whether long commands show their progress: only when standard error is a
// terminal, so a script or a log file never gets a line full of "\r". main
// decides once; off until then.
void SetProgressShown(bool shown);
bool ProgressShown();

// One line on standard error that says how far a long command has come,
// rewritten in place when it changes and cleared when the command is done.
// An empty `what` leaves the prefix "<what>: " out.
class ProgressLine {
public:
    ProgressLine(std::ostream& err, std::string what);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // "<what>: 42 % (420 von 1000)"; rewritten only when the percentage moves.
    void Count(std::uint64_t done, std::uint64_t total);
    // "<what>: <step>".
    void Step(std::string_view step);

private:
    void Show(const std::string& text);

    std::ostream& err_;
    std::string what_;
    bool shown_;
    bool written_ = false;
    int percent_ = -1;
    std::string shownText_;
};

} // namespace zv::cli
