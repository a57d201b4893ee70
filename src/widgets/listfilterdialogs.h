#pragma once
// The small windows of a list's filter actions: the column filter that pops up at
// the cursor, and the choice among the filters stored for the window.
#include <QDialog>
#include <QList>

#include "templates/templatemodel.h"
#include "widgets/designchoice.h"

#include <optional>

class QComboBox;
class QLineEdit;
class QCheckBox;

// "Filtr pro sloupec": an operator and a value for one column, prefilled with the
// value of the cell the user pointed at.
class TfFiltrSloupec : public QDialog
{
    Q_OBJECT
public:
    TfFiltrSloupec(const QString &columnCaption, const QString &value, QWidget *parent = nullptr);
    QString op() const;
    QString value() const;
    void setOperator(const QString &code);

private:
    QComboBox *m_operator;
    QLineEdit *m_value;
};

// The stored filters of one window: "Vlastní filtry" (made in the filter designer) and
// "Vygenerované filtry" (saved from the list) restrict the choice; "Nový" and "Editace"
// open TfGP, and a filter applied there ends the choice with that filter as shown.
class TfFiltrySez : public TfDesignChoice
{
    Q_OBJECT
public:
    TfFiltrySez(const QString &window, int variant, const QString &aliasTables, QWidget *parent = nullptr);
    const std::optional<Templates::FilterDesign> &appliedFilter() const { return m_applied; }

    QCheckBox *cbVlastni = nullptr;
    QCheckBox *cbVygenerovane = nullptr;

private:
    std::optional<Templates::FilterDesign> m_applied;
};
