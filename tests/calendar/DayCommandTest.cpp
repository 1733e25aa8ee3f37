#include "cli/DayCommand.h"

#include "base/DateTime.h"
#include "calendar/AstroDayTexts.h"
#include "calendar/TSRCalendar.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zv {
namespace {

struct CommandResult {
    int code;
    std::string out;
    std::string err;
};

CommandResult Day(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::RunDayCommand(args, out, err);
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

// The line a freshly created calculator of the entry site gives for a day.
std::string ExpectedLine(TDateTime day) {
    const TSRCalendar calendar(day);
    const AstroDayTexts t = DayTexts(calendar);
    return DateToStr(day) + ";" + t.moonPhase + ";" + t.sunrise + ";" + t.sunset + ";" +
           t.moonrise + ";" + t.moonset;
}

TEST(DayCommandTest, PrintsOneLinePerGivenDateInOrder) {
    const CommandResult run = Day({"15.08.2019", "01.08.2019", "15.08.2019"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], ExpectedLine(EncodeDate(2019, 8, 15)));
    EXPECT_EQ(lines[1], ExpectedLine(EncodeDate(2019, 8, 1)));
    EXPECT_EQ(lines[2], lines[0]);
    EXPECT_EQ(lines[1].substr(0, 20), "01.08.2019;Neumond;0");
    EXPECT_EQ(lines[0].substr(0, 20), "15.08.2019;Vollmond;");
    EXPECT_EQ(run.out.back(), '\n');
}

TEST(DayCommandTest, RangeCoversBothEnds) {
    const CommandResult run = Day({"--range", "30.03.2024", "02.04.2024"});
    EXPECT_EQ(run.code, 0);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.front(), ExpectedLine(EncodeDate(2024, 3, 30)));
    EXPECT_EQ(lines.back(), ExpectedLine(EncodeDate(2024, 4, 2)));
    // Six fields, the times in hh:nn:ss.
    for (const std::string& line : lines) {
        std::vector<std::string> fields;
        std::istringstream in(line);
        std::string field;
        while (std::getline(in, field, ';')) {
            fields.push_back(field);
        }
        ASSERT_EQ(fields.size(), 6u) << line;
        for (std::size_t i = 2; i < 6; ++i) {
            EXPECT_EQ(fields[i].size(), 8u) << line;
            EXPECT_EQ(fields[i][2], ':');
            EXPECT_EQ(fields[i][5], ':');
        }
    }
    EXPECT_EQ(Lines(Day({"--range", "02.04.2024", "02.04.2024"}).out).size(), 1u);
}

TEST(DayCommandTest, InvalidDatesStopBeforeAnythingIsPrinted) {
    const CommandResult run = Day({"01.08.2019", "31.02.2019"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "'31.02.2019' ist kein gültiges Datum\n");

    const CommandResult backwards = Day({"--range", "02.04.2024", "30.03.2024"});
    EXPECT_EQ(backwards.code, 1);
    EXPECT_EQ(backwards.out, "");
    EXPECT_NE(backwards.err, "");
}

TEST(DayCommandTest, WrongUsageIsRefused) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--range"},
                                               {"--range", "01.08.2019"},
                                               {"--range", "1.8.2019", "2.8.2019", "3"},
                                               {"01.08.2019", "--range"}}) {
        const CommandResult run = Day(args);
        EXPECT_EQ(run.code, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Aufruf"), std::string::npos);
    }
}

} // namespace
} // namespace zv
