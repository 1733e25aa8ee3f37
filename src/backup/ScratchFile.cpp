#include "backup/ScratchFile.h"

#include "backup/ZipErrorText.h"
#include "base/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

std::string RandomName() {
    static thread_local std::mt19937_64 gen{std::random_device{}()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = ".zv-scratch-";
    auto v = gen();
    for (int i = 0; i < 12; ++i) {
        name += kHex[v & 15];
        v >>= 4;
    }
    return name;
}

} // namespace

ScratchFile::~ScratchFile() {
    Close();
}

bool ScratchFile::Create(const std::filesystem::path& folder, const std::filesystem::path& shownAs,
                         std::string& error) {
    Close();
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    int err = 0;
    // A few attempts only guard against the unlikely clash of two random names.
    for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
        const std::filesystem::path name = where / RandomName();
        fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            ::unlink(name.c_str());
            return true;
        }
        err = errno;
        if (err != EEXIST) {
            break;
        }
    }
    error = "Die Datei \"" + PathToUtf8(shownAs) +
            "\" kann nicht geschrieben werden: " + SystemErrorText(err) + ".";
    return false;
}

void ScratchFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::int64_t ScratchFile::Size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        return -1;
    }
    return st.st_size;
}

} // namespace zv
