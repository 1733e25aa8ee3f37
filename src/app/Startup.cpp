#include "app/Startup.h"

#include "catchlog/ui/TfrmBilder.h"
#include "catchlog/ui/TfrmDetails.h"
#include "catchlog/ui/TfrmFangHinzufuegen.h"
#include "catchlog/ui/TfrmFelderverwalten.h"
#include "catchlog/ui/TfrmInfo.h"
#include "catchlog/ui/TfrmMain.h"
#include "storage/ui/TfrmDatenbank.h"
#include "widgets/PendingForm.h"

namespace zv {

namespace {

struct PendingWindow {
    const char* className;
    const char* caption;
};

void AddPending(TfrmMain& main, const PendingWindow& window) {
    const QString className = QString::fromUtf8(window.className);
    main.Forms().Add(className,
                     new PendingForm(className, QString::fromUtf8(window.caption), &main));
}

} // namespace

std::unique_ptr<TfrmMain> CreateForms(const std::filesystem::path& programFolder) {
    auto main = std::make_unique<TfrmMain>(programFolder);
    main->Forms().Add(QStringLiteral("TfrmMain"), main.get());
    auto* datenbank = new TfrmDatenbank(main->GetWorkspace(), main.get());
    QObject::connect(datenbank, &TfrmDatenbank::DatabasesChanged, main.get(),
                     &TfrmMain::DatabasesReloaded);
    main->Forms().Add(QStringLiteral("TfrmDatenbank"), datenbank);

    // Windows whose content comes with later versions exist already, with
    // their captions, so their menu items open them.
    main->Forms().Add(QStringLiteral("TfrmFangHinzufuegen"),
                      new TfrmFangHinzufuegen(*main, main.get()));
    main->Forms().Add(QStringLiteral("TfrmFelderverwalten"),
                      new TfrmFelderverwalten(*main, main.get()));
    main->Forms().Add(QStringLiteral("TfrmBilder"), new TfrmBilder(*main, main.get()));
    main->Forms().Add(QStringLiteral("TfrmDetails"), new TfrmDetails(*main, main.get()));
    const PendingWindow before[] = {
        {"TfrmAKuebersicht", "Übersicht"},       {"TfrmAKadd", "Angelkosten hinzufügen"},
        {"TfrmAKjahr", "Jahreszusammenfassung"}, {"TfrmAksuchen", "Angelkosten suchen"},
        {"TfrmFangsuchen", "Fang suchen"},       {"TfrmStatistik", "Statistik"},
        {"TfrmInternet", "Online Statistiken"},  {"TfrmOSabgleichen", "Abgleichen"},
    };
    for (const PendingWindow& window : before) {
        AddPending(*main, window);
    }
    main->Forms().Add(QStringLiteral("TfrmInfo"), new TfrmInfo(main.get()));
    const PendingWindow after[] = {
        {"TfrmKarte", "Karte"},
        {"TfrmAuswerten", "Auswerten"},
        {"Tfrmauswertenstatistik", "Statistik auswerten"},
        {"TfrmKalender", "Kalender"},
        {"TfrmKalenderDetails", "Tages Informationen"},
    };
    for (const PendingWindow& window : after) {
        AddPending(*main, window);
    }
    return main;
}

} // namespace zv
