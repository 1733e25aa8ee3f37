#include "backup/ArchiveProgress.h"

#include <algorithm>

namespace zv {

std::size_t ArchiveState::CurrentFile() const {
    return std::min(filesDone + 1, std::max<std::size_t>(fileCount, 1));
}

int ArchiveState::Permille() const {
    if (byteTotal > 0) {
        return int(std::min(bytesDone, byteTotal) * 1000 / byteTotal);
    }
    return fileCount == 0 ? 0 : int(std::min(filesDone, fileCount) * 1000 / fileCount);
}

std::string ArchiveStateText(const ArchiveState& state) {
    const std::string file =
        "Datei " + std::to_string(state.CurrentFile()) + " von " + std::to_string(state.fileCount);
    switch (state.phase) {
    case ArchivePhase::Writing:
        return "Das Backup wird erstellt: " + file;
    case ArchivePhase::Checking:
        return "Das Backup wird geprüft …";
    case ArchivePhase::SavingFormer:
        return "Die bisherigen Daten werden gesichert …";
    case ArchivePhase::Restoring:
        break;
    }
    return "Das Backup wird geladen: " + file;
}

} // namespace zv
