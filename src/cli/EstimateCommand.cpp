#include "cli/EstimateCommand.h"

#include "base/AtomicFile.h"
#include "catchlog/LengthWeightEstimate.h"

#include <ostream>
#include <system_error>

namespace zv::cli {

namespace {

constexpr const char* kEstimateUsage = "Aufruf: zelvorin-cli estimate ORDNER FISCHART --laenge CM\n"
                                       "       zelvorin-cli estimate ORDNER FISCHART --gewicht G\n";

} // namespace

int RunEstimateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4 || (args[2] != "--laenge" && args[2] != "--gewicht")) {
        err << kEstimateUsage;
        return 2;
    }
    const std::filesystem::path folder = PathFromUtf8(args[0]);
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        err << "Der Ordner \"" << args[0] << "\" existiert nicht.\n";
        return 1;
    }
    const std::string& species = args[1];
    const std::string& given = args[3];
    const bool weight = args[2] == "--laenge";
    // The window asks for both boxes before it computes anything.
    if (species.empty() || given.empty()) {
        err << (weight ? kNeedLengthMessage : kNeedWeightMessage) << '\n';
        return 1;
    }
    const EstimateResult result =
        weight ? EstimateWeight(folder, species, given) : EstimateLength(folder, species, given);
    if (!result.value) {
        err << result.message << '\n';
        return 1;
    }
    out << *result.value << '\n';
    return 0;
}

} // namespace zv::cli
