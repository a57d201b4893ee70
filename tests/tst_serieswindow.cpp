// The document number series window and the series it adds and removes: adding,
// removing and refusing codes with their generators, the window in its editing and
// catalogue modes, and the menu entry.
#include <QtTest>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

#include "core/rowcachemodel.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/seriesfixture.h"
#include "widgets/dokradwindow.h"
#include "widgets/pickdialogs.h"

namespace {

QToolButton *button(QWidget *window, const char *name)
{
    return window->findChild<QToolButton *>(QLatin1String(name));
}

// Answers the next TfNovy with a name and a code.
void answerNewSeries(ScriptedPrompt &prompt, const QString &name, const QString &code)
{
    prompt.onModal([=](QDialog *d) {
        auto *dialog = qobject_cast<TfNovy *>(d);
        if (!dialog)
            return int(PromptCancel);
        dialog->setValues(name, code);
        return int(PromptOk);
    });
}

int rowOf(TfDokRad &w, const QString &code)
{
    for (int r = 0; r < w.rows().rowCount(); ++r)
        if (w.rows().value(r, QStringLiteral("KOD")).toString().trimmed() == code)
            return r;
    return -1;
}

} // namespace

class TestSeriesWindow : public SeriesFixture
{
    Q_OBJECT
private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    // --- adding, removing, refusing ----------------------------------------------------

    void addedSeriesNumbersFromOne()
    {
        TfDokRad w;
        QVERIFY(w.isCreated());
        answerNewSeries(prompt(), QStringLiteral("Faktury vydané"), QStringLiteral(" fa_1 "));
        QCOMPARE(w.Pridej(), int(DocumentSeries::Done));
        QCOMPARE(seriesRows(QStringLiteral("FA_1")), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT FORMAT FROM DOKRAD WHERE KOD = 'FA_1'")).toString(),
                 QStringLiteral("###/&&"));
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM DOKRAD WHERE KOD = 'FA_1'")).toString(),
                 QStringLiteral("Faktury vydané"));
        QVERIFY(generatorExists(QStringLiteral("XFA_1")));
        // the grid shows the new series as its current row, with its counter
        QCOMPARE(w.currentCode(), QStringLiteral("FA_1"));
        QCOMPARE(w.valueField()->text(), QStringLiteral("0"));
        int sequence = 0;
        QCOMPARE(next(QStringLiteral("fa_1"), &sequence), QStringLiteral("001/26"));
        QCOMPARE(sequence, 1);

