#pragma once
// TfNabMatS, the material picker ("Tarko 8: Nabídka materiálu"): the price-list items
// of the ticked sections (or all of them), in pick mode. Each chosen row goes to the
// add-line routine of the document that opened the picker, and the picker stays open
// for the next item until it is closed.
#include "widgets/seznam.h"
#include "commerce/cenikc.h"

#include <QVector>
#include <functional>

class QCheckBox;
class ListDataset;

class TfNabMatS : public TfSeznam
{
    Q_OBJECT
public:
    // The document's add-line routine: the chosen item's key, and the list whose current
    // row is that item (its columns are those the document asked for).
    using AddLine = std::function<void(int key, ListDataset &rows)>;

    static const QString AliasTables;
    // The sections offered by a box of their own ("Sekce").
    static const QVector<int> &Sections();

    explicit TfNabMatS(QWidget *parent = nullptr);

    TfMaterialC *material() const;

    // The document's routine; without one, choosing a row ends the picker with 1 and
    // the caller reads the list's current row.
    void setAddLine(AddLine addLine) { m_addLine = std::move(addLine); }
    // Only items kept on stock (the stock slips and purchase orders ask for these).
    void setStockOnly(bool on);

    int PrepareList() override;
    int DefaultFilter() override;
    int OnListCreate() override;

    QCheckBox *sectionBox(int section) const;
    // "Všechny pol.": every item whatever its section.
    QCheckBox *allItemsBox() const { return m_cbVsechny; }
    QVector<int> tickedSections() const;

    // Opens the picker modally on the document's list text (empty: the picker's own
    // list) and hands every chosen row to addLine. Returns the picker's result, or -1
    // when it could not be made.
    static int vyber(QWidget *parent, const QString &listText, bool stockOnly, AddLine addLine);

public slots:
    void done(int result) override;

private:
    void sectionsChanged();

    QVector<QCheckBox *> m_sections;
    QCheckBox *m_cbVsechny = nullptr;
    AddLine m_addLine;
    bool m_listReady = false;
};
