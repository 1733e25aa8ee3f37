#include "cli/TableCommands.h"

#include "storage/TMlb2.h"
#include "storage/TMlbc.h"

namespace zv::cli {
namespace {

const char* FormatName(TMlb2Format format) {
    switch (format) {
    case TMlb2Format::Csv:
        return "CSV";
    case TMlb2Format::Mlb:
        return "MLB";
    case TMlb2Format::Txt:
        return "TXT";
    }
    return "CSV";
}

int Usage(std::ostream& err) {
    err << "Aufruf: zelvorin-cli table info DATEI\n"
           "       zelvorin-cli table convert EINGABE AUSGABE\n"
           "Das Format folgt dem Dateinamen: Endung MLB, TXT, sonst CSV.\n";
    return 2;
}

bool Load(TMlbc& table, const std::string& path, std::ostream& err) {
    if (table.LoadFromFile(path)) {
        return true;
    }
    err << table.LastFailure() << "\n";
    return false;
}

int Info(const std::string& path, std::ostream& out, std::ostream& err) {
    TMlbc table;
    if (!Load(table, path, err)) {
        return 1;
    }
    out << "Datei: " << path << "\n";
    out << "Format: " << FormatName(TMlb2::FormatOfPath(path)) << "\n";
    out << "Felder: " << table.FieldCount() << "\n";
    for (int f = 1; f <= table.FieldCount(); ++f) {
        out << "  " << f << " " << table.FieldName(f) << " (" << table.Engine().FieldType(f)
            << ")\n";
    }
    out << "Zeilen: " << table.RowCount() << "\n";
    return 0;
}

int Convert(const std::string& in, const std::string& target, std::ostream& out,
            std::ostream& err) {
    TMlbc table;
    if (!Load(table, in, err)) {
        return 1;
    }
    if (!table.SaveToFile(target)) {
        err << table.LastFailure() << "\n";
        return 1;
    }
    out << table.RowCount() << " Zeilen und " << table.FieldCount() << " Felder nach " << target
        << " geschrieben (" << FormatName(TMlb2::FormatOfPath(target)) << ").\n";
    return 0;
}

} // namespace

int RunTableCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 2 && args[0] == "info") {
        return Info(args[1], out, err);
    }
    if (args.size() == 3 && args[0] == "convert") {
        return Convert(args[1], args[2], out, err);
    }
    return Usage(err);
}

} // namespace zv::cli
