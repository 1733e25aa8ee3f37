#include "cli/CatchlogCommands.h"
#include "cli/ProgramFolderOpening.h"

#include "base/AtomicFile.h"
#include "catchlog/CatchSearch.h"
#include "catchlog/MapMarkers.h"
#include "catchlog/MapPicture.h"
#include "catchlog/SpeciesColors.h"
#include "storage/Workspace.h"

#include <filesystem>
#include <ostream>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace zv::cli {

namespace {

constexpr const char* kSearchUsage = "Aufruf: zelvorin-cli search ORDNER SUCHBEGRIFF\n";
constexpr const char* kMapUsage = "Aufruf: zelvorin-cli map ORDNER GEWAESSER AUSGABE.png\n";

void AppendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<std::size_t>(size));
}

bool EncodePng(const RgbImage& picture, std::string& bytes) {
    bytes.clear();
    return stbi_write_png_to_func(AppendBytes, &bytes, picture.width, picture.height, 3,
                                  picture.pixels.data(), picture.width * 3) != 0;
}

} // namespace

int RunSearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << kSearchUsage;
        return 2;
    }
    Workspace workspace(PathFromUtf8(args[0]));
    if (!OpenProgramFolder(workspace, {DatabaseKind::Catch}, err)) {
        return 1;
    }
    for (const CatchSearchHit& hit : SearchCatches(workspace.DB(), args[1])) {
        out << hit.row << ';' << hit.date << ';' << hit.angler << ';' << hit.species << ';'
            << hit.length << ';' << hit.weight << '\n';
    }
    out.flush();
    return out ? 0 : 1;
}

int RunMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3) {
        err << kMapUsage;
        return 2;
    }
    const std::string& water = args[1];
    Workspace workspace(PathFromUtf8(args[0]));
    if (!OpenProgramFolder(workspace, {DatabaseKind::Catch}, err)) {
        return 1;
    }
    const std::filesystem::path picturePath = StoredMapPicture(workspace, water);
    if (picturePath.empty()) {
        const std::string stored = workspace.Settings().ReadString(kMapSection, water);
        if (stored.empty()) {
            err << "Für das Gewässer \"" << water << "\" ist keine Karte hinterlegt.\n";
        } else {
            err << "Die Karte \"" << stored << "\" des Gewässers \"" << water
                << "\" existiert nicht.\n";
        }
        return 1;
    }
    RgbImage picture;
    std::string error;
    if (!LoadMapPicture(picturePath, picture, error)) {
        err << error << "\n";
        return 1;
    }
    const MapMarking marking = CollectMapMarkers(workspace.DB(), water);
    if (!marking.error.empty()) {
        err << marking.error << "\n";
        return 1;
    }
    DrawMarkers(picture, marking.markers, SpeciesColors(workspace.Settings()));
    std::string png;
    if (!EncodePng(picture, png)) {
        err << "Das Bild kann nicht als PNG geschrieben werden.\n";
        return 1;
    }
    if (!WriteFileAtomic(PathFromUtf8(args[2]), png, error)) {
        err << error << "\n";
        return 1;
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace zv::cli
