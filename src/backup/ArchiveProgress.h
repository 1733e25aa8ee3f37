#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace zv {

// What a backup or a restore is doing right now.
enum class ArchivePhase {
    Writing,      // the files are packed into the new archive
    Checking,     // the written archive is read back
    SavingFormer, // the current data go into the safety backup before a restore
    Restoring     // the files of a backup are written back
};

struct ArchiveState {
    ArchivePhase phase = ArchivePhase::Writing;
    std::size_t filesDone = 0;
    std::size_t fileCount = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t byteTotal = 0;

    // The file in work, counted from 1; the last one once all are done.
    std::size_t CurrentFile() const;
    // How far the phase has come by bytes, 0 to 1000 (by files when it has
    // no bytes at all).
    int Permille() const;
};

// "Das Backup wird erstellt: Datei 3 von 10", "Das Backup wird geprüft …",
// "Das Backup wird geladen: Datei 3 von 10", "Die bisherigen Daten werden
// gesichert …".
std::string ArchiveStateText(const ArchiveState& state);

// How a long backup or restore tells where it is and learns that it is to
// stop. The listener is called on the working thread, between files and
// between pieces of a large file; it must be quick. The flag is looked at
// at the same points: once it is set the work stops there and leaves every
// file whole (see CreateBackup and RestoreBackup).
struct ArchiveProgress {
    std::function<void(const ArchiveState&)> listener;
    const std::atomic<bool>* cancel = nullptr;

    bool Cancelled() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }
    void Tell(const ArchiveState& state) const {
        if (listener) {
            listener(state);
        }
    }
};

} // namespace zv
