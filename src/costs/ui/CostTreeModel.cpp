#include "costs/ui/CostTreeModel.h"

#include "widgets/PlainHint.h"
#include "widgets/QtText.h"

#include <QFont>

namespace zv {
namespace {

// The internal id of an index: 0 for a purchase row, purchase + 1 for the
// rows of its articles.
constexpr quintptr kPurchaseRow = 0;

} // namespace

CostTreeModel::CostTreeModel(QObject* parent)
    : QAbstractItemModel(parent), headers_(PurchaseHeaders()) {}

QStringList CostTreeModel::PurchaseHeaders() {
    return {QStringLiteral("Datum"), QString::fromUtf8("Geschäft"), QStringLiteral("Versandkosten"),
            QStringLiteral("Gesamtpreis")};
}

QStringList CostTreeModel::ArticleHeaders() {
    return {QStringLiteral("Artikel"), QStringLiteral("Anzahl"), QStringLiteral("Einzelpreis"),
            QStringLiteral("Gesamtpreis")};
}

void CostTreeModel::SetHeaders(const QStringList& headers) {
    if (headers == headers_) {
        return;
    }
    headers_ = headers;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void CostTreeModel::SetPurchases(std::vector<PurchaseNode> purchases) {
    beginResetModel();
    purchases_ = std::move(purchases);
    expanded_.clear();
    endResetModel();
}

void CostTreeModel::UpdatePurchase(int index, const PurchaseNode& purchase) {
    if (index < 0 || index >= int(purchases_.size())) {
        return;
    }
    PurchaseNode& shown = purchases_[std::size_t(index)];
    const int before = int(shown.articles.size());
    const int after = int(purchase.articles.size());
    const QModelIndex parentIndex = PurchaseIndex(index);
    if (after > before) {
        beginInsertRows(parentIndex, before, after - 1);
        shown = purchase;
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows(parentIndex, after, before - 1);
        shown = purchase;
        endRemoveRows();
    } else {
        shown = purchase;
    }
    emit dataChanged(PurchaseIndex(index, 0), PurchaseIndex(index, 3));
    if (after > 0) {
        emit dataChanged(ArticleIndex(index, 0, 0), ArticleIndex(index, after - 1, 3));
    }
}

void CostTreeModel::SetExpanded(int purchase, bool expanded) {
    if (expanded ? expanded_.insert(purchase).second : expanded_.erase(purchase) > 0) {
        emit dataChanged(PurchaseIndex(purchase, 0), PurchaseIndex(purchase, 3), {Qt::FontRole});
    }
}

int CostTreeModel::ArticleOf(const QModelIndex& index) {
    return index.isValid() && index.internalId() != kPurchaseRow ? index.row() : -1;
}

int CostTreeModel::PurchaseOf(const QModelIndex& index) {
    if (!index.isValid()) {
        return -1;
    }
    return index.internalId() == kPurchaseRow ? index.row() : int(index.internalId() - 1);
}

QModelIndex CostTreeModel::PurchaseIndex(int purchase, int column) const {
    return index(purchase, column);
}

QModelIndex CostTreeModel::ArticleIndex(int purchase, int article, int column) const {
    return index(article, column, PurchaseIndex(purchase));
}

QModelIndex CostTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (row < 0 || column < 0 || column >= 4) {
        return {};
    }
    if (!parent.isValid()) {
        return row < int(purchases_.size()) ? createIndex(row, column, kPurchaseRow)
                                            : QModelIndex();
    }
    if (parent.internalId() != kPurchaseRow || parent.row() >= int(purchases_.size()) ||
        row >= int(purchases_[std::size_t(parent.row())].articles.size())) {
        return {};
    }
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex CostTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kPurchaseRow) {
        return {};
    }
    return createIndex(int(child.internalId() - 1), 0, kPurchaseRow);
}

int CostTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) {
        return int(purchases_.size());
    }
    if (parent.column() != 0 || parent.internalId() != kPurchaseRow ||
        parent.row() >= int(purchases_.size())) {
        return 0;
    }
    return int(purchases_[std::size_t(parent.row())].articles.size());
}

int CostTreeModel::columnCount(const QModelIndex&) const {
    return 4;
}

const TTreeData* CostTreeModel::RowData(const QModelIndex& index) const {
    const int purchase = PurchaseOf(index);
    if (purchase < 0 || purchase >= int(purchases_.size())) {
        return nullptr;
    }
    const PurchaseNode& node = purchases_[std::size_t(purchase)];
    const int article = ArticleOf(index);
    if (article < 0) {
        return &node.purchase;
    }
    return article < int(node.articles.size()) ? &node.articles[std::size_t(article)] : nullptr;
}

QVariant CostTreeModel::data(const QModelIndex& index, int role) const {
    const TTreeData* row = RowData(index);
    if (row == nullptr) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return ToQ((*row)[std::size_t(index.column())]);
    case Qt::ToolTipRole: // the whole text of a cell too narrow for it
        return PlainHint(ToQ((*row)[std::size_t(index.column())]));
    case Qt::FontRole:
        if (ArticleOf(index) < 0 && expanded_.contains(index.row())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        // Amounts line up at the right edge.
        return index.column() >= 2 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool CostTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || RowData(index) == nullptr || !editHandler_) {
        return false;
    }
    editHandler_(PurchaseOf(index), ArticleOf(index), index.column(), value.toString());
    return true;
}

Qt::ItemFlags CostTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable_) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QVariant CostTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return headers_[section];
    }
    if (role == Qt::TextAlignmentRole) {
        return section >= 2 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

} // namespace zv
