#include "SpreadsheetReader.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <QString>
#include <QXmlStreamReader>

#include <fstream>
#include <sstream>

namespace zv::test {
namespace {

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Entry(zip_t* archive, const char* name) {
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) != 0) {
        return {};
    }
    zip_file_t* file = zip_fopen(archive, name, 0);
    EXPECT_NE(file, nullptr) << name;
    if (file == nullptr) {
        return {};
    }
    std::string data(stat.size, '\0');
    EXPECT_EQ(zip_fread(file, data.data(), stat.size), zip_int64_t(stat.size)) << name;
    zip_fclose(file);
    return data;
}

// "_x000D_" and the like stand for the character with that code.
std::string DecodeEscapes(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool hex = false;
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == 'x' &&
            text[i + 6] == '_') {
            const uint code = text.mid(i + 2, 4).toUInt(&hex, 16);
            if (hex) {
                out += QChar(char16_t(code));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out.toStdString();
}

std::pair<int, int> CellPosition(const QString& ref) {
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i) {
        column = column * 26 + (ref[i].unicode() - 'A' + 1);
    }
    return {ref.mid(i).toInt() - 1, column - 1};
}

void ExpectWellFormed(const QXmlStreamReader& xml, const char* name) {
    EXPECT_FALSE(xml.hasError()) << name << ": " << xml.errorString().toStdString();
}

std::vector<std::string> SharedStrings(const std::string& data) {
    std::vector<std::string> strings;
    if (data.empty()) {
        return strings; // every string is written into its cell
    }
    QXmlStreamReader xml(QByteArray::fromStdString(data));
    QString current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si") {
            current.clear();
        } else if (xml.isStartElement() && xml.name() == u"t") {
            current += xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == u"si") {
            strings.push_back(DecodeEscapes(current));
        }
    }
    ExpectWellFormed(xml, "sharedStrings.xml");
    return strings;
}

struct Style {
    std::string format = "General";
    bool bold = false;
};

std::vector<Style> Styles(const std::string& data) {
    std::map<int, std::string> formats{{0, "General"}};
    std::vector<bool> boldFonts;
    std::vector<Style> styles;
    QXmlStreamReader xml(QByteArray::fromStdString(data));
    bool inCellXfs = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            if (xml.name() == u"numFmt") {
                formats[attributes.value("numFmtId").toInt()] =
                    attributes.value("formatCode").toString().toStdString();
            } else if (xml.name() == u"font") {
                boldFonts.push_back(false);
            } else if (xml.name() == u"b" && !boldFonts.empty()) {
                boldFonts.back() = true;
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (xml.name() == u"xf" && inCellXfs) {
                Style style;
                const int format = attributes.value("numFmtId").toInt();
                style.format = formats.count(format) ? formats[format] : std::to_string(format);
                const auto font = std::size_t(attributes.value("fontId").toInt());
                style.bold = font < boldFonts.size() && boldFonts[font];
                styles.push_back(style);
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    ExpectWellFormed(xml, "styles.xml");
    return styles;
}

} // namespace

CsvFile ReadCsv(const std::filesystem::path& file) {
    const std::string bytes = Bytes(file);
    CsvFile csv;
    std::size_t i = 0;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        csv.byteOrderMark = true;
        i = 3;
    }
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (quoted) {
            if (c == '"' && i + 1 < bytes.size() && bytes[i + 1] == '"') {
                field += '"';
                i += 2;
            } else if (c == '"') {
                quoted = false;
                ++i;
            } else {
                field += c;
                ++i;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
            ++i;
        } else if (c == ';') {
            record.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (c == '\r' || c == '\n') {
            const bool crlf = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            csv.crlfOnly = csv.crlfOnly && crlf;
            record.push_back(std::move(field));
            field.clear();
            csv.records.push_back(std::move(record));
            record.clear();
            i += crlf ? 2 : 1;
        } else {
            field += c;
            ++i;
        }
    }
    if (!field.empty() || !record.empty()) {
        csv.crlfOnly = false; // the last record lacks its line end
        record.push_back(std::move(field));
        csv.records.push_back(std::move(record));
    }
    return csv;
}

const SheetCell* Workbook::Cell(int row, int column) const {
    const auto it = cells.find({row, column});
    return it == cells.end() ? nullptr : &it->second;
}

Workbook ReadXlsx(const std::filesystem::path& file) {
    Workbook book;
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    EXPECT_NE(archive, nullptr) << "zip error " << error;
    if (archive == nullptr) {
        return book;
    }
    const std::string workbookXml = Entry(archive, "xl/workbook.xml");
    const std::string sheetXml = Entry(archive, "xl/worksheets/sheet1.xml");
    const std::vector<std::string> strings = SharedStrings(Entry(archive, "xl/sharedStrings.xml"));
    const std::vector<Style> styles = Styles(Entry(archive, "xl/styles.xml"));
    zip_close(archive);

    QXmlStreamReader names(QByteArray::fromStdString(workbookXml));
    while (!names.atEnd()) {
        if (names.readNext() == QXmlStreamReader::StartElement && names.name() == u"sheet") {
            book.sheetNames.push_back(names.attributes().value("name").toString().toStdString());
        }
    }
    ExpectWellFormed(names, "workbook.xml");

    QXmlStreamReader xml(QByteArray::fromStdString(sheetXml));
    std::pair<int, int> at;
    SheetCell cell;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            if (xml.name() == u"pane" && attributes.value("state") == u"frozen") {
                book.frozenRows = attributes.value("ySplit").toInt();
            } else if (xml.name() == u"col") {
                for (int c = attributes.value("min").toInt(); c <= attributes.value("max").toInt();
                     ++c) {
                    book.columnWidths[c - 1] = attributes.value("width").toDouble();
                }
            } else if (xml.name() == u"c") {
                at = CellPosition(attributes.value("r").toString());
                cell = SheetCell{};
                cell.type = attributes.hasAttribute("t")
                                ? attributes.value("t").toString().toStdString()
                                : "n";
                const auto style = std::size_t(attributes.value("s").toInt());
                if (style < styles.size()) {
                    cell.format = styles[style].format;
                    cell.bold = styles[style].bold;
                }
            } else if (xml.name() == u"v") {
                const QString value = xml.readElementText();
                cell.text = cell.type == "s" ? strings.at(std::size_t(value.toInt()))
                                             : DecodeEscapes(value);
            } else if (xml.name() == u"t") {
                cell.text += DecodeEscapes(xml.readElementText());
            }
        } else if (xml.isEndElement() && xml.name() == u"c") {
            book.cells[at] = cell;
        }
    }
    ExpectWellFormed(xml, "sheet1.xml");
    return book;
}

} // namespace zv::test
