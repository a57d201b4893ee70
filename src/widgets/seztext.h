#pragma once
// TfSezText, "Seznam textů": the library of defined texts by name with a preview of
// the formatted text, to choose one for the text editor's "Naplnit text".
#include <QDialog>

#include "core/datamodulpro.h"
#include "widgets/fieldbinding.h"
#include "core/rowcache.h"

class QTableView;
class QTextEdit;
class RowCacheModel;

class TfSezText : public QDialog
{
    Q_OBJECT
public:
    explicit TfSezText(QWidget *parent = nullptr, TDMPro *dm = DM);

    // False when the library could not be read (the user has been told).
    bool isCreated() const { return m_created; }

    // "O.K. - Přidat" (and a double click): the current text is the choice.
    void Vybrat();
    // "Konec": no choice.
    void Konec();

    // The chosen text's key; 0 while nothing was chosen.
    int chosenKey() const { return m_chosenKey; }
    RowCache &rows() { return m_rows; }
    QTableView *grid() const { return m_grid; }
    // The formatted text of the current row.
    QTextEdit *preview() const { return m_preview; }

private:
    RowCache m_rows;
    FieldBinding m_fields;
    RowCacheModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QTextEdit *m_preview = nullptr;
    int m_chosenKey = 0;
    bool m_created = false;
};
