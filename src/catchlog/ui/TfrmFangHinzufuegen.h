#pragma once

#include "calendar/TSRCalendar.h"
#include "catchlog/CatchEntry.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QToolButton;
class QWidget;

namespace zv {

class WindowHost;

// The catch entry window: records a catch (add), corrects one (edit) or
// records a fishing day without a catch ("nichts gefangen"). Every optional
// control and its label carry a Tag (property "Tag") that the field views
// read; hidden controls keep their place.
class TfrmFangHinzufuegen : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kAddCaption = "Eintrag hinzufügen";
    static constexpr const char* kEditCaption = "Eintrag bearbeiten";

    TfrmFangHinzufuegen(WindowHost& main, QWidget* parent);

    // The openers of the main window's "&Hinzufügen" and "&Bearbeiten".
    void OpenForAdd();
    // False (and nothing shown) when the row's date, times or release mark
    // do not convert; the message has been shown then.
    bool OpenForEdit(int row);

    void FormCreate();
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void CheckBox1Click();
    void cb_ansichtChange();
    void SpeedButton1Click();
    void dt_fangdatumChange();
    void ed_laengeDblClick();
    void ed_gewichtDblClick();
    void Label15Click();
    void Label22Click();

    void LoadViews();
    void ApplyView();

    bool NothingCaught() const { return nothingCaught_; }
    const TSRCalendar& SRC() const { return src_; }
    QLineEdit* PictureField() const { return ed_bilder; }
    QLineEdit* MapField() const { return ed_karte; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    CatchEntry ReadEntry() const;
    void FillFrom(const EditableCatch& loaded);
    void EmptyBoxes();
    std::vector<ValueListEdit> ListEdits(const std::vector<std::string>& names,
                                         std::vector<std::vector<std::string>>& items);
    QComboBox* ComboOfList(const std::string& name) const;
    QWidget* Tagged(QWidget* widget, int tag);
    QLabel* AddLabel(const char* name, const char* text, int tag, int x, int y, int width = 130);
    QLabel* AddSection(const char* text, int y);
    QLineEdit* AddEdit(const char* name, int tag, int x, int y, int width = 150);
    QComboBox* AddCombo(const char* name, int tag, int x, int y, bool editable = true,
                        int width = 150);
    QTimeEdit* AddTime(const char* name, int tag, int x, int y);

    WindowHost& main_;
    TSRCalendar src_;
    bool nothingCaught_ = false;
    int editRow_ = 0;

    QComboBox* cb_ansicht = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QDateEdit* dt_fangdatum = nullptr;
    QTimeEdit* dt_fangzeit = nullptr;
    QTimeEdit* dt_angelbeginn = nullptr;
    QTimeEdit* dt_angelende = nullptr;
    QComboBox* cb_faenger = nullptr;
    QComboBox* cb_fischart = nullptr;
    QLineEdit* ed_laenge = nullptr;
    QLineEdit* ed_gewicht = nullptr;
    QComboBox* cb_fangmethode = nullptr;
    QLineEdit* ed_geschwindigkeit = nullptr;
    QLineEdit* ed_distanz = nullptr;
    QLineEdit* ed_tiefe = nullptr;
    QComboBox* cb_koeder = nullptr;
    QComboBox* cb_verhalten = nullptr;
    QComboBox* cb_koedertyp = nullptr;
    QComboBox* cb_koederfarbe = nullptr;
    QComboBox* cb_koederlaenge = nullptr;
    QComboBox* cb_gewaesser = nullptr;
    QComboBox* cb_stelle = nullptr;
    QLineEdit* ed_gpslat = nullptr;
    QLineEdit* ed_gpslong = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QComboBox* cb_Wetter = nullptr;
    QLineEdit* ed_lufttemp = nullptr;
    QLineEdit* ed_wassertemp = nullptr;
    QLineEdit* ed_luftdruck = nullptr;
    QComboBox* cb_windrichtung = nullptr;
    QComboBox* cb_windstaerke = nullptr;
    QComboBox* cb_wasserstand = nullptr;
    QComboBox* cb_wassertruebung = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLineEdit* ed_kommentar = nullptr;
    QCheckBox* cbox_zurueckgesetzt = nullptr;
    QLineEdit* ed_karte = nullptr;
    QLineEdit* ed_bilder = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QLabel* Label15 = nullptr;            // "GPS Lat"
    QLabel* Label16 = nullptr;            // "GPS Long"
    QLabel* Label22 = nullptr;            // "Windstärke:"
    std::vector<QWidget*> catchControls_; // hidden on a day without a catch
};

} // namespace zv
