#include "costs/ui/TfrmAKadd.h"

#include "base/DateTime.h"
#include "costs/ui/CostTreeModel.h"
#include "costs/ui/CostUiParts.h"
#include "costs/ui/TfrmAKuebersicht.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/ModalShow.h"
#include "widgets/Prompts.h"
#include "widgets/QtDate.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHideEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>

namespace zv {
namespace {

QToolButton* AddButton(QWidget* parent, const char* name, const char* hint, const QRect& at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(U8(name));
    button->setText(QStringLiteral("+"));
    button->setToolTip(U8(hint));
    button->setGeometry(at);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

constexpr int kTreeWidths[4] = {198, 100, 100, 100};

} // namespace

TfrmAKadd::TfrmAKadd(WindowHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmAKadd"));
    setWindowTitle(U8(kAddCaption));
    BuildControls();
    // The date picker starts on today.
    dt_kaufdatum->setDate(ToQDate(CurrentClock().Now()));
}

void TfrmAKadd::BuildControls() {
    // The tree is as wide as its columns, its frame and a scroll bar that is
    // always there: a long purchase must not cover "Gesamtpreis". The boxes
    // above and below end where it ends, the money boxes wide enough for
    // " Versandkosten:".
    constexpr int kLeft = 8;
    constexpr int kButton = 26;
    constexpr int kMoney = 124;
    const int treeWidth = kTreeWidths[0] + kTreeWidths[1] + kTreeWidths[2] + kTreeWidths[3] +
                          2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int right = kLeft + treeWidth;
    const int buttonLeft = right - kButton;
    const int moneyLeft = buttonLeft - 4 - kMoney;
    const int wideLeft = 142;
    const int wide = moneyLeft - 4 - wideLeft;
    AddHeading(this, "Panel1", " Kaufdatum:", QRect(kLeft, 8, 130, 20));
    AddHeading(this, "Panel2", " Geschäft:", QRect(wideLeft, 8, wide, 20));
    AddHeading(this, "Panel4", " Versandkosten:", QRect(moneyLeft, 8, kMoney, 20));
    dt_kaufdatum = new QDateEdit(this);
    dt_kaufdatum->setObjectName(QStringLiteral("dt_kaufdatum"));
    dt_kaufdatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    dt_kaufdatum->setCalendarPopup(true);
    dt_kaufdatum->setGeometry(kLeft, 30, 130, 24);
    cb_geschaeft = new QComboBox(this);
    cb_geschaeft->setObjectName(QStringLiteral("cb_geschaeft"));
    cb_geschaeft->setEditable(true);
    cb_geschaeft->setInsertPolicy(QComboBox::NoInsert);
    cb_geschaeft->setGeometry(wideLeft, 30, wide, 24);
    ed_versandkosten = new QLineEdit(this);
    ed_versandkosten->setObjectName(QStringLiteral("ed_versandkosten"));
    ed_versandkosten->setAlignment(Qt::AlignRight);
    ed_versandkosten->setGeometry(moneyLeft, 30, kMoney, 24);
    btn_addgesch =
        AddButton(this, "btn_addgesch", "Hinzufügen", QRect(buttonLeft, 30, kButton, 24));

    model_ = new CostTreeModel(this);
    model_->SetEditable(true);
    vst = AddCostTree(this, model_, kTreeWidths, QRect(kLeft, 62, treeWidth, 220));
    vst->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    vst->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                         QAbstractItemView::SelectedClicked);

    const int articleLeft = kLeft + 74;
    AddHeading(this, "Panel6", "Menge:", QRect(kLeft, 292, 70, 20));
    AddHeading(this, "Panel7",
               " Artikelbezeichnung:", QRect(articleLeft, 292, moneyLeft - 4 - articleLeft, 20));
    AddHeading(this, "Panel8", "Einzelpreis:", QRect(moneyLeft, 292, kMoney, 20));
    ed_menge = new QLineEdit(this);
    ed_menge->setObjectName(QStringLiteral("ed_menge"));
    ed_menge->setAlignment(Qt::AlignRight);
    ed_menge->setGeometry(kLeft, 314, 70, 24);
    cb_artikelbezeichnung = new QComboBox(this);
    cb_artikelbezeichnung->setObjectName(QStringLiteral("cb_artikelbezeichnung"));
    cb_artikelbezeichnung->setEditable(true);
    cb_artikelbezeichnung->setInsertPolicy(QComboBox::NoInsert);
    cb_artikelbezeichnung->setGeometry(articleLeft, 314, moneyLeft - 4 - articleLeft, 24);
    ed_einzelpreis = new QLineEdit(this);
    ed_einzelpreis->setObjectName(QStringLiteral("ed_einzelpreis"));
    ed_einzelpreis->setAlignment(Qt::AlignRight);
    ed_einzelpreis->setGeometry(moneyLeft, 314, kMoney, 24);
    btn_addart =
        AddButton(this, "btn_addart", "Artikel hinzufügen", QRect(buttonLeft, 314, kButton, 24));

    BitBtn1 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(right - 208, 354, 100, 28);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(right - 100, 354, 100, 28);
    setFixedSize(right + kLeft, 392);

