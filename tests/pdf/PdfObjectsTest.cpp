#include "PdfTestSupport.h"

#include "reports/pdf/PdfFormat.h"
#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfDictionary.h"
#include "reports/pdf/TPdfObject.h"
#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfStream.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace zv;

namespace {

std::string Written(TPdfObject& object) {
    std::ostringstream stream;
    {
        TPdfOutput out(stream);
        object.Write(out);
        out.Flush();
    }
    return stream.str();
}

std::string ContentNumber(double value) {
    std::string out;
    AppendContentNumber(out, value);
    return out;
}

} // namespace

TEST(PdfObjects, ScalarsAreWrittenInTheirShortForms) {
    TPdfNull null;
    TPdfBoolean yes(true);
    TPdfBoolean no(false);
    TPdfNumber negative(-42);
    TPdfReal one(1);
    TPdfReal half(0.5);
    TPdfReal small(0.001);
    TPdfVirtualObject ref(12, 0);
    EXPECT_EQ(Written(null), "null");
    EXPECT_EQ(Written(yes), "true");
    EXPECT_EQ(Written(no), "false");
    EXPECT_EQ(Written(negative), "-42");
    EXPECT_EQ(Written(one), "1");
    EXPECT_EQ(Written(half), "0.5");
    EXPECT_EQ(Written(small), "0.001");
    EXPECT_EQ(Written(ref), "12 0 R");
}

TEST(PdfObjects, StringsEscapeDelimitersAndControlCharacters) {
    TPdfText text("a(b)c\\d\r\n\t\b\f");
    EXPECT_EQ(Written(text), "(a\\(b\\)c\\\\d\\r\\n\\t\\b\\f)");
    // Windows-1252 bytes pass unchanged.
    TPdfText umlauts("Fänger Jörg");
    EXPECT_EQ(Written(umlauts), "(F\xE4nger J\xF6rg)");
    // € and the dashes differ between Windows-1252 and the encoding of
    // text strings, so they go as Unicode.
    TPdfText euro("5 €");
    EXPECT_EQ(Written(euro), "<FEFF0035002020AC>");
}

TEST(PdfObjects, TextBeyondWindows1252IsAUtf16HexString) {
    TPdfText text("Ł1");
    EXPECT_EQ(Written(text), "<FEFF01410031>");
    TPdfText emoji("\xF0\x9F\x90\x9F"); // U+1F41F, a surrogate pair
    EXPECT_EQ(Written(emoji), "<FEFFD83DDC1F>");
}

TEST(PdfObjects, NamesEscapeBlanksDelimitersAndHighBytes) {
    TPdfName plain("Helvetica-Bold");
    TPdfName blank("Mein Bild");
    TPdfName delimiters("a#b/c(d)e<f>g[h]i{j}k%l");
    TPdfName high("\xE4");
    EXPECT_EQ(Written(plain), "/Helvetica-Bold");
    EXPECT_EQ(Written(blank), "/Mein#20Bild");
    EXPECT_EQ(Written(delimiters), "/a#23b#2Fc#28d#29e#3Cf#3Eg#5Bh#5Di#7Bj#7Dk#25l");
    EXPECT_EQ(Written(high), "/#E4");
}

TEST(PdfObjects, ArraysAndDictionaries) {
    TPdfArray array;
    EXPECT_EQ(Written(array), "[]");
    array.AddNumber(0);
    array.AddName("XYZ");
    array.AddReal(1.5);
    EXPECT_EQ(Written(array), "[0 /XYZ 1.5 ]");

    TPdfDictionary dict;
    dict.AddName("Type", "Page");
    dict.AddNumber("Count", 1);
    dict.AddInternal("Widths", std::make_shared<TPdfNumber>(7));
    dict.AddNumber("Count", 2); // replaces and moves to the end
    EXPECT_EQ(Written(dict), "<<\r\n/Type /Page\r\n/Count 2\r\n>>");
    EXPECT_EQ(dict.Count(), 3u);
    EXPECT_TRUE(dict.Contains("Widths"));
}

TEST(PdfObjects, IndirectObjectsAreStoredAsReferences) {
    auto target = std::make_shared<TPdfDictionary>();
    target->SetObjectNumber(7, 0);
    TPdfArray array;
    array.Add(target);
    TPdfDictionary dict;
    dict.Add("Parent", target);
    EXPECT_EQ(Written(array), "[7 0 R ]");
    EXPECT_EQ(Written(dict), "<<\r\n/Parent 7 0 R\r\n>>");
    EXPECT_NE(dict.Value("Parent"), target.get());
}

TEST(PdfObjects, StreamLengthIsTheDataSizeAndFlateIsDropped) {
    TPdfStream stream;
    stream.Data() = "0 0 m\n10 10 l\nS\n";
    stream.Filter().AddName("FlateDecode");
    std::string written = Written(stream);
    EXPECT_EQ(written,
              "<<\r\n/Length 16\r\n/Filter []\r\n>>\r\nstream\r\n0 0 m\n10 10 l\nS\n\nendstream");

    TPdfStream binary;
    binary.Data() = std::string("\0\r\n\xFF", 4);
    EXPECT_NE(Written(binary).find("/Length 4\r\n"), std::string::npos);
}

TEST(PdfObjects, ContentNumbersHaveAtMostTwoDecimals) {
    EXPECT_EQ(ContentNumber(12), "12");
    EXPECT_EQ(ContentNumber(0), "0");
    EXPECT_EQ(ContentNumber(3.456), "3.46");
    EXPECT_EQ(ContentNumber(3.454), "3.45");
    EXPECT_EQ(ContentNumber(787.5), "787.5");
    EXPECT_EQ(ContentNumber(0.50196), "0.5");
    EXPECT_EQ(ContentNumber(1.0 / 3), "0.33");
    EXPECT_EQ(ContentNumber(842.999), "843");
    EXPECT_EQ(ContentNumber(-10), "-10");
    EXPECT_EQ(ContentNumber(-2.5), "-2.5");
    EXPECT_EQ(ContentNumber(-2.456), "-2.46");
    EXPECT_EQ(ContentNumber(-0.004), "0");
    // Beyond what hundredths in an integer hold, every whole digit is kept.
    std::string large;
    AppendPdfReal(large, -1e300);
    EXPECT_EQ(ContentNumber(-1e300), large);
}

TEST(PdfObjects, ContentBytesReplaceWhatTheFontCannotShow) {
    EXPECT_EQ(ContentBytes("Köder"), "K\xF6"
                                     "der");
    EXPECT_EQ(ContentBytes("aŁbŁc"), "a?b?c");
    EXPECT_EQ(ContentBytes(""), "");
}
