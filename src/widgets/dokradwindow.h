#pragma once
// TfDokRad, the window of the document number series. Opened from the main menu it
// edits the series ("Číselné řady dokladů"); opened by a document window it is the
// catalogue the user picks a series from, where Enter in the grid takes the current
// series and closes. Names and formats are edited in the grid and written together;
// adding and removing a series and setting its counter go straight to the database
// through DocumentSeries.
#include <QDialog>

#include "core/datamodulpro.h"
#include "core/dokrad.h"
#include "core/rowcache.h"

class QLineEdit;
class QTableView;
class QToolButton;
class RowCacheModel;

class TfDokRad : public QDialog
{
    Q_OBJECT
public:
    enum Mode { Catalogue, Editing };

    explicit TfDokRad(QWidget *parent = nullptr, TDMPro *dm = DM);

    // The menu entry: the window in editing mode, shown modally.
    static void openEditor(QWidget *parent = nullptr, TDMPro *dm = DM);
    // A document window's catalogue: the code of the series picked with Enter, empty
    // when the window was closed without a pick.
    static QString pickSeries(QWidget *parent = nullptr, TDMPro *dm = DM);

    Mode mode() const { return m_mode; }
    void setMode(Mode mode) { m_mode = mode; }
    // Whether the series could be read (the user has been told when not).
    bool isCreated() const { return m_created; }

    // --- the buttons -----------------------------------------------------------------
    // "Zobrazit hodnotu": the current series' counter into eCis (empty when it cannot
    // be read).
    void ZobrazHodnotu();
    // "Uložit hodnotu": eCis becomes the current series' counter.
    int UlozHodnotu();
    // "Přidat": saves the grid, asks name and code, adds the series.
    int Pridej();
    // "Ubrat": saves the grid, asks, removes the current series and its counter.
    int Uber();
    // The save button: writes the grid's changes and reads the series again.
    int Uloz();
    // "Zavřít": writes the grid's changes and closes.
    void Zavrit();

    // The code of the current row; empty when there is none.
    QString currentCode() const;
    // Reads the series again and goes to the row of the code (the current one when empty).
    bool reopen(const QString &code = QString());

    RowCache &rows() { return m_rows; }
    RowCacheModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }
    QLineEdit *valueField() const { return m_eCis; }

protected:
    // Every way out (Zavřít, Enter in the catalogue, Esc, the window's cross) writes the
    // grid's changes and leaves the window in catalogue mode.
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Writes the grid's changes in one transaction; false (message shown) on failure.
    bool saveChanges();
    void markEdited(int row);

    TDMPro *m_dm;
    DocumentSeries m_series;
    RowCache m_rows;   // qDokRad
    RowCacheModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_eCis = nullptr;
    QString m_picked;
    Mode m_mode = Catalogue;
    bool m_created = false;
};
