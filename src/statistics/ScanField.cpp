#include "statistics/ScanField.h"

namespace zv {

std::uint32_t ScanField::Find(std::string_view text) const {
    for (std::uint32_t id = 0; id < Size(); ++id) {
        if (Text(id) == text) {
            return id;
        }
    }
    return kNoText;
}

} // namespace zv
