#include "cli/EstimateCommand.h"

#include "catchlog/LengthWeightEstimate.h"

#include "EntryTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zv {
namespace {

// The command prints what the entry window's double click puts into its
// box, or the message the window shows instead, with a non-zero exit.
TEST(EstimateCommand, PrintsTheWindowsEstimateOrItsMessage) {
    test::EntryFolder folder;
    std::string error;
    ASSERT_TRUE(WriteDefaultConditionFactors(folder.Path(), error)) << error;
    const std::string dir = folder.Path().string();
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{dir, "Brasse", "--laenge", "50"},
         0,
         *EstimateWeight(folder.Path(), "Brasse", "50").value + "\n",
         ""},
        {{dir, "Äsche", "--gewicht", "746"},
         0,
         *EstimateLength(folder.Path(), "Äsche", "746").value + "\n",
         ""},
        {{dir, "Meerforelle", "--laenge", "50"},
         1,
         "",
         EstimateWeight(folder.Path(), "Meerforelle", "50").message + "\n"},
        {{dir, "Hecht", "--gewicht", "3,5"},
         1,
         "",
         EstimateLength(folder.Path(), "Hecht", "3,5").message + "\n"},
        {{dir, "", "--laenge", "50"}, 1, "", std::string(kNeedLengthMessage) + "\n"},
        {{dir, "Hecht", "--gewicht", ""}, 1, "", std::string(kNeedWeightMessage) + "\n"},
        {{dir + "/fehlt", "Hecht", "--laenge", "50"},
         1,
         "",
         "Der Ordner \"" + dir + "/fehlt\" existiert nicht.\n"},
        {{dir, "Hecht", "--breite", "50"}, 2, "", ""},
        {{dir, "Hecht"}, 2, "", ""},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = cli::RunEstimateCommand(c.args, out, err);
        const std::string what = c.args.size() > 1 ? c.args[1] : "";
        EXPECT_EQ(code, c.code) << what;
        EXPECT_EQ(out.str(), c.out) << what;
        if (c.code == 2) {
            EXPECT_EQ(err.str().rfind("Aufruf: zelvorin-cli estimate", 0), 0u) << err.str();
        } else {
            EXPECT_EQ(err.str(), c.err) << what;
        }
    }
}

} // namespace
} // namespace zv
