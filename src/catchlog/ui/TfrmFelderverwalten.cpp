#include "catchlog/ui/TfrmFelderverwalten.h"

#include "catchlog/FieldViews.h"
#include "catchlog/ui/TfrmFangHinzufuegen.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/LinkLabel.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

namespace zv {

TfrmFelderverwalten::TfrmFelderverwalten(WindowHost& main, QWidget* parent)
    : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmFelderverwalten"));
    setWindowTitle(QStringLiteral("Felder verwalten"));

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(10, 10, 200, 330);
    SpeedButton3 = new QToolButton(this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    SpeedButton3->setToolTip(QString::fromUtf8("Ansicht löschen"));
    SpeedButton3->setGeometry(10, 346, 28, 26);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setGeometry(220, 10, 200, 330);
    for (const FieldViewItem& item : FieldViewItems()) {
        auto* entry = new QListWidgetItem(QString::fromUtf8(item.text), CheckListBox1);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Unchecked);
    }

    Label1 = new QLabel(
        QString::fromUtf8("Statistiken können durch Veränderung der Ansicht beeinträchtigt werden"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setStyleSheet(QStringLiteral("color: grey;"));
    Label1->setGeometry(44, 344, 376, 32);
    Label2 = new LinkLabel(QString::fromUtf8("Benötigte Felder für die Statistik anzeigen"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(44, 378, 376, 18);

    BitBtn1 = new QPushButton(QStringLiteral("Speichern"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(100, 406, 110, 28);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(220, 406, 110, 28);
    setFixedSize(430, 444);

    ConnectGuarded(ListBox1, &QListWidget::itemClicked, this,
                   [this](QListWidgetItem*) { ListBox1Click(); });
    // Moving through the list with the keys must tick the view shown as
    // selected too, or "Speichern" would store the ticks of the view before.
    ConnectGuarded(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            ListBox1Click();
        }
    });
    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
    ConnectGuarded(SpeedButton3, &QToolButton::clicked, this,
                   [this](bool) { SpeedButton3Click(); });
    ConnectGuarded(Label2, &LinkLabel::clicked, this, [this] { Label2Click(); });
}

void TfrmFelderverwalten::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmFelderverwalten::FormShow() {
    ListBox1->clear();
    for (const std::string& name : ManagerViewNames(main_.GetWorkspace().Settings())) {
        ListBox1->addItem(ToQ(name));
    }
}

void TfrmFelderverwalten::ListBox1Click() {
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        CheckListBox1->item(i)->setCheckState(Qt::Unchecked);
    }
    const int row = ListBox1->currentRow();
    if (row < 0) {
        return;
    }
    const std::string value = main_.GetWorkspace().Settings().ReadString(
        kViewSection, ToUtf8(ListBox1->item(row)->text()));
    const std::array<bool, 22> ticked = TicksFromViewValue(value);
    for (int i = 0; i < CheckListBox1->count() && i < 22; ++i) {
        CheckListBox1->item(i)->setCheckState(ticked[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                                  : Qt::Unchecked);
    }
}

void TfrmFelderverwalten::BitBtn1Click() {
    IniFile& settings = main_.GetWorkspace().Settings();
    const int row = ListBox1->currentRow();
    std::string target;
    if (row <= 0) {
        // The placeholder (or nothing) is selected: a new view needs a name.
        const std::optional<QString> answer =
            CurrentPrompts().InputBox(QString::fromUtf8("Bitte Name für Ansicht eingeben"),
                                      QStringLiteral("Name"), QString());
        if (!answer) {
            return;
        }
        const std::string name = ToUtf8(answer->trimmed());
        std::string message;
        if (!CheckNewViewName(settings, name, message)) {
            if (!message.empty()) {
                CurrentPrompts().Warning(ToQ(message));
            }
            return; // the manager stays open for another name
        }
        target = name;
    } else {
        target = ToUtf8(ListBox1->item(row)->text());
    }
    std::array<bool, 22> ticked{};
    for (int i = 0; i < CheckListBox1->count() && i < 22; ++i) {
        ticked[static_cast<std::size_t>(i)] = CheckListBox1->item(i)->checkState() == Qt::Checked;
    }
    if (!StoreView(settings, target, ViewValueFromTicks(ticked))) {
        CurrentPrompts().Error(ToQ(settings.LastError()));
        return;
    }
    // Listed only once stored, so a refused name never shows as a view.
    if (row <= 0) {
        ListBox1->addItem(ToQ(target));
    }
    if (auto* entry =
            main_.Forms().Get<TfrmFangHinzufuegen>(QStringLiteral("TfrmFangHinzufuegen"))) {
        entry->LoadViews();
    }
    accept();
}

void TfrmFelderverwalten::BitBtn2Click() {
    reject();
}

void TfrmFelderverwalten::SpeedButton3Click() {
    const int row = ListBox1->currentRow();
    if (row <= 0) {
        return; // the placeholder is no view
    }
    if (!CurrentPrompts().ConfirmYesNo(
            QString::fromUtf8("Wollen Sie diese Ansicht wirklich löschen?"))) {
        return;
    }
    IniFile& settings = main_.GetWorkspace().Settings();
    if (!DeleteView(settings, ToUtf8(ListBox1->item(row)->text()))) {
        CurrentPrompts().Error(ToQ(settings.LastError()));
        return;
    }
    delete ListBox1->takeItem(row);
}

void TfrmFelderverwalten::Label2Click() {
    CurrentPrompts().Information(QString::fromUtf8(
        "Statistik Fischart:\r\nKöder,  Wetter,  Länge, Gewicht\r\n\r\nStatistik "
        "Köder:\r\nKöder, Ködertyp, Köderlänge, Köderfarbe, Verhalten, Wetter\r\n\r\nStatistik "
        "Wetter:\r\nLufttemperatur, Wassertemperatur, Windrichtung, Windstärke, Wasserstand, "
        "Wassertrübung, Wetter,  Luftdruck"));
}

} // namespace zv
