#include "barcodes/sheets.h"
#include "barcodes/ean13.h"
#include "core/datamodulpro.h"
#include "core/sqlrun.h"

#include <climits>

namespace Barcode {

namespace {

constexpr qreal SheetMargin = 2 * Print::UnitsPerMm;

Print::Label *addText(Print::Band &band, const QString &name, const QRectF &geometry, const QString &text,
                      double size = 8, bool bold = false)
{
    auto *label = band.add<Print::Label>(name, geometry);
    label->text = text;
    label->font = Print::pageFont(QStringLiteral("Arial"), size, bold);
    return label;
}

SymbolCanvas *addCanvas(Print::Band &band, const QString &name, const QRectF &geometry)
{
    return band.add<SymbolCanvas>(name, geometry);
}

struct CodeSheetSource
{
    QString table;
    QString title;
    int kind;
};

CodeSheetSource sourceOf(CodeSheet sheet)
{
    switch (sheet) {
    case CodeSheet::States: return {QStringLiteral("S_Stav"), QStringLiteral("Stavy HP"), State};
    case CodeSheet::Placements: return {QStringLiteral("S_Umist"), QStringLiteral("Umístění HP"), Placement};
    case CodeSheet::Repairs: return {QStringLiteral("S_OprTXT"), QStringLiteral("Opravy a vyřazení HP"), Repair};
    case CodeSheet::Positions: return {QStringLiteral("Pozice"), QStringLiteral("Pozice HP"), Position};
    case CodeSheet::Types: return {QString(), QStringLiteral("Značky HP"), Type};
    }
    return {};
}

} // namespace

Print::Document labelSheets(TDMPro *dm, const LabelSheetSetup &setup, QVector<qint64> *numbers, QString *error)
{
    Print::Report report;
    report.setup = Print::PageSetup::a4(false);
    report.setup.left = report.setup.right = report.setup.top = report.setup.bottom = SheetMargin;
    report.setup.jobName = QStringLiteral("Štítky na HP");
    const qreal width = report.setup.bodyWidth();
    const qreal height = report.setup.height - 2 * SheetMargin - 1;
    Print::Band *band = report.addBand(Print::Band::Detail, QStringLiteral("bdStitky"), height);
    SymbolCanvas *canvas = addCanvas(*band, QStringLiteral("imgStitky"), QRectF(0, 0, width, height));
    const int columns = qBound(1, setup.columns, 10);
    const int rows = qBound(1, setup.rows, 10);
    const int cellWidth = int(width) / columns;
    const int cellHeight = int(height) / rows;
    int sheet = 0;
    bool failed = false;
    QVector<qint64> taken;
    band->beforePrint = [&](Print::Band &b) {
        canvas->symbols.clear();
        for (int c = 0; c < columns && !failed; ++c) {
            for (int r = 0; r < rows && !failed; ++r) {
                const qint64 number = dm->NextKey(QStringLiteral("CKHP"), false);
                // the number goes into PR_TAB.CARKOD, an INTEGER, when the label is read back
                const QString code = number < 0 || number > INT_MAX ? QString() : codeText(Label, number);
                if (code.isEmpty()) {
                    failed = true;
                    break;
                }
                taken.append(number);
                canvas->symbols.append({code, QPointF((c + 0.5) * cellWidth - 50, (r + 0.5) * cellHeight - 15)});
            }
        }
        b.visible = !failed;
    };
    band->onPrint = [&](Print::Band &) { return !failed && ++sheet < qBound(1, setup.sheets, 10); };
    Print::Document document = report.render();
    if (numbers)
        *numbers = taken;
    if (failed) {
        if (error)
            *error = QStringLiteral("Číslo štítku se nepodařilo získat z generátoru CKHP.\n"
                                    "Arch štítků se netiskne.");
        return Print::Document();
    }
    return document;
}

QString codeSheetTitle(CodeSheet sheet)
{
    return sourceOf(sheet).title;
}

Print::Document codeSheet(TDMPro *dm, CodeSheet sheet, int workingYear, QString *error)
{
    const CodeSheetSource source = sourceOf(sheet);
    const QString sql = source.table.isEmpty()
        ? QStringLiteral("SELECT UnCis, Popis as Text  FROM Cenik WHERE TCK = 'A' Order by Popis")
        : QStringLiteral("SELECT UnCis, Popis as Text  FROM %1 Order by Popis").arg(source.table);
    QSqlQuery query = runSql(dm, sql, {}, error);
    if (!query.isActive())
        return Print::Document();
    Print::SqlDataSource rows(query);
    Print::Report report;
    report.setup = Print::PageSetup::a4(false);
    report.setup.jobName = source.title;
    report.data = &rows;
    const qreal width = report.setup.bodyWidth();

    const bool years = sheet == CodeSheet::Repairs;
    Print::Band *title = report.addBand(Print::Band::Title, QStringLiteral("bdNadpis"), years ? 170 : 40);
    addText(*title, QStringLiteral("lNadpis"), QRectF(0, 0, width, 30), source.title, 14, true);
    if (years) {
        SymbolCanvas *yearCodes = addCanvas(*title, QStringLiteral("imgRoky"), QRectF(0, 36, width, 120));
        for (int i = 0; i < 6; ++i) {
            const int year = workingYear - i;
            const QPointF at((i % 3) * (width / 3) + 40, (i / 3) * 60);
            yearCodes->symbols.append({codeText(TestYear, year), at});
            addText(*title, QStringLiteral("lRok%1").arg(i), QRectF(at.x() - 40, 36 + at.y() + 15, 45, 20),
                    QString::number(year), 10, true);
        }
    }
    Print::Band *detail = report.addBand(Print::Band::Detail, QStringLiteral("bdRadek"), 56);
    auto *text = detail->add<Print::DataLabel>(QStringLiteral("lText"), QRectF(0, 8, width - 330, 30));
    text->field = QStringLiteral("TEXT");
    text->font = Print::pageFont(QStringLiteral("Arial"), 10);
    SymbolCanvas *code = addCanvas(*detail, QStringLiteral("imgKod"), QRectF(width - 320, 0, 300, 56));
    detail->beforePrint = [&](Print::Band &) {
        code->symbols = {{codeText(source.kind, report.value(QStringLiteral("UNCIS")).toLongLong()), QPointF(0, 0)}};
    };
    return report.render();
}

Print::Document technicianForm(const TechnicianForm &form)
{
    Print::Report report;
    report.setup = Print::PageSetup::a4(false);
    report.setup.top = report.setup.bottom = 20;
    report.setup.left = report.setup.right = 20;
    report.setup.jobName = QStringLiteral("Formulář pro technika");
    const qreal width = report.setup.bodyWidth();

    Print::Band *head = report.addBand(Print::Band::PageHead, QStringLiteral("bdHlava"), 100);
    addText(*head, QStringLiteral("lNadpis"), QRectF(0, 0, width, 20), form.title, 12, true);
    addText(*head, QStringLiteral("lTechnik"), QRectF(0, 22, width / 2, 14),
            QStringLiteral("Technik: ") + form.technician, 9);
    addText(*head, QStringLiteral("lDatum"), QRectF(width / 2, 22, width / 2, 14),
            QStringLiteral("Datum kontroly: ") + form.date.toString(QStringLiteral("d.M.yyyy")), 9);
    const QStringList instructions = {
        QStringLiteral("1. Přečtěte čárový kód, který jste nalepil na HP"),
        QStringLiteral("2.. Přečtěte čárový kód, udávající typ, umístění a stav HP"),
        QStringLiteral("3. Napište do pole v horním řádku číslo HP a v dolním řádku typ HP"),
        QStringLiteral("4. Přeštěte čárový kód vedle čísla a typu HP, který jste právě vyplnil"),
        QStringLiteral("První a poslední načtená číslice do pera není platná")};
    for (int i = 0; i < instructions.size(); ++i)
        addText(*head, QStringLiteral("lPokyn%1").arg(i + 1), QRectF(0, 38 + i * 12, width, 12), instructions.at(i), 7);

    Print::Band *foot = report.addBand(Print::Band::PageFoot, QStringLiteral("bdPata"), 62);
    SymbolCanvas *commands = addCanvas(*foot, QStringLiteral("imgPrikazy"), QRectF(0, 0, width, 62));
    const QStringList commandTexts = {QStringLiteral("Nová organizace"), QStringLiteral("Nový objekt")};
    for (int i = 0; i < 2; ++i) {
        const qreal x = i * width / 2;
        commands->symbols.append({codeText(Command, i == 0 ? NewCustomer : NewObject), QPointF(x + 120, 4)});
        addText(*foot, QStringLiteral("lPrikaz%1").arg(i + 1), QRectF(x, 20, 125, 20), commandTexts.at(i), 9, true);
    }

    const qreal bodyHeight = report.setup.height - report.setup.top - report.setup.bottom - 100 - 62 - 1;
    Print::Band *cells = report.addBand(Print::Band::Detail, QStringLiteral("bdBunky"), bodyHeight);
    const int perColumn = FormCellsPerPage / 2;
    const qreal cellHeight = int(bodyHeight / perColumn);
    const qreal columnWidth = width / 2;
    SymbolCanvas *codes = addCanvas(*cells, QStringLiteral("imgCisla"), QRectF(0, 0, width, bodyHeight));
    QVector<Print::Label *> numbers;
    for (int i = 0; i < FormCellsPerPage; ++i) {
        const QPointF at((i / perColumn) * columnWidth, (i % perColumn) * cellHeight);
        auto *box = cells->add<Print::Shape>(QStringLiteral("shBox%1").arg(i), QRectF(at + QPointF(0, 3), QSizeF(190, cellHeight - 6)));
        box->kind = Print::Shape::Rectangle;
        auto *middle = cells->add<Print::Shape>(QStringLiteral("shCara%1").arg(i),
                                                QRectF(at + QPointF(0, cellHeight / 2), QSizeF(190, 0)));
        middle->kind = Print::Shape::HorizontalLine;
        addText(*cells, QStringLiteral("lVyrCis%1").arg(i), QRectF(at + QPointF(3, 4), QSizeF(120, 12)),
                QStringLiteral("Výrobní číslo HP:"), 6);
        addText(*cells, QStringLiteral("lTyp%1").arg(i), QRectF(at + QPointF(3, cellHeight / 2 + 1), QSizeF(120, 12)),
                QStringLiteral("Typ HP:"), 6);
        numbers.append(addText(*cells, QStringLiteral("lCislo%1").arg(i), QRectF(at + QPointF(195, 0), QSizeF(38, cellHeight)),
                               QString(), 10, true));
    }
    int sheet = 0;
    const int sheets = qBound(1, form.sheets, 10);
    cells->beforePrint = [&](Print::Band &) {
        codes->symbols.clear();
        for (int i = 0; i < FormCellsPerPage; ++i) {
            const int line = sheet * FormCellsPerPage + i + 1;
            numbers[i]->text = QString::number(line);
            const QPointF at((i / perColumn) * columnWidth + 230, (i % perColumn) * cellHeight - 6);
            codes->symbols.append({codeText(FormLine, line), at});
        }
    };
    cells->onPrint = [&](Print::Band &) { return ++sheet < sheets; };
    return report.render();
}

} // namespace Barcode
