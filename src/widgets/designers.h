#pragma once
// The column designers of a list window: the report designer TfGS ("Návrhář sestav"),
// its twin for the inspection documents TfGSDok, and the grid-layout designer TfGG
// ("Sestavení sloupců seznamu"). Each shows a design as a row of column boxes made
// from the window's dictionary items; the stores and rules live in templates/.
#include <QDialog>

#include "templates/templatemodel.h"
#include "widgets/columnboxes.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTextEdit;
class TDMPro;

// What the column designers share: the window they design for, the item tabs, the
// boxes, the design bar and the status line with the selected box's "left / width".
class ColumnDesigner : public QDialog
{
    Q_OBJECT
public:
    ColumnDesigner(const QString &window, int variant, const QString &aliasTables, Templates::DesignKind kind,
                   QWidget *parent);

    // Reads the window's designs and shows the key's one (0: a new design).
    void open(int key) { m_bar->open(key); }
    int currentKey() const { return m_bar->currentKey(); }
    DesignBar *bar() const { return m_bar; }
    DictionaryPanel *items() const { return m_items; }
    ColumnStrip *strip() const { return m_strip; }
    QString status() const;

    // Adds the selected item at the right end ("Existující položka" when it is there).
    void addSelectedItem();
    void addEmptyColumn();
    void removeSelectedColumn();
    void removeAllColumns();

protected:
    void loadItems();
    virtual void showSelectedColumn() = 0;
    void setColumns(const QList<Templates::ReportColumn> &columns);

    QString m_window;
    int m_variant;
    QString m_aliasTables;
    Templates::DesignKind m_kind;
    TDMPro *m_dm;
    DesignBar *m_bar = nullptr;
    DictionaryPanel *m_items = nullptr;
    ColumnStrip *m_strip = nullptr;
    QLabel *m_status = nullptr;
};

class TfGS : public ColumnDesigner
{
    Q_OBJECT
public:
    // The designer's result when it was closed with "Tisk".
    static constexpr int ResultPrint = 3;

    TfGS(const QString &window, int variant, const QString &aliasTables, QWidget *parent = nullptr);
    // The design as shown, saved or not.
    Templates::ReportDesign design() const;

    QLineEdit *eNadp1 = nullptr;
    QLineEdit *eNadp2 = nullptr;
    QRadioButton *rbNaVysku = nullptr;
    QRadioButton *rbNaSirku = nullptr;
    QLineEdit *eNapis = nullptr;
    QComboBox *cbZarovN = nullptr;
    QComboBox *cbZarovH = nullptr;
    QComboBox *cbSuma = nullptr;
    QLabel *lUkazka = nullptr;
    QLabel *lSkupina = nullptr;

    void setGroupFromItem();
    void clearGroup();
    void chooseValueFont();
    void chooseCaptionFont();

protected:
    TfGS(const QString &window, int variant, const QString &aliasTables, bool document, QWidget *parent);
    void showSelectedColumn() override;
    virtual void loadDesign(int key);
    virtual void fillDesign(Templates::ReportDesign &design) const;
    void showDesign(const Templates::ReportDesign &design);

    Templates::ReportDesign m_design;
    QWidget *m_extraPage = nullptr;   // the document designer's texts

private:
    void build();
    void changeSelected(const std::function<void(Templates::ReportColumn &)> &change);
    bool chooseFont(Templates::ColumnFont &font, const QString &caption);
};

// The inspection documents' design: the report designer with the rich-text header,
// footer and legend, the item printed under each row and the per-hydrant evaluation.
class TfGSDok : public TfGS
{
    Q_OBJECT
public:
    TfGSDok(const QString &window, int variant, const QString &aliasTables, QWidget *parent = nullptr);

    QTextEdit *reZahlavi = nullptr;
    QTextEdit *reZapati = nullptr;
    QTextEdit *reLegenda = nullptr;
    QCheckBox *cbPodPolozka = nullptr;
    QComboBox *cbPolozkaPod = nullptr;
    QCheckBox *cbVyhodnoceniPV = nullptr;

protected:
    void loadDesign(int key) override;
    void fillDesign(Templates::ReportDesign &design) const override;
};

class TfGG : public ColumnDesigner
{
    Q_OBJECT
public:
    TfGG(const QString &window, int variant, const QString &aliasTables, QWidget *parent = nullptr);
    Templates::GridLayout layout() const;

    QLineEdit *eNapis = nullptr;
    QComboBox *cbZarov = nullptr;

    void renameColumn();
    // "Přejmenovat popis položky v tabulce" and "Smazat položku z tabulky".
    void renameItem();
    void withdrawItem();
    // "Použít návrh": saves the design and closes with it applied.
    void apply();

protected:
    void showSelectedColumn() override;

private:
    void loadLayout(int key);
    Templates::GridLayout m_layout;
};

namespace DesignWindows {

// The document designs of an inspection window ("DokHP", ...): the choice TfGSDokSez,
// whose "Nový" and "Editace" open TfGSDok. The key chosen with "Použít", 0 otherwise.
int chooseDocumentDesign(QWidget *parent, const QString &window, int variant, const QString &aliasTables);
// TfGSDok on the key (0: a new design); the key it ended on.
int editDocumentDesign(QWidget *parent, const QString &window, int variant, const QString &aliasTables, int key);

} // namespace DesignWindows
