#include "cli/ProgressLine.h"

namespace zv::cli {
namespace {

bool gShown = false;

// Back to the line's start and erase it.
constexpr std::string_view kClearLine = "\r\x1b[K";

} // namespace

void SetProgressShown(bool shown) {
    gShown = shown;
}

bool ProgressShown() {
    return gShown;
}

ProgressLine::ProgressLine(std::ostream& err, std::string what)
    : err_(err), what_(std::move(what)), shown_(gShown) {}

ProgressLine::~ProgressLine() {
    if (written_) {
        err_ << kClearLine << std::flush;
    }
}

void ProgressLine::Count(std::uint64_t done, std::uint64_t total) {
    const int percent = total == 0 ? 100 : int(done * 100 / total);
    if (percent == percent_) {
        return;
    }
    percent_ = percent;
    Show(std::to_string(percent) + " % (" + std::to_string(done) + " von " + std::to_string(total) +
         ")");
}

void ProgressLine::Step(std::string_view step) {
    percent_ = -1;
    Show(std::string(step));
}

void ProgressLine::Show(const std::string& text) {
    if (!shown_ || (written_ && text == shownText_)) {
        return;
    }
    err_ << kClearLine << what_ << (what_.empty() ? "" : ": ") << text << std::flush;
    shownText_ = text;
    written_ = true;
}

} // namespace zv::cli
