#include "widgets/obectiskd.h"

#include "core/class.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "templates/templatestore.h"
#include "widgets/printpreview.h"
#include "widgets/toolbuttons.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

TfGSez::TfGSez(const QString &window, int variant, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fGSez"));
    setWindowTitle(QStringLiteral("Tarko 8 : Seznam uživatelských sestav"));
    auto *layout = new QVBoxLayout(this);
    lbSestavy = new QListWidget(this);
    lbSestavy->setObjectName(QStringLiteral("lbSestavy"));
    layout->addWidget(lbSestavy);
    QList<Templates::DesignEntry> entries;
    Templates::TemplateStore().listReports(window, variant, entries);
    for (const Templates::DesignEntry &e : entries) {
        lbSestavy->addItem(e.name);
        m_keys << e.key;
    }
    if (!m_keys.isEmpty())
        lbSestavy->setCurrentRow(0);
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    layout->addLayout(newOkCancelRow(this, ok, cancel, QStringLiteral("Použít"), QStringLiteral("Zavřít bez použití")));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lbSestavy, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int TfGSez::chosenKey() const
{
    const int row = lbSestavy->currentRow();
    return row >= 0 && row < m_keys.size() ? m_keys.at(row) : 0;
}

int TfGSez::count() const
{
    return int(m_keys.size());
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
    if (choice.count() == 0) {
        Prompt::information(QStringLiteral("Pro tento seznam není uložena žádná sestava."),
                            QStringLiteral("Tisk sestavy"));
        return 1;
    }
    if (Prompt::runModal(&choice) != QDialog::Accepted || choice.chosenKey() == 0)
        return 1;
    Templates::TemplateStore store(controller.dm());
    Templates::ReportDesign design;
    if (store.loadReport(choice.chosenKey(), design) < 0)
        return -1;
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
