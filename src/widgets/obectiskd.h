#pragma once
// The windows of the general list print: the dialog TfObecTiskD ("Záhlaví a zápatí
// tiskové sestavy"), the choice of a window's report design ("Seznam uživatelských
// sestav"), and the two print entries every list offers: a user report and the table
// as the grid shows it. The rows are read and laid out by ListPrint (reports/).
#include "core/listmodel.h"
#include "core/sqlrun.h"
#include "reports/obectisk.h"
#include "widgets/designchoice.h"

#include <optional>

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTextEdit;
class TfClass;

class TfObecTiskD : public QDialog
{
    Q_OBJECT
public:
    explicit TfObecTiskD(QWidget *parent = nullptr);
    void setOptions(const ListPrintOptions &options);
    ListPrintOptions options() const;

    QLineEdit *eNadp1 = nullptr;
    QLineEdit *eNadp2 = nullptr;
    QTextEdit *reZahlavi = nullptr;
    QTextEdit *reZapati = nullptr;
    QCheckBox *cbCara = nullptr;
    QSpinBox *seVyska = nullptr;
};

// The report designs of one window; "Použít" picks the selected one. Given the list's
// alias tables, "Nový" and "Editace" open the report designer TfGS; a design printed
// from there ("Tisk") closes the choice with that design as it was shown.
class TfGSez : public TfDesignChoice
{
    Q_OBJECT
public:
    TfGSez(const QString &window, int variant, QWidget *parent = nullptr);
    void setAliasTables(const QString &aliasTables);
    // The design the designer was closed with "Tisk" on.
    const std::optional<Templates::ReportDesign> &printedDesign() const { return m_printed; }

private:
    QString m_window;
    int m_variant;
    std::optional<Templates::ReportDesign> m_printed;
};

// The document designs of an inspection window: "Nový" and "Editace" open TfGSDok.
class TfGSDokSez : public TfDesignChoice
{
    Q_OBJECT
public:
    TfGSDokSez(const QString &window, int variant, const QString &aliasTables, QWidget *parent = nullptr);
};

namespace ListPrintWindows {

// Asks TfObecTiskD for the job's options; false when the user closed it.
bool askOptions(QWidget *parent, ListPrintJob &job);
// "Uživatelská sestava": the user picks a design of the window, confirms the dialog,
// and the rows of the list print into a preview. 0, 1 when the user stopped, negative
// on failure (after its warning).
int printUserReport(QWidget *parent, const TfClass &controller, const QString &window, int variant,
                    const QString &aliasTables);
// "Opis tabulky" of a list window: the grid's own columns over the list's rows.
int printListGrid(QWidget *parent, const TfClass &controller, const QVector<ListColumn> &grid,
                  const QString &title);
// The table print of a code-list editor: its columns over its own statement.
int printTable(QWidget *parent, const TDMPro *dm, const QString &sql, const SqlParameters &parameters,
               const QVector<ListColumn> &grid, const QString &title);

} // namespace ListPrintWindows
