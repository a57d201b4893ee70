#pragma once
// TfData, "Napojení k databázi": edits the per-user connection values.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TfData : public QDialog
{
    Q_OBJECT
public:
    explicit TfData(QWidget *parent = nullptr);

    // Reads the stored values into the fields (done on show).
    void loadValues();
    // "Potvrdit výběr databáze": writes the fields back; result 6, or 2 on failure.
    void confirm();
    // "Ukončit bez potvrzení": result 2.
    void leave();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void browse();
    QLabel *m_lDB;
    QLineEdit *m_edPath;
    QLineEdit *m_eUzivatel;
    QLineEdit *m_eHeslo;
};
