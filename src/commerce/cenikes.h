#pragma once
// The grid editors of the price list: the basic price list TfCenikES, section by
// section with the quantity-tier panel, and the workshop price list TfCenikProhES
// (section 2), whose items are described by their extinguisher mark and repair text.
#include "widgets/editsez.h"

#include <QVector>

class QLineEdit;
class QTabBar;

// The description of a workshop item: the mark alone, or the mark, " - " and the
// refining text when there is one ("HP2", "HP2 - výměna ventilu").
QString workshopDescription(const QString &znacka, const QString &oprText);

// The price-list columns both editors read.
QString priceListGridSelect(bool workshop);

class TfCenikES : public TfEditSez
{
    Q_OBJECT
public:
    // The tabs: section 2 is edited only in the workshop price list.
    static const QVector<int> &Sections();

    explicit TfCenikES(QWidget *parent = nullptr, TDMPro *dm = DM);

    int section() const { return m_section; }
    // Shows another section, asking first about unsaved changes; false when the user
    // stayed (or the rows could not be read).
    bool setSection(int section);
    QTabBar *sectionTabs() const { return m_tbSekce; }
    // "Cena 1", "Počet 1" .. "Cena 5" of the current item; shown only where the
    // quantity tiers are on.
    QWidget *tierPanel() const { return m_pnlPasma; }

private:
    void tabChosen(int index);
    QTabBar *m_tbSekce = nullptr;
    QWidget *m_pnlPasma = nullptr;
    int m_section = 1;
};

class TfCenikProhES : public TfEditSez
{
    Q_OBJECT
public:
    static constexpr int Section = 2;

    explicit TfCenikProhES(QWidget *parent = nullptr, TDMPro *dm = DM);

    // The offers of the two pick lists, read when the window is made.
    // The marks: "HP1" to "HP5" and the extinguisher types (section 7).
    QStringList znacky() const { return m_znacky; }
    QStringList opravy() const { return m_opravy; }

private:
    // A changed mark or repair text describes the row again.
    void describe(int row);
    QStringList m_znacky;
    QStringList m_opravy;
};
