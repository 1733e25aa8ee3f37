#include "statistics/ui/TfrmOSabgleichen.h"

#include "base/DateTime.h"
#include "statistics/OnlineUpload.h"
#include "widgets/ErrorBoundary.h"
#include "widgets/ModalShow.h"
#include "widgets/Prompts.h"
#include "widgets/QtText.h"
#include "widgets/WindowHost.h"
#include "widgets/WorkerDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zv {

const char* const TfrmOSabgleichen::kProgressName = "UploadProgress";

namespace {

// Enables a button again when the handler ends, however it ends.
class EnableOnExit {
public:
    explicit EnableOnExit(QPushButton* button) : button_(button) {}
    ~EnableOnExit() { button_->setEnabled(true); }
    EnableOnExit(const EnableOnExit&) = delete;
    EnableOnExit& operator=(const EnableOnExit&) = delete;

private:
    QPushButton* button_;
};

QFrame* Line(QWidget* parent, QFrame::Shape shape) {
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TfrmOSabgleichen::TfrmOSabgleichen(WindowHost& main, QWidget* parent)
    : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmOSabgleichen"));
    setWindowTitle(QStringLiteral("Abgleichen"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);

    auto* columns = new QGridLayout();
    columns->setHorizontalSpacing(10);
    columns->setVerticalSpacing(3);
    auto* label1 = new QLabel(QStringLiteral("Folgende Daten werden übertragen:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    columns->addWidget(label1, 0, 0);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    // Display only: nothing to select, nothing to change.
    ListBox1->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox1->setFocusPolicy(Qt::NoFocus);
    for (const char* field : {"Fangdatum",   "Fangzeit",       "Fischart",
                              "Laenge",      "Gewicht",        "Fangmethode",
                              "Koeder",      "KoederFarbe",    "KoederLaenge",
                              "Koedertyp",   "Wetter",         "Lufttemp",
                              "Wassertemp",  "Luftdruck",      "Windrichtung",
                              "Windstaerke", "Wasserstand",    "Wassertruebung",
                              "Mondphase",   "zurueckgesetzt", ""}) {
        ListBox1->addItem(QString::fromUtf8(field));
    }
    columns->addWidget(ListBox1, 1, 0);

    columns->addWidget(Line(this, QFrame::VLine), 0, 1, 2, 1);

    auto* label2 = new QLabel(QStringLiteral("Optional:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = label2->font();
    bold.setBold(true);
    label2->setFont(bold);
    columns->addWidget(label2, 0, 2);
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const char* field : {"Fänger", "Gewässer", "Stelle"}) {
        auto* item = new QListWidgetItem(QString::fromUtf8(field), CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    columns->addWidget(CheckListBox1, 1, 2);
    columns->setColumnStretch(0, 1);
    columns->setColumnStretch(2, 1);
    outer->addLayout(columns, 1);

    outer->addWidget(Line(this, QFrame::HLine));
    auto* bottom = new QHBoxLayout();
    auto* note = new QLabel(QStringLiteral("Dieser Vorgang kann einige Minuten dauern"), this);
    note->setObjectName(QStringLiteral("Label3"));
    note->setWordWrap(true);
    bottom->addWidget(note, 1);
    BitBtn1 = new QPushButton(QStringLiteral("Starten"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    bottom->addWidget(BitBtn1);
    bottom->addWidget(BitBtn2);
    outer->addLayout(bottom);

    ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
    ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
    setFixedSize(kClientWidth, kClientHeight);
}

void TfrmOSabgleichen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Guarded([this] { FormShow(); });
    }
}

void TfrmOSabgleichen::FormShow() {
    // Centred on the main window; the ticks stay as the angler left them.
    move(main_.FrameGeometry().center() - QPoint(width() / 2, height() / 2));
}

UploadPersonalFields TfrmOSabgleichen::PersonalFields() const {
    auto ticked = [this](int index) {
        return CheckListBox1->item(index)->checkState() == Qt::Checked;
    };
    return {ticked(0), ticked(1), ticked(2)};
}

void TfrmOSabgleichen::BitBtn1Click() {
    BitBtn1->setEnabled(false);
    // Enabled again whatever happens, so a failed upload can be retried.
    const EnableOnExit enableAgain(BitBtn1);
    Workspace& workspace = main_.GetWorkspace();
    // An empty table from a database that did not load would go out as
    // "no catches"; the command line refuses it too.
    std::string problem = workspace.UnopenedProblem(DatabaseKind::Catch);
    if (!problem.empty()) {
        CurrentPrompts().Error(ToQ(problem));
        return;
    }
    const std::optional<UploadServer> server =
        ConfiguredUploadServer(workspace.Settings(), problem);
    if (!server) {
        CurrentPrompts().Error(ToQ(problem));
        return;
    }
    PreparedUpload prepared;
    // A catch date that is not a date ends here with its message (through
    // the handler boundary): nothing is written, nothing is sent.
    if (!OnlineUpload::Prepare(workspace.DB(), workspace.ProgramFolder(), *server, PersonalFields(),
                               CurrentClock().Now(), prepared, problem)) {
        CurrentPrompts().Error(ToQ(problem));
        return;
    }
    const HttpReply reply = Transfer(prepared);
    const UploadOutcome outcome = OnlineUpload::Finish(prepared, reply.ok, reply.error);
    if (!outcome.ok) {
        CurrentPrompts().Error(ToQ(outcome.message));
        return;
    }
    if (outcome.warning) {
        CurrentPrompts().Warning(ToQ(outcome.message));
    } else {
        CurrentPrompts().Information(ToQ(outcome.message));
    }
    accept();
}

HttpReply TfrmOSabgleichen::Transfer(const PreparedUpload& prepared) {
    WorkerDialog progress(this, kProgressName, QStringLiteral("Abgleichen"),
                          QStringLiteral("Die Einträge werden an \"%1\" übertragen …")
                              .arg(ToQ(prepared.server.Text())),
                          QStringLiteral("Die Übertragung wird abgebrochen …"));
    progress.Dialog().setRange(0, 100);
    progress.Dialog().setMinimumWidth(320);
    HttpReply reply;
    const std::string url = prepared.server.Url();
    progress.Run([&] {
        const HttpPoster::Progress report = [&](std::uint64_t sent, std::uint64_t total) {
            const bool waiting = total != 0 && sent == total;
            progress.Show(waiting ? QStringLiteral("Warte auf die Antwort des Servers …")
                                  : QString(),
                          total == 0 ? 0 : static_cast<int>(sent * 100 / total));
        };
        reply = poster_.Post(url, prepared.request.headers, prepared.request.body,
                             &progress.CancelFlag(), report);
    });
    return reply;
}

void TfrmOSabgleichen::BitBtn2Click() {
    reject();
}

} // namespace zv
