#pragma once
// TfDodak, the delivery-note edit window: customer, site, issuer, number and date, the
// section selector with the four virtual sections, the line grid (quantity and price
// make the line, the VAT column takes ' ', 'S', 'Z'), the fill, recount, the summary of
// the inspections, header and footer texts, the table copy and the print. The rules
// live in TfDodakC; the window passes the user's actions on.
#include "widgets/editform.h"

#include <functional>

class NabCombo;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableView;
class QTextEdit;
class TfDodakC;
class DodakLineModel;

class TfDodak : public TfEditForm
{
    Q_OBJECT
public:
    explicit TfDodak(TfDodakC *controller, QWidget *parent = nullptr);

    TfDodakC *dodakc() const;
    // The section chosen in the selector (1 to 15).
    int section() const;
    void setSection(int section);

    void Doplnit();
    void Prepocet();
    void NactiSumar();
    void SmazPolozku();
    void Tisk();
    void OpisTabulky();
    void EditaceTextu(const QString &field, const QString &caption);
    QTableView *grid() const { return m_grid; }
    // "Přesun do skladu": the warehouse puts its move here (1 moved, 0 not, negative
    // failure); without it the button is disabled.
    static std::function<int(TfDodakC *, QWidget *)> &stockMove();
    QTextEdit *summary() const { return m_sumar; }

protected:
    int OnEditChange(RowCache *source) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHeader();
    bool fillSections();
    void reopenLines();
    void search(const QString &text);

    NabCombo *m_ncFirma = nullptr;
    NabCombo *m_ncStredisko = nullptr;
    NabCombo *m_ncVystavil = nullptr;
    QComboBox *m_cbSekce = nullptr;
    QCheckBox *m_cbVyplnene = nullptr;
    QTableView *m_grid = nullptr;
    DodakLineModel *m_model = nullptr;
    QLineEdit *m_eHledej = nullptr;
    QTextEdit *m_sumar = nullptr;
    bool m_sectionsFilled = false;
};
