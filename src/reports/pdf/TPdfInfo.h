#pragma once

#include "reports/pdf/TPdfDictionary.h"

#include <string>

namespace zv {

// The document information dictionary. The two dates are strings
// "D:YYYYMMDDHHMMSS" of the local time at which they are set, taken from
// the program's clock.
class TPdfInfo : public TPdfDictionary {
public:
    void SetProducer(std::string utf8) { AddText("Producer", std::move(utf8)); }
    void SetAuthor(std::string utf8) { AddText("Author", std::move(utf8)); }
    void SetCreator(std::string utf8) { AddText("Creator", std::move(utf8)); }
    void SetKeywords(std::string utf8) { AddText("Keywords", std::move(utf8)); }
    void SetSubject(std::string utf8) { AddText("Subject", std::move(utf8)); }
    void SetTitle(std::string utf8) { AddText("Title", std::move(utf8)); }
    void SetCreationDate() { AddText("CreationDate", PdfDateNow()); }
    void SetModDate() { AddText("ModDate", PdfDateNow()); }

    // "D:" and the current local time as YYYYMMDDHHMMSS.
    static std::string PdfDateNow();
};

} // namespace zv
