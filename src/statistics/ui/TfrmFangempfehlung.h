#pragma once

#include "statistics/CatchRecommendation.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace zv {

// "Fangempfehlung": the twelve months of the catch recommendation in one
// list. Built afresh for every run and shown modally; nothing survives it.
class TfrmFangempfehlung : public QDialog {
    Q_OBJECT
public:
    TfrmFangempfehlung(const std::vector<RecommendationRow>& rows, const QIcon& closeGlyph,
                       QWidget* parent);

    static constexpr int kWidth = 580;
    static constexpr int kListHeight = 300;

private:
    QTableWidget* lv_empfehlung = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

} // namespace zv
