#include "reports/pdf/TPdfStream.h"

#include "reports/pdf/TPdfOutput.h"

namespace zv {

void TPdfStream::Write(TPdfOutput& out) {
    // Nothing is ever compressed, so a request for it must not reach the file.
    for (long long at = filter_.FindName("FlateDecode"); at >= 0;
         at = filter_.FindName("FlateDecode")) {
        filter_.Remove(static_cast<std::size_t>(at));
    }
    out.Write("<<\r\n/Length ");
    out.WriteInt(static_cast<long long>(data_.size()));
    out.Write("\r\n/Filter ");
    filter_.Write(out);
    out.Write("\r\n");
    attributes_.WriteElements(out);
    out.Write(">>\r\nstream\r\n");
    out.Write(data_);
    out.Write("\nendstream");
}

} // namespace zv
