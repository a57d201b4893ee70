// The printed reports of hydrant and fire-damper inspections, read back from their PDF
// files: the hydrant report with the header findings and their texts, the user-defined
// checks, each hydrant line with its evaluation and the count; the damper report with
// each damper and the count; the damper list's "Tisk" that opens its preview, and the
// menu entry and tool button that open the list.
#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QToolButton>

#include "inspections/pkc.h"
#include "inspections/pks.h"
#include "inspections/protocolprint.h"
#include "inspections/pv.h"
#include "inspections/pvc.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/addressdata.h"
#include "support/protocolfixture.h"
#include "support/programdatabasetest.h"
#include "widgets/printpreview.h"

class TestInspectionReports : public ProgramDatabaseTest
{
    Q_OBJECT

    // The rendered pages as the text of their PDF file.
    QString pdfText(const Print::Document &document, const QString &name)
    {
        const QString file = env->path(name + QStringLiteral(".pdf"));
        QString error;
        if (!Print::writePdf(document, file, &error))
            return QStringLiteral("PDF failed: ") + error;
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // The line of the text that holds what, simplified.
    static QString lineWith(const QString &text, const QString &what)
    {
        for (const QString &line : text.split(QLatin1Char('\n')))
            if (line.contains(what))
                return line.simplified();
        return QString();
    }
    // A stored inspection of an owner at its site, open in its controller.
    template <class Controller>
    static int inspectionAtSite(Controller &c, const QDate &datum)
    {
        const int owner = insertEntry(*DM, 1, QStringLiteral("Vodárna Kroměříž a.s."));
        const int site = insertRow(*DM, QStringLiteral("STREDISKA"),
                                   {{QStringLiteral("UNCH"), owner},
                                    {QStringLiteral("STREDISKO"), QStringLiteral("Čerpací stanice Hulín")}});
        return newInspection(c, datum, QStringLiteral("A"), owner, site);
    }

private slots:
    void init() { startFresh(); }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<PrintPreview *>(w))
                delete w;
        finish();
    }

    void hydrantReportWithFindingsEvaluationsAndCount()
    {
        std::unique_ptr<TfPVC> c(TfClass::create<TfPVC>(DM));
        const int key = inspectionAtSite(*c, QDate(2025, 3, 14));
        QVERIFY(key > 0);
        RowCache &h = c->header();
        h.setValue(QStringLiteral("CISPRO"), QStringLiteral("PV-2025-7"));
        h.setValue(QStringLiteral("TECDOK"), QStringLiteral("N"));
        h.setValue(QStringLiteral("ZDROJVOD"), QStringLiteral("vodovodní řad"));
        h.setValue(QStringLiteral("PRIVPOTZAV"), QStringLiteral("T"));
        h.setValue(QStringLiteral("PRIVPOTSTA"), QStringLiteral("O"));
        h.setValue(QStringLiteral("OZNMIS"), QStringLiteral("K"));
        h.setValue(QStringLiteral("VYTARM"), QStringLiteral("A"));
        h.setValue(QStringLiteral("TEPOCH"), QStringLiteral("K"));
        h.setValue(QStringLiteral("POHCEN"), QStringLiteral("X"));
        h.setValue(QStringLiteral("NAPPCEL"), QStringLiteral("O"));
        h.setValue(QStringLiteral("KOROCH"), QStringLiteral("Z"));   // another code prints nothing
        const QStringList designations = {QStringLiteral("H-01"), QStringLiteral("H-02"), QStringLiteral("H-03")};
        for (const QString &o : designations) {
            QVERIFY(c->AddItem() > 0);
            c->pv().setValue(QStringLiteral("OZNACENI"), o);
            c->pv().setValue(QStringLiteral("MISTO"), QStringLiteral("chodba ") + o);
            for (const QString &f : TfPVC::findingColumns())
                c->pv().setValue(f, QStringLiteral("V"));
        }
        // the second hydrant: the heat protection failed, the coupling was repaired
        c->pv().setCurrentRow(1);
        c->pv().setValue(QStringLiteral("HO"), QStringLiteral("N"));
        c->pv().setValue(QStringLiteral("PS"), QStringLiteral("O"));
        c->pv().setValue(QStringLiteral("PRETLAK"), 0.2);
        c->pv().setValue(QStringLiteral("KOEF"), 100);
        QCOMPARE(c->FlowFromPressure(), 0);
        c->FlowTyped();
        QVERIFY(c->AddCheck() > 0);
        c->kontroly().setValue(QStringLiteral("KONTROLA"), QStringLiteral("Zkouška těsnosti"));
        c->kontroly().setValue(QStringLiteral("STAV"), QStringLiteral("Vyhovuje"));
        QCOMPARE(c->SaveRecord(), 0);

        Print::Document document;
        QCOMPARE(ProtocolPrint::renderHydrantReport(key, 0, document, DM), 0);
        const QString text = pdfText(document, QStringLiteral("dokpv"));
        for (const QString &t : {QStringLiteral("Doklad o kontrole provozuschopnosti"), QStringLiteral("č. PV-2025-7"),
                                 QStringLiteral("Adresa umístnění PV"), QStringLiteral("Čerpací stanice Hulín"),
                                 QStringLiteral("Vlastník (uživatel, správce) PV"), QStringLiteral("Vodárna Kroměříž a.s."),
                                 QStringLiteral("Zjištěný stav"), QStringLiteral("Datum provedení kontroly: 14.3.2025")})
            QVERIFY2(text.contains(t), qPrintable(t + QLatin1Char('\n') + text));
        // the header findings with their texts, each on its line; an unknown code prints nothing
        for (const QString &t :
             {QStringLiteral("Technická dokumentace zásobování požární vodou N E B Y L A předložena"),
              QStringLiteral("Zdroj vody: vodovodní řad"), QStringLiteral("Trvale zavodněné"),
              QStringLiteral("Opraveno - V Y H O V U J Í C Í"), QStringLiteral("Druh rozvodu: K o m b i n o v a n ý"),
              QStringLiteral("Výtokové armatury a uzávěry jsou: V Y H O V U J Í C Í"),
              QStringLiteral("Tepelná ochrana: N E L Z E Z K O N T R O L O V A T"),
              QStringLiteral("Pohotovostní čerpadla pro dodávku požární vody: N E K O N T R O L O V Á N A"),
              QStringLiteral("- napojení na elek. rozvod je: po oprvavě V Y H O V U J Í C Í"),
              QStringLiteral("Zkouška těsnosti: Vyhovuje")})
            QVERIFY2(text.simplified().contains(t), qPrintable(t + QLatin1Char('\n') + text));
        QVERIFY(!text.contains(QStringLiteral("Protikorozní")));
        // each hydrant on its numbered line, in order, each followed by its evaluation
        int at = 0;
        for (int i = 0; i < designations.size(); ++i) {
            const QString row = lineWith(text.mid(at), designations.at(i));
            QVERIFY2(row.startsWith(QStringLiteral("00%1 chodba ").arg(i + 1)), qPrintable(row + QLatin1Char('\n') + text));
            at = text.indexOf(designations.at(i), at);
            QVERIFY(at > 0);
        }
        QVERIFY2(lineWith(text, QStringLiteral("H-02")).contains(QStringLiteral("2,36 l/s")), qPrintable(text));
        const QString failed = QStringLiteral("Nefunkční, Chybí : TO, Opraveno, Vyměněno : PS,");
        const QString fine = QStringLiteral("Nefunkční, Chybí : Opraveno, Vyměněno :");
        QCOMPARE(text.simplified().count(fine), 2);
        QVERIFY2(text.indexOf(lineWith(text, QStringLiteral("Nefunkční, Chybí : TO"))) > text.indexOf(QStringLiteral("H-02")),
                 qPrintable(text));
        QCOMPARE(lineWith(text, QStringLiteral("Nefunkční, Chybí : TO")), failed);
        QCOMPARE(lineWith(text, QStringLiteral("Zkontrolováno PV:")), QStringLiteral("Zkontrolováno PV: 3"));
    }

    // The hydrant window prints what it shows: a pending change is stored first. The
    // design decides whether each hydrant's evaluation prints.
    void hydrantWindowPrintsSavedAndTheDesignDecidesTheEvaluation()
    {
        TfPVC *c = TfClass::create<TfPVC>(DM);
        c->AddRef();   // the test's own reference: the controller outlives the window
        const int key = inspectionAtSite(*c, QDate(2025, 3, 14));
        QVERIFY(key > 0);
        QVERIFY(c->AddItem() > 0);
        c->pv().setValue(QStringLiteral("OZNACENI"), QStringLiteral("H-01"));
        c->pv().setValue(QStringLiteral("HO"), QStringLiteral("N"));
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(c->OpenRecord(key), 0);
        {
            TfPV w(c);
            w.show();
            c->pv().setValue(QStringLiteral("MISTO"), QStringLiteral("sklep"));
            QVERIFY(w.Zmena(&c->pv()));
            QAction *print = w.menuAction(QStringLiteral("miTiskKontrola"));
            QVERIFY(print && print->isEnabled());
            print->trigger();
            QVERIFY(!w.isChanged());
            QCOMPARE(scalar(QStringLiteral("SELECT MISTO FROM VOD_TAB WHERE UNCH = %1").arg(key)).toString(),
                     QStringLiteral("sklep"));
            PrintPreview *preview = nullptr;
            for (QWidget *t : QApplication::topLevelWidgets())
                if (auto *p = qobject_cast<PrintPreview *>(t); p && p->isVisible())
                    preview = p;
            QVERIFY(preview);
            QCOMPARE(preview->document().setup.jobName, QStringLiteral("Doklad o kontrole provozuschopnosti"));
            const QString text = pdfText(preview->document(), QStringLiteral("dokpv-window"));
            QVERIFY2(text.contains(QStringLiteral("Nefunkční, Chybí : TO")), qPrintable(text));
        }
        c->Release();
        // a design without the setting prints the hydrants without their evaluation
        exec(QStringLiteral("UPDATE GSHLAV SET OSTNAS = 'G:;' WHERE OKNO = 'DokPV'"));
        Print::Document document;
        QCOMPARE(ProtocolPrint::renderHydrantReport(key, 0, document, DM), 0);
        const QString text = pdfText(document, QStringLiteral("dokpv-plain"));
        QVERIFY2(text.contains(QStringLiteral("H-01")), qPrintable(text));
        QVERIFY2(!text.contains(QStringLiteral("Nefunkční")), qPrintable(text));
    }

    void damperReportAndTheListsPrintEntry()
    {
        std::unique_ptr<TfPKC> c(TfClass::create<TfPKC>(DM));
        const int key = inspectionAtSite(*c, QDate(2025, 5, 2));
        QVERIFY(key > 0);
        for (const char *o : {"K-11", "K-12"}) {
            QVERIFY(c->AddItem() > 0);
            c->pk().setValue(QStringLiteral("OZNKLAP"), QLatin1String(o));
            c->pk().setValue(QStringLiteral("OBJEKT"), QStringLiteral("Strojovna"));
            c->pk().setValue(QStringLiteral("VYRCIS"), QStringLiteral("VC-") + QLatin1String(o));
            QCOMPARE(c->SetFinding(QStringLiteral("FUNKCN"), QStringLiteral("3")), 0);
        }
        QCOMPARE(c->SaveRecord(), 0);
        Print::Document document;
        QCOMPARE(ProtocolPrint::renderDamperReport(key, 0, document, DM), 0);
        const QString text = pdfText(document, QStringLiteral("dokpk"));
        for (const QString &t : {QStringLiteral("Doklad o kontrole provozuschopnosti PK"), QStringLiteral("Adresa umístnění PK"),
                                 QStringLiteral("Vlastník (uživatel, správce) PK"), QStringLiteral("Objekt: Strojovna"),
                                 QStringLiteral("3 - Nevyhovující")})
            QVERIFY2(text.contains(t), qPrintable(t + QLatin1Char('\n') + text));
        QVERIFY2(lineWith(text, QStringLiteral("K-11")).startsWith(QStringLiteral("001 ")), qPrintable(text));
        QVERIFY2(lineWith(text, QStringLiteral("K-12")).contains(QStringLiteral("VC-K-12")), qPrintable(text));
        QCOMPARE(lineWith(text, QStringLiteral("Zkontrolováno PK:")), QStringLiteral("Zkontrolováno PK: 2"));

        // the list's "Tisk" shows the current inspection's report in the preview
        std::unique_ptr<TfPKS> list(VytvorKontrolyPK());
        QVERIFY(list);
        QVERIFY(list->prepareAndOpen() >= 0);
        list->ClearFilter();
        QAction *print = list->action(QStringLiteral("acDokladPK"));
        QVERIFY(print);
        QVERIFY(list->action(QStringLiteral("acTisk"))->menu()->actions().contains(print));
        print->trigger();
        PrintPreview *preview = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<PrintPreview *>(w); p && p->isVisible())
                preview = p;
        QVERIFY(preview);
        QCOMPARE(preview->document().setup.jobName, QStringLiteral("Doklad o kontrole provozuschopnosti PK"));
    }

    void menuEntryAndToolButtonOpenTheDamperList()
    {
        TDM unused(QStringLiteral("QelMenu"));
        TfLTarko main(&unused);
        main.findChild<QAction *>(QStringLiteral("miKontrolyPK"))->trigger();
        TfPKS *list = main.findChild<TfPKS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        QVERIFY(list->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(list->aliasTables(), TfPKS::AliasTables);
        TVarSQL &presets = list->controller()->defaults();
        QCOMPARE(presets.GetVariable(QStringLiteral("DATUM")).toDate(), QDate::currentDate());
        QCOMPARE(presets.GetVariable(QStringLiteral("FAKTURA")).toString(), QStringLiteral("P"));
        QCOMPARE(presets.GetVariable(QStringLiteral("PRAVID")).toString(), QStringLiteral("A"));
        // the first show lists the inspections of the last 40 days
        QCOMPARE(list->filter().conditions.size(), 1);
        QCOMPARE(list->filter().conditions.first().item, QStringLiteral("PKL.DATUM"));
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main.findChild<TfPKS *>());
        main.findChild<QToolButton *>(QStringLiteral("sbKontrolyPK"))->click();
        list = main.findChild<TfPKS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        list->close();
    }
};

QTEST_MAIN(TestInspectionReports)
#include "tst_protocolreports.moc"
