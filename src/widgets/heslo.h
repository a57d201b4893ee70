#pragma once
// TfHeslo, "Tarko 8: Heslo": asks for the password that unlocks a locked record. The
// answer is checked here against the program parameters, so callers only read the
// result: 1 right password, 7 wrong, 2 "Storno" (also Esc).
#include <QDialog>

class QLineEdit;
class QPushButton;

class TfHeslo : public QDialog
{
    Q_OBJECT
public:
    enum Result { Correct = 1, Cancelled = 2, Wrong = 7 };

    explicit TfHeslo(QWidget *parent = nullptr);

    // Empties the field and shows the dialog modally; one of Result.
    int ask();

    QLineEdit *passwordField() const { return m_eHeslo; }

public slots:
    // OK or Enter: 1 when the text is the unlock password, 7 otherwise.
    void confirm();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_eHeslo;
    QPushButton *m_bOK;
    QPushButton *m_bStorno;
};
