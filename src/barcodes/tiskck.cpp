#include "barcodes/tiskck.h"
#include "barcodes/sheets.h"
#include "core/datamodulpro.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "widgets/printpreview.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

namespace {

QSpinBox *countBox(const QString &name, int value)
{
    auto *box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(1, 10);
    box->setValue(value);
    return box;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, const std::function<void()> &action)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    QObject::connect(b, &QPushButton::clicked, parent, action);
    return b;
}

} // namespace

bool printDirectly(const Print::Document &document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.setup.jobName);
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Prompt::warning(QStringLiteral("Tiskárnu se nepodařilo otevřít."), QStringLiteral("Štítky"));
        return false;
    }
    Print::replay(painter, document, [&printer] { return printer.newPage(); });
    painter.end();
    return true;
}

TfTiskCK::TfTiskCK(TDMPro *dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fTiskCK"));
    setWindowTitle(QStringLiteral("Tisky čárových kódů"));
    printSheets = [](const Print::Document &d) { printDirectly(d); };
    showPreview = [this](const Print::Document &d) { PrintPreview::open(d, this); };
    auto *layout = new QVBoxLayout(this);

    auto *labels = new QGroupBox(QStringLiteral("Štítky na HP"), this);
    auto *labelForm = new QFormLayout(labels);
    labelForm->addRow(QStringLiteral("Sloupce"), m_columns = countBox(QStringLiteral("sePocX"), 3));
    labelForm->addRow(QStringLiteral("Řádky"), m_rows = countBox(QStringLiteral("sePocY"), 8));
    labelForm->addRow(QStringLiteral("Počet archů"), m_sheets = countBox(QStringLiteral("sePocStr"), 1));
    labelForm->addRow(button(this, QStringLiteral("sbStitky"), QStringLiteral("Štítky na HP"), [this] { Stitky(); }));
    layout->addWidget(labels);

    auto *codes = new QGroupBox(QStringLiteral("Kódy"), this);
    auto *codeRow = new QVBoxLayout(codes);
    codeRow->addWidget(button(this, QStringLiteral("sbStavy"), QStringLiteral("Stavy"), [this] { KodyStavy(); }));
    codeRow->addWidget(button(this, QStringLiteral("sbUmisteni"), QStringLiteral("Umístění"), [this] { KodyUmisteni(); }));
    codeRow->addWidget(button(this, QStringLiteral("sbOpravy"), QStringLiteral("Opravy a vyřazení"), [this] { KodyOpravy(); }));
    codeRow->addWidget(button(this, QStringLiteral("sbPozice"), QStringLiteral("Pozice"), [this] { KodyPozice(); }));
    codeRow->addWidget(button(this, QStringLiteral("sbTypy"), QStringLiteral("Typy HP"), [this] { KodyTypy(); }));
    // the files for readers that take their code lists over a cable have no reader yet
    for (const auto &[name, caption] : {std::pair{"sbKodyHP", "Kódy pro HP"}, std::pair{"sbSouborHP", "Soubor HP"},
                                        std::pair{"sbSouborStavu", "Soubor stavů"}}) {
        QPushButton *none = button(this, QLatin1String(name), QString::fromUtf8(caption), [] {});
        none->setEnabled(false);
        codeRow->addWidget(none);
    }
    layout->addWidget(codes);

    auto *form = new QGroupBox(QStringLiteral("Formulář pro technika"), this);
    auto *formLayout = new QFormLayout(form);
    formLayout->addRow(QStringLiteral("Nadpis"), m_title = new QLineEdit(QStringLiteral("Kontrola hasicích přístrojů")));
    m_title->setObjectName(QStringLiteral("eNadpis"));
    formLayout->addRow(QStringLiteral("Technik"), m_technician = new QLineEdit);
    m_technician->setObjectName(QStringLiteral("eTechnik"));
    formLayout->addRow(QStringLiteral("Datum kontroly"), m_date = new QDateEdit(QDate::currentDate()));
    m_date->setObjectName(QStringLiteral("eDatum"));
    formLayout->addRow(QStringLiteral("Počet listů"), m_formSheets = countBox(QStringLiteral("sePocLis"), 1));
    formLayout->addRow(button(this, QStringLiteral("sbFormular"), QStringLiteral("Formulář pro technika"),
                              [this] { FormularTechnik(); }));
    layout->addWidget(form);
}

void TfTiskCK::Stitky()
{
    if (Prompt::question(QStringLiteral("Vytisknout arch štítků ?"), QStringLiteral("Štítky")) != PromptYes)
        return;
    QString error;
    const Print::Document sheets =
        Barcode::labelSheets(m_dm, {m_columns->value(), m_rows->value(), m_sheets->value()}, nullptr, &error);
    if (sheets.pages.isEmpty()) {
        Prompt::error(error, QStringLiteral("Štítky"));
        return;
    }
    printSheets(sheets);
}

void TfTiskCK::codeSheet(int sheet)
{
    QString error;
    const Print::Document document =
        Barcode::codeSheet(m_dm, Barcode::CodeSheet(sheet), Parameters::instance().year, &error);
    if (document.pages.isEmpty()) {
        Prompt::error(error);
        return;
    }
    showPreview(document);
}

void TfTiskCK::KodyStavy() { codeSheet(int(Barcode::CodeSheet::States)); }
void TfTiskCK::KodyUmisteni() { codeSheet(int(Barcode::CodeSheet::Placements)); }
void TfTiskCK::KodyOpravy() { codeSheet(int(Barcode::CodeSheet::Repairs)); }
void TfTiskCK::KodyPozice() { codeSheet(int(Barcode::CodeSheet::Positions)); }
void TfTiskCK::KodyTypy() { codeSheet(int(Barcode::CodeSheet::Types)); }

void TfTiskCK::FormularTechnik()
{
    if (Prompt::question(QStringLiteral("Vytisknout formulář pro technika?"), QStringLiteral("Formulář pro technika"))
        != PromptYes)
        return;
    showPreview(Barcode::technicianForm({m_title->text(), m_technician->text(), m_date->date(), m_formSheets->value()}));
}
