#pragma once
// TfSkladPrevodDMnozstvi ("Tarko 8: Množství a cena vkládaného materiálu"): the quantity
// and unit price of a price-list item about to be added to an invoice, a stock slip or
// an order. "Nevkládat" empties the quantity, so the caller adds nothing.
#include <QDialog>

class QLabel;
class QLineEdit;

class TfSkladPrevodDMnozstvi : public QDialog
{
    Q_OBJECT
public:
    explicit TfSkladPrevodDMnozstvi(QWidget *parent = nullptr);

    // Shows the dialog for the item; quantity and price in and out. False when the user
    // chose "Nevkládat" or closed it (the quantity is then empty).
    static bool ask(QWidget *parent, const QString &popis, QString &quantity, double &price);

    QLineEdit *quantityField() const { return m_eMnoz; }
    QLineEdit *priceField() const { return m_eCena; }

private:
    QLabel *m_lPopis = nullptr;
    QLineEdit *m_eCena = nullptr;
    QLineEdit *m_eMnoz = nullptr;
};
