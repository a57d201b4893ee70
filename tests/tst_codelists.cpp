// The code-list editor on real database files, for every code list declared: what it
// shows, adding, editing, deleting, saving, reopening and undoing; the price-list
// sections of the two type lists, the TCK key rule, the list without a change counter,
// the title sort and the schema's seeded section names.
#include <QtTest>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QSqlQuery>
#include <QTableView>
#include <memory>

#include "widgets/codelists.h"
#include "core/rowcachemodel.h"
#include "widgets/sortheader.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/programdatabasetest.h"
#include "widgets/printpreview.h"

namespace {

// The column a test types its text into: the description, or the list's only text.
QString textField(const CodeListTable &d)
{
    for (const CodeListColumn &c : d.columns)
        if (c.field == QLatin1String("POPIS"))
            return c.field;
    return d.columns.constFirst().field;
}

// One data row per code list, by its editor's name.
void everyCodeList()
{
    QTest::addColumn<int>("list");
    for (const CodeListTable &d : codeListTables())
        QTest::newRow(qPrintable(d.objectName)) << int(d.id);
}

// Types a text into a grid cell the way the cell editor hands it over.
bool type(TfEditSez &e, const QString &field, const QString &text)
{
    const int column = e.model()->columnOfField(field);
    const int row = e.rows().currentRow();
    if (column < 0 || row < 0)
        return false;
    return e.model()->setData(e.model()->index(row, column), text);
}

QStringList shown(TfEditSez &e, const QString &field)
{
    QStringList values;
    for (int r = 0; r < e.rows().rowCount(); ++r)
        values << e.rows().value(r, field).toString();
    return values;
}

} // namespace

class TestCodeLists : public ProgramDatabaseTest
{
    Q_OBJECT
private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void freshDatabaseHasTheElevenSections()
    {
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCIS, CSEKCE, POPIS, KLIC FROM NAZSEKCE ORDER BY CSEKCE")));
        int n = 0;
        while (q.next()) {
            ++n;
            QCOMPARE(q.value(1).toInt(), n);
            QCOMPARE(q.value(0).toInt(), n * 100);   // database number 0
            QVERIFY(!q.value(2).toString().trimmed().isEmpty());
            QCOMPARE(q.value(3).toInt(), 0);
        }
        QCOMPARE(n, 11);
        // the generator went along: the program's next key is a new one
        QCOMPARE(DM->NextKey(QStringLiteral("NAZSEKCE")), qint64(1200));
        CodeListEditor sekce(CodeList::Sekce);
        QVERIFY(sekce.isCreated());
        QCOMPARE(sekce.rows().rowCount(), 11);
        QCOMPARE(sekce.rows().value(0, QStringLiteral("CSEKCE")).toInt(), 1);
        QCOMPARE(sekce.rows().value(6, QStringLiteral("POPIS")).toString(), QStringLiteral("Typy hasicích přístrojů"));
    }

