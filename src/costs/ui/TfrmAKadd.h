#pragma once

#include "costs/PurchaseEntry.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeView;

namespace zv {

class CostTreeModel;
class WindowHost;

// The cost entry window: one purchase (date, shop, shipping) and its
// articles in a two-level tree, stored as cost rows on "Speichern". Add mode
// starts new purchases; edit mode rewrites a purchase of the overview.
class TfrmAKadd : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kAddCaption = "Angelkosten hinzufügen";
    static constexpr const char* kEditCaption = "Angelkosten bearbeiten";
    static constexpr const char* kSaveOldQuestion =
        "Bevor Sie einen neuen Einkauf anlegen können, muss der alte gespeichert werden.\r\n"
        "Wollen Sie den alten Einkauf jetzt speichern?";

    TfrmAKadd(WindowHost& main, QWidget* parent);

    // The opener of "Angelkosten" → "&Hinzufügen": empties the boxes, the
    // date is today, and shows the window.
    void OpenForAdd();
    // The opener of the overview's "Bearbeiten": the window shows a copy of
    // the purchase. A date cell that is not a date throws before anything
    // is shown.
    void OpenForEdit(const PurchaseNode& purchase);

    // Handlers.
    void btn_addgeschClick();
    void btn_addartClick();
    void vstNewText(int article, int column, const QString& text);
    void BitBtn1Click();
    void BitBtn2Click();
    void FormCloseQuery();

    // Runs the save and shows its messages; true when the purchase is stored.
    bool SavePurchase();

    const PurchaseEntry& Entry() const { return entry_; }
    CostTreeModel* TreeModel() const { return model_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    void ShowTree();

    WindowHost& main_;
    PurchaseEntry entry_;
    CostTreeModel* model_ = nullptr;

    QDateEdit* dt_kaufdatum = nullptr;
    QComboBox* cb_geschaeft = nullptr;
    QLineEdit* ed_versandkosten = nullptr;
    QToolButton* btn_addgesch = nullptr;
    QTreeView* vst = nullptr;
    QLineEdit* ed_menge = nullptr;
    QComboBox* cb_artikelbezeichnung = nullptr;
    QLineEdit* ed_einzelpreis = nullptr;
    QToolButton* btn_addart = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

} // namespace zv
