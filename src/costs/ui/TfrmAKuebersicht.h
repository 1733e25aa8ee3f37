#pragma once

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeView;

namespace zv {

class CostTreeModel;
class WindowHost;

// The cost overview: the purchases of a year and shop as a tree with their
// articles, the shipping, article and grand totals, and editing or deleting
// a purchase from the context menu.
class TfrmAKuebersicht : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kDeleteQuestion = "Wollen Sie den Eintrag wirklich löschen?";

    TfrmAKuebersicht(WindowHost& main, QWidget* parent);

    void FormShow();
    void FillYears();
    void FillShops();
    void BuildPurchaseTree();
    void cb_jahrChange();
    void cb_geschaeftChange();
    void Bearbeiten1Click();
    void Lschen1Click();
    void FormCloseQuery();

    CostTreeModel* TreeModel() const { return model_; }
    QTreeView* Tree() const { return vst; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    // The purchase of the focused row, -1 when it is none or an article.
    int FocusedPurchase() const;

    WindowHost& main_;
    CostTreeModel* model_ = nullptr;
    QComboBox* cb_jahr = nullptr;
    QComboBox* cb_geschaeft = nullptr;
    QTreeView* vst = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Bearbeiten1 = nullptr;
    QAction* Lschen1 = nullptr;
    QLabel* gversand = nullptr;
    QLabel* gsumme = nullptr;
    QLabel* gsum = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace zv
