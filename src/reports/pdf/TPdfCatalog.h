#pragma once

#include "reports/pdf/PdfTypes.h"
#include "reports/pdf/TPdfDictionary.h"

namespace zv {

// The document catalog: "Type" "Catalog", "Pages", "Outlines", the page
// mode and layout, viewer preferences and the open action (put in place
// when the document is written).
class TPdfCatalog : public TPdfDictionary {
public:
    TPdfCatalog() { AddName("Type", "Catalog"); }

    void SetPageMode(TPdfPageMode mode);
    void SetPageLayout(TPdfPageLayout layout);
    // Kept inside "ViewerPreferences"; written only when set.
    void SetNonFullScreenPageMode(TPdfPageMode mode);
    void SetViewerPreference(unsigned preferences);

    static const char* PageModeName(TPdfPageMode mode);
    static const char* PageLayoutName(TPdfPageLayout layout);

private:
    TPdfDictionary& ViewerPreferences();
};

} // namespace zv