    void eachEditorShowsItsDeclaration_data() { everyCodeList(); }
    void eachEditorShowsItsDeclaration()
    {
        QFETCH(int, list);
        const CodeListTable &d = codeListTable(CodeList(list));
        QCOMPARE(int(d.id), list);
        CodeListEditor e(d.id);
        QVERIFY(e.isCreated());
        QCOMPARE(&e.declaration(), &d);
        QCOMPARE(e.objectName(), d.objectName);
        QCOMPARE(e.windowTitle(), d.caption);
        QVERIFY(e.windowTitle().startsWith(QStringLiteral("Tarko 8: ")));
        QCOMPARE(e.table(), d.table);
        QCOMPARE(e.grid()->objectName(), QStringLiteral("dbgSez"));
        for (const char *button : {"sbPridej", "sbUber", "sbUloz", "sbZpet", "sbTisk", "sbESC"})
            QVERIFY2(e.findChild<QWidget *>(QString::fromLatin1(button)), button);
        QCOMPARE(e.model()->columnCount(), d.columns.size());
        QCOMPARE(e.orderBy(), d.orderBy);
        QVERIFY(e.rows().isOpen());
        QCOMPARE(e.Pridej(), 0);
        for (int c = 0; c < d.columns.size(); ++c) {
            const CodeListColumn &column = d.columns.at(c);
            QCOMPARE(e.model()->headerData(c, Qt::Horizontal).toString(), column.title);
            QCOMPARE(e.model()->fieldOfColumn(c), column.field);
            // the table has every column the grid shows
            QVERIFY2(e.rows().hasField(column.field), qPrintable(column.field));
            const bool typed = e.model()->flags(e.model()->index(e.rows().currentRow(), c)) & Qt::ItemIsEditable;
            QCOMPARE(typed, column.input == CodeListColumn::Typed);
        }
        QCOMPARE(e.Zpet(), 0);
        // every list carries the mark column and the framework columns it writes
        QVERIFY(e.rows().hasField(QStringLiteral("OZNAC")));
        QVERIFY(e.rows().hasField(QStringLiteral("UNCIS")));
        QVERIFY(e.codeListSql().text.contains(QStringLiteral("' as oznac FROM ") + d.table));
        auto *legend = e.findChild<QGroupBox *>();
        QCOMPARE(legend != nullptr, !d.legend.title.isEmpty());
        if (legend) {
            QCOMPARE(legend->objectName(), d.legend.objectName);
            QCOMPARE(legend->title(), d.legend.title);
            auto *text = legend->findChild<QLabel *>();
            QVERIFY(text);
            QCOMPARE(text->text(), d.legend.text);
        }
    }

