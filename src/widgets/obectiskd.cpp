#include "widgets/obectiskd.h"

#include "core/class.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "templates/templatestore.h"
#include "widgets/designers.h"
#include "widgets/printpreview.h"
#include "widgets/toolbuttons.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

TfObecTiskD::TfObecTiskD(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fObecTiskD"));
    setWindowTitle(QStringLiteral("Záhlaví a zápatí tiskové sestavy"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    eNadp1 = new QLineEdit(this);
    eNadp1->setObjectName(QStringLiteral("eNadp1"));
    eNadp2 = new QLineEdit(this);
    eNadp2->setObjectName(QStringLiteral("eNadp2"));
    reZahlavi = new QTextEdit(this);
    reZahlavi->setObjectName(QStringLiteral("reZahlavi"));
    reZapati = new QTextEdit(this);
    reZapati->setObjectName(QStringLiteral("reZapati"));
    cbCara = new QCheckBox(QStringLiteral("Odělovat řádky liknou"), this);
    cbCara->setObjectName(QStringLiteral("cbCara"));
    cbCara->setChecked(true);
    seVyska = new QSpinBox(this);
    seVyska->setObjectName(QStringLiteral("seVyska"));
    seVyska->setRange(1, 5);
    form->addRow(QStringLiteral("Nadpis 1"), eNadp1);
    form->addRow(QStringLiteral("Nadpis 2"), eNadp2);
    form->addRow(QStringLiteral("Záhlaví"), reZahlavi);
    form->addRow(QStringLiteral("Zápatí"), reZapati);
    form->addRow(QString(), cbCara);
    form->addRow(QStringLiteral("Výška řádku"), seVyska);
    layout->addLayout(form);
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    layout->addLayout(newOkCancelRow(this, ok, cancel, QStringLiteral("Tisk"), QStringLiteral("Storno")));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfObecTiskD::setOptions(const ListPrintOptions &o)
{
    eNadp1->setText(o.title1);
    eNadp2->setText(o.title2);
    Rtf::read(o.header, reZahlavi->document());
    Rtf::read(o.footer, reZapati->document());
    cbCara->setChecked(o.lineUnderRow);
    seVyska->setValue(o.rowHeight);
}

ListPrintOptions TfObecTiskD::options() const
{
    ListPrintOptions o;
    o.title1 = eNadp1->text();
    o.title2 = eNadp2->text();
    o.header = reZahlavi->document()->isEmpty() ? QString() : Rtf::write(reZahlavi->document());
    o.footer = reZapati->document()->isEmpty() ? QString() : Rtf::write(reZapati->document());
    o.lineUnderRow = cbCara->isChecked();
    o.rowHeight = seVyska->value();
    return o;
}

namespace {

TfDesignChoice::Operations reportOperations(const QString &window, int variant)
{
    return {[window, variant](QList<Templates::DesignEntry> &out) {
                return Templates::TemplateStore().listReports(window, variant, out);
            },
            [](int key) { return Templates::TemplateStore().deleteReport(key); }, {}};
}

} // namespace

TfGSez::TfGSez(const QString &window, int variant, QWidget *parent)
    : TfDesignChoice(QStringLiteral("fGSez"), QStringLiteral("Tarko 8 : Seznam uživatelských sestav"), parent),
      m_window(window), m_variant(variant)
{
    setOperations(reportOperations(window, variant));
}

void TfGSez::setAliasTables(const QString &aliasTables)
{
    TfDesignChoice::Operations ops = reportOperations(m_window, m_variant);
    ops.edit = [this, aliasTables](int key) {
        TfGS designer(m_window, m_variant, aliasTables, this);
        designer.open(key);
        if (Prompt::runModal(&designer) == TfGS::ResultPrint) {
            m_printed = designer.design();
            // the choice ends with the edit: the list prints the design as it was shown
            accept();
        }
        return designer.currentKey();
    };
    setOperations(ops);
}

TfGSDokSez::TfGSDokSez(const QString &window, int variant, const QString &aliasTables, QWidget *parent)
    : TfDesignChoice(QStringLiteral("fGSDokSez"), QStringLiteral("Nabídka"), parent)
{
    TfDesignChoice::Operations ops = reportOperations(window, variant);
    ops.edit = [this, window, variant, aliasTables](int key) {
        return DesignWindows::editDocumentDesign(this, window, variant, aliasTables, key);
    };
    setOperations(ops);
}

namespace ListPrintWindows {

namespace {

int showRendered(QWidget *parent, int result, Print::Document &document)
{
    if (result == 0)
        PrintPreview::open(std::move(document), parent);
    return result;
}

} // namespace

bool askOptions(QWidget *parent, ListPrintJob &job)
{
    TfObecTiskD dialog(parent);
    dialog.setOptions(job.options);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return false;
    job.options = dialog.options();
    return true;
}

int printUserReport(QWidget *parent, const TfClass &controller, const QString &window, int variant,
                    const QString &aliasTables)
{
    TfGSez choice(window, variant, parent);
    choice.setAliasTables(aliasTables);
    if (Prompt::runModal(&choice) != QDialog::Accepted)
        return 1;
    Templates::TemplateStore store(controller.dm());
    Templates::ReportDesign design;
    if (choice.printedDesign()) {
        design = *choice.printedDesign();
    } else {
        if (choice.chosenKey() <= 0)
            return 1;
        if (store.loadReport(choice.chosenKey(), design) < 0)
            return -1;
    }
    QList<Templates::DictionaryItem> offered;
    store.offeredItems(aliasTables, Templates::DesignKind::Report, offered);
    ListPrintJob job = ListPrint::fromDesign(design, offered);
    if (!askOptions(parent, job))
        return 1;
    Print::Document document;
    return showRendered(parent, ListPrint::renderList(controller, job, document), document);
}

int printListGrid(QWidget *parent, const TfClass &controller, const QVector<ListColumn> &grid,
                  const QString &title)
{
    ListPrintJob job = ListPrint::fromGrid(grid, controller.listColumns(), title);
    if (!askOptions(parent, job))
        return 1;
    Print::Document document;
    return showRendered(parent, ListPrint::renderList(controller, job, document), document);
}

int printTable(QWidget *parent, const TDMPro *dm, const QString &sql, const SqlParameters &parameters,
               const QVector<ListColumn> &grid, const QString &title)
{
    ListPrintJob job = ListPrint::fromGrid(grid, QString(), title);
    if (!askOptions(parent, job))
        return 1;
    Print::Document document;
    return showRendered(parent, ListPrint::render(dm, sql, parameters, job, document), document);
}

} // namespace ListPrintWindows
