#include "reports/pdf/TPdfCatalog.h"

namespace zv {

const char* TPdfCatalog::PageModeName(TPdfPageMode mode) {
    switch (mode) {
    case TPdfPageMode::UseNone:
        return "UseNone";
    case TPdfPageMode::UseOutlines:
        return "UseOutlines";
    case TPdfPageMode::UseThumbs:
        return "UseThumbs";
    case TPdfPageMode::FullScreen:
        return "FullScreen";
    }
    return "UseNone";
}

const char* TPdfCatalog::PageLayoutName(TPdfPageLayout layout) {
    switch (layout) {
    case TPdfPageLayout::SinglePage:
        return "SinglePage";
    case TPdfPageLayout::OneColumn:
        return "OneColumn";
    case TPdfPageLayout::TwoColumnLeft:
        return "TwoColumnLeft";
    case TPdfPageLayout::TwoColumnRight:
        return "TwoColumnRight";
    }
    return "SinglePage";
}

void TPdfCatalog::SetPageMode(TPdfPageMode mode) {
    AddName("PageMode", PageModeName(mode));
}

void TPdfCatalog::SetPageLayout(TPdfPageLayout layout) {
    AddName("PageLayout", PageLayoutName(layout));
}

TPdfDictionary& TPdfCatalog::ViewerPreferences() {
    if (auto* existing = dynamic_cast<TPdfDictionary*>(Value("ViewerPreferences"))) {
        return *existing;
    }
    auto created = std::make_shared<TPdfDictionary>();
    Add("ViewerPreferences", created);
    return *created;
}

void TPdfCatalog::SetNonFullScreenPageMode(TPdfPageMode mode) {
    ViewerPreferences().AddName("NonFullScreenPageMode", PageModeName(mode));
}

void TPdfCatalog::SetViewerPreference(unsigned preferences) {
    TPdfDictionary& prefs = ViewerPreferences();
    const std::pair<unsigned, const char*> flags[] = {
        {vpHideToolbar, "HideToolbar"},   {vpHideMenubar, "HideMenubar"},
        {vpHideWindowUI, "HideWindowUI"}, {vpFitWindow, "FitWindow"},
        {vpCenterWindow, "CenterWindow"},
    };
    for (const auto& [bit, key] : flags) {
        if ((preferences & bit) != 0) {
            prefs.AddBoolean(key, true);
        } else {
            prefs.Remove(key);
        }
    }
}

} // namespace zv
