#include "app/Startup.h"

#include "app/TfrmMain.h"
#include "calendar/ui/TfrmKalender.h"
#include "calendar/ui/TfrmKalenderDetails.h"
#include "catchlog/ui/TfrmBilder.h"
#include "catchlog/ui/TfrmDetails.h"
#include "catchlog/ui/TfrmFangHinzufuegen.h"
#include "catchlog/ui/TfrmFangsuchen.h"
#include "catchlog/ui/TfrmFelderverwalten.h"
#include "catchlog/ui/TfrmInfo.h"
#include "catchlog/ui/TfrmKarte.h"
#include "costs/ui/TfrmAKadd.h"
#include "costs/ui/TfrmAKjahr.h"
#include "costs/ui/TfrmAKuebersicht.h"
#include "costs/ui/TfrmAksuchen.h"
#include "exporting/ui/TfrmExportieren.h"
#include "reports/ui/TfrmAuswerten.h"
#include "statistics/ui/TfrmInternet.h"
#include "statistics/ui/TfrmOSabgleichen.h"
#include "statistics/ui/TfrmStatistik.h"
#include "storage/ui/TfrmDatenbank.h"
#include "widgets/PendingForm.h"

namespace zv {

namespace {

// A window whose content comes with a later version: it exists already, with
// its caption, so its menu items open it.
QWidget* Pending(TfrmMain& main, const char* className, const char* caption) {
    return new PendingForm(QString::fromUtf8(className), QString::fromUtf8(caption), &main);
}

} // namespace

std::unique_ptr<TfrmMain> CreateForms(const std::filesystem::path& programFolder) {
    auto owner = std::make_unique<TfrmMain>(programFolder);
    TfrmMain& main = *owner;
    FormSet& forms = main.Forms();
    // One line per window, in the program's creation order.
    forms.Add(QStringLiteral("TfrmMain"), &main);
    auto* datenbank = new TfrmDatenbank(main.GetWorkspace(), &main);
    QObject::connect(datenbank, &TfrmDatenbank::DatabasesChanged, &main,
                     &TfrmMain::DatabasesReloaded);
    forms.Add(QStringLiteral("TfrmDatenbank"), datenbank);
    forms.Add(QStringLiteral("TfrmFangHinzufuegen"), new TfrmFangHinzufuegen(main, &main));
    forms.Add(QStringLiteral("TfrmFelderverwalten"), new TfrmFelderverwalten(main, &main));
    forms.Add(QStringLiteral("TfrmBilder"), new TfrmBilder(main, &main));
    forms.Add(QStringLiteral("TfrmDetails"), new TfrmDetails(main, &main));
    forms.Add(QStringLiteral("TfrmAKuebersicht"), new TfrmAKuebersicht(main, &main));
    forms.Add(QStringLiteral("TfrmAKadd"), new TfrmAKadd(main, &main));
    forms.Add(QStringLiteral("TfrmAKjahr"), new TfrmAKjahr(main, &main));
    forms.Add(QStringLiteral("TfrmAksuchen"), new TfrmAksuchen(main, &main));
    forms.Add(QStringLiteral("TfrmFangsuchen"), new TfrmFangsuchen(main, &main));
    forms.Add(QStringLiteral("TfrmStatistik"), new TfrmStatistik(main, &main));
    forms.Add(QStringLiteral("TfrmInternet"), new TfrmInternet(main, &main));
    forms.Add(QStringLiteral("TfrmOSabgleichen"), new TfrmOSabgleichen(main, &main));
    forms.Add(QStringLiteral("TfrmInfo"), new TfrmInfo(&main));
    forms.Add(QStringLiteral("TfrmKarte"), new TfrmKarte(main, &main));
    forms.Add(QStringLiteral("TfrmAuswerten"), new TfrmAuswerten(main, &main));
    forms.Add(QStringLiteral("Tfrmauswertenstatistik"),
              Pending(main, "Tfrmauswertenstatistik", "Statistik auswerten"));
    forms.Add(QStringLiteral("TfrmKalender"), new TfrmKalender(main, &main));
    forms.Add(QStringLiteral("TfrmKalenderDetails"), new TfrmKalenderDetails(main, &main));
    // Newer than the twenty classic windows, so after them.
    forms.Add(QStringLiteral("TfrmExportieren"), new TfrmExportieren(main, &main));
    return owner;
}

} // namespace zv
