#pragma once

#include "costs/TTreeData.h"

#include <QAbstractItemModel>
#include <QStringList>

#include <functional>
#include <set>
#include <vector>

namespace zv {

// The two-level tree of the cost windows: purchase rows with their article
// rows as children, four text columns. It only shows what the engine built;
// an in-place edit is handed to the window through the edit handler, which
// changes the engine's data and puts the result back with UpdatePurchase.
class CostTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // purchase index, article index (-1 for the purchase row), column, text.
    using EditHandler = std::function<void(int, int, int, const QString&)>;

    explicit CostTreeModel(QObject* parent = nullptr);

    // Column captions while every row is collapsed, and while one is expanded.
    static QStringList PurchaseHeaders();
    static QStringList ArticleHeaders();
    void SetHeaders(const QStringList& headers);

    void SetEditHandler(EditHandler handler) { editHandler_ = std::move(handler); }

    void SetPurchases(std::vector<PurchaseNode> purchases);
    // Shows the new cells of one purchase; added articles become new rows.
    void UpdatePurchase(int index, const PurchaseNode& purchase);
    void Clear() { SetPurchases({}); }
    const std::vector<PurchaseNode>& Purchases() const { return purchases_; }

    // Expanded purchase rows are drawn bold.
    void SetExpanded(int purchase, bool expanded);

    // -1 for an index that is no article (a purchase row or none).
    static int ArticleOf(const QModelIndex& index);
    // The purchase an index belongs to, -1 for none.
    static int PurchaseOf(const QModelIndex& index);
    QModelIndex PurchaseIndex(int purchase, int column = 0) const;
    QModelIndex ArticleIndex(int purchase, int article, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetEditable(bool editable) { editable_ = editable; }

private:
    const TTreeData* RowData(const QModelIndex& index) const;

    std::vector<PurchaseNode> purchases_;
    std::set<int> expanded_;
    QStringList headers_;
    EditHandler editHandler_;
    bool editable_ = false;
};

} // namespace zv
