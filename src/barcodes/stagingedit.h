#pragma once
// The rules of "Editace HP z načtených čárových kódů" without its window: the staged rows
// of VSTCARKOD held for editing, what each picker writes into the current row, the year
// of manufacture from the serial number, saving, undoing, deleting and the transfer into
// inspections (barcodes/transfer.h).
#include <QDate>
#include <QString>

#include "core/rowcache.h"

class TDMPro;

class StagingEdit
{
public:
    enum RowKind { Extinguisher = 1, Customer = 10, Object = 11, Captions = 99 };

    explicit StagingEdit(TDMPro *dm);
    RowCache &rows() { return m_rows; }

    // Reads "SELECT * FROM VstCarKod ORDER BY UnCis".
    bool open();
    // What the grid shows in a column of a row: customer rows show the customer, site,
    // technician and date, object rows the object's name, in the first columns.
    QString displayText(int row, const QString &field) const;

    // The pickers, on the current row.
    void chooseCustomer(int uncfir);
    void chooseSite(int uncstr);
    void chooseTechnician(int unctech);
    void chooseDate(const QDate &date);
    void chooseObject(const QString &name);
    void chooseType(int unccen);
    // Before a row is posted: "/yy" in the serial number gives the year of manufacture.
    void prePost(int row);

    bool isChanged() const { return m_rows.isDirty(); }
    // "Uložit hodnoty ?" then the changes; false when refused or failed.
    bool Uloz();
    // Writes the changes without asking.
    bool saveChanges();
    void Zpet();
    // "Smazat tneto záznam ?" then the current row goes.
    bool SmazatZaznam();
    // The two questions, then every staged row goes.
    bool SmazatVse();
    // "Vytvořit protokoly a přenést hodnoty ?", the pending edits saved, then the transfer.
    bool Prenest();

private:
    QVariant lookup(const QString &sql, int key, const QString &field) const;
    TDMPro *m_dm;
    RowCache m_rows;
};
