#include "calendar/AstroTerms.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zv {
namespace {

// Reads a term table: one header line, then comma-separated integers.
std::vector<std::vector<int>> ReadTable(const std::string& name, std::string& header) {
    std::ifstream in(std::string(ZV_DATA_DIR) + "/" + name);
    EXPECT_TRUE(in.good()) << "cannot open " << name;
    std::vector<std::vector<int>> rows;
    std::getline(in, header);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        std::vector<int> row;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ',')) {
            row.push_back(std::stoi(cell));
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(AstroTermsTest, NutationTermsMatchTheSourceTable) {
    std::string header;
    const auto rows = ReadTable("nutation_terms.csv", header);
    EXPECT_EQ(header, "D,M,Mprime,F,Omega,psi_const,psi_T,eps_const,eps_T");
    ASSERT_EQ(rows.size(), kNutationTerms.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const NutationTerm& t = kNutationTerms[i];
        const std::vector<int> inCode = {t.d,        t.m,    t.mPrime,   t.f,   t.omega,
                                         t.psiConst, t.psiT, t.epsConst, t.epsT};
        EXPECT_EQ(inCode, rows[i]) << "nutation row " << i + 1;
    }
}

TEST(AstroTermsTest, MoonLongitudeDistanceTermsMatchTheSourceTable) {
    std::string header;
    const auto rows = ReadTable("moon_lon_dist_terms.csv", header);
    EXPECT_EQ(header, "D,M,Mprime,F,sigma_l,sigma_r");
    ASSERT_EQ(rows.size(), kMoonLongitudeDistanceTerms.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MoonLongitudeDistanceTerm& t = kMoonLongitudeDistanceTerms[i];
        const std::vector<int> inCode = {t.d, t.m, t.mPrime, t.f, t.sigmaL, t.sigmaR};
        EXPECT_EQ(inCode, rows[i]) << "longitude/distance row " << i + 1;
    }
}

TEST(AstroTermsTest, MoonLatitudeTermsMatchTheSourceTable) {
    std::string header;
    const auto rows = ReadTable("moon_lat_terms.csv", header);
    EXPECT_EQ(header, "D,M,Mprime,F,sigma_b");
    ASSERT_EQ(rows.size(), kMoonLatitudeTerms.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MoonLatitudeTerm& t = kMoonLatitudeTerms[i];
        const std::vector<int> inCode = {t.d, t.m, t.mPrime, t.f, t.sigmaB};
        EXPECT_EQ(inCode, rows[i]) << "latitude row " << i + 1;
    }
}

} // namespace
} // namespace zv
