#pragma once

#include <filesystem>

class QTranslator;

namespace zv {

// Installs Qt's own German texts (the file and colour dialogs, their
// questions such as the one before a file is replaced, the standard buttons,
// the context menus of edit fields). The file qtbase_de.qm is looked for in
// the program folder first, so a program folder copied to another machine
// keeps its German dialogs, then in Qt's translations folder. Returns the
// installed translator (owned by the application), or nullptr when no
// translation was found and Qt speaks English.
QTranslator* InstallGermanQtTranslations(const std::filesystem::path& programFolder);

} // namespace zv
