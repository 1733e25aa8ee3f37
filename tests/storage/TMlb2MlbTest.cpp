// The MLB format: exact layout, both byte orders, and files that are not
// what they claim to be.

#include <gtest/gtest.h>

#include "TMlb2TestSupport.h"
#include "base/Win1252.h"

namespace zv {
namespace {

using tabletest::Fill;
using tabletest::ReadBytes;
using tabletest::StateOf;
using tabletest::TempDir;
using tabletest::WriteBytes;

// Builds MLB bytes in either byte order.
class MlbBytes {
public:
    explicit MlbBytes(bool bigEndian) : big_(bigEndian) {}
    MlbBytes& Raw(std::string_view s) {
        bytes_ += s;
        return *this;
    }
    MlbBytes& U8(int v) {
        bytes_.push_back(static_cast<char>(v));
        return *this;
    }
    MlbBytes& U16(unsigned v) { return Int(v, 2); }
    MlbBytes& U32(unsigned v) { return Int(v, 4); }
    MlbBytes& Str(std::string_view s) {
        U32(static_cast<unsigned>(s.size()));
        return Raw(s);
    }
    // Header up to and including the reserved word before the table name.
    MlbBytes& Header(unsigned tables = 1, unsigned blockType = 0) {
        Raw("MLB").U8(2).U8(2).U8(big_ ? 0 : 1).U16(tables).U16(0).U16(blockType);
        return U32(0).U16(0);
    }
    const std::string& Bytes() const { return bytes_; }

private:
    MlbBytes& Int(unsigned v, int size) {
        for (int i = 0; i < size; ++i) {
            const int shift = 8 * (big_ ? size - 1 - i : i);
            bytes_.push_back(static_cast<char>((v >> shift) & 0xFF));
        }
        return *this;
    }
    bool big_;
    std::string bytes_;
};

std::string SmallTable(bool bigEndian) {
    MlbBytes m(bigEndian);
    m.Header().Str("fang").U32(2).U32(2);
    m.U8(0).Str("Art").U8(1).Str("L\xE4nge");
    m.U32(0).Str("Hecht").Str("85,5");
    m.U32(0).Str(std::string_view("Barsch\0xyz", 10)).Str("");
    return m.Bytes();
}

TEST(TMlb2MlbFile, WritesTheDocumentedLayout) {
    TempDir dir;
    const std::string src = dir.File("fang.f");
    WriteBytes(src, "Art;Laenge\r\nHecht;85\r\n");
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(src));
    t.Engine().SetFieldType(2, "FLOAT");
    const std::string path = dir.File("fang.mlb");
    ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();

    MlbBytes expected(false);
    expected.Raw("MLB").U8(2).U8(2).U8(1).U16(1).U16(0).U16(0);
    const unsigned total = 18 + (4 + 4) + 4 + 4 + (1 + 4 + 3) + (1 + 4 + 6) + 4 + (4 + 5) + (4 + 2);
    expected.U32(total - 16).U16(0).Str("fang").U32(2).U32(1);
    expected.U8(0).Str("Art").U8(1).Str("Laenge");
    expected.U32(4 + 5 + 4 + 2).Str("Hecht").Str("85");
    EXPECT_EQ(ReadBytes(path), expected.Bytes());
}

TEST(TMlb2MlbFile, RoundTripKeepsFieldsTypesAndCells) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"Datum", "Gewässer", "Gewicht"},
         {{"05.06.2007", "Möhnesee", "1,5"}, {"", "a;b\\c\r\n\"x\"", ""}, {"", "", "€"}});
    t.Engine().SetFieldType(3, "FLOAT");
    const std::string path = dir.File("CATCHES.MLB");
    ASSERT_TRUE(t.SaveToFile(path)) << t.LastFailure();
    TMlbc back;
    ASSERT_TRUE(back.LoadFromFile(path)) << back.LastFailure();
    const auto a = StateOf(t);
    const auto b = StateOf(back);
    EXPECT_EQ(b.names, a.names);
    EXPECT_EQ(b.types, a.types);
    EXPECT_EQ(b.rows, a.rows);
    EXPECT_EQ(back.CurrentRow(), 3);
    EXPECT_EQ(back.Engine().TableName(), "CATCHES");
}

TEST(TMlb2MlbFile, ReadsBothByteOrders) {
    TempDir dir;
    for (const bool big : {false, true}) {
        const std::string path = dir.File(big ? "big.mlb" : "little.mlb");
        WriteBytes(path, SmallTable(big));
        TMlbc t;
        ASSERT_TRUE(t.LoadFromFile(path)) << t.LastFailure();
        ASSERT_EQ(t.FieldCount(), 2);
        EXPECT_EQ(t.FieldName(2), "Länge");
        EXPECT_EQ(t.Engine().FieldType(1), "STRING");
        EXPECT_EQ(t.Engine().FieldType(2), "FLOAT");
        ASSERT_EQ(t.RowCount(), 2);
        EXPECT_EQ(t.Cell(1, 1), "Hecht");
        EXPECT_EQ(t.Cell(1, 2), "85,5");
        EXPECT_EQ(t.Cell(2, 1), "Barsch"); // ends at the zero byte
        EXPECT_EQ(t.CurrentRow(), 2);
    }
}

TEST(TMlb2MlbFile, TypeBytesOtherThanOneAreText) {
    TempDir dir;
    MlbBytes m(false);
    m.Header().Str("").U32(1).U32(0).U8(7).Str("A");
    const std::string path = dir.File("x.mlb");
    WriteBytes(path, m.Bytes());
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    EXPECT_EQ(t.Engine().FieldType(1), "STRING");
}

