#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli upload FOLDER [--server HOST[:PORT]] [--faenger] [--gewaesser] [--stelle]
// Uploads every catch of the program folder's catch database to the online
// statistics server, as "Starten" in the window does: the upload file is
// written into FOLDER, sent, and deleted after success. The server is the
// one named by --server, else [Online] "Server" in Zelvorin.ini, else
// localhost. The three options add the personal fields.
// Exit codes: 0 sent, 1 not sent (German reason on `err`; a written file
// stays and is named), 2 wrong usage.
int RunUploadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
