#pragma once
// TfCenikDObjVyd: the order number "Sestavit objednávku" of the price list assembles
// into, typed or picked from the order list ("Výběr objednávky pro přenos").
#include <QDialog>

class QLineEdit;
class TfCenikS;

class TfCenikDObjVyd : public QDialog
{
    Q_OBJECT
public:
    explicit TfCenikDObjVyd(QWidget *parent = nullptr);
    QLineEdit *number() const { return m_eCisObj; }

private:
    QLineEdit *m_eCisObj = nullptr;
};

// "Sestavit objednávku" of the item list: the number asked, every row with a quantity
// in the order column added to that order (created after a question when there is
// none) in one transaction.
void SestavitObjednavku(TfCenikS &list);
