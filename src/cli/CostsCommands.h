#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zv::cli {

// zelvorin-cli costs tree FOLDER [--jahr JJJJ] [--geschaeft NAME]
// zelvorin-cli costs years FOLDER
// zelvorin-cli costs search FOLDER BEGRIFF
// zelvorin-cli costs add FOLDER --datum TT.MM.JJJJ --geschaeft NAME
//                        [--versand BETRAG] --artikel NAME;MENGE;EINZELPREIS …
// `args` are the words after "costs"; FOLDER is a program folder whose
// settings name the cost database. Output is UTF-8, fields joined by ";":
//   tree:   "jahre;…", "geschaefte;…", one "K;…" line per purchase and "A;…"
//           per article in display order, then "versand;", "artikel;",
//           "gesamt;" with the three totals;
//   years:  year;amount;change €;change %;rot|gruen|normal, newest first;
//   search: row;Kaufdatum;Geschaeft;Artikel;Menge;Einzelpreis;Gesamtpreis;
//   add:    stores one purchase as the entry window does in add mode
//           (creating the default cost database when none is named) and
//           prints "datenbank;PATH" and "zeilen;N".
// Exit codes: 0 done, 1 a conversion error or a database that cannot be read
// or written (German message on `err`, nothing written), 2 wrong usage.
int RunCostsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zv::cli
