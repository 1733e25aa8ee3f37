#include "widgets/CenteredTabWidget.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace zv {

namespace {

class CenteredTabBar : public QTabBar {
public:
    explicit CenteredTabBar(QWidget* parent) : QTabBar(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab option;
            initStyleOption(&option, i);
            painter.drawControl(QStyle::CE_TabBarTabShape, option);
            // The inside of the tab: white, the caption centred and clipped.
            const QRect inner = option.rect.adjusted(2, 2, -2, i == currentIndex() ? 0 : -1);
            painter.fillRect(inner, Qt::white);
            const QString caption = tabText(i);
            const QFontMetrics metrics(font());
            const int textWidth = metrics.horizontalAdvance(caption);
            const int textHeight = metrics.height();
            const QRect r = option.rect;
            const int left = r.left() + r.width() / 2 - textWidth / 2;
            const int top = r.top() + r.height() / 2 - textHeight / 2;
            painter.save();
            painter.setClipRect(r);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRect(left, top, textWidth, textHeight), Qt::AlignLeft | Qt::AlignTop,
                             caption);
            painter.restore();
        }
    }
};

} // namespace

CenteredTabWidget::CenteredTabWidget(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new CenteredTabBar(this));
}

} // namespace zv
