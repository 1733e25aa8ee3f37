#include "costs/ui/TfrmAKuebersicht.h"

#include "costs/CostFields.h"
#include "costs/CostOverview.h"
#include "costs/ui/CostTreeModel.h"
#include "costs/ui/CostUiParts.h"
#include "costs/ui/TfrmAKadd.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QHideEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTreeView>

namespace zv {
namespace {

constexpr int kTreeWidths[4] = {250, 120, 120, 120};

QLabel* AddBoldLabel(QWidget* parent, const char* name, const char* text, const QRect& at) {
    auto* label = new QLabel(U8(text), parent);
    label->setObjectName(U8(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setGeometry(at);
    return label;
}

QLabel* AddTotal(QWidget* parent, const char* name, const QRect& at) {
    auto* label = new QLabel(parent);
    label->setObjectName(U8(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(at);
    return label;
}

void SetItems(QComboBox* box, const std::vector<std::string>& items) {
    const QSignalBlocker quiet(box);
    box->clear();
    for (const std::string& item : items) {
        box->addItem(ToQ(item));
    }
    box->setCurrentIndex(0);
}

} // namespace

TfrmAKuebersicht::TfrmAKuebersicht(WindowHost& main, QWidget* parent)
    : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmAKuebersicht"));
    setWindowTitle(U8("Übersicht"));
    BuildControls();
}

void TfrmAKuebersicht::BuildControls() {
    AddBoldLabel(this, "Label5", "Jahr:", QRect(8, 12, 40, 20));
    cb_jahr = new QComboBox(this);
    cb_jahr->setObjectName(QStringLiteral("cb_jahr"));
    cb_jahr->setGeometry(50, 10, 100, 24);
    AddBoldLabel(this, "Label4", "Geschäft:", QRect(170, 12, 70, 20));
    cb_geschaeft = new QComboBox(this);
    cb_geschaeft->setObjectName(QStringLiteral("cb_geschaeft"));
    cb_geschaeft->setGeometry(240, 10, 240, 24);

    constexpr int kTreeLeft = 8;
    constexpr int kTreeWidth = 250 + 3 * 120 + 20; // room for the scroll bar
    model_ = new CostTreeModel(this);
    vst = AddCostTree(this, model_, kTreeWidths, QRect(kTreeLeft, 44, kTreeWidth, 360));
    vst->setSelectionBehavior(QAbstractItemView::SelectRows);
    vst->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vst->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Bearbeiten1 = PopupMenu1->addAction(QStringLiteral("Bearbeiten"));
    Bearbeiten1->setObjectName(QStringLiteral("Bearbeiten1"));
    PopupMenu1->addSeparator();
    Lschen1 = PopupMenu1->addAction(U8("Löschen"));
    Lschen1->setObjectName(QStringLiteral("Lschen1"));

    // The totals stand under the shipping and the price columns.
    const int shippingLeft = kTreeLeft + 2 + 250 + 120;
    const int sumLeft = shippingLeft + 120;
    gversand = AddTotal(this, "gversand", QRect(shippingLeft, 410, 116, 20));
    gsumme = AddTotal(this, "gsumme", QRect(sumLeft, 410, 116, 20));
    for (QLabel* red : {gversand, gsumme}) {
        QPalette palette = red->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        red->setPalette(palette);
    }
    auto* Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setStyleSheet(QStringLiteral("background-color: black;"));
    Shape1->setGeometry(shippingLeft, 432, 240, 1);
    gsum = AddTotal(this, "gsum", QRect(sumLeft, 436, 116, 20));
    QFont bold = gsum->font();
    bold.setBold(true);
    gsum->setFont(bold);

    BitBtn1 = new QPushButton(U8("Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(kTreeLeft, 432, 100, 28);
    setFixedSize(kTreeLeft * 2 + kTreeWidth, 468);

    ConnectGuarded(cb_jahr, &QComboBox::currentIndexChanged, this, [this] { cb_jahrChange(); });
    ConnectGuarded(cb_geschaeft, &QComboBox::currentIndexChanged, this,
                   [this] { cb_geschaeftChange(); });
    connect(vst, &QTreeView::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = vst->indexAt(at);
        if (index.isValid()) {
            vst->setCurrentIndex(index);
        }
        // Edit and delete act on a purchase; an article row offers neither.
        const bool purchase = FocusedPurchase() >= 0;
        Bearbeiten1->setEnabled(purchase);
        Lschen1->setEnabled(purchase);
        PopupMenu1->popup(vst->viewport()->mapToGlobal(at));
    });
    ConnectGuarded(Bearbeiten1, &QAction::triggered, this, [this] { Bearbeiten1Click(); });
    ConnectGuarded(Lschen1, &QAction::triggered, this, [this] { Lschen1Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAKuebersicht::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmAKuebersicht::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        FormCloseQuery();
    }
}

void TfrmAKuebersicht::FormShow() {
    FillYears();
    BuildPurchaseTree();
}

void TfrmAKuebersicht::FillYears() {
    SetItems(cb_jahr, {std::string(kAllCosts)});
    SetItems(cb_geschaeft, {std::string(kAllCosts)});
    SetItems(cb_jahr, zv::FillYears(main_.GetWorkspace().ak(), CurrentClock().Now()));
    FillShops();
}

void TfrmAKuebersicht::FillShops() {
    SetItems(cb_geschaeft,
             zv::FillShops(main_.GetWorkspace().ak(), ToUtf8(cb_jahr->currentText())));
}

void TfrmAKuebersicht::BuildPurchaseTree() {
    // Emptied first: a table that does not read leaves no stale purchases.
    FormCloseQuery();
    PurchaseTree tree =
        zv::BuildPurchaseTree(main_.GetWorkspace().ak(), ToUtf8(cb_jahr->currentText()),
                              ToUtf8(cb_geschaeft->currentText()));
    gversand->setText(ToQ(tree.ShippingText()));
    gsumme->setText(ToQ(tree.ArticleText()));
    gsum->setText(ToQ(tree.GrandText()));
    model_->SetPurchases(std::move(tree.purchases));
}

void TfrmAKuebersicht::cb_jahrChange() {
    FillShops();
    BuildPurchaseTree();
}

void TfrmAKuebersicht::cb_geschaeftChange() {
    BuildPurchaseTree();
}

int TfrmAKuebersicht::FocusedPurchase() const {
    const QModelIndex current = vst->currentIndex();
    if (!current.isValid() || CostTreeModel::ArticleOf(current) >= 0) {
        return -1;
    }
    return CostTreeModel::PurchaseOf(current);
}

void TfrmAKuebersicht::Bearbeiten1Click() {
    const int purchase = FocusedPurchase();
    auto* entry = main_.Forms().Get<TfrmAKadd>(QStringLiteral("TfrmAKadd"));
    if (purchase < 0 || entry == nullptr) {
        return;
    }
    // A copy: the entry window rebuilds this tree after saving.
    const PurchaseNode node = model_->Purchases()[std::size_t(purchase)];
    entry->OpenForEdit(node);
}

void TfrmAKuebersicht::Lschen1Click() {
    const int purchase = FocusedPurchase();
    if (purchase < 0 || !CurrentPrompts().ConfirmYesNo(U8(kDeleteQuestion))) {
        return;
    }
    const TTreeData cells = model_->Purchases()[std::size_t(purchase)].purchase;
    const WorkspaceResult result =
        DeletePurchase(main_.GetWorkspace(), cells[kPurchaseDate], cells[kPurchaseShop]);
    main_.ShowCostTotal();
    if (!result.ok) {
        CurrentPrompts().Error(ToQ(result.problem));
    }
    BuildPurchaseTree();
}

void TfrmAKuebersicht::FormCloseQuery() {
    model_->Clear();
    model_->SetHeaders(CostTreeModel::PurchaseHeaders());
    // The totals go with the tree: a next showing whose years do not read
    // must not show the sums of this one.
    for (QLabel* total : {gversand, gsumme, gsum}) {
        total->clear();
    }
}

} // namespace zv
