// The windows' shared widgets for the angler's long values.

#include "UiTestSupport.h"

#include "widgets/ElidedText.h"
#include "widgets/ElidingComboBox.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QStyleOptionComboBox>

namespace zv::test {
namespace {

const QString kShort = QStringLiteral("Hecht");
const QString kLong = QString::fromUtf8("Regenbogenforelle (Steelhead) aus dem Oberlauf");

// The text the box paints for its chosen entry.
class ShownCombo : public ElidingComboBox {
public:
    QString Shown() const {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        return option.currentText;
    }
};

TEST(ElidingComboBoxTest, ALongEntryIsShownShortWholeInTheHintAndTheOpenedList) {
    ShownCombo box;
    box.setFixedWidth(120);
    box.addItems({kShort, kLong});
    box.show();
    const struct {
        const QString& entry;
        bool cut;
    } cases[] = {{kShort, false}, {kLong, true}, {kShort, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        box.setCurrentText(c.entry);
        EXPECT_EQ(box.Shown() != c.entry, c.cut);
        EXPECT_LE(box.fontMetrics().horizontalAdvance(box.Shown()), box.width());
        EXPECT_EQ(box.toolTip(), c.cut ? c.entry : QString());
    }
    box.showPopup();
    EXPECT_GT(box.view()->width(), box.fontMetrics().horizontalAdvance(kLong));
    box.hidePopup();
}

TEST(ElidedTextTest, ALabelShowsWhatFitsAndTheWholeTextInItsHint) {
    QLabel label;
    label.setFixedWidth(120);
    const struct {
        QString text;
        bool cut;
    } cases[] = {{kShort, false}, {kLong, true}, {kShort + "\n" + kLong, true}, {kShort, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        SetElidedText(label, c.text);
        for (const QString& line : label.text().split(QLatin1Char('\n'))) {
            EXPECT_LE(label.fontMetrics().horizontalAdvance(line), label.width());
        }
        EXPECT_EQ(label.text() != c.text, c.cut);
        EXPECT_EQ(label.toolTip(), c.cut ? c.text : QString());
    }
}

} // namespace
} // namespace zv::test
