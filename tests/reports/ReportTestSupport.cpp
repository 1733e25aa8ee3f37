#include "ReportTestSupport.h"

#include "storage/Schemas.h"
#include "storage/TMlbc.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

namespace zv::test {

namespace {

std::unique_ptr<TMlbc> Table(const std::vector<std::string>& fields, const std::vector<Row>& rows) {
    std::unique_ptr<TMlbc> table = MakeEmptyTable(fields);
    for (const Row& row : rows) {
        table->AppendRow();
        for (const auto& [field, value] : row) {
            if (!table->SetData(field, value)) {
                throw std::runtime_error("no field " + field);
            }
        }
    }
    return table;
}

std::string Quote(const std::filesystem::path& path) {
    std::string quoted = "'";
    for (char c : path.string()) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// A JSON string value of a qpdf line, unescaped; the language tag the
// writer puts in front of Unicode titles is dropped.
std::string JsonString(const std::string& line) {
    const std::size_t start = line.find(": \"") + 3;
    const std::size_t end = line.rfind('"');
    std::string text;
    for (std::size_t i = start; i < end; ++i) {
        if (line[i] != '\\') {
            text.push_back(line[i]);
            continue;
        }
        const char next = line[++i];
        if (next == 'u') {
            AppendUtf8(text, static_cast<unsigned>(std::stoul(line.substr(i + 1, 4), nullptr, 16)));
            i += 4;
        } else {
            text.push_back(next == 'n' ? '\n' : next);
        }
    }
    const std::string tag = "\x1b"
                            "en\x1b";
    if (text.rfind(tag, 0) == 0) {
        text.erase(0, tag.size());
    }
    return text;
}

int Indent(const std::string& line) {
    return static_cast<int>(line.find_first_not_of(' '));
}

} // namespace

std::unique_ptr<TMlbc> CatchTable(const std::vector<Row>& rows) {
    return Table(CatchFields(), rows);
}

std::unique_ptr<TMlbc> CostTable(const std::vector<Row>& rows) {
    return Table(CostFields(), rows);
}

// qpdf writes each entry's keys in order dest, destpageposfrom1, kids, …,
// title, so an entry's children are complete when its title arrives; the
// indentation tells the level.
std::vector<Bookmark> ReadBookmarks(const std::filesystem::path& pdf) {
    int status = 0;
    std::istringstream json(RunCommand("qpdf --json --json-key=outlines " + Quote(pdf), status));
    std::map<int, std::vector<Bookmark>> done; // by indentation
    std::map<int, Bookmark> open;
    std::string line;
    int rootIndent = -1;
    while (std::getline(json, line)) {
        const int indent = Indent(line);
        if (line.find("\"dest\": [") != std::string::npos) {
            std::string values[5];
            for (std::string& value : values) {
                std::getline(json, value);
            }
            open[indent].left = std::stoi(values[2].substr(Indent(values[2])));
            open[indent].top = std::stoi(values[3].substr(Indent(values[3])));
        } else if (line.find("\"destpageposfrom1\":") != std::string::npos) {
            open[indent].page = std::stoi(line.substr(line.find(':') + 1));
        } else if (line.find("\"title\":") != std::string::npos) {
            Bookmark entry = open[indent];
            entry.title = JsonString(line);
            entry.kids = std::move(done[indent + 4]);
            done[indent + 4].clear();
            done[indent].push_back(std::move(entry));
            open.erase(indent);
            if (rootIndent < 0 || indent < rootIndent) {
                rootIndent = indent;
            }
        }
    }
    return rootIndent < 0 ? std::vector<Bookmark>() : done[rootIndent];
}

std::string PageText(const std::filesystem::path& pdf, int page) {
    int status = 0;
    const std::string number = std::to_string(page);
    return RunCommand(
        "pdftotext -enc UTF-8 -f " + number + " -l " + number + " " + Quote(pdf) + " -", status);
}

int CountOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zv::test
