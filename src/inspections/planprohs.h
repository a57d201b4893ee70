#pragma once
// The two plan lists: TfPlanProhS ("Plán kontrol") over the live view and
// TfPlanProhKomS ("Plán prohlídek - kompletní") over the built plan. Both take the
// period from the fields "Období od" / "do", print "Sestava plánu" and export the
// listed due inspections to a calendar file. The rows are computed: no new, delete or
// detail.
#include "widgets/seznam.h"

class QLabel;
class QLineEdit;
class TfPlanProhC;

class TfPlanProhS : public TfSeznam
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfPlanProhS(QWidget *parent = nullptr);

    int PrepareList() override;
    void AfterRefreshActions() override;

    QLineEdit *obdobiOd() const { return m_od; }
    QLineEdit *obdobiDo() const { return m_do; }
    QString stav() const;

    // The button next to the fields: the live list takes the period and reads again.
    virtual void PouzijObdobi();
    // "Sestava plánu": the report of the listed rows in the preview.
    void SestavaPlanu();
    // "Export do kalendáře": the listed rows as an iCalendar file.
    void ExportDoKalendare();

protected:
    TfPlanProhC *plan() const;
    // The fields into the controller's period; false after telling the user.
    bool takePeriod();
    void setStav(const QString &text);

private:
    QLineEdit *m_od = nullptr;
    QLineEdit *m_do = nullptr;
    QLabel *m_stav = nullptr;
};

class TfPlanProhKomS : public TfPlanProhS
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfPlanProhKomS(QWidget *parent = nullptr);
    int PrepareList() override;
    // The button next to the fields builds the shared plan for the period.
    void PouzijObdobi() override;
};

// "Plán kontol" and "Plán kontrol komplet": the lists shown modeless; each frees itself
// and its controller when closed. Null when the controller could not be made.
TfPlanProhS *VytvorPlan(QWidget *parent = nullptr);
TfPlanProhKomS *VytvorPlanKomplet(QWidget *parent = nullptr);
TfPlanProhS *OtevriPlan(QWidget *parent = nullptr);
TfPlanProhKomS *OtevriPlanKomplet(QWidget *parent = nullptr);
