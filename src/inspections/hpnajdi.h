#pragma once
// TfHPNajdi, "Hledání HP podle výrobního čísla": every inspection that lists an
// extinguisher whose serial number starts with the typed text; a chosen row gives the
// inspection and the item.
#include <QDialog>

#include "inspections/serialsearch.h"

class QLineEdit;
class QPushButton;
class QTableWidget;
class TDMPro;

class TfHPNajdi : public QDialog
{
    Q_OBJECT
public:
    explicit TfHPNajdi(TDMPro *dm, QWidget *parent = nullptr);

    // Re-reads the rows for the text in the field. Returns the row count, or -1 when
    // the search failed (the user has been told).
    int Hledat();
    // OK with the current row's keys; nothing when there is no row.
    void Zobrazit();

    int chosenInspection() const { return m_uncis; }
    int chosenItem() const { return m_tuncis; }

    QLineEdit *eHledat() const { return m_eHledat; }
    QTableWidget *grid() const { return m_grid; }
    const HPSerialSearch &search() const { return m_search; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // one prepared search for the window's lifetime: every key release searches again
    HPSerialSearch m_search;
    QLineEdit *m_eHledat;
    QTableWidget *m_grid;
    QPushButton *m_bZobrazit;
    QPushButton *m_bZavrit;
    QString m_searched;   // the text the rows were found for
    int m_uncis = 0;
    int m_tuncis = 0;
};