    void eachEditorAddsEditsDeletesSavesAndUndoes_data() { everyCodeList(); }
    void eachEditorAddsEditsDeletesSavesAndUndoes()
    {
        QFETCH(int, list);
        const CodeListTable &d = codeListTable(CodeList(list));
        const QString table = d.table;
        const QString field = textField(d);
        const bool hasKlic = table != QLatin1String("S_UMIST");
        auto e = std::make_unique<CodeListEditor>(d.id);
        const int before = e->rows().rowCount();
        const int stored = count(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        QVERIFY(!e->isChanged());
        QCOMPARE(e->rows().hasField(QStringLiteral("KLIC")), hasKlic);

        // add: a key from the table's generator, change counter 0, the user as KDO
        QCOMPARE(e->Pridej(), 0);
        QVERIFY(e->isChanged());
        QCOMPARE(e->rows().rowCount(), before + 1);
        const int key = e->rows().value(QStringLiteral("UNCIS")).toInt();
        QVERIFY(key > 0);
        QCOMPARE(key % 100, 0);
        if (hasKlic)
            QCOMPARE(e->rows().value(QStringLiteral("KLIC")).toInt(), 0);
        QVERIFY(type(*e, field, QStringLiteral("Žluťoučký kůň")));
        QCOMPARE(e->Uloz(), 0);
        QVERIFY(!e->isChanged());
        const QString where = QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE UNCIS = %1").arg(key);
        QCOMPARE(scalar(QStringLiteral("SELECT ") + field + where).toString(), QStringLiteral("Žluťoučký kůň"));
        if (hasKlic)
            QCOMPARE(count(QStringLiteral("SELECT KLIC") + where), 0);
        QVERIFY(!scalar(QStringLiteral("SELECT KDY") + where).isNull());
        if (d.section > 0)
            QCOMPARE(count(QStringLiteral("SELECT CSEKCE") + where), d.section);

        // the list opened again shows the saved row
        {
            CodeListEditor reopened(d.id);
            QCOMPARE(reopened.rows().rowCount(), before + 1);
            QVERIFY(reopened.rows().locate(QStringLiteral("UNCIS"), key));
            QCOMPARE(reopened.rows().value(field).toString(), QStringLiteral("Žluťoučký kůň"));
        }

        // edit and save: the change counter goes up
        QVERIFY(e->rows().locate(QStringLiteral("UNCIS"), key));
        QVERIFY(type(*e, field, QStringLiteral("Změněno")));
        QCOMPARE(e->Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT ") + field + where).toString(), QStringLiteral("Změněno"));
        if (hasKlic) {
            QCOMPARE(count(QStringLiteral("SELECT KLIC") + where), 1);
            QCOMPARE(e->rows().value(QStringLiteral("KLIC")).toInt(), 1);
        }

        // edit and undo: the stored text comes back, the row stays current
        QVERIFY(type(*e, field, QStringLiteral("Zapomenuto")));
        QVERIFY(e->isChanged());
        QCOMPARE(e->Zpet(), 0);
        QVERIFY(!e->isChanged());
        QCOMPARE(e->rows().value(QStringLiteral("UNCIS")).toInt(), key);
        QCOMPARE(e->rows().value(field).toString(), QStringLiteral("Změněno"));

        // an added row undone never reaches the table
        QCOMPARE(e->Pridej(), 0);
        const int dropped = e->rows().value(QStringLiteral("UNCIS")).toInt();
        QCOMPARE(e->Zpet(), 0);
        QVERIFY(!e->rows().locate(QStringLiteral("UNCIS"), dropped));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ") + table), stored + 1);

        // delete asks, then the save removes the row
        QVERIFY(e->rows().locate(QStringLiteral("UNCIS"), key));
        prompt().answer(PromptNo);
        QCOMPARE(e->Uber(), 1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat tento záznam ?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Potvrdit"));
        prompt().answer(PromptYes);
        QCOMPARE(e->Uber(), 0);
        QVERIFY(!e->rows().locate(QStringLiteral("UNCIS"), key));
        QCOMPARE(e->Uloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ") + table), stored);
        // "Tisk" prints the table through the list print into its preview
        prompt().onModal([](QDialog *d) { return d->objectName() == QLatin1String("fObecTiskD") ? int(QDialog::Accepted) : 0; });
        QCOMPARE(e->Tisk(), 0);
        PrintPreview *preview = e->findChild<PrintPreview *>();
        QVERIFY(preview);
        QVERIFY(preview->pageCount() >= 1);
        delete preview;
    }

    void typedTextBecomesTheColumnsValue()
    {
        bool ok = false;
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral("12"), QMetaType::fromType<int>(), &ok), QVariant(12));
        QVERIFY(ok);
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral("12,0"), QMetaType::fromType<int>(), &ok), QVariant(12));
        QVERIFY(ok);
        RowCacheModel::valueFromText(QStringLiteral("12,5"), QMetaType::fromType<int>(), &ok);
        QVERIFY(!ok);
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral(" 1.5 "), QMetaType::fromType<double>(), &ok).toDouble(), 1.5);
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral("1,5"), QMetaType::fromType<double>(), &ok).toDouble(), 1.5);
        const QVariant empty = RowCacheModel::valueFromText(QString(), QMetaType::fromType<double>(), &ok);
        QVERIFY(ok && empty.isNull());
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral("3/4/24"), QMetaType::fromType<QDate>(), &ok), QVariant(QDate(2024, 4, 3)));
        RowCacheModel::valueFromText(QStringLiteral("31.2.2024"), QMetaType::fromType<QDate>(), &ok);
        QVERIFY(!ok);
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral("1.2.2024 8:30"), QMetaType::fromType<QDateTime>(), &ok),
                 QVariant(QDateTime(QDate(2024, 2, 1), QTime(8, 30))));
        QCOMPARE(RowCacheModel::valueFromText(QStringLiteral(" a "), QMetaType::fromType<QString>(), &ok), QVariant(QStringLiteral(" a ")));

        // in a grid: numbers and dates shown the program's way, a wrong text refused
        exec(QStringLiteral("INSERT INTO S_STAV (UNCIS, TYP, POPIS, KLIC) VALUES (100, 4, 'Do opravy', 0)"));
        CodeListEditor e(CodeList::HPStavy);
        const QModelIndex typ = e.model()->index(0, e.model()->columnOfField(QStringLiteral("TYP")));
        QCOMPARE(e.model()->data(typ).toString(), QStringLiteral("4"));
        QVERIFY(!e.model()->setData(typ, QStringLiteral("čtyři")));
        QVERIFY(!e.isChanged());
        QVERIFY(e.model()->setData(typ, QStringLiteral("14")));
        QVERIFY(e.isChanged());
        QCOMPARE(e.Uloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT TYP FROM S_STAV")), 14);
    }

    void priceListTypesKeepToTheirSections()
    {
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, KLIC) VALUES (300, 3, 'Ventil', 0)"));
        CodeListEditor hp(CodeList::HPTypy);
        CodeListEditor pv(CodeList::PVTypy);
        QCOMPARE(hp.rows().rowCount(), 0);
        QCOMPARE(pv.rows().rowCount(), 0);
        QCOMPARE(hp.Pridej(), 0);
        QCOMPARE(hp.rows().value(QStringLiteral("CSEKCE")).toInt(), 7);
        QVERIFY(type(hp, QStringLiteral("POPIS"), QStringLiteral("PG 6")));
        QVERIFY(type(hp, QStringLiteral("ZKTL"), QStringLiteral("2,5")));
        QVERIFY(!type(hp, QStringLiteral("ZKTL"), QStringLiteral("vysoký")));
        QCOMPARE(hp.Uloz(), 0);
        const int hpKey = hp.rows().value(QStringLiteral("UNCIS")).toInt();
        QCOMPARE(count(QStringLiteral("SELECT CSEKCE FROM CENIK WHERE UNCIS = %1").arg(hpKey)), 7);
        QCOMPARE(scalar(QStringLiteral("SELECT ZKTL FROM CENIK WHERE UNCIS = %1").arg(hpKey)).toDouble(), 2.5);
        // the columns the editor does not show keep the table's defaults
        QCOMPARE(scalar(QStringLiteral("SELECT DPH FROM CENIK WHERE UNCIS = %1").arg(hpKey)).toString(), QStringLiteral("Z"));

        QCOMPARE(pv.Pridej(), 0);
        QVERIFY(type(pv, QStringLiteral("POPIS"), QStringLiteral("Hydrant D25")));
        QVERIFY(type(pv, QStringLiteral("PRUMHUB"), QStringLiteral("10")));
        QCOMPARE(pv.Uloz(), 0);
        const int pvKey = pv.rows().value(QStringLiteral("UNCIS")).toInt();
        QCOMPARE(count(QStringLiteral("SELECT CSEKCE FROM CENIK WHERE UNCIS = %1").arg(pvKey)), 11);

        CodeListEditor hpAgain(CodeList::HPTypy);
        CodeListEditor pvAgain(CodeList::PVTypy);
        QCOMPARE(shown(hpAgain, QStringLiteral("POPIS")), QStringList{QStringLiteral("PG 6")});
        QCOMPARE(shown(pvAgain, QStringLiteral("POPIS")), QStringList{QStringLiteral("Hydrant D25")});
        const TfEditSez::Sql sql = hpAgain.codeListSql();
        QVERIFY2(sql.text.contains(QStringLiteral(" WHERE  CSEKCE = :CSEKCE")), qPrintable(sql.text));
        QCOMPARE(sql.parameters.size(), 1);
        QCOMPARE(sql.parameters.at(0).value.toInt(), 7);
        QVERIFY(sql.text.endsWith(QStringLiteral(" ORDER BY POPIS ")));
    }

    void filtersJoinTheFixedCondition()
    {
        CodeListEditor e(CodeList::HPUmist);
        e.setFixedWhere(QStringLiteral("umi.POPIS <> ''"));
        e.filters().SetVariable(QStringLiteral("POPIS"), QStringLiteral("Chodba"));
        e.filters().SetVariable(QStringLiteral("umi.KDO"), QStringLiteral("Uziv"));
        e.filters().SetVariable(QStringLiteral("UNCIS"), QVariant());   // no value: no condition
        const TfEditSez::Sql sql = e.codeListSql();
        QCOMPARE(sql.text, QStringLiteral(" SELECT umi.* ,' ' as oznac FROM S_UMIST umi WHERE umi.POPIS <> ''"
                                          " AND  POPIS = :POPIS AND  UMI.KDO = :UMI_KDO ORDER BY POPIS "));
        exec(QStringLiteral("INSERT INTO S_UMIST (UNCIS, POPIS, KDO) VALUES (100, 'Chodba', 'Uziv')"));
        exec(QStringLiteral("INSERT INTO S_UMIST (UNCIS, POPIS, KDO) VALUES (200, 'Sklad', 'Uziv')"));
        QCOMPARE(e.OpenCodeList(0), 0);
        QCOMPARE(shown(e, QStringLiteral("POPIS")), QStringList{QStringLiteral("Chodba")});
    }

    void tckKeyRule()
    {
        const auto decide = [](int key, const QString &text, Qt::KeyboardModifiers m = Qt::NoModifier) {
            return tckKey(key, m, text);
        };
        QVERIFY(decide(Qt::Key_A, QStringLiteral("a")).store);
        QCOMPARE(decide(Qt::Key_A, QStringLiteral("A")).value, QStringLiteral("A"));
        QCOMPARE(decide(Qt::Key_N, QStringLiteral("n")).value, QStringLiteral(" "));
        QCOMPARE(decide(Qt::Key_Space, QStringLiteral(" ")).value, QStringLiteral(" "));
        const TckKey x = decide(Qt::Key_X, QStringLiteral("x"));
        QVERIFY(x.handled && !x.store);
        QVERIFY(!decide(Qt::Key_Down, QString()).handled);
        QVERIFY(!decide(Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier).handled);

        // in the grid
        CodeListEditor e(CodeList::HPTypy);
        QCOMPARE(e.Pridej(), 0);
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("S 6")));
        QCOMPARE(e.Uloz(), 0);
        const int tck = e.model()->columnOfField(QStringLiteral("TCK"));
        e.grid()->setCurrentIndex(e.model()->index(0, tck));
        QVERIFY(!(e.model()->flags(e.model()->index(0, tck)) & Qt::ItemIsEditable));
        QTest::keyClick(e.grid(), Qt::Key_A);
        QCOMPARE(e.rows().value(QStringLiteral("TCK")).toString(), QStringLiteral("A"));
        QVERIFY(e.isChanged());
        QVERIFY(!e.isEditingCell());
        QTest::keyClick(e.grid(), Qt::Key_X);
        QCOMPARE(e.rows().value(QStringLiteral("TCK")).toString(), QStringLiteral("A"));
        QVERIFY(!e.isEditingCell());
        QCOMPARE(e.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT TCK FROM CENIK")).toString(), QStringLiteral("A"));
        QTest::keyClick(e.grid(), Qt::Key_N);
        QCOMPARE(e.rows().value(QStringLiteral("TCK")).toString(), QStringLiteral(" "));
        QCOMPARE(e.Uloz(), 0);
        QVERIFY(scalar(QStringLiteral("SELECT TCK FROM CENIK")).toString().trimmed().isEmpty());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE TCK = 'A'")), 0);
        QTest::keyClick(e.grid(), Qt::Key_A);
        QCOMPARE(e.Uloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE TCK = 'A'")), 1);
        // elsewhere a letter is typing into the cell
        e.grid()->setCurrentIndex(e.model()->index(0, e.model()->columnOfField(QStringLiteral("KOD"))));
        QTest::keyClick(e.grid(), Qt::Key_A);
        QVERIFY(e.isEditingCell());
    }

    void locationsWithoutChangeCounterSaveByKey()
    {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = 'S_UMIST' "
                                      "AND TRIM(RDB$FIELD_NAME) = 'KLIC'")), 0);
        exec(QStringLiteral("INSERT INTO S_UMIST (UNCIS, POPIS) VALUES (500, 'Chodba')"));
        CodeListEditor e(CodeList::HPUmist);
        QVERIFY(!e.rows().hasField(QStringLiteral("KLIC")));
        QVERIFY(e.rows().locate(QStringLiteral("UNCIS"), 500));
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("Chodba 1. patro")));
        QCOMPARE(e.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM S_UMIST WHERE UNCIS = 500")).toString(),
                 QStringLiteral("Chodba 1. patro"));
        // another workstation's change in between is simply overwritten: there is no counter
        exec(QStringLiteral("UPDATE S_UMIST SET POPIS = 'Jinde' WHERE UNCIS = 500"));
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("Sklad")));
        QCOMPARE(e.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM S_UMIST WHERE UNCIS = 500")).toString(), QStringLiteral("Sklad"));
    }

    void changedMeanwhileIsNotOverwritten()
    {
        exec(QStringLiteral("INSERT INTO POZICE (UNCIS, POPIS, KLIC) VALUES (100, 'vlevo', 0)"));
        CodeListEditor e(CodeList::HPPozice);
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("vpravo")));
        exec(QStringLiteral("UPDATE POZICE SET POPIS = 'nahoře', KLIC = 1 WHERE UNCIS = 100"));
        QCOMPARE(e.Uloz(), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložení"));
        QVERIFY(e.isChanged());
        QCOMPARE(e.rows().value(QStringLiteral("POPIS")).toString(), QStringLiteral("vpravo"));
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM POZICE")).toString(), QStringLiteral("nahoře"));
        // undo shows what is stored now; then a save goes through
        QCOMPARE(e.Zpet(), 0);
        QCOMPARE(e.rows().value(QStringLiteral("POPIS")).toString(), QStringLiteral("nahoře"));
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("dole")));
        QCOMPARE(e.Uloz(), 0);
        QCOMPARE(count(QStringLiteral("SELECT KLIC FROM POZICE")), 2);
        prompt().clear();
    }

    void titleSortAscendingThenDescending()
    {
        exec(QStringLiteral("INSERT INTO S_VOZNAC (UNCIS, POPIS, KLIC) VALUES (100, 'B', 0)"));
        exec(QStringLiteral("INSERT INTO S_VOZNAC (UNCIS, POPIS, KLIC) VALUES (200, 'Č', 0)"));
        exec(QStringLiteral("INSERT INTO S_VOZNAC (UNCIS, POPIS, KLIC) VALUES (300, 'A', 0)"));
        exec(QStringLiteral("INSERT INTO S_VOZNAC (UNCIS, POPIS, KLIC) VALUES (400, 'C', 0)"));
        CodeListEditor e(CodeList::PVOznaceni);
        QCOMPARE(shown(e, QStringLiteral("POPIS")), (QStringList{"A", "B", "C", "Č"}));
        SortHeader *h = e.sortHeader();
        QCOMPARE(h->titleColor(0), QColor(Qt::black));
        QVERIFY(e.rows().locate(QStringLiteral("UNCIS"), 200));

        QVERIFY(e.SortByColumn(0));
        QCOMPARE(e.orderBy(), QStringLiteral(" ORDER BY POPIS"));
        QCOMPARE(shown(e, QStringLiteral("POPIS")), (QStringList{"A", "B", "C", "Č"}));
        QCOMPARE(h->titleColor(0), QColor(0, 0, 255));
        QCOMPARE(e.rows().value(QStringLiteral("UNCIS")).toInt(), 200);   // the row stays current

        QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(h->sectionViewportPosition(0) + 5, h->height() / 2));
        QCOMPARE(e.orderBy(), QStringLiteral(" ORDER BY POPIS Desc "));
        QCOMPARE(shown(e, QStringLiteral("POPIS")), (QStringList{"Č", "C", "B", "A"}));
        QCOMPARE(h->titleColor(0), QColor(0, 128, 0));
        QVERIFY(e.SortByColumn(0));
        QCOMPARE(shown(e, QStringLiteral("POPIS")), (QStringList{"A", "B", "C", "Č"}));
        QVERIFY(!h->sortDescending());

        // unsaved changes are asked about first; Cancel keeps the order and the changes
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("D")));
        prompt().answer(PromptCancel);
        QVERIFY(!e.SortByColumn(0));
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložit změny ?"));
        QVERIFY(!h->sortDescending());
        QVERIFY(e.isChanged());
        prompt().answer(PromptYes);
        QVERIFY(e.SortByColumn(0));
        QVERIFY(h->sortDescending());
        QVERIFY(!e.isChanged());
        QCOMPARE(shown(e, QStringLiteral("POPIS")), (QStringList{"D", "C", "B", "A"}));
    }

    void anotherTitleStartsAscending()
    {
        CodeListEditor e(CodeList::Sekce);
        SortHeader *h = e.sortHeader();
        QVERIFY(e.SortByColumn(0));
        QVERIFY(e.SortByColumn(0));
        QVERIFY(h->sortDescending());
        QCOMPARE(e.rows().value(0, QStringLiteral("CSEKCE")).toInt(), 11);
        QVERIFY(e.SortByColumn(1));
        QCOMPARE(h->sortSection(), 1);
        QVERIFY(!h->sortDescending());
        QCOMPARE(h->titleColor(0), QColor(Qt::black));
        QCOMPARE(h->titleColor(1), QColor(0, 0, 255));
        QCOMPARE(e.orderBy(), QStringLiteral(" ORDER BY POPIS"));
    }

    void closingAsksToSave()
    {
        CodeListEditor e(CodeList::HPSezOprVyr);
        QCOMPARE(e.Pridej(), 0);
        QVERIFY(type(e, QStringLiteral("POPIS"), QStringLiteral("Vyměněn ventil")));
        prompt().answer(PromptCancel);
        QVERIFY(!e.close());
        QVERIFY(e.isChanged());
        prompt().answer(PromptNo);
        QVERIFY(e.close());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM S_OPRTXT")), 0);

        CodeListEditor again(CodeList::HPSezOprVyr);
        QCOMPARE(again.Pridej(), 0);
        QVERIFY(type(again, QStringLiteral("POPIS"), QStringLiteral("Vyměněn ventil")));
        prompt().answer(PromptYes);
        QVERIFY(again.close());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM S_OPRTXT")), 1);
        // nothing changed: no question
        CodeListEditor third(CodeList::HPSezOprVyr);
        prompt().clear();
        QVERIFY(third.close());
        QVERIFY(prompt().shown.isEmpty());
    }

    void enterHandsTheRowToThePicker()
    {
        exec(QStringLiteral("INSERT INTO S_VYBAV (UNCIS, POPIS, KLIC) VALUES (100, 'Hadice C52', 0)"));
        CodeListEditor e(CodeList::PVVybav);
        QString picked;
        e.setPickCallback([&](RowCache &rows) { picked = rows.value(QStringLiteral("POPIS")).toString(); });
        e.grid()->setCurrentIndex(e.model()->index(0, 0));
        QTest::keyClick(e.grid(), Qt::Key_Return);
        QCOMPARE(picked, QStringLiteral("Hadice C52"));
    }

    void missingTableTellsAndIsNotShown()
    {
        QVERIFY(DM->executeDdl(QStringLiteral("DROP TABLE KATVODHKON")));
        CodeListEditor e(CodeList::KatVodHKon);
        QVERIFY(!e.isCreated());
        QCOMPARE(prompt().lastText(), QStringLiteral("Založení formuláře"));
        prompt().clear();
    }

    void menuEntriesOpenTheEditors()
    {
        TDM shellDm(QStringLiteral("QelCodeListMenu"));
        TfLTarko w(&shellDm);
        const QVector<QPair<QString, QString>> entries = {
            {"miSekce", "fSekce"}, {"miHPTypy", "fHPTypy"}, {"miHPStavy", "fHPStavy"},
            {"miHPUmist", "fHPUmist"}, {"miHPPozice", "fHPPozice"}, {"miHPSezOprVyr", "fHPSezOprVyr"},
            {"miPVTypy", "fPVTypy"}, {"miPVUmist", "fPVUmist"}, {"miPVOznaceni", "fPVOznaceni"},
            {"miPVVybav", "fPVVybav"}, {"miKatVodHKon", "fKatVodHKon"},
        };
        for (const auto &entry : entries) {
            QString opened;
            prompt().onModal([&](QDialog *d) {
                opened = d->objectName();
                return 0;
            });
            w.trigger(entry.first);
            QCOMPARE(opened, entry.second);
        }
    }
};

QTEST_MAIN(TestCodeLists)
#include "tst_codelists.moc"
