#include "cli/PieCommand.h"

#include "base/AtomicFile.h"
#include "base/EConvertError.h"
#include "base/NumberText.h"
#include "statistics/PieChart.h"

#include <QBuffer>
#include <QByteArray>

#include <ostream>
#include <string_view>

namespace zv::cli {

namespace {

constexpr const char* kPieUsage = "Aufruf: zelvorin-cli pie BREITE HÖHE DATEI.png WERT [WERT …]\n";
// Larger than any chart of the program by far, small enough that a typing
// error cannot ask for gigabytes.
constexpr int kMaxSide = 10000;

} // namespace

int RunPieCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() < 4) {
        err << kPieUsage;
        return 2;
    }
    int width = 0;
    int height = 0;
    std::vector<int> values;
    try {
        width = StrToIntDe(args[0]);
        height = StrToIntDe(args[1]);
        for (std::size_t i = 3; i < args.size(); ++i) {
            values.push_back(StrToIntDe(args[i]));
        }
    } catch (const EConvertError& error) {
        err << error.what() << "\n";
        return 1;
    }
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        err << "Breite und Höhe müssen zwischen 1 und " << kMaxSide << " Pixeln liegen.\n";
        return 1;
    }
    for (int value : values) {
        if (value < 0) {
            err << "Der Wert " << value << " ist negativ; ein Tortenstück kann nicht kleiner "
                << "als nichts sein.\n";
            return 1;
        }
    }

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!DrawPieChart(values, width, height).save(&buffer, "PNG")) {
        err << "Das Bild konnte nicht als PNG kodiert werden.\n";
        return 1;
    }
    std::string error;
    if (!WriteFileAtomic(PathFromUtf8(args[2]),
                         std::string_view(png.constData(), static_cast<std::size_t>(png.size())),
                         error)) {
        err << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace zv::cli
