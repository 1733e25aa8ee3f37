#include "cli/CostsCommands.h"
#include "cli/ProgramFolderOpening.h"

#include "base/AtomicFile.h"
#include "base/DateTime.h"
#include "costs/CostFields.h"
#include "costs/CostOverview.h"
#include "costs/CostSearch.h"
#include "costs/PurchaseEntry.h"
#include "costs/YearSummary.h"
#include "storage/Workspace.h"

#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

namespace zv::cli {

namespace {

constexpr const char* kUsage =
    "Aufruf: zelvorin-cli costs tree ORDNER [--jahr JJJJ] [--geschaeft NAME]\n"
    "        zelvorin-cli costs years ORDNER\n"
    "        zelvorin-cli costs search ORDNER BEGRIFF\n"
    "        zelvorin-cli costs add ORDNER --datum TT.MM.JJJJ --geschaeft NAME "
    "[--versand BETRAG] --artikel NAME;MENGE;EINZELPREIS [--artikel …]\n";

struct Options {
    std::map<std::string, std::string> single;
    std::vector<std::string> articles;
};

// "--name value" pairs after the folder; only the allowed names, each once
// except --artikel.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::size_t first,
                                    const std::set<std::string>& allowed, std::ostream& err) {
    Options options;
    for (std::size_t i = first; i < args.size(); i += 2) {
        const std::string& word = args[i];
        const std::string name = word.rfind("--", 0) == 0 ? word.substr(2) : std::string();
        if (!allowed.contains(name)) {
            err << "Unbekannte Option \"" << word << "\".\n" << kUsage;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            err << "Der Option \"" << word << "\" fehlt ihr Wert.\n" << kUsage;
            return std::nullopt;
        }
        if (name == "artikel") {
            options.articles.push_back(args[i + 1]);
        } else if (!options.single.emplace(name, args[i + 1]).second) {
            err << "Die Option \"" << word << "\" ist doppelt angegeben.\n";
            return std::nullopt;
        }
    }
    return options;
}

std::string Value(const Options& options, const std::string& name, std::string fallback = {}) {
    const auto found = options.single.find(name);
    return found == options.single.end() ? fallback : found->second;
}

void PrintJoined(std::ostream& out, std::string_view head, const std::vector<std::string>& cells) {
    out << head;
    for (const std::string& cell : cells) {
        out << ";" << cell;
    }
    out << "\n";
}

void PrintRow(std::ostream& out, std::string_view head, const TTreeData& row) {
    PrintJoined(out, head, {row.cells.begin(), row.cells.end()});
}

int Tree(Workspace& workspace, const Options& options, std::ostream& out) {
    const std::string year = Value(options, "jahr", std::string(kAllCosts));
    const std::string shop = Value(options, "geschaeft", std::string(kAllCosts));
    const TMlbc& ak = workspace.ak();
    const std::vector<std::string> years = FillYears(ak, CurrentClock().Now());
    const std::vector<std::string> shops = FillShops(ak, year);
    const PurchaseTree tree = BuildPurchaseTree(ak, year, shop);
    PrintJoined(out, "jahre", years);
    PrintJoined(out, "geschaefte", shops);
    for (const PurchaseNode& purchase : tree.purchases) {
        PrintRow(out, "K", purchase.purchase);
        for (const TTreeData& article : purchase.articles) {
            PrintRow(out, "A", article);
        }
    }
    out << "versand;" << tree.ShippingText() << "\n"
        << "artikel;" << tree.ArticleText() << "\n"
        << "gesamt;" << tree.GrandText() << "\n";
    return 0;
}

const char* ColourName(YearColour colour) {
    switch (colour) {
    case YearColour::Red:
        return "rot";
    case YearColour::Green:
        return "gruen";
    case YearColour::Normal:
        break;
    }
    return "normal";
}

int Years(Workspace& workspace, std::ostream& out) {
    for (const YearSummaryItem& item : BuildYearSummary(workspace.ak(), CurrentClock().Now())) {
        out << item.year << ";" << item.amount << ";" << item.changeEuro << ";"
            << item.changePercent << ";" << ColourName(item.colour) << "\n";
    }
    return 0;
}

int Search(Workspace& workspace, const std::string& term, std::ostream& out) {
    for (const CostSearchHit& hit : SearchCosts(workspace.ak(), term)) {
        PrintJoined(out, std::to_string(hit.row), {hit.cells.begin(), hit.cells.end()});
    }
    return 0;
}

int Add(Workspace& workspace, const Options& options, std::ostream& out, std::ostream& err) {
    if (!options.single.contains("datum") || !options.single.contains("geschaeft") ||
        options.articles.empty()) {
        err << "Datum, Geschäft und mindestens ein Artikel sind anzugeben.\n" << kUsage;
        return 2;
    }
    PurchaseEntry entry;
    entry.OpenForAdd();
    entry.StartPurchase(StrToDate(Value(options, "datum")), Value(options, "geschaeft"),
                        Value(options, "versand"));
    for (const std::string& article : options.articles) {
        // The name may hold ";" itself: quantity and price are the last two.
        const std::size_t priceAt = article.rfind(';');
        const std::size_t quantityAt = priceAt == std::string::npos || priceAt == 0
                                           ? std::string::npos
                                           : article.rfind(';', priceAt - 1);
        if (quantityAt == std::string::npos) {
            err << "Der Artikel \"" << article
                << "\" ist nicht in der Form NAME;MENGE;EINZELPREIS angegeben.\n";
            return 2;
        }
        entry.AddArticle(std::string_view(article).substr(0, quantityAt),
                         std::string_view(article).substr(quantityAt + 1, priceAt - quantityAt - 1),
                         std::string_view(article).substr(priceAt + 1));
    }
    const PurchaseEntry::SaveResult saved = entry.SavePurchase(workspace);
    if (!saved.ok) {
        err << saved.problem << "\n";
        return 1;
    }
    if (!saved.warning.empty()) {
        err << saved.warning << "\n";
    }
    out << "datenbank;" << workspace.CostPath() << "\n"
        << "zeilen;" << options.articles.size() << "\n";
    return 0;
}

} // namespace

int RunCostsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) {
        err << kUsage;
        return 2;
    }
    const std::string& kind = args[0];
    std::optional<Options> options;
    if (kind == "tree") {
        options = ParseOptions(args, 2, {"jahr", "geschaeft"}, err);
    } else if (kind == "years") {
        options = ParseOptions(args, 2, {}, err);
    } else if (kind == "search") {
        if (args.size() != 3) {
            err << kUsage;
            return 2;
        }
        options = Options{};
    } else if (kind == "add") {
        options = ParseOptions(args, 2, {"datum", "geschaeft", "versand", "artikel"}, err);
    } else {
        err << "Unbekannter Unterbefehl \"" << kind << "\".\n" << kUsage;
        return 2;
    }
    if (!options) {
        return 2;
    }
    Workspace workspace(PathFromUtf8(args[1]));
    if (!OpenProgramFolder(workspace, {DatabaseKind::Cost}, err)) {
        return 1;
    }
    try {
        if (kind == "tree") {
            return Tree(workspace, *options, out);
        }
        if (kind == "years") {
            return Years(workspace, out);
        }
        if (kind == "search") {
            return Search(workspace, args[2], out);
        }
        return Add(workspace, *options, out, err);
    } catch (const std::exception& error) {
        // A conversion error: the German message names the offending text.
        err << error.what() << "\n";
        return 1;
    }
}

} // namespace zv::cli
