#pragma once
// TfSkladPrevod ("Tarko 8: Skladová převodka"), the stock slip edit window: date,
// number (Enter takes the next number of the typed series), issuer and receiver, the
// kind label in its colour, the line grid with the VAT keys, the two condition radio
// groups for the lines to come, lines from the material picker, lock and print. The
// rules live in TfSkladPrevodC; the window passes the user's actions on.
#include "widgets/editform.h"

class NabCombo;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QTableView;
class RowCacheModel;
class TfSkladPrevodC;

class TfSkladPrevod : public TfEditForm
{
    Q_OBJECT
public:
    explicit TfSkladPrevod(TfSkladPrevodC *controller, QWidget *parent = nullptr);

    TfSkladPrevodC *prevodc() const;
    QTableView *grid() const { return m_grid; }
    QLabel *kindLabel() const { return m_lTyp; }
    // The chosen previous (0) or new (1) condition, 1 to 4.
    int condition(int group) const;
    void setCondition(int group, int condition);

    void PridatZCeniku();
    void SmazPolozku();
    void CisloZRady();
    void Tisk();

protected:
    int OnEditChange(RowCache *source) override;

private:
    QWidget *buildHeader();
    void showKind();

    NabCombo *m_ncVyd = nullptr;
    NabCombo *m_ncPri = nullptr;
    QLineEdit *m_eCDT = nullptr;
    QLabel *m_lTyp = nullptr;
    QTableView *m_grid = nullptr;
    RowCacheModel *m_model = nullptr;
    QButtonGroup *m_stav[2] = {nullptr, nullptr};
};
