#pragma once
// TfInspectionWindow, what the edit windows of every inspection kind (extinguishers,
// hydrants, fire dampers) share: the header panel with the date, state, regular flag,
// document number and its series, the owner, site and technician pickers; the item
// grid with its add, repeat, insert, delete and move buttons and menu entries, the
// order by grid titles, the entry of objects by their order number and the search box;
// the text pages; carry-forward, the lock, the delivery-note unlink and the check
// before saving; and the enabling of all of it. A kind builds its pages and item panel
// with the helpers here and adds its own rules.
#include <QPointer>
#include <functional>

#include "widgets/editform.h"

class NabCombo;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTableView;
class QToolButton;
class RowCacheModel;
class TfInspectionC;

class TfInspectionWindow : public TfEditForm
{
    Q_OBJECT
public:
    // What names the kind on the screen.
    struct Texts
    {
        QString kind;             // "HP": object names, menu and messages
        QString title;            // window title
        QString stateColumn;      // FAKTURA or HOTOVO
        QString ownerLabel;       // "Vlastník HP"
        QString siteLabel;        // "Umístění HP"
        QString numberLabel;      // "Číslo"
        QString deleteQuestion;   // "Smazat tento HP?"
        QString searchColumn;     // the item column the search box looks in
        QString searchCaption;    // "Hledat číslo (F3)"
        QStringList titleOrders;  // the item order of every grid title, the last one "uncpom"
    };

    TfInspectionWindow(TfInspectionC *controller, const Texts &texts, QWidget *parent = nullptr);

    TfInspectionC *inspection() const;
    const Texts &texts() const { return m_texts; }

    // --- the document ----------------------------------------------------------------
    int BeforeEditNew() override;
    int AfterEditNew() override;
    // The check before saving, skipped once after a move or "Vložit nový".
    int BeforeEditSave() override;
    void AfterRefreshEditActions() override;

    // "Zkopírovat": carry-forward into next year's inspection, which is then shown.
    int Zkopirovat();
    // "Otevřít" (delivery note): the inspection's note, or a new or chosen one linked to it.
    int OtevritDL();
    // "Odpojit" (delivery note).
    int OdpojitDL();
    // "Tisk": the pending changes are saved first (a refused or failed save prints
    // nothing), then print gets the stored inspection's key. What print returns, or the
    // save's code.
    int TiskUlozeneho(const std::function<int(int key)> &print);
    // Enter in "Číslo": the typed series code becomes the next number of its series.
    void CisloEnter();
    // "Katalog číselných řad": the chosen series' code goes into the number field.
    void KatalogRad();
    // "Adresář firem": the address book on the owner.
    void AdresarFirem();
    // The owner was chosen in its picker.
    void VlastnikVybran();

    // --- the items -------------------------------------------------------------------
    int Pridat();
    int Opakovat();
    int VlozitNovy();
    int Smazat();
    int Presun(QChar direction);
    // Orders the items as the grid title with this column index asks.
    int RaditPodleSloupce(int column);
    int RaditPodlePoradiZapisu();
    // Enter in the order-number field: the item takes the owner's object of that
    // number, and the next item's order number is selected.
    void PoradiEnter();
    void ObjektVybran(int index);
    // The owner's objects read again.
    void NactiObjekty();
    // The search box: F3, and what is typed into it.
    void HledatF3();
    void HledatZnak(const QString &text);
    void HledatZpet();
    void HledatZrusit();
    QString searchBuffer() const { return m_hledat; }

    // Skipped check: true after a move or "Vložit nový" until the next save.
    bool skipsNextCheck() const;
    int ownerPriceList() const;
    double ownerDiscount() const;

    QTabWidget *pages() const { return m_pages; }
    QTableView *grid() const { return m_grid; }
    RowCacheModel *itemModel() const { return m_model; }
    QLineEdit *searchBox() const { return m_eHledat; }
    QMenuBar *menuBar() const { return m_menu; }
    QAction *menuAction(const QString &objectName) const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The lock alone, without the save and its check.
    int StoreLock(bool locked) override;

