#pragma once

#include "storage/Workspace.h"
#include "widgets/FormSet.h"

#include <QRect>
#include <QString>

namespace zv {

// What a window needs of the program around it: the tables, the window set
// and the main window's refreshes after a change. The main window implements
// it, so a window never includes the main window, and a window of one family
// reaches another family's window only by name (OpenForm) or through the
// catch details (ShowCatchDetails).
class WindowHost {
public:
    virtual Workspace& GetWorkspace() = 0;
    virtual FormSet& Forms() = 0;

    // After catches were added or changed: the filtered list and its summary.
    virtual void ShowCatchList() = 0;
    // After the catchers' value list changed: the filters and menus by catcher.
    virtual void FillAnglerLists() = 0;
    // After purchases were saved or deleted.
    virtual void ShowCostTotal() = 0;
    // Shows the catch table's row `row` in the details window.
    virtual void ShowCatchDetails(int row) = 0;
    // Opens a window of the set modally by its class name.
    virtual void OpenForm(const QString& className) = 0;
    // The main window's frame, for windows that place themselves over it.
    virtual QRect FrameGeometry() const = 0;

protected:
    ~WindowHost() = default;
};

} // namespace zv
