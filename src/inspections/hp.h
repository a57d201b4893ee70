#pragma once
// TfHP, the technician's working screen of one extinguisher inspection ("Kontroly HP"):
// the header with owner, site, technicians and document number, the grid of
// extinguishers with the item panel under it, the header and footer texts, and the
// menus of the document. It is keyboard-driven: Enter moves on, Insert and Alt+N add
// an extinguisher, Alt+O repeats one, F3 searches a serial number. The rules behind
// the buttons live in the controller TfHPC.
#include "inspections/hptisk.h"
#include <QPointer>

#include "widgets/editform.h"

enum class CodeList;
class NabCombo;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTableView;
class QToolButton;
class RowCacheModel;
class TfHPC;

class TfHP : public TfEditForm
{
    Q_OBJECT
public:
    // The item orders a click on a grid title chooses, one per grid column.
    static const QStringList TitleOrders;

    explicit TfHP(TfHPC *controller, QWidget *parent = nullptr);

    TfHPC *hpc() const;

    // --- the document ----------------------------------------------------------------
    int BeforeEditNew() override;
    int AfterEditNew() override;
    // The check before saving, skipped once after a move or "Vložit nový".
    int BeforeEditSave() override;
    int OnEditChange(RowCache *source) override;
    void AfterRefreshEditActions() override;

    // "Zkopírovat": carry-forward into next year's inspection, which is then shown.
    int Zkopirovat();
    // "Propojit s dílnou": the fill dialog, then the workshop link; a failure is
    // reported as "Chyba v propojení s dílnou".
    int PropojitSDilnou();
    // "Odpojit" (delivery note).
    int OdpojitDL();
    // "Doklad o kontrole HP", "Doklad o vyřazení HP": the stored inspection printed
    // with a document design of the kind into a preview. 0, 1 when the user stopped.
    int TiskDokladu(HPDocument kind);
    // Enter in "Číslo": the typed series code becomes the next number of its series.
    void CisloEnter();
    // "Katalog číselných řad": the chosen series' code goes into the number field.
    void KatalogRad();
    // "Adresář firem": the address book on the owner.
    void AdresarFirem();
    // The owner was chosen in its picker.
    void VlastnikVybran();

    // --- the extinguishers ---------------------------------------------------------
    int PridatHP();
    int OpakovatHP();
    int VlozitNovy();
    int SmazatHP();
    int Presun(QChar direction);
    // Orders the items as the grid title with this column index asks.
    int RaditPodleSloupce(int column);
    int RaditPodlePoradiZapisu();
    // Enter in the order-number field: the item takes the owner's object of that
    // number, and the next item's order number is selected.
    void PoradiEnter();
    void ObjektVybran(int index);
    void TypVybran(int index);
    void StavVybran(int index);
    void PoziceVybrana(int index);
    // The serial-number search box: F3, and what is typed into it.
    void HledatF3();
    void HledatZnak(const QString &text);
    void HledatZpet();
    void HledatZrusit();
    QString searchBuffer() const { return m_hledat; }

    // The drop-downs of the item panel read again (done on show).
    bool NaplnSeznamy();
    // The owner's objects read again.
    void NactiObjekty();
    // The red markers over the pages.
    void PrepocitejZnacky();

    // Skipped check: true after a move or "Vložit nový" until the next save.
    bool skipsNextCheck() const;
    int ownerPriceList() const;
    double ownerDiscount() const;

    QTabWidget *pages() const { return m_pages; }
    QTableView *grid() const { return m_dbgHP; }
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

private:
    QWidget *buildHeader();
    QWidget *buildItemsPage();
    QWidget *buildItemPanel();
    QWidget *buildTextPage(const QString &objectName, const QString &field, const QString &buttonName,
                           const QString &buttonCaption, bool withSummary);
    void buildMenus();
    QToolButton *button(const QString &objectName, const QString &caption, QWidget *parent = nullptr);
    QAction *menuEntry(QMenu *menu, const QString &objectName, const QString &caption,
                       std::function<void()> run = {}, const QKeySequence &keys = QKeySequence());
    void showItemChoices();
    void currentInspectionChanged();
    void openCodeListEditor(CodeList list);
    void editText(const QString &field, const QString &caption);
    void focusItemField(QWidget *field);
    bool editable() const;
    bool itemsEditable() const;
    void showSearchResult();

    RowCacheModel *m_model = nullptr;
    QTableView *m_dbgHP = nullptr;
    QTabWidget *m_pages = nullptr;
    QMenuBar *m_menu = nullptr;
    NabCombo *m_ncFirma = nullptr;
    NabCombo *m_ncStredisko = nullptr;
    NabCombo *m_ncTechnik = nullptr;
    NabCombo *m_ncTechnik2 = nullptr;
    QLineEdit *m_eCisPro = nullptr;
    QLineEdit *m_ePoradi = nullptr;
    QComboBox *m_cbObjekt = nullptr;
    QComboBox *m_cbUmisteni = nullptr;
    QComboBox *m_cbPozice = nullptr;
    QComboBox *m_cbTyp = nullptr;
    QComboBox *m_cbStav = nullptr;
    QComboBox *m_cbOprText = nullptr;
    QComboBox *m_cbPozn = nullptr;
    QLineEdit *m_eVyrCis = nullptr;
    QLineEdit *m_eHledat = nullptr;
    QLabel *m_lVyrazeni = nullptr;
    QLabel *m_lDilna = nullptr;
    QWidget *m_itemsPage = nullptr;
    QList<QWidget *> m_headerEditors;   // follow the lock
    QList<QWidget *> m_itemEditors;     // follow the lock and need a current item
    QList<QWidget *> m_itemTools;       // follow the lock; no current item needed
    QList<QAction *> m_menuActions;
    QString m_hledat;
    bool m_seznamyNacteny = false;
    bool m_showingChoices = false;
};

// Opens the inspection of the key in its edit window, modally, on the controller of a
// list, on the extinguisher of itemKey when given. Returns false when the inspection
// could not be opened (the user was told).
bool OtevriKontroluHP(TfHPC *controller, int key, QWidget *parent = nullptr, int itemKey = 0);
