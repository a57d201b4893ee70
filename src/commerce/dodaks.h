#pragma once
// TfDodakS ("Tarko 8: Seznma dodacích listů"): the delivery-note list; a row opens the
// note's edit window, and in pick mode (a note attached to an inspection) the chosen
// note's key is handed back.
#include "commerce/documentlist.h"

class TfDodakC;

class TfDodakS : public TfDocumentList
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfDodakS(QWidget *parent = nullptr);

    int PrepareList() override;
    void OpenDetail(int key) override;
};

// "Dodací listy" and the tool button "DL": the list shown modeless; it frees itself
// and its controller.
TfDodakS *OtevriDodaciListy(QWidget *parent = nullptr);
// The list in pick mode, modal: the chosen note's key, 0 when none was chosen.
int VyberDodaciList(QWidget *parent = nullptr);
// The edit window of a note, modal.
void ZobrazDodaciList(int key, QWidget *parent = nullptr);
