#include "cli/Cli.h"

#include "cli/BackupCommands.h"
#include "cli/CalendarCommands.h"
#include "cli/CatchlogCommands.h"
#include "cli/CostsCommands.h"
#include "cli/DataCommands.h"
#include "cli/DayCommand.h"
#include "cli/EstimateCommand.h"
#include "cli/ExportCommand.h"
#include "cli/FolderCommand.h"
#include "cli/PdfDemoCommand.h"
#include "cli/PieCommand.h"
#include "cli/ReportCommands.h"
#include "cli/StatsCommands.h"
#include "cli/TableCommands.h"
#include "cli/UploadCommand.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

namespace zv::cli {
namespace {

constexpr CommandOption kStatsOptions[] = {
    {"--faenger", "NAME", "nur die Fänge dieses Fängers"},
    {"--jahr", "JJJJ", "nur die Fänge dieses Jahres"},
    {"--fischart", "ART", "nur diese Fischart"},
    {"--koedertyp", "TYP", "nur dieser Ködertyp"},
    {"--koeder", "KOEDER", "nur dieser Köder"},
};
constexpr CommandOption kConvertOptions[] = {
    {"--folder", "PROGRAMMORDNER", "der Programmordner, in den ohne AUSGABE geschrieben wird"},
};
constexpr CommandOption kDayOptions[] = {
    {"--range", "", "jeden Tag von VON bis BIS"},
};
constexpr CommandOption kEstimateOptions[] = {
    {"--laenge", "CM", "das Gewicht zu dieser Länge schätzen"},
    {"--gewicht", "G", "die Länge zu diesem Gewicht schätzen"},
};
constexpr CommandOption kReportOptions[] = {
    {"--faenger", "NAME", "Fangbuch: nur die Fänge dieses Fängers"},
    {"--jahr", "JJJJ", "nur dieses Jahr"},
};
constexpr CommandOption kUploadOptions[] = {
    {"--server", "RECHNER[:PORT]", "dieser Server statt des in Zelvorin.ini genannten"},
    {"--faenger", "", "den Fänger mitsenden"},
    {"--gewaesser", "", "das Gewässer mitsenden"},
    {"--stelle", "", "die Stelle mitsenden"},
};
constexpr CommandOption kRestoreOptions[] = {
    {"--ohne-sicherung", "", "die aktuellen Daten vorher nicht sichern"},
};
constexpr CommandOption kCostsOptions[] = {
    {"--jahr", "JJJJ", "tree: nur dieses Jahr"},
    {"--geschaeft", "NAME", "tree: nur dieses Geschäft; add: das Geschäft"},
    {"--datum", "TT.MM.JJJJ", "add: das Kaufdatum"},
    {"--versand", "BETRAG", "add: die Versandkosten"},
    {"--artikel", "NAME;MENGE;EINZELPREIS", "add: ein Artikel (mehrfach möglich)"},
};
constexpr CommandOption kExportOptions[] = {
    {"--kosten", "", "die Angelkosten statt der Fänge"},
    {"--kalender", "", "die Angeltage ohne Fang statt der Fänge"},
};

constexpr CommandInfo kCommands[] = {
    {"open",
     "Den Programmordner öffnen wie beim Start und die Datenbanken nennen",
     "Aufruf: zelvorin-cli open PROGRAMMORDNER\n",
     {},
     RunOpenCommand},
    {"folder",
     "Den Programmordner des installierten Programms nennen",
     "Aufruf: zelvorin-cli folder\n",
     {},
     RunFolderCommand},
    {"export", "Die Fänge, Angelkosten oder Angeltage als Tabelle (.xlsx, .csv) schreiben",
     "Aufruf: zelvorin-cli export PROGRAMMORDNER AUSGABE.xlsx|AUSGABE.csv [--kosten | "
     "--kalender]\n",
     kExportOptions, RunExportCommand},
    {"report", "PDF-Bericht: Fangbuch, Kostenliste oder Jahreszusammenfassung",
     "Aufruf: zelvorin-cli report catchbook PROGRAMMORDNER AUSGABE.pdf [--faenger NAME] "
     "[--jahr JJJJ]\n"
     "        zelvorin-cli report costs PROGRAMMORDNER AUSGABE.pdf [--jahr JJJJ]\n"
     "        zelvorin-cli report years PROGRAMMORDNER AUSGABE.pdf\n",
     kReportOptions, RunReportCommand},
    {"html-sheet",
     "Einen leeren Fangbogen als HTML-Seite zum Ausdrucken schreiben",
     "Aufruf: zelvorin-cli html-sheet PROGRAMMORDNER AUSGABE.html\n",
     {},
     RunHtmlSheetCommand},
    {"backup",
     "Den Programmordner in ein Zip-Backup sichern",
     "Aufruf: zelvorin-cli backup PROGRAMMORDNER AUSGABE.zip\n",
     {},
     RunBackupCommand},
    {"restore", "Ein Zip-Backup in den Programmordner zurückspielen",
     "Aufruf: zelvorin-cli restore PROGRAMMORDNER EINGABE.zip [--ohne-sicherung]\n",
     kRestoreOptions, RunRestoreCommand},
    {"upload", "Die Fänge an den Online-Statistik-Server senden",
     "Aufruf: zelvorin-cli upload ORDNER [--server RECHNER[:PORT]] [--faenger] [--gewaesser] "
     "[--stelle]\n",
     kUploadOptions, RunUploadCommand},
    {"stats", "Die Fangstatistik nach Fischart, Köder oder Wetter",
     "Aufruf: zelvorin-cli stats species|bait|weather ORDNER [--faenger NAME] [--jahr JJJJ] "
     "[--fischart ART] [--koedertyp TYP] [--koeder KOEDER]\n",
     kStatsOptions, RunStatsCommand},
    {"recommend",
     "Die Fangempfehlung: welcher Fisch in welchem Monat mit welchem Köder",
     "Aufruf: zelvorin-cli recommend ORDNER\n",
     {},
     RunRecommendCommand},
    {"search",
     "Die Fänge nach einem Begriff durchsuchen",
     "Aufruf: zelvorin-cli search ORDNER SUCHBEGRIFF\n",
     {},
     RunSearchCommand},
    {"map",
     "Die Fänge eines Gewässers auf seiner Karte als PNG zeichnen",
     "Aufruf: zelvorin-cli map ORDNER GEWAESSER AUSGABE.png\n",
     {},
     RunMapCommand},
    {"month",
     "Der Fangkalender eines Monats",
     "Aufruf: zelvorin-cli month ORDNER MM JJJJ\n",
     {},
     RunMonthCommand},
    {"fishing-day",
     "Die Tagesinformationen eines Angeltags",
     "Aufruf: zelvorin-cli fishing-day ORDNER TT.MM.JJJJ\n",
     {},
     RunFishingDayCommand},
    {"day", "Mondphase, Sonnen- und Mondzeiten eines Tages",
     "Aufruf: zelvorin-cli day TT.MM.JJJJ [TT.MM.JJJJ …]\n"
     "       zelvorin-cli day --range VON BIS\n",
     kDayOptions, RunDayCommand},
    {"estimate", "Die Länge aus dem Gewicht oder Gewicht aus der Länge schätzen",
     "Aufruf: zelvorin-cli estimate ORDNER FISCHART --laenge CM\n"
     "       zelvorin-cli estimate ORDNER FISCHART --gewicht G\n",
     kEstimateOptions, RunEstimateCommand},
    {"costs", "Angelkosten: Übersicht, Jahre, Suche, einen Einkauf erfassen",
     "Aufruf: zelvorin-cli costs tree ORDNER [--jahr JJJJ] [--geschaeft NAME]\n"
     "        zelvorin-cli costs years ORDNER\n"
     "        zelvorin-cli costs search ORDNER BEGRIFF\n"
     "        zelvorin-cli costs add ORDNER --datum TT.MM.JJJJ --geschaeft NAME "
     "[--versand BETRAG] --artikel NAME;MENGE;EINZELPREIS [--artikel …]\n",
     kCostsOptions, RunCostsCommand},
    {"rebuild-lists",
     "Die Wertelisten in DATs aus der Fangdatenbank neu schreiben",
     "Aufruf: zelvorin-cli rebuild-lists PROGRAMMORDNER\n",
     {},
     RunRebuildListsCommand},
    {"convert-legacy", "Eine alte Datenbank (*.fdb, *.akdb) umwandeln",
     "Aufruf: zelvorin-cli convert-legacy EINGABE [AUSGABE] [--folder PROGRAMMORDNER]\n"
     "Ohne AUSGABE wird in den Programmordner geschrieben, der mit --folder anzugeben ist.\n",
     kConvertOptions, RunConvertLegacyCommand},
    {"table",
     "Eine Tabellendatei beschreiben oder umwandeln (CSV, MLB, TXT)",
     "Aufruf: zelvorin-cli table info DATEI\n"
     "       zelvorin-cli table convert EINGABE AUSGABE\n"
     "Das Format folgt dem Dateinamen: Endung MLB, TXT, sonst CSV.\n",
     {},
     RunTableCommand},
    {"pie",
     "Ein Tortendiagramm als PNG zeichnen",
     "Aufruf: zelvorin-cli pie BREITE HÖHE DATEI.png WERT [WERT …]\n",
     {},
     RunPieCommand},
    {"pdf-demo",
     "Eine Beispielseite des PDF-Schreibers",
     "Aufruf: zelvorin-cli pdf-demo AUSGABE.pdf [BILD.jpg]\n",
     {},
     RunPdfDemoCommand},
};

constexpr std::string_view kHelpHint = "\"zelvorin-cli --help\" zeigt alle Befehle.\n";

bool IsHelp(std::string_view word) {
    return word == "--help" || word == "-h";
}

const CommandInfo* Find(std::string_view name) {
    for (const CommandInfo& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

void PrintOverview(std::ostream& stream) {
    stream << "Aufruf: zelvorin-cli BEFEHL [ARGUMENTE …]\n"
              "        zelvorin-cli help BEFEHL   (oder: zelvorin-cli BEFEHL --help)\n"
              "        zelvorin-cli --version\n\n"
              "Befehle:\n";
    std::size_t width = 0;
    for (const CommandInfo& command : kCommands) {
        width = std::max(width, command.name.size());
    }
    for (const CommandInfo& command : kCommands) {
        stream << "  " << std::left << std::setw(int(width) + 2) << command.name << command.summary
               << "\n";
    }
    stream << "\nPROGRAMMORDNER (ORDNER) ist der Ordner mit Zelvorin.ini, den Datenbanken, DATs "
              "und img;\n\"zelvorin-cli folder\" nennt den des Programms.\n";
}

void PrintCommandHelp(const CommandInfo& command, std::ostream& out) {
    out << "zelvorin-cli " << command.name << " – " << command.summary << "\n\n"
        << command.usage << "\nOptionen:\n";
    std::vector<std::string> names;
    for (const CommandOption& option : command.options) {
        names.push_back(std::string(option.name) +
                        (option.value.empty() ? "" : " " + std::string(option.value)));
    }
    names.push_back("-h, --help");
    std::size_t width = 0;
    for (const std::string& name : names) {
        width = std::max(width, name.size());
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view description =
            i < command.options.size() ? command.options[i].description : "diese Hilfe";
        out << "  " << std::left << std::setw(int(width) + 2) << names[i] << description << "\n";
    }
}

const CommandOption* FindOption(const CommandInfo& command, std::string_view name) {
    for (const CommandOption& option : command.options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

int RunCommand(const CommandInfo& command, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
    std::vector<std::string> passed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            passed.insert(passed.end(), args.begin() + std::ptrdiff_t(i) + 1, args.end());
            break;
        }
        if (IsHelp(arg)) {
            PrintCommandHelp(command, out);
            return 0;
        }
        passed.push_back(arg);
        if (arg.rfind("--", 0) != 0) {
            continue;
        }
        const CommandOption* option = FindOption(command, arg);
        if (option == nullptr) {
            err << "Unbekannte Option \"" << arg << "\" für \"" << command.name
                << "\".\n\"zelvorin-cli " << command.name << " --help\" zeigt die Optionen.\n";
            return 2;
        }
        if (!option->value.empty() && i + 1 < args.size()) {
            passed.push_back(args[++i]); // a value, even one that begins with "-"
        }
    }
    return command.run(passed, out, err);
}

} // namespace

std::span<const CommandInfo> Commands() {
    return kCommands;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        PrintOverview(err);
        return 2;
    }
    const std::string& word = args[0];
    if (IsHelp(word) || (word == "help" && args.size() == 1)) {
        PrintOverview(out);
        return 0;
    }
    if (word == "--version" && args.size() == 1) {
        out << "zelvorin-cli " << ZV_VERSION << "\n";
        return 0;
    }
    if (word == "help") {
        const CommandInfo* command = args.size() == 2 ? Find(args[1]) : nullptr;
        if (command == nullptr) {
            err << "Unbekannter Befehl \"" << args.back() << "\".\n" << kHelpHint;
            return 2;
        }
        PrintCommandHelp(*command, out);
        return 0;
    }
    if (word.rfind("-", 0) == 0) {
        err << "Unbekannte Option \"" << word << "\".\n" << kHelpHint;
        return 2;
    }
    const CommandInfo* command = Find(word);
    if (command == nullptr) {
        err << "Unbekannter Befehl \"" << word << "\".\n" << kHelpHint;
        return 2;
    }
    return RunCommand(*command, std::vector<std::string>(args.begin() + 1, args.end()), out, err);
}

} // namespace zv::cli
