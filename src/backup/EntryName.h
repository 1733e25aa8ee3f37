#pragma once

#include <string>
#include <string_view>

namespace zv {

// Names of the files in a backup. An archive is flat: an entry stands for
// a file by its bare name, and the restore puts it back by that name alone.

// The part of an archive entry's name after its last "/", "\" or ":".
std::string_view BareEntryName(std::string_view entryName);

// Why a bare name cannot name a file of its own (empty, ".", "..", a
// control character); empty when it can. Bytes from 0x80 on are letters
// of some encoding, never control characters.
std::string InvalidFileNameReason(std::string_view bare);

// Why a file named `name` would not come back under that name from a
// backup (German); empty when it would.
std::string NameChangeReason(std::string_view name);

// Map pictures ("karte_" … ".jpg") belong in the program folder, where the
// map window reads them.
bool IsMapPictureName(std::string_view bare);

} // namespace zv
