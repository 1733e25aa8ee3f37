#include "widgets/PendingForm.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zv {

PendingForm::PendingForm(const QString& className, const QString& caption, QWidget* parent)
    : QDialog(parent), className_(className) {
    // Object names drop the class prefix: TfrmKalender is the window frmKalender.
    setObjectName(className.startsWith(QLatin1Char('T')) ? className.mid(1) : className);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("Dieses Fenster steht in dieser Version noch nicht "
                                           "zur Verfügung."),
                            this);
    note->setObjectName(QStringLiteral("lb_pending"));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("btn_close"));
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(360, 120);
}

} // namespace zv