    // --- what a kind adds ------------------------------------------------------------
    // The field an added or inserted item is entered from.
    virtual QWidget *itemEntryField() const = 0;
    // Where Enter in the search box goes.
    virtual QWidget *searchDoneField() const { return itemEntryField(); }
    // The inspection shown is another one (or its owner changed).
    virtual void currentInspectionChanged();
    // The current item is another one or changed: the panel's choices follow it.
    virtual void showItemChoices();
    // The kind's own enabling, after the shared one.
    virtual void refreshKindActions(bool header, bool items, bool hasItems, bool hasCurrent)
    {
        (void)header, (void)items, (void)hasItems, (void)hasCurrent;
    }

    // --- building --------------------------------------------------------------------
    // The window laid out: header, what goes between it and the pages, pages, status.
    void layoutBody(QLayout *betweenHeaderAndPages = nullptr);
    // The items page with its buttons (extra ones after the move buttons), the grid and
    // the panel under it. The page is enabled only when the inspection may have items.
    QWidget *buildItemsPage(RowCacheModel *model, const QVector<int> &widths,
                            const QList<QToolButton *> &extraButtons = {});
    void setItemPanel(QWidget *page, QWidget *panel);
    // A page that needs an inspection able to have items.
    void addItemPage(QWidget *page) { m_itemPages << page; }
    // The order number, the owner's object and "Katalog objektů" in one row.
    QHBoxLayout *buildObjectRow(QWidget *panel);
    QLineEdit *buildSearchBox(QWidget *panel);
    // A rich-text page of a header column with its editing button.
    QWidget *buildTextPage(const QString &objectName, const QString &field, const QString &buttonName,
                           const QString &buttonCaption, const QString &caption);
    // The text page of the footer or conclusion with the summary under it: the count of
    // items (countColumn, computed at every save), the time taken and the price.
    QWidget *buildSummaryPage(const QString &objectName, const QString &field, const QString &buttonName,
                              const QString &buttonCaption, const QString &caption, const QString &countColumn,
                              const QString &countCaption);
    // The menu bar with "Protokol" and the kind's item menu ("Přidat nový", "&Opakovat",
    // "&Vložit nový", "Smazat …"), to which the kind adds.
    QMenu *buildMenuBar();
    void addSortEntry(QMenu *menu);
    void addKonec();
    QToolButton *button(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
    // An entry without run waits for its function: it stays disabled.
    QAction *menuEntry(QMenu *menu, const QString &objectName, const QString &caption,
                       std::function<void()> run = {}, const QKeySequence &keys = QKeySequence());
    void editText(const QString &field, const QString &caption);
    void focusItemField(QWidget *field);
    bool editable() const;
    bool itemsEditable() const;
    void addHeaderEditor(QWidget *w) { m_headerEditors << w; }
    void addItemEditor(QWidget *w) { m_itemEditors << w; }
    void addItemTool(QWidget *w) { m_itemTools << w; }
    QComboBox *objectCombo() const { return m_cbObjekt; }
    QLineEdit *orderNumberField() const { return m_ePoradi; }
    QWidget *itemsPage() const { return m_itemsPage; }

private:
    QWidget *buildHeader();
    void showSearchResult();

    Texts m_texts;
    RowCacheModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QTabWidget *m_pages = nullptr;
    QWidget *m_itemsPage = nullptr;
    QMenuBar *m_menu = nullptr;
    QLabel *m_status = nullptr;
    NabCombo *m_ncFirma = nullptr;
    NabCombo *m_ncStredisko = nullptr;
    QLineEdit *m_eCisPro = nullptr;
    QLineEdit *m_ePoradi = nullptr;
    QComboBox *m_cbObjekt = nullptr;
    QLineEdit *m_eHledat = nullptr;
    QList<QWidget *> m_itemPages;
    QList<QWidget *> m_headerEditors;   // follow the lock
    QList<QWidget *> m_itemEditors;     // follow the lock and need a current item
    QList<QWidget *> m_itemTools;       // follow the lock; no current item needed
    QList<QAction *> m_menuActions;
    QString m_hledat;
};