    model_->SetEditHandler([this](int, int article, int column, const QString& text) {
        Guarded([&] { vstNewText(article, column, text); });
    });
    ConnectGuarded(btn_addgesch, &QToolButton::clicked, this, [this] { btn_addgeschClick(); });
    ConnectGuarded(btn_addart, &QToolButton::clicked, this, [this] { btn_addartClick(); });
    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TfrmAKadd::OpenForAdd() {
    setWindowTitle(U8(kAddCaption));
    entry_.OpenForAdd();
    ShowTree();
    dt_kaufdatum->setDate(ToQDate(CurrentClock().Now()));
    cb_geschaeft->clear();
    cb_geschaeft->setEditText({});
    ed_versandkosten->clear();
    ed_menge->clear();
    ed_einzelpreis->clear();
    cb_artikelbezeichnung->clear();
    cb_artikelbezeichnung->setEditText({});
    btn_addgesch->setVisible(true);
    ShowModal(*this);
}

void TfrmAKadd::OpenForEdit(const PurchaseNode& purchase) {
    const QDate date = ToQDate(StrToDate(purchase.purchase[kPurchaseDate]));
    setWindowTitle(U8(kEditCaption));
    entry_.OpenForEdit(purchase);
    ShowTree();
    dt_kaufdatum->setDate(date);
    cb_geschaeft->clear();
    cb_geschaeft->setEditText(ToQ(purchase.purchase[kPurchaseShop]));
    ed_versandkosten->setText(ToQ(purchase.purchase[kPurchaseShipping]));
    ed_menge->clear();
    cb_artikelbezeichnung->setEditText({});
    ed_einzelpreis->clear();
    // The purchase's date, shop and shipping are changed in the tree.
    btn_addgesch->setVisible(false);
    ShowModal(*this);
}

void TfrmAKadd::ShowTree() {
    if (entry_.Empty()) {
        if (model_->rowCount() != 0) {
            model_->Clear();
            model_->SetHeaders(CostTreeModel::PurchaseHeaders());
        }
        return;
    }
    const PurchaseNode node{entry_.Purchase(), entry_.Articles()};
    if (model_->rowCount() == 0) {
        model_->SetPurchases({node});
        model_->SetHeaders(CostTreeModel::PurchaseHeaders());
    } else {
        model_->UpdatePurchase(0, node);
    }
}

void TfrmAKadd::btn_addgeschClick() {
    if (!entry_.Empty()) {
        if (CurrentPrompts().ConfirmYesNoCancel(U8(kSaveOldQuestion)) == PromptAnswer::Yes) {
            SavePurchase();
        }
        // Either way the angler starts the new purchase with another click.
        return;
    }
    Workspace& workspace = main_.GetWorkspace();
    if (workspace.CostPath().empty()) {
        const WorkspaceResult created = CreateCostDatabase(workspace);
        if (!created.ok) {
            CurrentPrompts().Error(ToQ(created.problem));
            return;
        }
        CurrentPrompts().Information(ToQ(created.message));
        if (!created.problem.empty()) {
            CurrentPrompts().Warning(ToQ(created.problem));
        }
        main_.ShowCostTotal();
    }
    entry_.StartPurchase(DateValue(dt_kaufdatum->date()), ToUtf8(cb_geschaeft->currentText()),
                         ToUtf8(ed_versandkosten->text()));
    ShowTree();
    vst->setCurrentIndex(model_->PurchaseIndex(0));
    vst->setFocus();
}

void TfrmAKadd::btn_addartClick() {
    if (entry_.Empty()) {
        return;
    }
    entry_.AddArticle(ToUtf8(cb_artikelbezeichnung->currentText()), ToUtf8(ed_menge->text()),
                      ToUtf8(ed_einzelpreis->text()));
    ShowTree();
    vst->expand(model_->PurchaseIndex(0));
}

void TfrmAKadd::vstNewText(int article, int column, const QString& text) {
    try {
        entry_.SetCellText(article, column, ToUtf8(text));
    } catch (...) {
        // The typed text stays in its cell; the message follows.
        ShowTree();
        throw;
    }
    ShowTree();
}

bool TfrmAKadd::SavePurchase() {
    const bool editing = entry_.GetMode() == PurchaseEntry::Mode::Edit;
    const PurchaseEntry::SaveResult result = entry_.SavePurchase(main_.GetWorkspace());
    ShowTree();
    if (result.nothingToSave) {
        CurrentPrompts().Information(U8(PurchaseEntry::kNothingToSave));
        return false;
    }
    if (!result.message.empty()) {
        CurrentPrompts().Information(ToQ(result.message));
    }
    if (!result.warning.empty()) {
        CurrentPrompts().Warning(ToQ(result.warning));
    }
    if (!result.ok) {
        CurrentPrompts().Error(ToQ(result.problem));
        return false;
    }
    main_.ShowCostTotal();
    if (editing) {
        if (auto* overview =
                main_.Forms().Get<TfrmAKuebersicht>(QStringLiteral("TfrmAKuebersicht"))) {
            overview->BuildPurchaseTree();
        }
    }
    return true;
}

void TfrmAKadd::BitBtn1Click() {
    const bool hadPurchase = !entry_.Empty() && !entry_.Articles().empty();
    const bool saved = SavePurchase();
    if (hadPurchase && !saved) {
        // Not stored (the file could not be written): the purchase stays in
        // the window so nothing typed is lost.
        return;
    }
    vst->setCurrentIndex({});
    accept();
}

void TfrmAKadd::BitBtn2Click() {
    reject();
}

void TfrmAKadd::FormCloseQuery() {
    entry_.Clear();
    ShowTree();
}

void TfrmAKadd::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) {
        FormCloseQuery();
    }
}

} // namespace zv