        // cancelling the dialog adds nothing
        prompt().onModal([](QDialog *) { return int(PromptCancel); });
        QCOMPARE(w.Pridej(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM DOKRAD")).toInt(), 1);
    }

    void generatorLeftWithoutSeriesStartsAgain()
    {
        QVERIFY(DM->executeDdl(QStringLiteral("CREATE SEQUENCE XOLD")));
        QVERIFY(DM->executeDdl(QStringLiteral("SET GENERATOR XOLD TO 77")));
        QCOMPARE(DocumentSeries(DM).add(QStringLiteral("Stará"), QStringLiteral("old")), int(DocumentSeries::Done));
        QCOMPARE(generator(QStringLiteral("OLD")), qint64(0));
        QCOMPARE(next(QStringLiteral("OLD")), QStringLiteral("001/26"));
    }

    void codesThatCannotNameAGeneratorAreRefused_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("blank inside") << "D L";
        QTest::newRow("quote") << "D'L";
        QTest::newRow("statement end") << "DL;DROP";
        QTest::newRow("dash") << "D-L";
        QTest::newRow("Czech letter") << "ŘD";
        QTest::newRow("too long") << "ABCDEFGHIJK";
        QTest::newRow("blank only") << "   ";
    }
    void codesThatCannotNameAGeneratorAreRefused()
    {
        QFETCH(QString, code);
        TfDokRad w;
        answerNewSeries(prompt(), QStringLiteral("Chybná"), code);
        QCOMPARE(w.Pridej(), int(DocumentSeries::InvalidCode));
        QCOMPARE(prompt().shown.size(), 1);
        QCOMPARE(prompt().shown.constFirst().kind, PromptKind::Warning);
        QVERIFY(prompt().lastText().startsWith(QStringLiteral("Kód řady smí obsahovat jen písmena")));
        prompt().clear();
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM DOKRAD")).toInt(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME STARTING WITH 'X'"))
                     .toInt(),
                 0);
    }

    void existingCodeIsRefused()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        TfDokRad w;
        answerNewSeries(prompt(), QStringLiteral("Znovu"), QStringLiteral("dl"));
        QCOMPARE(w.Pridej(), int(DocumentSeries::CodeExists));
        QCOMPARE(prompt().lastText(), QStringLiteral("Číselná řada s kódem DL již existuje."));
        prompt().clear();
        QCOMPARE(seriesRows(QStringLiteral("DL")), 1);
        // the live counter goes on where it was
        QCOMPARE(generator(QStringLiteral("DL")), qint64(41));
        QCOMPARE(next(QStringLiteral("DL")), QStringLiteral("042/26"));
    }

    void removingTakesTheGeneratorAlong()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        series(QStringLiteral("FA"), QStringLiteral("###/&&"), 3);
        TfDokRad w;
        w.rows().setCurrentRow(rowOf(w, QStringLiteral("DL")));

        prompt().answer(PromptNo);
        QCOMPARE(w.Uber(), 1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat vybranou číselnou řadu ?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Pozor"));
        QCOMPARE(seriesRows(QStringLiteral("DL")), 1);

        prompt().answer(PromptYes);
        QCOMPARE(w.Uber(), int(DocumentSeries::Done));
        prompt().clear();
        QCOMPARE(seriesRows(QStringLiteral("DL")), 0);
        QVERIFY(!generatorExists(QStringLiteral("XDL")));
        QCOMPARE(w.rows().rowCount(), 1);
        QCOMPARE(next(QStringLiteral("FA")), QStringLiteral("004/26"));
        // the code can be used again and counts from 1
        QCOMPARE(DocumentSeries(DM).add(QStringLiteral("Dodací listy"), QStringLiteral("DL")), int(DocumentSeries::Done));
        QCOMPARE(next(QStringLiteral("DL")), QStringLiteral("001/26"));
    }

    void removingARowWithoutGenerator()
    {
        exec(QStringLiteral("INSERT INTO DOKRAD (UNCIS, KOD, POPIS, FORMAT) VALUES (100, 'A B', 'Stará chybná', '###')"));
        TfDokRad w;
        QCOMPARE(w.rows().rowCount(), 1);
        prompt().answer(PromptYes);
        QCOMPARE(w.Uber(), int(DocumentSeries::Done));
        prompt().clear();
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM DOKRAD")).toInt(), 0);
    }

    void failedAddChangesNothing()
    {
        // a name longer than the column fails the insert before any generator is made
        QCOMPARE(DocumentSeries(DM).add(QString(70, QLatin1Char('N')), QStringLiteral("DL")),
                 int(DocumentSeries::Failed));
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložení nové řady!"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Chyba !"));
        prompt().clear();
        QCOMPARE(seriesRows(QStringLiteral("DL")), 0);
        QVERIFY(!generatorExists(QStringLiteral("XDL")));
    }

    void generatorStillInUseStaysWhenItsSeriesGoes()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        // something in the database depends on the generator, so it cannot be dropped
        QVERIFY(DM->executeDdl(QStringLiteral(
            "CREATE PROCEDURE P_DL RETURNS (V BIGINT) AS BEGIN V = GEN_ID(XDL, 0); SUSPEND; END")));
        TfDokRad w;
        prompt().answer(PromptYes);
        QCOMPARE(w.Uber(), int(DocumentSeries::Done));
        QCOMPARE(seriesRows(QStringLiteral("DL")), 0);
        QCOMPARE(w.rows().rowCount(), 0);
        QVERIFY(generatorExists(QStringLiteral("XDL")));
        // a series added again with the code numbers from one
        QCOMPARE(DocumentSeries(DM).add(QStringLiteral("Dodací listy"), QStringLiteral("DL")), int(DocumentSeries::Done));
        exec(QStringLiteral("UPDATE DOKRAD SET FORMAT = '###/&&' WHERE KOD = 'DL'"));
        QCOMPARE(next(QStringLiteral("DL")), QStringLiteral("001/26"));
    }

    void seriesWhoseDeleteIsNotCommittedKeepsItsGenerator()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        // the delete of the row is refused only when its transaction commits
        QVERIFY(TestEnvironment::ddl(*DM, {
            QStringLiteral("CREATE EXCEPTION E_NO_COMMIT 'commit refused'"),
            QStringLiteral("CREATE TRIGGER T_DOKRAD_DELETE FOR DOKRAD BEFORE DELETE AS DECLARE I INTEGER; "
                           "BEGIN I = RDB$SET_CONTEXT('USER_TRANSACTION', 'REFUSE_COMMIT', '1'); END"),
            QStringLiteral("CREATE TRIGGER T_REFUSE_COMMIT ON TRANSACTION COMMIT AS BEGIN "
                           "IF (RDB$GET_CONTEXT('USER_TRANSACTION', 'REFUSE_COMMIT') = '1') THEN "
                           "EXCEPTION E_NO_COMMIT; END")}));
        QCOMPARE(DocumentSeries(DM).remove(QStringLiteral("DL")), int(DocumentSeries::Failed));
        QCOMPARE(prompt().lastText(), QStringLiteral("Mazání číslelné řady"));
        prompt().clear();
        QCOMPARE(seriesRows(QStringLiteral("DL")), 1);
        QVERIFY(generatorExists(QStringLiteral("XDL")));
        QCOMPARE(next(QStringLiteral("DL")), QStringLiteral("042/26"));
    }

    // --- the window ----------------------------------------------------------------------

    void windowLayout()
    {
        TfDokRad w;
        QVERIFY(w.isCreated());
        QCOMPARE(w.objectName(), QStringLiteral("fDokRad"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Řady dokladů"));
        QCOMPARE(w.mode(), TfDokRad::Catalogue);
        QCOMPARE(w.valueField()->objectName(), QStringLiteral("eCis"));
        QCOMPARE(w.valueField()->text(), QStringLiteral("0"));
        const QStringList titles = {QStringLiteral("Kód"), QStringLiteral("Pops"), QStringLiteral("Formát")};
        QCOMPARE(w.model()->columnCount(), 3);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(w.model()->headerData(c, Qt::Horizontal).toString(), titles.at(c));
        const QVector<QPair<const char *, QString>> hints = {
            {"sbZobrazHodnotu", "Zobrazit hodnotu"}, {"sbUlozHodnotu", "Uložit hodnotu"},
            {"sbPridej", "Přidat"}, {"sbUber", "Ubrat"}, {"sbUloz", "Ubrat"}, {"sbZavrit", "Zavřít"}};
        for (const auto &hint : hints) {
            QToolButton *b = button(&w, hint.first);
            QVERIFY2(b, hint.first);
            QCOMPARE(b->toolTip(), hint.second);
        }
        auto *legend = w.findChild<QLabel *>(QStringLiteral("lFormat"));
        QVERIFY(legend);
        QCOMPARE(legend->text(), QStringLiteral("   Formát - #-číslo, &&-rok,@-měsíc"));
    }

    void editingModeShowsAndStoresTheCounter()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        series(QStringLiteral("FA"), QStringLiteral("###/&&"), 7);
        TfDokRad w;
        w.setMode(TfDokRad::Editing);
        // the counter follows the current row
        w.rows().setCurrentRow(rowOf(w, QStringLiteral("DL")));
        QCOMPARE(w.valueField()->text(), QStringLiteral("41"));
        w.rows().setCurrentRow(rowOf(w, QStringLiteral("FA")));
        QCOMPARE(w.valueField()->text(), QStringLiteral("7"));
        // another workstation moved it: the button reads it again
        QCOMPARE(next(QStringLiteral("FA")), QStringLiteral("008/26"));
        button(&w, "sbZobrazHodnotu")->click();
        QCOMPARE(w.valueField()->text(), QStringLiteral("8"));

        w.valueField()->setText(QStringLiteral(" 100 "));
        button(&w, "sbUlozHodnotu")->click();
        QCOMPARE(generator(QStringLiteral("FA")), qint64(100));
        QCOMPARE(w.valueField()->text(), QStringLiteral("100"));
        QCOMPARE(next(QStringLiteral("FA")), QStringLiteral("101/26"));
        QCOMPARE(generator(QStringLiteral("DL")), qint64(41));
        QVERIFY(prompt().shown.isEmpty());
    }

    void storedValueMustBeAWholeNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << "abc";
        QTest::newRow("decimal") << "1,5";
        QTest::newRow("negative") << "-1";
        QTest::newRow("SQL") << "1; DROP TABLE DOKRAD";
        QTest::newRow("empty") << "";
    }
    void storedValueMustBeAWholeNumber()
    {
        QFETCH(QString, typed);
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 41);
        TfDokRad w;
        w.setMode(TfDokRad::Editing);
        w.valueField()->setText(typed);
        QCOMPARE(w.UlozHodnotu(), int(DocumentSeries::InvalidValue));
        QCOMPARE(prompt().lastText(), QStringLiteral("Hodnota generátoru musí být celé číslo, nula nebo větší."));
        QCOMPARE(prompt().shown.constLast().kind, PromptKind::Warning);
        prompt().clear();
        QCOMPARE(generator(QStringLiteral("DL")), qint64(41));
        QCOMPARE(seriesRows(QStringLiteral("DL")), 1);
    }

    void failedStoreIsReported()
    {
        exec(QStringLiteral("INSERT INTO DOKRAD (UNCIS, KOD, POPIS, FORMAT) VALUES (100, 'ZTR', 'Ztracená', '###')"));
        TfDokRad w;
        // a series without its generator has no counter to show
        QCOMPARE(w.valueField()->text(), QString());
        w.valueField()->setText(QStringLiteral("5"));
        QCOMPARE(w.UlozHodnotu(), int(DocumentSeries::Failed));
        QCOMPARE(prompt().lastText(), QStringLiteral("Uložení hodnoty"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Chyba!"));
        prompt().clear();
        QVERIFY(!generatorExists(QStringLiteral("XZTR")));
    }

    void namesAndFormatsAreEditedInTheGrid()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 0);
        TfDokRad w;
        w.setMode(TfDokRad::Editing);
        RowCacheModel *m = w.model();
        // the code is the generator's name: it cannot be typed over
        QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(m->data(m->index(0, 0), Qt::BackgroundRole).isValid());
        QVERIFY(!m->setData(m->index(0, 0), QStringLiteral("XX")));
        QVERIFY(m->setData(m->index(0, 1), QStringLiteral("Dodací listy Brno")));
        QVERIFY(m->setData(m->index(0, 2), QStringLiteral("DL&&-####")));
        // rows are written by their key alone, whatever the change counter says
        exec(QStringLiteral("UPDATE DOKRAD SET KLIC = 5 WHERE KOD = 'DL'"));
        QCOMPARE(w.Uloz(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM DOKRAD WHERE KOD = 'DL'")).toString(),
                 QStringLiteral("Dodací listy Brno"));
        QCOMPARE(scalar(QStringLiteral("SELECT KDO FROM DOKRAD WHERE KOD = 'DL'")).toString(), QStringLiteral("novak"));
        QCOMPARE(next(QStringLiteral("DL")), QStringLiteral("DL26-0001"));

        // closing writes what is still in the grid
        QVERIFY(m->setData(m->index(0, 2), QStringLiteral("###")));
        button(&w, "sbZavrit")->click();
        QCOMPARE(scalar(QStringLiteral("SELECT FORMAT FROM DOKRAD WHERE KOD = 'DL'")).toString(), QStringLiteral("###"));
        QCOMPARE(w.mode(), TfDokRad::Catalogue);
    }

    void addingSavesTheGridFirst()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 0);
        TfDokRad w;
        QVERIFY(w.model()->setData(w.model()->index(0, 1), QStringLiteral("Upraveno")));
        answerNewSeries(prompt(), QStringLiteral("Faktury"), QStringLiteral("FA"));
        QCOMPARE(w.Pridej(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM DOKRAD WHERE KOD = 'DL'")).toString(), QStringLiteral("Upraveno"));
        QCOMPARE(w.rows().rowCount(), 2);
    }

    void catalogueReturnsThePickedCode()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 0);
        series(QStringLiteral("FA"), QStringLiteral("###/&&"), 0);
        TfDokRad::Mode modeSeen = TfDokRad::Editing;
        prompt().onModal([&](QDialog *d) {
            auto *w = qobject_cast<TfDokRad *>(d);
            if (!w)
                return int(PromptCancel);
            modeSeen = w->mode();
            const int row = rowOf(*w, QStringLiteral("FA"));
            w->grid()->setCurrentIndex(w->model()->index(row, 1));
            // a name typed in the catalogue is kept too
            w->model()->setData(w->model()->index(row, 1), QStringLiteral("Faktury vydané"));
            QTest::keyClick(w->grid(), Qt::Key_Return);
            return w->result();
        });
        QCOMPARE(TfDokRad::pickSeries(), QStringLiteral("FA"));
        QCOMPARE(modeSeen, TfDokRad::Catalogue);
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM DOKRAD WHERE KOD = 'FA'")).toString(),
                 QStringLiteral("Faktury vydané"));

        // closed without a pick: nothing goes into the document's field
        prompt().onModal([](QDialog *d) {
            button(d, "sbZavrit")->click();
            return d->result();
        });
        QCOMPARE(TfDokRad::pickSeries(), QString());
    }

    void enterInEditingModeDoesNotClose()
    {
        series(QStringLiteral("DL"), QStringLiteral("###/&&"), 0);
        TfDokRad w;
        w.setMode(TfDokRad::Editing);
        w.setResult(-1);
        QTest::keyClick(w.grid(), Qt::Key_Return);
        QCOMPARE(w.result(), -1);
        QCOMPARE(w.mode(), TfDokRad::Editing);
    }

    void menuOpensTheEditor()
    {
        TDM shellDm(QStringLiteral("QelSeriesMenu"));
        TfLTarko main(&shellDm);
        QString opened;
        TfDokRad::Mode modeSeen = TfDokRad::Catalogue;
        prompt().onModal([&](QDialog *d) {
            opened = d->objectName();
            if (auto *w = qobject_cast<TfDokRad *>(d))
                modeSeen = w->mode();
            return int(PromptCancel);
        });
        main.trigger(QStringLiteral("miDokRad"));
        QCOMPARE(opened, QStringLiteral("fDokRad"));
        QCOMPARE(modeSeen, TfDokRad::Editing);
    }
};

QTEST_MAIN(TestSeriesWindow)
#include "tst_serieswindow.moc"
