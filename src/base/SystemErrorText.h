#pragma once

#include <string>

namespace zv {

// The German reason for a system error number, for messages that name a
// file: "Zugriff verweigert", "Kein Speicherplatz mehr auf dem Datenträger", …
// Numbers without a German text of their own give the system's text.
std::string SystemErrorText(int err);

} // namespace zv
