#pragma once
// The choice of a stored design ("Nabídka"): the designs of one window by "Název",
// "Vytvořeno" and "Změněno", with "Nový", "Smazat", "Editace", "Použít" and "Zavřít
// bez použití". The kind of design is given by its operations: the report, document
// and filter choices differ only in what they list and which designer they open.
#include <QDialog>
#include <QList>
#include <functional>

#include "templates/templatemodel.h"

class QTableWidget;
class QToolButton;

class TfDesignChoice : public QDialog
{
    Q_OBJECT
public:
    struct Operations
    {
        std::function<int(QList<Templates::DesignEntry> &)> list;
        std::function<int(int key)> remove;            // 0 or negative
        // Opens the designer on the key (0: a new design); the key it ended on.
        std::function<int(int key)> edit;
    };
    TfDesignChoice(const QString &objectName, const QString &title, QWidget *parent = nullptr);

    void setOperations(Operations operations);
    // Reads the list again, keeping the key selected when it is still there.
    void refresh(int selectKey = 0);
    int chosenKey() const;
    int count() const;
    bool selectName(const QString &name);
    QTableWidget *table() const { return m_table; }

    void Novy();
    void Smazat();
    void Editace();

protected:
    Operations m_ops;
    QTableWidget *m_table;
};
