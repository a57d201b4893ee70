#pragma once
// The small windows of a list's filter actions: the column filter that pops up at
// the cursor, and the choice among the filters stored for the window.
#include <QDialog>
#include <QList>

#include "templates/templatemodel.h"

class QComboBox;
class QLineEdit;
class QListWidget;

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

// The stored filters of one window; the chosen entry's key, 0 when none was chosen.
class TfFiltrySez : public QDialog
{
    Q_OBJECT
public:
    TfFiltrySez(const QList<Templates::DesignEntry> &entries, QWidget *parent = nullptr);
    int chosenKey() const;
    QListWidget *list() const { return m_list; }

private:
    QListWidget *m_list;
    QList<Templates::DesignEntry> m_entries;
};
