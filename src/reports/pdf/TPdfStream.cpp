#include "reports/pdf/TPdfStream.h"

#include "reports/pdf/TPdfArray.h"
#include "reports/pdf/TPdfOutput.h"
#include "reports/pdf/TPdfSpill.h"

#include <stdexcept>

namespace zv {

TPdfStream::TPdfStream() : filter_(std::make_shared<TPdfArray>()) {
    attributes_.AddNumber("Length", 0);
    attributes_.Add("Filter", filter_);
}

std::string_view TPdfStream::FetchData(std::string& scratch) {
    if (spill_ != nullptr) {
        if (!spill_->Fetch(spillOffset_, spillSize_, scratch)) {
            throw std::runtime_error("Fehler beim Lesen der Seiteninhalte aus der Zwischendatei.");
        }
        return scratch;
    }
    return data_;
}

bool TPdfStream::MoveDataTo(TPdfSpill& spill) {
    if (spill_ != nullptr || !spill.Keep(data_, spillOffset_)) {
        return false;
    }
    spill_ = &spill;
    spillSize_ = data_.size();
    std::string().swap(data_);
    return true;
}

void TPdfStream::BeforeWriteAttributes(std::string_view /*data*/) {}

void TPdfStream::Write(TPdfOutput& out) {
    std::string scratch;
    std::string_view data = FetchData(scratch);
    BeforeWriteAttributes(data);
    // Nothing is ever compressed, so a request for it must not reach the file.
    for (long long at = filter_->FindName("FlateDecode"); at >= 0;
         at = filter_->FindName("FlateDecode")) {
        filter_->Remove(static_cast<std::size_t>(at));
    }
    if (auto* length = dynamic_cast<TPdfNumber*>(attributes_.Value("Length"))) {
        length->SetValue(static_cast<long long>(data.size()));
    } else {
        attributes_.AddNumber("Length", static_cast<long long>(data.size()));
    }
    attributes_.Write(out);
    out.Write("\r\nstream\r\n");
    out.Write(data);
    out.Write("\nendstream");
}

} // namespace zv
