#pragma once
// TfNabAdr, the address picker: a drop-down list of firms, technicians, employees or
// the sites of one firm under (or above) the picker combo that opened it. One shared
// instance serves every window; it also carries the address-text routines, whose side
// results (the chosen customer's price list and discount) the documents read from it.
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QVector>

#include "customers/adrtexty.h"
#include "customers/nabcombo.h"
#include "core/listdataset.h"
#include "core/listmodel.h"

class IncrementalSearch;
class QLabel;
class QTableView;
class QToolButton;
class SortHeader;

// What a mode of the picker lists and how.
struct RezimNabidky
{
    QString rezim;              // "FIR", "TEC", "ZAM", "STR"
    QString dotaz;              // the query without its order
    QStringList razeni;         // per grid column, what its title click sorts by
    QString vychoziRazeni;      // ORDER BY of a fresh showing
    QVector<ListColumn> sloupce;
    bool prepinace = false;     // "Organizace" / "Zaměstnanci" shown
};

class TfNabAdr : public QDialog, public TAdresniTexty
{
    Q_OBJECT
public:
    explicit TfNabAdr(QWidget *parent = nullptr, TDMPro *dm = nullptr);
    ~TfNabAdr() override;

    // The program's one picker (created on first use).
    static TfNabAdr *shared();
    // The mode by its name, any case; null for an unknown one.
    static const RezimNabidky *rezim(const QString &name);

    // The combo that gets the choice.
    void setCombo(NabCombo *combo) { m_combo = combo; }
    NabCombo *combo() const { return m_combo; }

    // Opens the list of the mode in its default order; for "STR" the sites of the
    // firm (none without a firm). 0, or -1 when the list could not be read (the user
    // has been told).
    int ZobrazNabidku(const QString &mode, int firmKey = 0);
    QString mode() const { return m_mode ? m_mode->rezim : QString(); }
    int firmKey() const { return m_firmKey; }
    QString orderBy() const { return m_orderBy; }
    // The query the list was read with.
    QString sqlText() const { return m_rows.selectSql(); }

    // "Vybrat" (Enter, double click): the current row goes to the combo.
    void Vybrat();
    // "Vrátit prázdný záznam": the combo gets no entry.
    void VratitPrazdny();
    // "Zavřít bez výběru".
    void ZavritBezVyberu();
    // The key chosen at the last closing; 0 when nothing was chosen.
    int vysledek() const { return m_vysledek; }

    // Where the drop-down goes for a combo's screen rectangle: left-aligned with it but
    // inside the screen, under it unless it would pass the screen's bottom, then above.
    static QPoint placement(const QRect &combo, const QSize &size, const QRect &screen);

    ListDataset &rows() { return m_rows; }
    QTableView *grid() const { return m_grid; }
    ListModel *model() const { return m_model; }
    SortHeader *sortHeader() const { return m_header; }
    QString searchText() const;
    QToolButton *button(const QString &objectName) const;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int reopen();
    void zavrit(int vysledek);
    void uvolnit();
    void prepnout(const QString &mode);

    ListDataset m_rows;
    ListModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    SortHeader *m_header = nullptr;
    QLabel *m_status = nullptr;
    IncrementalSearch *m_search = nullptr;
    QToolButton *m_sbOrganizace = nullptr;
    QToolButton *m_sbZamestnanci = nullptr;
    QPointer<NabCombo> m_combo;
    const RezimNabidky *m_mode = nullptr;
    int m_firmKey = 0;
    QString m_orderBy;
    int m_vysledek = 0;
};
