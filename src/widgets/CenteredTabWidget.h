#pragma once

#include <QTabWidget>

namespace zv {

// Pages whose tabs the window draws itself: each tab filled white with its
// caption centred (horizontally and vertically) and clipped to the tab.
class CenteredTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit CenteredTabWidget(QWidget* parent = nullptr);
};

} // namespace zv
