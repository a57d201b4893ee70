#pragma once
// TVarSQL: an ordered list of named values. Controllers use it for the defaults of new
// rows, list filter conditions, and sets of column values written into rows.
#include <QString>
#include <QVariant>
#include <QVector>

class RowCache;
class QSqlRecord;

class TVarSQL
{
public:
    struct Item
    {
        QString name;                          // upper case
        QString op = QStringLiteral(" = ");    // operator for filter conditions
        QVariant value;
        bool loaded = false;                   // created while the force flag was on
    };

    int SetVariable(const QString &name, const QVariant &value);
    int SetVariable(const QString &name, const QString &op, const QVariant &value);
    QVariant GetVariable(const QString &name) const;
    bool contains(const QString &name) const;
    void remove(const QString &name);
    void ClearVariables() { m_items.clear(); }
    // Clears the list and takes every field of the row as an item.
    void LoadVariables(const RowCache &cache, int row);
    void LoadVariables(const QSqlRecord &record);
    // Writes every item whose value is neither null nor empty into the row, skipping
    // items that were loaded unless the force flag is on. Returns the count written.
    int ApplyVariables(RowCache &cache, int row) const;

    bool force() const { return m_force; }
    void setForce(bool on) { m_force = on; }

    const QVector<Item> &items() const { return m_items; }
    int count() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }

    // A value that counts as given (neither null nor an empty text).
    static bool hasValue(const QVariant &v);

private:
    QVector<Item> m_items;
    bool m_force = false;
};
