#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli pdf-demo OUT.pdf [JPEG]
// Writes a two-page document that uses every report item kind (bands, a
// grid, labels in all alignments, wrapped text, frames and lines, a
// picture when a JPEG is given), bookmarks per page with a child per line,
// and an open action on page 1. Returns 0 when written, 1 when the picture
// or the document could not be handled (message on `err`), 2 wrong usage.
int RunPdfDemoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
