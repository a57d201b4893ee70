#pragma once
// TfCenikS, the price-list item list ("Sklad / Ceník"): the items of the ticked
// sections with their stock, the order column and the under-limit views of the
// "Objednávka" menu; a row opens the item window TfCenik.
#include "widgets/seznam.h"
#include "commerce/cenikc.h"

#include <QVector>
#include <functional>

class QCheckBox;

class TfCenikS : public TfSeznam
{
    Q_OBJECT
public:
    // The column groups: table, alias, caption, variants.
    static const QString AliasTables;
    static constexpr int SectionCount = TfCenikC::SectionCount;

    explicit TfCenikS(QWidget *parent = nullptr);

    TfCenikC *cenik() const;

    int PrepareList() override;
    int DefaultFilter() override;
    int OnListCreate() override;
    void OpenDetail(int key) override;
    int BeforeDeleteRow() override;

    // "Zobrazit sekci" 1 to 11.
    QCheckBox *sectionBox(int section) const;
    QVector<int> tickedSections() const;

    // "Zobrazit sloupec pro objednání": the editable order column beside the rows.
    void showOrderColumn(bool on);
    bool orderColumnShown() const { return m_orderColumn; }
    // "Zobrazit položky pod limit" / "... pod krytický limit"; AllItems ends either.
    void setLimitView(TfCenikC::LimitView view);

    // "Sestavit objednávku": the purchase orders put their assembly here; without it
    // the entry is disabled.
    static std::function<void(TfCenikS &)> &orderAssembler();
    void SestavitObjednavku();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sectionsChanged();
    int orderColumn() const;

    QVector<QCheckBox *> m_sections;
    QAction *m_miZobrazitObjednat = nullptr;
    QAction *m_miPodLimit = nullptr;
    QAction *m_miPodKritLimit = nullptr;
    QAction *m_miSestavitObjednavku = nullptr;
    bool m_orderColumn = false;
    bool m_listReady = false;
};

// "Sklad / Ceník": a new item list with its own controller, shown modeless; it frees
// itself and its controller when closed. Null when the controller could not be made.
TfCenikS *OtevriCenik(QWidget *parent = nullptr);

// The section names of the price list as hints of a list's numbered section boxes.
void hintSectionNames(TDMPro *dm, const std::function<QCheckBox *(int section)> &boxOf);
