#pragma once
// The small modal windows that ask for one value: a text with a condition, a name, an
// integer range, a date range, the name and code of a new number series, one typed
// value, and the list-or-pick choice. OK ends them with 1, cancel (the cancel button,
// Esc, the window's cross) with 2. Callers show them through ask() (the prompt
// service, so tests can drive them) and read the typed getters afterwards. The shared
// instances created at start-up keep their last values between showings.
#include <QDate>
#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The OK/cancel frame the pick dialogs share.
class TfPickDialog : public QDialog
{
    Q_OBJECT
public:
    // Shows the dialog modally; true when it ended with OK.
    bool ask();

    QPushButton *okButton() const { return m_bOK; }
    QPushButton *cancelButton() const { return m_bStorno; }

public slots:
    // OK: ends with 1 when the values are acceptable; otherwise the dialog has told
    // the user why and stays open.
    void confirm();
    void reject() override;

protected:
    TfPickDialog(const QString &objectName, const QString &caption, QWidget *parent);
    // Checks the values before OK; false keeps the dialog open.
    virtual bool validate() { return true; }
    // The button row; OK is the default button, so Enter in a field means OK.
    QHBoxLayout *buttonRow(const QString &okCaption = QStringLiteral("OK"),
                           const QString &cancelCaption = QStringLiteral("Storno"));

private:
    QPushButton *m_bOK = nullptr;
    QPushButton *m_bStorno = nullptr;
};

// "Výběr textu": a text and how a column is compared with it.
class TfVybText : public TfPickDialog
{
    Q_OBJECT
public:
    explicit TfVybText(QWidget *parent = nullptr);

    // The condition codes in the order of the radio items: contains, starts with, ends
    // with, equals, greater, greater or equal, less, less or equal.
    static const QStringList &conditionCodes();

    QString text() const;
    void setText(const QString &text);
    // The chosen item, -1 when none.
    int conditionIndex() const;
    void setConditionIndex(int index);
    // The code of the chosen item; ".=" (starts with) when none is chosen.
    QString conditionCode() const;

private:
    QLineEdit *m_eText;
    QButtonGroup *m_rgPodminka;
};

// "Zadání názvu": a name that may not be empty.
class TfVyberNaz : public TfPickDialog
{
    Q_OBJECT
public:
    explicit TfVyberNaz(QWidget *parent = nullptr);

    // Asks for a name starting from initial; empty when cancelled.
    static QString askName(const QString &initial = QString(), QWidget *parent = nullptr);

    QString name() const;   // trimmed
    void setName(const QString &name);

protected:
    bool validate() override;

private:
    QLineEdit *m_edNaz;
};

// "Výběr intervalu čísel": two whole numbers and the non-zero switch.
class TfVybInt : public TfPickDialog
{
    Q_OBJECT
public:
    explicit TfVybInt(QWidget *parent = nullptr);

    // An empty field reads as 0.
    int from() const;
    int to() const;
    bool nonZeroOnly() const;
    void setRange(int from, int to);
    void setNonZeroOnly(bool on);

private:
    QLineEdit *m_eOd;
    QLineEdit *m_eDo;
    QCheckBox *m_cbNenulove;
};

// "Výběr období": two dates.
class TfVybObd : public TfPickDialog
{
    Q_OBJECT
public:
    explicit TfVybObd(QWidget *parent = nullptr);   // both dates start at today

    QDate from() const;
    QDate to() const;
    void setRange(const QDate &from, const QDate &to);

private:
    QDateEdit *m_dOd;
    QDateEdit *m_dDo;
};

// "Tarko 8: Nová číselná řada": the name and code of a new number series; the code is
// required.
class TfNovy : public TfPickDialog
{
    Q_OBJECT
public:
    explicit TfNovy(QWidget *parent = nullptr);

    // Asks with empty fields; false when cancelled.
    static bool askNew(QString &name, QString &code, QWidget *parent = nullptr);

    QString name() const;   // trimmed
    QString code() const;   // trimmed
    void setValues(const QString &name, const QString &code);

protected:
    bool validate() override;

private:
    QLineEdit *m_eNazev;
    QLineEdit *m_eKod;
};

// "Vstup": one value typed under a caller's caption; in integer mode only a whole
// number is accepted.
class TfRucVstup : public TfPickDialog
{
    Q_OBJECT
public:
    explicit TfRucVstup(QWidget *parent = nullptr);

    // Asks for a whole number under the caption, starting from value; false when
    // cancelled (value is then unchanged).
    static bool askInteger(const QString &caption, int &value, QWidget *parent = nullptr);
    // Asks for a text under the caption; false when cancelled.
    static bool askText(const QString &caption, QString &value, QWidget *parent = nullptr);

    // The text above the field (lPopis).
    void setDescription(const QString &text);
    QString description() const;
    void setIntegerMode(bool on) { m_integerMode = on; }
    bool integerMode() const { return m_integerMode; }
    QString value() const;
    void setValue(const QString &value);
    // The value as a whole number (0 when it is not one).
    int intValue() const;

protected:
    bool validate() override;

private:
    QLabel *m_lPopis;
    QLineEdit *m_eVstup;
    bool m_integerMode = false;
};

// Whether a list is to be shown as a list or used to pick from.
class TfMenuVybSez : public QDialog
{
    Q_OBJECT
public:
    enum Choice { Cancelled = 0, List = 1, Pick = 2 };

    explicit TfMenuVybSez(QWidget *parent = nullptr);

    // One of Choice; Esc and the window's cross count as "Storno".
    int ask();

public slots:
    void reject() override;
};
