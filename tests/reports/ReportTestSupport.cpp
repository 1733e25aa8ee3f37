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

// A JSON string value of a qpdf line, unescaped. qpdf writes text as UTF-8
// and escapes only control characters: those of the language tag the
// writer puts in front of Unicode titles, which is dropped.
std::string JsonString(const std::string& line) {
    std::string text;
    const std::size_t end = line.rfind('"');
    for (std::size_t i = line.find(": \"") + 3; i < end; ++i) {
        text.push_back(line[i] == '\\' ? line[++i] : line[i]);
    }
    const std::string tag = "u001benu001b";
    return text.rfind(tag, 0) == 0 ? text.substr(tag.size()) : text;
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
