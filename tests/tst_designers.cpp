// The design windows driven as a user drives them: column boxes moved and resized with
// the mouse, a grid layout made in TfGG and shown again after the list reopens, sort
// orders from TfGR, filters made, chosen and deleted through TfGP and its chooser, a
// report designed in TfGS and printed, and a document design on the extinguisher report.
#include <QtTest>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>

#include "core/class.h"
#include "core/settingsstore.h"
#include "customers/adresys.h"
#include "inspections/hpc.h"
#include "inspections/hptisk.h"
#include "inspections/protocolpreview.h"
#include "inspections/protocolprint.h"
#include "support/addressdata.h"
#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"
#include "templates/templatestore.h"
#include "widgets/designers.h"
#include "widgets/filterdesigners.h"
#include "widgets/listfilterdialogs.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"

namespace {

void click(QWidget *window, const QString &name)
{
    auto *b = window->findChild<QAbstractButton *>(name);
    QVERIFY2(b, qPrintable(name));
    b->click();
}

// The mouse with its left button held at x of the widget.
void dragTo(QWidget *w, int x)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(x, 30), w->mapToGlobal(QPointF(x, 30)), Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void dragBox(ColumnStrip *strip, int index, int pressX, int toX)
{
    QWidget *box = strip->box(index);
    QTest::mousePress(box, Qt::LeftButton, Qt::NoModifier, QPoint(pressX, 30));
    dragTo(box, toX);
    QTest::mouseRelease(box, Qt::LeftButton, Qt::NoModifier, QPoint(toX, 30));
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList captionsOf(const TfSeznam &list)
{
    QStringList captions;
    for (int i = 0; i < list.model()->columnCount(); ++i)
        captions << list.model()->columnAt(i).caption.trimmed();
    return captions;
}

QStringList namesOf(TfSeznam &list, const QString &field = QStringLiteral("ADRNAZEV"))
{
    QStringList names;
    ListDataset &rows = list.controller()->list();
    rows.fetchAll();
    for (int r = 0; r < rows.loadedRows(); ++r)
        names << rows.value(r, field).toString().trimmed();
    return names;
}

} // namespace

// Checks inside a dialog's handler, which cannot return from the test itself.
#define EXPECT(condition) \
    do { \
        if (!(condition)) \
            failures << QStringLiteral("line %1: %2").arg(__LINE__).arg(QStringLiteral(#condition)); \
    } while (false)

class TestDesigners : public ProgramDatabaseTest
{
    Q_OBJECT

    QStringList failures;

    std::unique_ptr<TfAdresyS> openAddresses()
    {
        std::unique_ptr<TfAdresyS> list(VytvorAdresar());
        if (list && list->prepareAndOpen() < 0)
            list.reset();
        return list;
    }

    void fillAddresses()
    {
        const QList<QPair<QString, QString>> rows = {{QStringLiteral("Alfa"), QStringLiteral("Brno")},
                                                     {QStringLiteral("Beta"), QStringLiteral("Praha")},
                                                     {QStringLiteral("Gama"), QStringLiteral("Brno")},
                                                     {QStringLiteral("Delta"), QStringLiteral("Ostrava")},
                                                     {QStringLiteral("Epsilon"), QStringLiteral("Brno")}};
        int period = 6;
        for (const auto &r : rows) {
            insertEntry(*DM, 1, r.first, {{QStringLiteral("MESTO"), r.second}, {QStringLiteral("PERHP"), period}});
            period += 6;
        }
    }

private slots:
    void init() { startFresh(); }
    void cleanup()
    {
        const QStringList failed = failures;
        failures.clear();
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<PrintPreview *>(w))
                delete w;
        finish();
        QVERIFY2(failed.isEmpty(), qPrintable(failed.join(QLatin1Char('\n'))));
    }

    void columnBoxesFollowTheMouse()
    {
        TfGS designer(QStringLiteral("TfAdresyS"), 1, TfAdresyS::AliasTables);
        designer.open(0);
        ColumnStrip *strip = designer.strip();
        QVERIFY(designer.items()->selectItem(QStringLiteral("ADR"), QStringLiteral("NAZEV")));
        click(&designer, QStringLiteral("sbVlozit"));
        QCOMPARE(strip->boxCount(), 1);
        const Templates::ReportColumn &first = strip->row().columns.at(0);
        QCOMPARE(first.width, 120);
        QCOMPARE(first.caption, QStringLiteral(" Název "));
        QCOMPARE(strip->box(0)->objectName(), QStringLiteral("ADRNAZEV"));

        // within the last three pixels a drag of 30 resizes; the status follows
        dragBox(strip, 0, 118, 148);
        QCOMPARE(strip->row().columns.at(0).width, 150);
        QCOMPARE(strip->box(0)->width(), 150);
        QCOMPARE(designer.status(), QStringLiteral("0 / 150"));
        // the same item again is refused
        click(&designer, QStringLiteral("sbVlozit"));
        QCOMPARE(prompt().lastText(), QStringLiteral("Existující položka"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Chyba"));
        prompt().clear();
        QCOMPARE(strip->boxCount(), 1);

        // a number item comes aligned right, at the right end
        QVERIFY(designer.items()->selectItem(QStringLiteral("ADR"), QStringLiteral("PERHP")));
        click(&designer, QStringLiteral("sbVlozit"));
        QCOMPARE(strip->row().columns.at(1).left, 150);
        QCOMPARE(strip->row().columns.at(1).valueAlignment, Templates::AlignRight);

        // pressed in the middle, box A moves; dropped past B the order is B, A, side by side
        QTest::mousePress(strip->box(0), Qt::LeftButton, Qt::NoModifier, QPoint(50, 30));
        dragTo(strip->box(0), 250);
        QCOMPARE(strip->row().columns.at(0).left, 200);
        QCOMPARE(strip->row().columns.at(0).width, 150);
        QTest::mouseRelease(strip->box(0), Qt::LeftButton, Qt::NoModifier, QPoint(250, 30));
        QCOMPARE(strip->row().columns.at(0).name, QStringLiteral("ADRPERHP"));
        QCOMPARE(strip->row().columns.at(1).name, QStringLiteral("ADRNAZEV"));
        QCOMPARE(strip->row().columns.at(0).left, 0);
        QCOMPARE(strip->row().columns.at(1).left, 120);
        QCOMPARE(strip->box(1)->x(), 120);
        QCOMPARE(strip->row().rightEnd(), 270);
        QCOMPARE(designer.status(), QStringLiteral("120 / 150"));

        // no box goes left of 0 nor narrower than 8
        QTest::mousePress(strip->box(1), Qt::LeftButton, Qt::NoModifier, QPoint(50, 30));
        dragTo(strip->box(1), -400);
        QCOMPARE(strip->row().columns.at(1).left, 0);
        QTest::mouseRelease(strip->box(1), Qt::LeftButton, Qt::NoModifier, QPoint(-400, 30));
        QCOMPARE(strip->row().columns.at(0).name, QStringLiteral("ADRNAZEV"));
        dragBox(strip, 1, 118, -300);
        QCOMPARE(strip->row().columns.at(1).width, Templates::ColumnRow::MinWidth);

        // an empty column; its settings change with the controls
        click(&designer, QStringLiteral("sbVlozitPrazdnou"));
        const Templates::ReportColumn &empty = strip->row().columns.at(2);
        QCOMPARE(empty.caption, QStringLiteral("  ...  "));
        QCOMPARE(empty.name, QStringLiteral("Free_158"));
        QCOMPARE(empty.valueAlignment, Templates::AlignRight);
        QCOMPARE(empty.itemKey, 0);
        designer.cbSuma->setCurrentIndex(1);
        designer.cbZarovN->setCurrentIndex(1);
        QVERIFY(strip->row().columns.at(2).sum);
        QCOMPARE(strip->row().columns.at(2).captionAlignment, Templates::AlignCenter);
        QTest::mousePress(strip->box(0), Qt::LeftButton, Qt::NoModifier, QPoint(10, 30));
        QCOMPARE(designer.eNapis->text(), QStringLiteral("Název"));
        QCOMPARE(designer.cbSuma->currentIndex(), 0);
        QCOMPARE(strip->box(0)->palette().color(QPalette::Window), QColor(Qt::cyan));
        QVERIFY(strip->box(2)->palette().color(QPalette::Window) != QColor(Qt::cyan));
    }

    void gridLayoutIsKeptAcrossOpenings()
    {
        fillAddresses();
        auto list = openAddresses();
        QVERIFY(list);
        prompt().onModal<TfGG>([](TfGG *d) {
            click(d, QStringLiteral("sbNovy"));
            d->bar()->nameEdit()->setText(QStringLiteral("Jen jméno a město"));
            d->items()->selectItem(QStringLiteral("ADR"), QStringLiteral("NAZEV"));
            click(d, QStringLiteral("sbVlozit"));
            d->items()->selectItem(QStringLiteral("ADR"), QStringLiteral("MESTO"));
            click(d, QStringLiteral("sbVlozit"));
            dragBox(d->strip(), 0, 118, 158);
            QTest::mousePress(d->strip()->box(1), Qt::LeftButton, Qt::NoModifier, QPoint(10, 30));
            d->eNapis->setText(QStringLiteral("Sídlo"));
            emit d->eNapis->editingFinished();
            click(d, QStringLiteral("bPouzit"));
            return d->result();
        });
        list->action(QStringLiteral("acSloupce"))->trigger();
        const QStringList expected = {QStringLiteral("Název"), QStringLiteral("Sídlo")};
        QCOMPARE(captionsOf(*list), expected);
        QCOMPARE(list->grid()->columnWidth(0), 160);
        QCOMPARE(namesOf(*list, QStringLiteral("ADRMESTO")).count(QStringLiteral("Brno")), 3);
        list->close();
        list.reset();

        list = openAddresses();
        QVERIFY(list);
        QCOMPARE(captionsOf(*list), expected);
        QCOMPARE(list->grid()->columnWidth(0), 160);
        QCOMPARE(list->grid()->columnWidth(1), 120);

        // a withdrawn item leaves the layout; a column the table lost gives the list its own
        // columns, with no word at the opening
        int city = 0;
        prompt().onModal<TfGG>([this, &city](TfGG *d) {
            EXPECT(d->strip()->boxCount() == 2);
            city = d->strip()->row().columns.at(1).itemKey;
            d->items()->selectKey(city);
            prompt().inputAnswer(QStringLiteral("Obec"));
            click(d, QStringLiteral("sbPrejmenovatPolozku"));
            EXPECT(d->items()->selectKey(city));
            EXPECT(d->items()->currentItem()->caption.trimmed() == QStringLiteral("Obec"));
            prompt().answer(PromptYes);
            click(d, QStringLiteral("sbSmazatPolozku"));
            EXPECT(d->strip()->boxCount() == 1);
            EXPECT(!d->items()->selectKey(city));
            return int(QDialog::Rejected);
        });
        list->action(QStringLiteral("acSloupce"))->trigger();
        QCOMPARE(prompt().shown.constLast().text, QStringLiteral("Smazat nevratně položku z nabídky ?"));
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM STRUK WHERE UNCIS = %1").arg(city)).toString().trimmed(),
                 QStringLiteral("Obec"));
        prompt().clear();
        list->close();
        list = openAddresses();
        QCOMPARE(captionsOf(*list), QStringList{QStringLiteral("Název")});
        list->close();
        exec(QStringLiteral("UPDATE STRUK SET POLOZKA = 'ZMIZELY' WHERE OKNO = 'TfAdresyS' AND POLOZKA = 'NAZEV' AND TAB = 'ADR'"));
        list = openAddresses();
        QVERIFY(list);
        QVERIFY(!list->controller()->listColumns().contains(QStringLiteral("ZMIZELY")));
        QVERIFY(!captionsOf(*list).contains(QStringLiteral("Název")));
        QCOMPARE(list->controller()->rowCount(), 5);
        QVERIFY(prompt().shown.isEmpty());
    }

    void sortOrderFromTheDialog()
    {
        fillAddresses();
        auto list = openAddresses();
        QVERIFY(list);
        const QString own = list->controller()->orderBy();
        // every pick "nic": the list keeps its order and opens again next time
        prompt().onModal<TfGR>([this](TfGR *d) {
            EXPECT(d->cbPolozka[0]->itemText(0) == QStringLiteral("nic"));
            d->cbSestupne[0]->setChecked(true);
            click(d, QStringLiteral("bPouzit"));
            return d->result();
        });
        list->action(QStringLiteral("acRazeni"))->trigger();
        QCOMPARE(list->controller()->orderBy(), own);
        // city ascending, then name descending
        prompt().onModal<TfGR>([](TfGR *d) {
            d->cbPolozka[0]->setCurrentIndex(d->cbPolozka[0]->findText(QStringLiteral("Město")));
            d->cbPolozka[1]->setCurrentIndex(d->cbPolozka[1]->findText(QStringLiteral("Název")));
            d->cbSestupne[1]->setChecked(true);
            click(d, QStringLiteral("bPouzit"));
            return d->result();
        });
        list->action(QStringLiteral("acRazeni"))->trigger();
        QCOMPARE(list->controller()->orderBy(), QStringLiteral(" ORDER BY ADR.MESTO, ADR.NAZEV DESC "));
        const QStringList sorted = {QStringLiteral("Gama"), QStringLiteral("Epsilon"), QStringLiteral("Alfa"),
                                    QStringLiteral("Delta"), QStringLiteral("Beta")};
        QCOMPARE(namesOf(*list), sorted);
        list->close();
        list = openAddresses();
        QCOMPARE(namesOf(*list), sorted);
    }

    void filtersMadeChosenAndDeleted()
    {
        fillAddresses();
        insertEntry(*DM, 1, QStringLiteral("O'Neil"), {{QStringLiteral("MESTO"), QStringLiteral("Praha")}});
        auto list = openAddresses();
        QVERIFY(list);
        // a new filter from the chooser: a quoted value, an OR and an own condition, saved
        prompt().onModal<TfFiltrySez>([this](TfFiltrySez *chooser) {
            prompt().onModal<TfGP>([](TfGP *d) {
                auto condition = [d](const QString &column, const QString &value, const QString &connective) {
                    d->items()->selectItem(QStringLiteral("ADR"), column);
                    click(d, QStringLiteral("sbPridat"));
                    d->eHodnota->setText(value);
                    emit d->eHodnota->textEdited(value);
                    d->cbSpojeni->setCurrentIndex(d->cbSpojeni->findText(connective));
                };
                condition(QStringLiteral("MESTO"), QStringLiteral("Brno"), QStringLiteral("OR"));
                condition(QStringLiteral("NAZEV"), QStringLiteral("O'Neil"), QString());
                d->mVlastni->setPlainText(QStringLiteral("ADR.NAZEV <> 'Gama'"));
                d->bar()->nameEdit()->setText(QStringLiteral("Brno nebo O'Neil"));
                click(d, QStringLiteral("sbUloz"));
                click(d, QStringLiteral("bPouzit"));
                return d->result();
            });
            click(chooser, QStringLiteral("sbNovy"));
            return chooser->result();
        });
        list->action(QStringLiteral("acFiltry"))->trigger();
        const QStringList matching = {QStringLiteral("Alfa"), QStringLiteral("Epsilon"), QStringLiteral("O'Neil")};
        QStringList shown = namesOf(*list);
        shown.sort();
        QCOMPARE(shown, matching);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GPHLAV WHERE TYPVYBERU = 'V'")), 1);

        // the current filter in the designer: the conditions move with their connectives kept
        prompt().onModal<TfGP>([this](TfGP *d) {
            EXPECT(d->dbgPodminky->rowCount() == 2);
            d->dbgPodminky->setCurrentCell(0, 0);
            click(d, QStringLiteral("sbDolu"));
            EXPECT(d->dbgPodminky->item(1, 0)->text() == QStringLiteral("Město"));
            EXPECT(d->dbgPodminky->item(0, 3)->text() == QStringLiteral("OR"));
            // no pick list for the item
            click(d, QStringLiteral("sbVyber"));
            click(d, QStringLiteral("bPouzit"));
            return d->result();
        });
        list->action(QStringLiteral("acEditaceFiltru"))->trigger();
        QCOMPARE(prompt().lastText(), QStringLiteral("Okno výběru nebylo nalezeno"));
        prompt().clear();
        shown = namesOf(*list);
        shown.sort();
        QCOMPARE(shown, matching);

        // a value picked from the item's pick list
        exec(QStringLiteral("UPDATE STRUK SET VYBPOL = 'TfAdresyS', VYBPOLNAB = 'ADRMESTO' WHERE OKNO = 'TfAdresyS' AND POLOZKA = 'MESTO'"));
        PickLists::registerList(QStringLiteral("TfAdresyS"), [](QWidget *parent, int) { return VytvorAdresar(parent); });
        prompt().onModal<TfGP>([this](TfGP *d) {
            d->dbgPodminky->setCurrentCell(1, 0);
            prompt().onModal<TfSeznam>([](TfSeznam *pick) {
                pick->prepareAndOpen();
                ListDataset &rows = pick->controller()->list();
                rows.setCurrentRow(rows.find(QStringLiteral("ADRNAZEV"), QStringLiteral("Delta")));
                pick->Detail();
                return pick->result();
            });
            click(d, QStringLiteral("sbVyber"));
            EXPECT(d->eHodnota->text() == QStringLiteral("Ostrava"));
            click(d, QStringLiteral("bPouzit"));
            return d->result();
        });
        list->action(QStringLiteral("acEditaceFiltru"))->trigger();
        shown = namesOf(*list);
        shown.sort();
        QCOMPARE(shown, (QStringList{QStringLiteral("Delta"), QStringLiteral("O'Neil")}));

        // deleting the stored filter takes it out of the chooser
        prompt().onModal<TfFiltrySez>([this](TfFiltrySez *chooser) {
            EXPECT(chooser->selectName(QStringLiteral("Brno nebo O'Neil")));
            prompt().answer(PromptYes);
            click(chooser, QStringLiteral("sbSmazat"));
            EXPECT(chooser->count() == 0);
            return int(QDialog::Rejected);
        });
        list->action(QStringLiteral("acFiltry"))->trigger();
        QCOMPARE(prompt().shown.constLast().text, QStringLiteral("Smazat <<Brno nebo O'Neil>>"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GPHLAV")), 0);
    }

    void reportDesignPrintsWithGroupsAndSums()
    {
        fillAddresses();
        auto list = openAddresses();
        QVERIFY(list);
        prompt().onModal<TfGSez>([this](TfGSez *chooser) {
            prompt().onModal<TfGS>([this](TfGS *d) {
                d->bar()->nameEdit()->setText(QStringLiteral("Periody po městech"));
                d->eNadp1->setText(QStringLiteral("Periody kontrol"));
                d->eNadp2->setText(QStringLiteral("podle měst"));
                d->items()->selectItem(QStringLiteral("ADR"), QStringLiteral("NAZEV"));
                click(d, QStringLiteral("sbVlozit"));
                d->items()->selectItem(QStringLiteral("ADR"), QStringLiteral("PERHP"));
                click(d, QStringLiteral("sbVlozit"));
                d->cbSuma->setCurrentIndex(1);
                d->items()->selectItem(QStringLiteral("ADR"), QStringLiteral("MESTO"));
                click(d, QStringLiteral("sbSkupinaVlozit"));
                EXPECT(d->lSkupina->text() == QStringLiteral("ADR.MESTO"));
                click(d, QStringLiteral("sbUloz"));
                click(d, QStringLiteral("bTisk"));
                return d->result();
            });
            // the print's own dialog follows the designer
            prompt().onModal<TfObecTiskD>([this](TfObecTiskD *d) {
                EXPECT(d->eNadp1->text() == QStringLiteral("Periody kontrol"));
                return int(QDialog::Accepted);
            });
            click(chooser, QStringLiteral("sbNovy"));
            return chooser->result();
        });
        list->action(QStringLiteral("acUzivSestava"))->trigger();
        PrintPreview *preview = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<PrintPreview *>(w))
                preview = p;
        QVERIFY2(preview, qPrintable(prompt().texts().join(QLatin1Char('|'))));
        const QString pdf = env->path(QStringLiteral("report.pdf"));
        QVERIFY(preview->savePdf(pdf));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Periody kontrol")) && text.contains(QStringLiteral("podle měst")), qPrintable(text));
        // Brno: 6 + 18 + 30, Ostrava 24, Praha 12; each city heads its group once
        const int brno = text.indexOf(QStringLiteral("Brno"));
        const int ostrava = text.indexOf(QStringLiteral("Ostrava"));
        const int praha = text.indexOf(QStringLiteral("Praha"));
        QVERIFY2(brno >= 0 && brno < ostrava && ostrava < praha, qPrintable(text));
        QVERIFY2(text.mid(brno, ostrava - brno).contains(QStringLiteral("54")), qPrintable(text));
        QVERIFY2(text.mid(ostrava, praha - ostrava).contains(QStringLiteral("24")), qPrintable(text));
        QVERIFY2(text.mid(praha).contains(QStringLiteral("90")), qPrintable(text));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSHLAV WHERE NAZEV = 'Periody po městech' AND OKNO = 'TfAdresyS'")), 1);

        // the chooser deletes a design after its question
        prompt().onModal<TfGSez>([this](TfGSez *chooser) {
            EXPECT(chooser->selectName(QStringLiteral("Periody po městech")));
            prompt().answer(PromptYes);
            click(chooser, QStringLiteral("sbSmazat"));
            return int(QDialog::Rejected);
        });
        list->action(QStringLiteral("acUzivSestava"))->trigger();
        QCOMPARE(prompt().shown.constLast().text, QStringLiteral("Smazat <<Periody po městech>>"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSHLAV WHERE NAZEV = 'Periody po městech'")), 0);
    }

    // With only its seeded design the hydrant report's "Upravit vzor dokladu" still shows
    // the choice, whose "Editace" opens that design in TfGSDok; the extinguisher window's
    // three documents get one entry each.
    void documentDesignsEditedFromThePrintMenu()
    {
        const QString window = ProtocolPrint::hydrantDesignWindow();
        QList<Templates::DesignEntry> seeded;
        Templates::TemplateStore().listReports(window, 1, seeded);
        QCOMPARE(seeded.size(), 1);
        QWidget parent;
        QMenu menu;
        QAction *entry = addDesignEntry(&menu, {{QStringLiteral("Doklad o kontrole PV"), window}}, &parent);
        QCOMPARE(entry->text(), QStringLiteral("Upravit vzor dokladu"));
        int offered = 0;
        QString edited;
        prompt().onModal<TfGSDokSez>([&offered](TfGSDokSez *choice) {
            offered = choice->count();
            click(choice, QStringLiteral("sbEditace"));
            return int(QDialog::Rejected);
        });
        prompt().onModal<TfGSDok>([&edited](TfGSDok *d) {
            edited = d->bar()->nameEdit()->text();
            return int(QDialog::Rejected);
        });
        entry->trigger();
        QCOMPARE(offered, 1);
        QCOMPARE(edited, seeded.first().name);

        QMenu hp;
        QAction *documents = addDesignEntry(&hp,
                                            {{QStringLiteral("Doklad o kontrole HP"), HPPrint::designWindow(HPDocument::Kontrola)},
                                             {QStringLiteral("Doklad o vyřazení HP"), HPPrint::designWindow(HPDocument::Vyrazeni)}},
                                            &parent);
        QCOMPARE(documents->text(), QStringLiteral("Upravit vzor dokladu"));
        QCOMPARE(documents->menu()->actions().size(), 2);
    }

    void documentDesignOnTheExtinguisherReport()
    {
        std::unique_ptr<TfHPC> hpc(TfClass::create<TfHPC>(DM));
        const int key = newInspection(*hpc, QDate(2026, 3, 2));
        QVERIFY(key > 0);
        const QString window = HPPrint::designWindow(HPDocument::Kontrola);
        int designKey = 0;
        prompt().onModal<TfGSDok>([&designKey](TfGSDok *d) {
            d->bar()->nameEdit()->setText(QStringLiteral("Doklad se zkouškou"));
            d->items()->selectItem(QStringLiteral("PHP"), QStringLiteral("VYRCIS"));
            click(d, QStringLiteral("sbVlozit"));
            d->reZahlavi->setPlainText(QStringLiteral("Záhlaví zkušebního dokladu"));
            d->reLegenda->setPlainText(QStringLiteral("Legenda: V vyhovuje"));
            d->reZapati->setPlainText(QStringLiteral("nechtěné zápatí"));
            click(d, QStringLiteral("sbZapatiSmazat"));
            d->cbVyhodnoceniPV->setChecked(true);
            click(d, QStringLiteral("sbUloz"));
            designKey = d->currentKey();
            return int(QDialog::Rejected);
        });
        QVERIFY(DesignWindows::editDocumentDesign(nullptr, window, 1, QStringLiteral("PHP;PHP;Položky HP;(1)"), 0) > 0);
        QVERIFY(designKey > 0);
        Templates::ReportDesign stored;
        QVERIFY(Templates::TemplateStore().loadReport(designKey, stored) > 0);
        QCOMPARE(Templates::settingValue(stored.settings, QStringLiteral("V")), QStringLiteral("A"));
        QVERIFY(stored.footer.isEmpty());

        Print::Document document;
        QCOMPARE(HPPrint::render(HPDocument::Kontrola, key, designKey, document, DM), 0);
        const QString pdf = env->path(QStringLiteral("dok.pdf"));
        QString error;
        QVERIFY2(Print::writePdf(document, pdf, &error), qPrintable(error));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Záhlaví zkušebního dokladu")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Legenda: V vyhovuje")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("nechtěné zápatí")));
    }
};

QTEST_MAIN(TestDesigners)
#include "tst_designers.moc"