TEST(TMlb2MlbFile, RepeatedFieldNamesDoNotShiftTheColumns) {
    TempDir dir;
    MlbBytes m(false);
    m.Header().Str("").U32(3).U32(1);
    m.U8(0).Str("Art").U8(0).Str("ART").U8(1).Str("Gewicht");
    m.U32(0).Str("Hecht").Str("doppelt").Str("3,5");
    const std::string path = dir.File("x.mlb");
    WriteBytes(path, m.Bytes());
    TMlbc t;
    ASSERT_TRUE(t.LoadFromFile(path));
    ASSERT_EQ(t.FieldCount(), 2);
    EXPECT_EQ(t.GetData("Art"), "Hecht");
    EXPECT_EQ(t.GetData("Gewicht"), "3,5");
    EXPECT_EQ(t.Engine().FieldType(2), "FLOAT");
}

struct BadMlb {
    const char* what;
    std::string bytes;
    int code;
    const char* message;
};

TEST(TMlb2MlbFailure, RefusedFilesLeaveTheTableAsItWas) {
    TempDir dir;
    const std::string valid = SmallTable(false);
    std::vector<BadMlb> cases = {
        {"signature", "MLX" + valid.substr(3), 2, "1-File's Signature must be MLB"},
        {"text file", "Art;Laenge\r\n", 2, "1-File's Signature must be MLB"},
        {"no tables", MlbBytes(false).Header(0).Bytes(), 2,
         "2-number of tables must be at least 1"},
        {"not a table", MlbBytes(false).Header(1, 3).Bytes(), 2, "3-First Block must be a TABLE"},
        {"empty", "", 2, "1-File's Signature must be MLB"},
    };
    for (const BadMlb& c : cases) {
        const std::string path = dir.File("bad.mlb");
        WriteBytes(path, c.bytes);
        TMlbc t;
        Fill(t, {"Alt"}, {{"bleibt"}});
        const auto before = StateOf(t);
        EXPECT_FALSE(t.LoadFromFile(path)) << c.what;
        EXPECT_EQ(StateOf(t), before) << c.what;
        EXPECT_EQ(t.Engine().LastErrorCode(), c.code) << c.what;
        EXPECT_EQ(t.Engine().LastErrorMessage(), c.message) << c.what;
        EXPECT_NE(t.LastFailure().find(path), std::string::npos) << c.what;
    }
}

TEST(TMlb2MlbFailure, MissingFile) {
    TempDir dir;
    TMlbc t;
    Fill(t, {"Alt"}, {{"bleibt"}});
    const auto before = StateOf(t);
    EXPECT_FALSE(t.LoadFromFile(dir.File("fehlt.mlb")));
    EXPECT_EQ(StateOf(t), before);
    EXPECT_EQ(t.Engine().LastErrorCode(), 3);
    EXPECT_EQ(t.Engine().LastErrorMessage(), "4-Unable to open file for reading");
}

TEST(TMlb2MlbFailure, EveryTruncationIsRefusedCleanly) {
    TempDir dir;
    const std::string valid = SmallTable(true);
    const std::string path = dir.File("cut.mlb");
    for (std::size_t size = 3; size < valid.size(); ++size) {
        WriteBytes(path, valid.substr(0, size));
        TMlbc t;
        Fill(t, {"Alt"}, {{"bleibt"}});
        const auto before = StateOf(t);
        EXPECT_FALSE(t.LoadFromFile(path)) << size;
        EXPECT_EQ(StateOf(t), before) << size;
        EXPECT_NE(t.Engine().LastErrorCode(), 0) << size;
        EXPECT_FALSE(t.LastFailure().empty()) << size;
    }
}

TEST(TMlb2MlbFailure, CountsAndLengthsBeyondTheFileAreRefused) {
    TempDir dir;
    const std::string path = dir.File("x.mlb");
    std::vector<std::string> cases;
    cases.push_back(MlbBytes(false).Header().Str("").U32(0xFFFFFFFF).U32(0).Bytes());
    cases.push_back(MlbBytes(false).Header().Str("").U32(0).U32(0xFFFFFFFF).Bytes());
    cases.push_back(MlbBytes(false).Header().Str("").U32(1).U32(0x10000000).U8(0).Str("A").Bytes());
    cases.push_back(MlbBytes(false).Header().U32(0xFFFFFFF0).Raw("name").Bytes());
    cases.push_back(MlbBytes(false)
                        .Header()
                        .Str("")
                        .U32(1)
                        .U32(1)
                        .U8(0)
                        .Str("A")
                        .U32(0)
                        .U32(0x7FFFFFFF)
                        .Raw("abc")
                        .Bytes());
    for (const std::string& bytes : cases) {
        WriteBytes(path, bytes);
        TMlbc t;
        EXPECT_FALSE(t.LoadFromFile(path));
        EXPECT_EQ(t.Engine().LastErrorCode(), 2);
        EXPECT_EQ(t.Engine().LastErrorMessage(), "4-File is truncated or damaged");
        EXPECT_EQ(t.FieldCount(), 0);
    }
}

TEST(TMlb2MlbFailure, ACharacterOutsideWindows1252FailsTheSave) {
    TempDir dir;
    const std::string path = dir.File("x.mlb");
    WriteBytes(path, "alt");
    TMlbc t;
    Fill(t, {"A"}, {{"\xE2\x98\x83"}});
    EXPECT_FALSE(t.SaveToFile(path));
    EXPECT_EQ(ReadBytes(path), "alt");
    EXPECT_NE(t.LastFailure().find(NonWin1252Message("\xE2\x98\x83")), std::string::npos);
}

} // namespace
} // namespace zv
