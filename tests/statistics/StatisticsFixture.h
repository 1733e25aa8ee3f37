#pragma once

#include "storage/TMlbc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace zv::test {

// A catch as the cells that differ from a plain catch; every other field of
// the schema stays empty, date and time default to a valid catch.
using Cells = std::vector<std::pair<std::string, std::string>>;

// A program folder of its own in the temporary folder, with a catch table
// of the full catch schema.
class StatisticsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Appends a catch; Fangdatum 15.06.2007 and Fangzeit 12:00:00 unless given.
    int AddCatch(const Cells& cells);
    // Writes DATs/<name>.dat with these lines (CR LF after each).
    void WriteList(const std::string& name, const std::vector<std::string>& lines);

    std::filesystem::path folder_;
    TMlbc db_;
};

} // namespace zv::test
