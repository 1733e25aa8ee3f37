#include "backup/EntrySpans.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace zv {
namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint16_t kZip64ExtraId = 0x0001;
constexpr std::size_t kEndSize = 22;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kCentralSize = 46;
constexpr std::size_t kLocalSize = 30;
constexpr std::uint32_t kNo32 = 0xFFFFFFFF;

std::uint64_t Le(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

class FileReader {
public:
    explicit FileReader(int fd) : fd_(fd) {
        struct stat st {};
        size_ = ::fstat(fd, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
    }
    std::uint64_t Size() const { return size_; }
    // Reads exactly `count` bytes at `offset`; false when they are not all there.
    bool Read(std::uint64_t offset, std::uint64_t count, std::string& out) const {
        if (offset > size_ || count > size_ - offset) {
            return false;
        }
        out.resize(static_cast<std::size_t>(count));
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n <= 0) {
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        return true;
    }

private:
    int fd_;
    std::uint64_t size_ = 0;
};

struct Directory {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t entries = 0;
};

// The end record, searched from the end of the file (a comment may follow
// it), and the zip64 end record it points to when its fields overflow.
bool FindDirectory(const FileReader& file, Directory& directory) {
    const std::uint64_t tail = std::min<std::uint64_t>(file.Size(), kEndSize + 0xFFFF);
    std::string bytes;
    if (tail < kEndSize || !file.Read(file.Size() - tail, tail, bytes)) {
        return false;
    }
    for (std::size_t at = bytes.size() - kEndSize + 1; at-- > 0;) {
        if (Le(bytes, at, 4) != kEndSignature) {
            continue;
        }
        const std::uint64_t endOffset = file.Size() - tail + at;
        directory.entries = Le(bytes, at + 10, 2);
        directory.size = Le(bytes, at + 12, 4);
        directory.offset = Le(bytes, at + 16, 4);
        const bool overflows =
            directory.entries == 0xFFFF || directory.size == kNo32 || directory.offset == kNo32;
        std::string locator;
        if (endOffset >= kZip64LocatorSize &&
            file.Read(endOffset - kZip64LocatorSize, kZip64LocatorSize, locator) &&
            Le(locator, 0, 4) == kZip64LocatorSignature) {
            std::string end64;
            if (!file.Read(Le(locator, 8, 8), kZip64EndSize, end64) ||
                Le(end64, 0, 4) != kZip64EndSignature) {
                return false;
            }
            directory.entries = Le(end64, 32, 8);
            directory.size = Le(end64, 40, 8);
            directory.offset = Le(end64, 48, 8);
        } else if (overflows) {
            continue;
        }
        if (directory.offset <= endOffset && directory.size <= endOffset - directory.offset) {
            return true;
        }
    }
    return false;
}

// The sizes and the offset a zip64 extra field holds for the fields of the
// central header that overflow, in that order.
bool ApplyZip64Extra(std::string_view extra, std::uint64_t& uncompressed, std::uint64_t& compressed,
                     std::uint64_t& offset) {
    for (std::size_t at = 0; at + 4 <= extra.size();) {
        const std::uint64_t id = Le(extra, at, 2);
        const std::size_t length = static_cast<std::size_t>(Le(extra, at + 2, 2));
        if (length > extra.size() - at - 4) {
            return false;
        }
        if (id == kZip64ExtraId) {
            std::size_t field = at + 4;
            for (std::uint64_t* value : {&uncompressed, &compressed, &offset}) {
                if (*value != kNo32) {
                    continue;
                }
                if (field + 8 > at + 4 + length) {
                    return false;
                }
                *value = Le(extra, field, 8);
                field += 8;
            }
            return true;
        }
        at += 4 + length;
    }
    return uncompressed != kNo32 && compressed != kNo32 && offset != kNo32;
}

} // namespace

bool ReadEntrySpans(int fd, std::vector<EntrySpan>& spans, std::string& reason) {
    spans.clear();
    const FileReader file(fd);
    Directory directory;
    std::string central;
    if (!FindDirectory(file, directory) || !file.Read(directory.offset, directory.size, central)) {
        reason = "Sein Inhaltsverzeichnis ist nicht lesbar";
        return false;
    }
    std::size_t at = 0;
    for (std::uint64_t i = 0; i < directory.entries; ++i) {
        if (central.size() - at < kCentralSize || Le(central, at, 4) != kCentralSignature) {
            reason = "Sein Inhaltsverzeichnis ist unvollständig";
            return false;
        }
        const std::size_t nameLength = static_cast<std::size_t>(Le(central, at + 28, 2));
        const std::size_t extraLength = static_cast<std::size_t>(Le(central, at + 30, 2));
        const std::size_t commentLength = static_cast<std::size_t>(Le(central, at + 32, 2));
        const std::size_t record = kCentralSize + nameLength + extraLength + commentLength;
        if (central.size() - at < record) {
            reason = "Sein Inhaltsverzeichnis ist unvollständig";
            return false;
        }
        EntrySpan span;
        span.rawName = central.substr(at + kCentralSize, nameLength);
        std::uint64_t compressed = Le(central, at + 20, 4);
        std::uint64_t uncompressed = Le(central, at + 24, 4);
        std::uint64_t offset = Le(central, at + 42, 4);
        const std::string_view extra =
            std::string_view(central).substr(at + kCentralSize + nameLength, extraLength);
        std::string local;
        if (!ApplyZip64Extra(extra, uncompressed, compressed, offset) ||
            !file.Read(offset, kLocalSize, local) || Le(local, 0, 4) != kLocalSignature) {
            reason = "Der Eintrag \"" + span.rawName + "\" ist beschädigt";
            return false;
        }
        const std::uint64_t data = offset + kLocalSize + Le(local, 26, 2) + Le(local, 28, 2);
        if (data > file.Size() || compressed > file.Size() - data) {
            reason = "Der Eintrag \"" + span.rawName + "\" reicht über das Ende des Archivs hinaus";
            return false;
        }
        span.begin = offset;
        span.end = data + compressed;
        spans.push_back(std::move(span));
        at += record;
    }
    return true;
}

std::optional<std::pair<std::size_t, std::size_t>>
FindOverlap(const std::vector<EntrySpan>& spans) {
    std::vector<std::size_t> order(spans.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return spans[a].begin < spans[b].begin; });
    // The span reaching furthest so far: any later start before its end
    // lies inside it.
    std::size_t furthest = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::size_t current = order[k];
        if (k > 0 && spans[current].begin < spans[furthest].end) {
            return std::pair(std::min(furthest, current), std::max(furthest, current));
        }
        if (k == 0 || spans[current].end > spans[furthest].end) {
            furthest = current;
        }
    }
    return std::nullopt;
}

} // namespace zv
