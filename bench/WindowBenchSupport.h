#pragma once

// What the window benchmarks share: an offscreen application and a program
// folder around a generated catch table.

#include "base/AtomicFile.h"
#include "storage/TMlbc.h"

#include <QApplication>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace zv::bench {

inline QApplication& OffscreenApp() {
    static int argc = 1;
    static char name[] = "zv_window_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

inline std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// Saves `db` as the catch database "Fang.f" of `folder` and names it in the
// settings, so a started program opens it.
inline void WriteCatchDatabase(const std::filesystem::path& folder, TMlbc& db) {
    const std::string file = PathToUtf8(folder / "Fang.f");
    if (!db.SaveToFile(file)) {
        throw std::runtime_error("cannot write " + file);
    }
    std::ofstream ini(folder / "Zelvorin.ini", std::ios::binary);
    ini << "[Datenbank]\r\nZelvorin=" << file << "\r\n";
}

} // namespace zv::bench
