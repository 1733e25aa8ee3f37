// zv-default-files FOLDER: writes the default data files that are installed
// with the program into FOLDER, from the same code the program uses when a
// program folder lacks them.

#include "base/AtomicFile.h"
#include "catchlog/LengthWeightEstimate.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Aufruf: zv-default-files ORDNER\n";
        return 2;
    }
    const std::filesystem::path folder = zv::PathFromUtf8(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::filesystem::remove(zv::ConditionFactorPath(folder), ec);
    std::string error;
    if (!zv::WriteDefaultConditionFactors(folder, error)) {
        std::cerr << error << "\n";
        return 1;
    }
    return 0;
}
