#pragma once
// The filter designer TfGP ("Sestavení filtru seznamu") and the sort dialog TfGR
// ("Řazení záznamů") of a list window, and the pick lists a filter value is chosen
// from. The condition and order texts are made in templates/templatesql.h.
#include <QDialog>
#include <functional>

#include "templates/templatemodel.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;
class TDMPro;
class TfSeznam;
class DesignBar;
class DictionaryPanel;

namespace PickLists {

// A list window that opens in pick mode for a filter value, by the name the
// dictionary's VYBPOL gives it; the variant is its NABTYP.
using Factory = std::function<TfSeznam *(QWidget *parent, int variant)>;
void registerList(const QString &name, Factory factory);
// nullptr when no list of that name is known.
TfSeznam *create(const QString &name, QWidget *parent, int variant);

} // namespace PickLists

class TfGP : public QDialog
{
    Q_OBJECT
public:
    TfGP(const QString &window, int variant, const QString &aliasTables, QWidget *parent = nullptr);

    // Shows the filter as the list has it now (a stored one keeps its key, so that
    // saving updates it), with the window's stored filters in the navigator.
    void open(const Templates::FilterDesign &filter);
    // Shows the stored filter of the key (0: a new one).
    void openStored(int key);
    // The filter as shown, saved or not.
    Templates::FilterDesign filter() const;
    DesignBar *bar() const { return m_bar; }
    DictionaryPanel *items() const { return m_items; }

    QTableWidget *dbgPodminky = nullptr;
    QComboBox *cbPodminka = nullptr;
    QLineEdit *eHodnota = nullptr;
    QComboBox *cbSpojeni = nullptr;
    QPlainTextEdit *mVlastni = nullptr;

    void addCondition();
    void removeCondition();
    void removeAllConditions();
    void moveCondition(int delta);
    // The value from the item's pick list ("Filtr položky").
    void pickValue();

private:
    void loadFilter(int key);
    void showConditions(int current);
    void showCurrent();
    void changeCurrent(const std::function<void(Templates::FilterCondition &)> &change);
    const Templates::DictionaryItem *itemOf(const Templates::FilterCondition &condition) const;

    QString m_window;
    int m_variant;
    QString m_aliasTables;
    TDMPro *m_dm;
    DesignBar *m_bar;
    DictionaryPanel *m_items;
    Templates::FilterDesign m_filter;
};

class TfGR : public QDialog
{
    Q_OBJECT
public:
    TfGR(const QString &aliasTables, QWidget *parent = nullptr);
    // " ORDER BY ..." of the picks; empty when every pick is "nic".
    QString orderBy() const;

    QComboBox *cbPolozka[3] = {};
    QCheckBox *cbSestupne[3] = {};
};
