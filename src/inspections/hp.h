#pragma once
// TfHP, the technician's working screen of one extinguisher inspection ("Kontroly HP"):
// the header with owner, site, technicians and document number, the grid of
// extinguishers with the item panel under it, the header and footer texts, and the
// menus of the document. It is keyboard-driven: Enter moves on, Insert and Alt+N add
// an extinguisher, Alt+O repeats one, F3 searches a serial number. The rules behind
// the buttons live in the controller TfHPC.
#include "inspections/hptisk.h"
#include "inspections/protocolwindow.h"

enum class CodeList;
class QComboBox;
class QLabel;
class QLineEdit;
class TfHPC;

class TfHP : public TfInspectionWindow
{
    Q_OBJECT
public:
    // The item orders a click on a grid title chooses, one per grid column.
    static const QStringList TitleOrders;

    explicit TfHP(TfHPC *controller, QWidget *parent = nullptr);

    TfHPC *hpc() const;

    int OnEditChange(RowCache *source) override;

    // "Propojit s dílnou": the fill dialog, then the workshop link; a failure is
    // reported as "Chyba v propojení s dílnou".
    int PropojitSDilnou();
    // "Doklad o kontrole HP", "Doklad o vyřazení HP": the stored inspection printed
    // with a document design of the kind into a preview. 0, 1 when the user stopped.
    int TiskDokladu(HPDocument kind);
    // "Náhradní díly a práce": the parts and work used on the current extinguisher
    void NahradniDily();

    // --- the extinguishers ---------------------------------------------------------
    int PridatHP() { return Pridat(); }
    int OpakovatHP() { return Opakovat(); }
    int SmazatHP();
    void TypVybran(int index);
    void StavVybran(int index);
    void PoziceVybrana(int index);

    // The drop-downs of the item panel read again (done on show).
    bool NaplnSeznamy();
    // The red markers over the pages.
    void PrepocitejZnacky();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QWidget *itemEntryField() const override;
    QWidget *searchDoneField() const override;
    void currentInspectionChanged() override;
    void showItemChoices() override;
    void refreshKindActions(bool header, bool items, bool hasItems, bool hasCurrent) override;

private:
    QWidget *buildItemPanel();
    void buildMenus();
    void openCodeListEditor(CodeList list);

    QComboBox *m_cbUmisteni = nullptr;
    QComboBox *m_cbPozice = nullptr;
    QComboBox *m_cbTyp = nullptr;
    QComboBox *m_cbStav = nullptr;
    QComboBox *m_cbOprText = nullptr;
    QComboBox *m_cbPozn = nullptr;
    QLineEdit *m_eVyrCis = nullptr;
    QLabel *m_lVyrazeni = nullptr;
    QLabel *m_lDilna = nullptr;
    bool m_seznamyNacteny = false;
    bool m_showingChoices = false;
};

// Opens the inspection of the key in its edit window, modally, on the controller of a
// list, on the extinguisher of itemKey when given. Returns false when the inspection
// could not be opened (the user was told).
bool OtevriKontroluHP(TfHPC *controller, int key, QWidget *parent = nullptr, int itemKey = 0);
