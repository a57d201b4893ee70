#pragma once
// TfDodakDFaktura ("Tarko 8: Přenos do faktur"): the invoice number a delivery note moves
// into (typed, or picked from the invoice list) and the eleven sections, each ticked to
// move item by item or left to move as one line per VAT class. The ticks are kept for
// the user under "Param\Faktura".
#include <QDialog>
#include <QSet>
#include <QVector>

class QCheckBox;
class QLineEdit;
class TDMPro;

class TfDodakDFaktura : public QDialog
{
    Q_OBJECT
public:
    explicit TfDodakDFaktura(TDMPro *dm, QWidget *parent = nullptr);
    ~TfDodakDFaktura() override;

    void setNumber(const QString &number);
    QString number() const;
    QSet<int> itemSections() const;
    QStringList sectionLabels() const { return m_labels; }
    QCheckBox *sectionBox(int section) const { return m_boxes.value(section - 1); }
    QLineEdit *numberField() const { return m_eCisFak; }

    // The list button: an invoice picked from the invoice list gives its number.
    void VyberFaktury();

private:
    void loadTicks();
    void saveTicks();

    TDMPro *m_dm;
    QLineEdit *m_eCisFak = nullptr;
    QVector<QCheckBox *> m_boxes;
    QStringList m_labels;
};

class TfDodakC;
// "Přesun do faktury" of a delivery note: pending edits saved, the dialog, the move in
// one transaction; the note is reopened to show its link. The invoice key, 0 when
// nothing was moved, negative on failure (told).
int PresunDoFaktury(TfDodakC *note, QWidget *parent);
// "Odpojit fakturu": asked first; 1 detached, 0 not, negative on failure (told).
int OdpojitFakturu(TfDodakC *note);
