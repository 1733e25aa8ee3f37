#include "backup/MessageList.h"

namespace zv {

void AppendList(std::string& text, const std::string& heading,
                const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return;
    }
    text += "\n\n" + heading;
    for (std::size_t i = 0; i < lines.size() && i < kListedLines; ++i) {
        text += "\n" + lines[i];
    }
    if (lines.size() > kListedLines) {
        text += "\n… und " + std::to_string(lines.size() - kListedLines) + " weitere";
    }
}

} // namespace zv
