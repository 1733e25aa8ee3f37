#include "catchlog/CommaText.h"

namespace zv {
namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    const std::size_t size = text.size();
    auto skipBlanks = [&] {
        while (pos < size && IsBlank(text[pos])) {
            ++pos;
        }
    };
    skipBlanks();
    while (pos < size) {
        std::string name;
        if (text[pos] == '"') {
            ++pos;
            while (pos < size) {
                if (text[pos] == '"') {
                    if (pos + 1 < size && text[pos + 1] == '"') {
                        name += '"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                name += text[pos++];
            }
        } else {
            const std::size_t start = pos;
            while (pos < size && !IsBlank(text[pos]) && text[pos] != ',') {
                ++pos;
            }
            name.assign(text.substr(start, pos - start));
        }
        names.push_back(std::move(name));
        skipBlanks();
        if (pos < size && text[pos] == ',') {
            if (pos + 1 == size) {
                names.emplace_back();
            }
            ++pos;
            skipBlanks();
        }
    }
    return names;
}

std::string JoinCommaText(const std::vector<std::string>& names) {
    // A single empty name must stay visible, or it would read back as none.
    if (names.size() == 1 && names.front().empty()) {
        return "\"\"";
    }
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (i > 0) {
            text += ',';
        }
        bool needsQuotes = false;
        for (char c : name) {
            if (IsBlank(c) || c == ',' || c == '"') {
                needsQuotes = true;
                break;
            }
        }
        if (!needsQuotes) {
            text += name;
            continue;
        }
        text += '"';
        for (char c : name) {
            text += c;
            if (c == '"') {
                text += '"';
            }
        }
        text += '"';
    }
    return text;
}

} // namespace zv
