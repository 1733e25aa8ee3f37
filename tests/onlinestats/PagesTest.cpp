// The pages, their charts and the summary: well-formed, and every text of
// an upload shown as the text it is.

#include "TestDatabase.h"

#include "onlinestats/OnlineStatistics.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

namespace zv::test {
namespace {

// Hostile texts in every field a page or the summary shows.
const std::string kSpecies = "<script>alert(\"x\")</script> & 'Hecht'";
const std::string kBait = "<b>Wobbler</b>";
const std::string kWeather = "\"Regen\" & <Wind>";
const std::string kMoon = "</svg><img src=x>";
const std::string kMethod = "]]> &amp ok";
const std::string kWater = "<i>See</i>";

// The character data of a document, checked to be well-formed XML; and
// how many of its elements are charts.
struct XmlContent {
    std::string text;
    int charts = 0;
};

XmlContent ReadXml(const std::string& document) {
    QXmlStreamReader reader(QByteArray::fromStdString(document));
    XmlContent content;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isCharacters()) {
            content.text += reader.text().toString().toStdString() + "\n";
        } else if (reader.isStartElement() && reader.name() == QStringLiteral("svg")) {
            ++content.charts;
        }
    }
    EXPECT_FALSE(reader.hasError())
        << reader.errorString().toStdString() << " at line " << reader.lineNumber() << ":\n"
        << document;
    return content;
}

// Every <svg>…</svg> of a page, as a document of its own.
std::vector<std::string> Charts(const std::string& page) {
    std::vector<std::string> charts;
    for (std::size_t start = page.find("<svg"); start != std::string::npos;
         start = page.find("<svg", start + 1)) {
        const std::size_t end = page.find("</svg>", start);
        charts.push_back(page.substr(start, end + 6 - start));
    }
    return charts;
}

class PagesTest : public BackendTest {
protected:
    std::unique_ptr<OnlineStatistics> Service() {
        return std::make_unique<OnlineStatistics>(
            OnlineStatistics::Settings{database_->Location(), 2000, {}});
    }
    void UploadHostile(OnlineStatistics& service) {
        std::vector<std::string> lines;
        for (int minute = 10; minute < 20; ++minute) {
            lines.push_back(UploadLine({{2, "06:" + std::to_string(minute) + ":00"},
                                        {3, kSpecies},
                                        {6, kMethod},
                                        {7, kBait},
                                        {11, kWeather},
                                        {19, kMoon},
                                        {22, kWater}}));
        }
        ASSERT_EQ(service.Upload(UploadFile(lines)).storedLines, 10);
    }
};

TEST_P(PagesTest, PagesAndChartsAreWellFormedWithAndWithoutCatches) {
    const auto service = Service();
    for (const bool withCatches : {false, true}) {
        if (withCatches) {
            UploadHostile(*service);
        }
        std::vector<std::string> pages = {service->OverviewPage().body};
        if (withCatches) {
            pages.push_back(service->SpeciesPage(kSpecies).body);
        }
        for (const std::string& page : pages) {
            // Month, hour, moon phase and weather.
            EXPECT_EQ(ReadXml(page).charts, 4);
            for (const std::string& chart : Charts(page)) {
                EXPECT_EQ(ReadXml(chart).charts, 1);
            }
        }
    }
}

TEST_P(PagesTest, TextsOfAnUploadAppearAsTheyWereSent) {
    const auto service = Service();
    UploadHostile(*service);
    for (const ServiceReply& page : {service->OverviewPage(), service->SpeciesPage(kSpecies)}) {
        EXPECT_EQ(page.status, 200);
        EXPECT_EQ(page.contentType, "text/html; charset=utf-8");
        // Escaped once: the parser gives back exactly what the angler typed.
        const std::string text = ReadXml(page.body).text;
        for (const std::string& sent : {kSpecies, kBait, kWeather, kMoon, kMethod, kWater}) {
            EXPECT_NE(text.find(sent), std::string::npos) << sent;
        }
        EXPECT_EQ(page.body.find("<script>"), std::string::npos);
    }
    const QJsonObject summary =
        QJsonDocument::fromJson(QByteArray::fromStdString(service->Summary().body)).object();
    EXPECT_EQ(summary["species"].toArray()[0].toObject()["name"].toString().toStdString(),
              kSpecies);
    EXPECT_EQ(summary["moonPhases"].toObject().keys(),
              QStringList({QString::fromStdString(kMoon)}));
}

TEST_P(PagesTest, SpeciesLinksLeadToTheirPages) {
    const auto service = Service();
    service->Upload(UploadFile({UploadLine({{3, "Großer Hecht"}})}));
    EXPECT_NE(service->OverviewPage().body.find("href=\"art/Gro%C3%9Fer%20Hecht\""),
              std::string::npos);
    EXPECT_EQ(service->SpeciesPage("Großer Hecht").status, 200);

    const ServiceReply missing = service->SpeciesPage(kSpecies);
    EXPECT_EQ(missing.status, 404);
    EXPECT_NE(ReadXml(missing.body).text.find(kSpecies), std::string::npos);
}

ZV_INSTANTIATE_FOR_BOTH_BACKENDS(PagesTest);

} // namespace
} // namespace zv::test
