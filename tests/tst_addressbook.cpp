// The address book on real database files: new entries and their commercial
// extension, names of persons, sites and objects, copies, two workstations on one
// entry, the address texts of every kind, the list with its default columns and the
// menu entry that opens it.
#include <QtTest>
#include <QAction>
#include <QSqlQuery>

#include "customers/adresyc.h"
#include "customers/adresys.h"
#include "customers/adrtexty.h"
#include "customers/nabadr.h"
#include "core/globals.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"

class TestAddressBook : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    std::unique_ptr<TfAdresyC> controller(TDMPro *dm = DM)
    {
        std::unique_ptr<TfAdresyC> c(TfClass::create<TfAdresyC>(dm));
        return c;
    }
    // The keys the mode of the picker offers, in its order.
    QList<int> offered(const QString &mode, int firm = 0)
    {
        TfNabAdr picker;
        if (picker.ZobrazNabidku(mode, firm) != 0)
            return {-1};
        picker.rows().fetchAll();
        QList<int> keys;
        for (int r = 0; r < picker.rows().loadedRows(); ++r)
            keys << picker.rows().value(r, QStringLiteral("UNCIS")).toInt();
        picker.ZavritBezVyberu();
        return keys;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    // --- the controller ------------------------------------------------------------

    void newEntryIsAShownCustomerWithItsCommercialExtension()
    {
        auto c = controller();
        c->SetVariable(QStringLiteral("PERHP"), 12);
        const int key = c->InsertRecord();
        QVERIFY(key > 0);
        // stored at once: not hidden, a customer, its one FIRMY row linked by UNCH
        QCOMPARE(scalar(QStringLiteral("SELECT SESTADR FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("N"));
        QCOMPARE(scalar(QStringLiteral("SELECT TYP FROM ADRESAR WHERE UNCIS = %1").arg(key)).toInt(), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT PERHP FROM ADRESAR WHERE UNCIS = %1").arg(key)).toInt(), 12);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(key)), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY")), 1);
        QCOMPARE(c->firmy().cache->rowCount(), 1);
        // the newly created customer is offered by the firm picker at once
        QVERIFY(offered(QStringLiteral("FIR")).contains(key));
        // an entry stored without the flag (older data) is not hidden either
        const int old = insertEntry(*DM, 1, QStringLiteral("Stará data"));
        QVERIFY(scalar(QStringLiteral("SELECT SESTADR FROM ADRESAR WHERE UNCIS = %1").arg(old)).toString() == QStringLiteral("N"));
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("UPDATE ADRESAR SET SESTADR = NULL WHERE UNCIS = %1").arg(old)));
        QVERIFY(offered(QStringLiteral("fir")).contains(old));
    }

    void personsAreNamedSurnameFirst()
    {
        auto c = controller();
        struct Case { int typ; const char *expected; };
        for (const Case &k : {Case{2, "Novák Jan"}, Case{3, "Novák Jan"}, Case{4, "Novák Jan"}, Case{1, "Jak napsáno"},
                              Case{5, "Jak napsáno"}}) {
            const int key = c->InsertRecord();
            RowCache &h = c->header();
            h.setValue(QStringLiteral("TYP"), k.typ);
            h.setValue(QStringLiteral("NAZEV"), QStringLiteral("Jak napsáno"));
            h.setValue(QStringLiteral("JMENO"), QStringLiteral("Jan"));
            h.setValue(QStringLiteral("PRIJMENI"), QStringLiteral("Novák"));
            QCOMPARE(c->SaveRecord(), 0);
            QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString(),
                     QString::fromUtf8(k.expected));
        }
    }

    void newSiteTakesTheEntrysPeriodsOnce()
    {
        auto c = controller();
        const int key = c->InsertRecord();
        RowCache &h = c->header();
        h.setValue(QStringLiteral("PERHP"), 6);
        h.setValue(QStringLiteral("PERPV"), 12);
        h.setValue(QStringLiteral("PERPK"), 24);
        const int site = c->NoveStredisko();
        QVERIFY(site > 0);
        RowCache &s = *c->strediska().cache;
        QCOMPARE(s.value(QStringLiteral("UNCH")).toInt(), key);
        QCOMPARE(s.value(QStringLiteral("PERHP")).toInt(), 6);
        QCOMPARE(s.value(QStringLiteral("PERPV")).toInt(), 12);
        QCOMPARE(s.value(QStringLiteral("PERPK")).toInt(), 24);
        s.setValue(QStringLiteral("STREDISKO"), QStringLiteral("Sklad"));
        QCOMPARE(c->SaveRecord(), 0);
        // the entry's periods change; the site keeps its own
        c->header().setValue(QStringLiteral("PERHP"), 3);
        c->header().setValue(QStringLiteral("PERPK"), 36);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT PERHP FROM STREDISKA WHERE UNCIS = %1").arg(site)), 6);
        QCOMPARE(count(QStringLiteral("SELECT PERPK FROM STREDISKA WHERE UNCIS = %1").arg(site)), 24);
        // a second site starts with the periods the entry has now
        c->NoveStredisko();
        QCOMPARE(c->strediska().cache->value(QStringLiteral("PERHP")).toInt(), 3);
        QCOMPARE(c->strediska().cache->value(QStringLiteral("PERPV")).toInt(), 12);
        // an entry without periods gives a site without periods
        auto d = controller();
        d->InsertRecord();
        d->NoveStredisko();
        QVERIFY(d->strediska().cache->value(QStringLiteral("PERHP")).isNull());
    }

    void objectsAreNumberedAndRemovedWithTheSave()
    {
        auto c = controller();
        const int key = c->InsertRecord();
        QVERIFY(c->NovyObjekt() > 0);
        c->objekty().cache->setValue(QStringLiteral("OBJEKT"), QStringLiteral("Hala"));
        QVERIFY(c->NovyObjekt() > 0);
        c->objekty().cache->setValue(QStringLiteral("OBJEKT"), QStringLiteral("Sklad"));
        QCOMPARE(c->objekty().cache->value(QStringLiteral("PORADI")).toInt(), 2);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM S_OBJEKT WHERE UNCH = %1").arg(key)), 2);
        QVERIFY(c->objekty().cache->locate(QStringLiteral("OBJEKT"), QStringLiteral("Hala")));
        QCOMPARE(c->SmazatObjekt(), 0);
        // only the save removes it
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM S_OBJEKT WHERE UNCH = %1").arg(key)), 2);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT OBJEKT FROM S_OBJEKT WHERE UNCH = %1").arg(key)).toString(),
                 QStringLiteral("Sklad"));
        // the same for a site
        c->NoveStredisko();
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STREDISKA WHERE UNCH = %1").arg(key)), 1);
        QCOMPARE(c->SmazatStredisko(), 0);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STREDISKA WHERE UNCH = %1").arg(key)), 0);
        // nothing to remove
        QVERIFY(c->SmazatStredisko() < 0);
    }

    void copyHasOneCommercialExtension()
    {
        auto c = controller();
        const int key = c->InsertRecord();
        c->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Originál"));
        c->firmy().cache->setValue(QStringLiteral("DIC"), QStringLiteral("CZ123"));
        c->firmy().cache->setValue(QStringLiteral("SLEVA"), 7.5);
        c->NoveStredisko();
        c->strediska().cache->setValue(QStringLiteral("STREDISKO"), QStringLiteral("Dílna"));
        c->NovyObjekt();
        QCOMPARE(c->SaveRecord(), 0);

        const int copy = c->CopyRecord(key);
        QVERIFY(copy > 0 && copy != key);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(copy)), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT DIC FROM FIRMY WHERE UNCH = %1").arg(copy)).toString(), QStringLiteral("CZ123"));
        QCOMPARE(scalar(QStringLiteral("SELECT SLEVA FROM FIRMY WHERE UNCH = %1").arg(copy)).toDouble(), 7.5);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STREDISKA WHERE UNCH = %1").arg(copy)), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM S_OBJEKT WHERE UNCH = %1").arg(copy)), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(copy)).toString(), QStringLiteral("Originál"));
        // the source keeps its own
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(key)), 1);

        // an older entry without the extension: its copy gets one like every new entry
        const int bare = insertEntry(*DM, 1, QStringLiteral("Bez rozšíření"));
        const int bareCopy = c->CopyRecord(bare);
        QVERIFY(bareCopy > 0);
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY WHERE UNCH = %1").arg(bareCopy)), 1);
        // presets of new entries are unchanged by a copy
        QCOMPARE(c->defaults().GetVariable(QStringLiteral("NAZEV")), QVariant());
    }

    void deleteTakesTheDetailsAlong()
    {
        auto c = controller();
        const int key = c->InsertRecord();
        c->NoveStredisko();
        c->NovyObjekt();
        QCOMPARE(c->SaveRecord(), 0);
        QCOMPARE(c->DeleteRecord(key), 0);
        for (const char *table : {"ADRESAR", "FIRMY", "STREDISKA", "S_OBJEKT"})
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))), 0);
    }

    void priceListCanBeRemoved()
    {
        const int cenik = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("Velkoodběr")}});
        const int key = insertEntry(*DM, 1, QStringLiteral("Firma"), {{QStringLiteral("UNCCEN"), cenik}});
        auto c = controller();
        QCOMPARE(c->OpenRecord(key), 0);
        QCOMPARE(c->OdebratCenik(), 0);
        QCOMPARE(c->SaveRecord(), 0);
        QVERIFY(scalar(QStringLiteral("SELECT UNCCEN FROM ADRESAR WHERE UNCIS = %1").arg(key)).isNull());
    }

    void secondWorkstationCannotOverwrite()
    {
        std::unique_ptr<TDMPro> second = secondWorkstation();
        QVERIFY(second);
        auto a = controller();
        const int key = a->InsertRecord();
        a->NoveStredisko();
        a->strediska().cache->setValue(QStringLiteral("STREDISKO"), QStringLiteral("Původní"));
        QCOMPARE(a->SaveRecord(), 0);

        auto b = controller(second.get());
        QCOMPARE(a->OpenRecord(key), 0);
        QCOMPARE(b->OpenRecord(key), 0);
        a->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("První stanice"));
        a->firmy().cache->setValue(QStringLiteral("DIC"), QStringLiteral("CZ1"));
        QCOMPARE(a->SaveRecord(), 0);
        // the second one changed a site and the entry meanwhile
        b->header().setValue(QStringLiteral("NAZEV"), QStringLiteral("Druhá stanice"));
        b->strediska().cache->setValue(QStringLiteral("STREDISKO"), QStringLiteral("Přejmenované"));
        QCOMPARE(b->SaveRecord(), int(TfClass::ResSaveFailed));
        // nothing of the refused save is stored, nothing of the first save is lost
        QCOMPARE(scalar(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("První stanice"));
        QCOMPARE(scalar(QStringLiteral("SELECT DIC FROM FIRMY WHERE UNCH = %1").arg(key)).toString(), QStringLiteral("CZ1"));
        QCOMPARE(scalar(QStringLiteral("SELECT STREDISKO FROM STREDISKA WHERE UNCH = %1").arg(key)).toString(),
                 QStringLiteral("Původní"));
        // and the second workstation still has what it typed
        QVERIFY(b->isModified());
        QCOMPARE(b->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("Druhá stanice"));
        QCOMPARE(b->strediska().cache->value(QStringLiteral("STREDISKO")).toString(), QStringLiteral("Přejmenované"));
        // after reading the entry again its change goes through
        QCOMPARE(b->CancelRecord(), 0);
        QCOMPARE(b->header().value(QStringLiteral("NAZEV")).toString(), QStringLiteral("První stanice"));
        b->strediska().cache->setValue(QStringLiteral("STREDISKO"), QStringLiteral("Přejmenované"));
        QCOMPARE(b->SaveRecord(), 0);
        QCOMPARE(scalar(QStringLiteral("SELECT STREDISKO FROM STREDISKA WHERE UNCH = %1").arg(key)).toString(),
                 QStringLiteral("Přejmenované"));
        b.reset();
    }

    // --- the address texts ------------------------------------------------------------

    void firmLineWithAndWithoutIco()
    {
        const int cenik = insertRow(*DM, QStringLiteral("CENUZH"), {{QStringLiteral("NAZEV"), QStringLiteral("Ceník A")}});
        const Values address{{QStringLiteral("ULICE"), QStringLiteral("Dlouhá")}, {QStringLiteral("CISPOP"), QStringLiteral("12")},
                             {QStringLiteral("PSC"), QStringLiteral("602 00")}, {QStringLiteral("MESTO"), QStringLiteral("Brno")}};
        const int withIco = insertEntry(*DM, 1, QStringLiteral("Hasiči s.r.o."),
                                        address + Values{{QStringLiteral("ICO"), QStringLiteral("12345678")},
                                                         {QStringLiteral("UNCCEN"), cenik},
                                                         {QStringLiteral("REGISTRACE"), QStringLiteral("KS Brno, C 1")}});
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), withIco}, {QStringLiteral("SLEVA"), 10.0}});
        const int noIco = insertEntry(*DM, 5, QStringLiteral("Servis a.s."), address);
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), noIco}, {QStringLiteral("SLEVA"), 3.0}});

        TAdresniTexty t;
        QString registrace;
        QCOMPARE(t.SestavAdresu(withIco, &registrace),
                 QStringLiteral("Hasiči s.r.o., Dlouhá 12, 602 00 Brno (12345678)"));
        QCOMPARE(registrace, QStringLiteral("KS Brno, C 1"));
        QCOMPARE(t.UnCCen, cenik);
        QCOMPARE(t.Sleva, 10.0);
        // no ICO: the line ends with the town, no empty brackets; a firm of kind 5 too
        QCOMPARE(t.SestavAdresu(noIco), QStringLiteral("Servis a.s., Dlouhá 12, 602 00 Brno"));
        QCOMPARE(t.UnCCen, 0);
        QCOMPARE(t.Sleva, 3.0);
        // an entry that is not there: empty, and no side results of the one before
        t.SestavAdresu(withIco);
        QCOMPARE(t.SestavAdresu(999999), QString());
        QCOMPARE(t.UnCCen, 0);
        QCOMPARE(t.Sleva, 0.0);
        QVERIFY(prompt().shown.isEmpty());
    }

    void personLinesAndNoDiscountHandedOn()
    {
        const int firm = insertEntry(*DM, 1, QStringLiteral("Firma"), {{QStringLiteral("ICO"), QStringLiteral("1")}});
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("SLEVA"), 15.0}});
        const Values person{{QStringLiteral("JMENO"), QStringLiteral("Jan")}, {QStringLiteral("PRIJMENI"), QStringLiteral("Novák")},
                            {QStringLiteral("KOD"), QStringLiteral("JN")}, {QStringLiteral("ULICE"), QStringLiteral("Krátká")},
                            {QStringLiteral("CISPOP"), QStringLiteral("3")}, {QStringLiteral("MESTO"), QStringLiteral("Olomouc")},
                            {QStringLiteral("CISPRUKAZU"), QStringLiteral("T-77")}};
        const int employee = insertEntry(*DM, 2, QStringLiteral("x"), person);
        const int technician = insertEntry(*DM, 3, QStringLiteral("x"), person);
        const int outsider = insertEntry(*DM, 4, QStringLiteral("x"), person);
        // a person with a commercial extension of its own still hands on no discount
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), technician}, {QStringLiteral("SLEVA"), 50.0}});

        TAdresniTexty t;
        t.SestavAdresu(firm);
        QCOMPARE(t.Sleva, 15.0);
        QCOMPARE(t.SestavAdresu(employee), QStringLiteral("Jan Novák (JN) Krátká 3, Olomouc"));
        QCOMPARE(t.Sleva, 0.0);
        t.SestavAdresu(firm);
        QCOMPARE(t.SestavAdresu(technician), QStringLiteral("Jan Novák (T-77) "));
        QCOMPARE(t.Sleva, 0.0);
        t.SestavAdresu(firm);
        QCOMPARE(t.SestavAdresu(outsider), QStringLiteral("Jan Novák (T-77) "));
        QCOMPARE(t.Sleva, 0.0);
        QCOMPARE(t.SestavTechnika(technician), QStringLiteral("T-77 - Jan Novák"));
        QCOMPARE(t.SestavTechnika(999999), QString());
    }

    void siteLineTakesTheOwnersPartsWhereItHasNone()
    {
        const int owner = insertEntry(*DM, 1, QStringLiteral("Majitel"),
                                      {{QStringLiteral("ULICE"), QStringLiteral("Hlavní")}, {QStringLiteral("CISPOP"), QStringLiteral("1")},
                                       {QStringLiteral("PSC"), QStringLiteral("110 00")}, {QStringLiteral("MESTO"), QStringLiteral("Praha")}});
        const int own = insertRow(*DM, QStringLiteral("STREDISKA"),
                                  {{QStringLiteral("UNCH"), owner}, {QStringLiteral("STREDISKO"), QStringLiteral("Sklad")},
                                   {QStringLiteral("ULICE"), QStringLiteral("Polní")}, {QStringLiteral("CISPOP"), QStringLiteral("7")},
                                   {QStringLiteral("PSC"), QStringLiteral("250 01")}, {QStringLiteral("MESTO"), QStringLiteral("Brandýs")}});
        const int bare = insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), owner}});
        const int named = insertRow(*DM, QStringLiteral("STREDISKA"),
                                    {{QStringLiteral("UNCH"), owner}, {QStringLiteral("STREDISKO"), QStringLiteral("Garáž")},
                                     {QStringLiteral("MESTO"), QStringLiteral("Kladno")}});
        TAdresniTexty t;
        QCOMPARE(t.SestavStredisko(own), QStringLiteral("Sklad, Polní, 7 250 01 Brandýs"));
        QCOMPARE(t.SestavStredisko(bare), QStringLiteral("Majitel, Hlavní 1, 110 00 Praha"));
        QCOMPARE(t.SestavStredisko(named), QStringLiteral("Garáž, Hlavní 1, 110 00 Kladno"));
        QCOMPARE(t.SestavStredisko(999999), QString());
    }

    void documentBlocks()
    {
        const int manager = insertEntry(*DM, 1, QStringLiteral("Správa budov"),
                                        {{QStringLiteral("ULICE"), QStringLiteral("Nová")}, {QStringLiteral("CISPOP"), QStringLiteral("5")},
                                         {QStringLiteral("PSC"), QStringLiteral("301 00")}, {QStringLiteral("MESTO"), QStringLiteral("Plzeň")}});
        const int firm = insertEntry(*DM, 1, QStringLiteral("Odběratel"),
                                     {{QStringLiteral("ULICE"), QStringLiteral("Stará")}, {QStringLiteral("CISPOP"), QStringLiteral("9")},
                                      {QStringLiteral("PSC"), QStringLiteral("400 01")}, {QStringLiteral("MESTO"), QStringLiteral("Ústí")},
                                      {QStringLiteral("ICO"), QStringLiteral("999")}, {QStringLiteral("REGISTRACE"), QStringLiteral("OR")},
                                      {QStringLiteral("UNCSPRFIR"), manager}});
        insertRow(*DM, QStringLiteral("FIRMY"), {{QStringLiteral("UNCH"), firm}, {QStringLiteral("DIC"), QStringLiteral("CZ999")},
                                                 {QStringLiteral("TYPOBJ"), QStringLiteral("S")}, {QStringLiteral("CISOBJ"), QStringLiteral("12/2024")},
                                                 {QStringLiteral("ODP1"), QStringLiteral("Eva Malá")}, {QStringLiteral("FCE1"), QStringLiteral("ředitelka")},
                                                 {QStringLiteral("TEL1"), QStringLiteral("111")}, {QStringLiteral("TEL2"), QStringLiteral("222")}});
        TAdresniTexty t;
        AdresniBlok b;
        prompt().answer(PromptNo);
        QCOMPARE(t.VyplnAdresu(firm, b, QStringLiteral("Adresa příjemce")), 0);
        QCOMPARE(prompt().lastText(), QStringLiteral("Použít v adrese správní firmu?"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Adresa příjemce"));
        QCOMPARE(b.radky, QStringList({QStringLiteral("Odběratel"), QStringLiteral("Stará 9"), QStringLiteral("400 01 Ústí"),
                                       QString(), QString()}));
        QCOMPARE(b.ico, QStringLiteral("999"));
        QCOMPARE(b.dic, QStringLiteral("CZ999"));
        QCOMPARE(b.registrace, QStringLiteral("OR"));
        QCOMPARE(b.objednavka, QStringLiteral("Smlouva: 12/2024"));
        prompt().answer(PromptYes);
        QCOMPARE(t.VyplnAdresu(firm, b, QStringLiteral("Adresa")), 0);
        QCOMPARE(b.radky, QStringList({QStringLiteral("Odběratel"), QStringLiteral("Zastoupena: Správa budov"),
                                       QStringLiteral("Nová 5"), QStringLiteral("301 00 Plzeň"), QString()}));
        // every way of ordering
        QSqlQuery q = DM->NewQuery();
        const QList<QPair<QString, QString>> orders = {{"U", "Ústní objednávka 12/2024"}, {"O", "Objednávka: 12/2024"},
                                                       {"E", "Objednáno e-mailem 12/2024"}, {"F", "Faxová objednávka 12/2024"},
                                                       {"", ""}};
        for (const auto &o : orders) {
            QVERIFY(q.exec(QStringLiteral("UPDATE FIRMY SET TYPOBJ = '%1' WHERE UNCH = %2").arg(o.first).arg(firm)));
            prompt().answer(PromptNo);
            t.VyplnAdresu(firm, b, QStringLiteral("Adresa"));
            QCOMPARE(b.objednavka, o.second);
        }
        prompt().clear();
        // an employee: name, street and town; no firm parts
        const int employee = insertEntry(*DM, 2, QStringLiteral("x"),
                                         {{QStringLiteral("JMENO"), QStringLiteral("Jan")}, {QStringLiteral("PRIJMENI"), QStringLiteral("Novák")},
                                          {QStringLiteral("ULICE"), QStringLiteral("Krátká")}, {QStringLiteral("CISPOP"), QStringLiteral("3")},
                                          {QStringLiteral("MESTO"), QStringLiteral("Olomouc")}, {QStringLiteral("ICO"), QStringLiteral("5")}});
        QCOMPARE(t.VyplnAdresu(employee, b, QStringLiteral("Adresa")), 0);
        QCOMPARE(b.radky, QStringList({QStringLiteral("Jan Novák"), QStringLiteral("Krátká 3"), QStringLiteral("Olomouc"),
                                       QString(), QString()}));
        QVERIFY(b.ico.isEmpty() && b.dic.isEmpty() && b.registrace.isEmpty());
        QCOMPARE(t.VyplnAdresu(999999, b, QStringLiteral("Adresa")), 1);
        QVERIFY(prompt().shown.isEmpty());

        // the plan's blocks never ask and carry the contacts
        QCOMPARE(t.VyplnAdresuPlan(firm, b), 0);
        QCOMPARE(b.radky.at(1), QStringLiteral("Stará 9"));
        QCOMPARE(b.kontakty, QStringList(QStringLiteral("Kon.Os.: Eva Malá, ředitelka     111, 222")));
        const int site = insertRow(*DM, QStringLiteral("STREDISKA"),
                                   {{QStringLiteral("UNCH"), firm}, {QStringLiteral("STREDISKO"), QStringLiteral("Sklad")},
                                    {QStringLiteral("KONOSO"), QStringLiteral("Petr")}, {QStringLiteral("KONTAKT"), QStringLiteral("777 123")}});
        QCOMPARE(t.VyplnStrediskoPlan(site, b), 0);
        QCOMPARE(b.radky.at(0), QStringLiteral("Sklad"));
        QCOMPARE(b.kontakty, QStringList(QStringLiteral("Kon.Os.: Petr     777 123")));
        QVERIFY(prompt().shown.isEmpty());
    }

    // --- the list and the menu --------------------------------------------------------

    void listShowsEachSiteWithItsOwnFirmColumns()
    {
        const int a = insertEntry(*DM, 1, QStringLiteral("Alfa"));
        const int b = insertEntry(*DM, 1, QStringLiteral("Beta"), {{QStringLiteral("SESTADR"), QStringLiteral("A")}});
        // each entry's commercial extension carries the other entry's key as its own
        // key: only the link by UNCH finds the right one
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("INSERT INTO FIRMY (UNCIS, UNCH, DIC, KLIC) VALUES (%1, %2, 'CZ-ALFA', 0)").arg(b).arg(a)));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO FIRMY (UNCIS, UNCH, DIC, KLIC) VALUES (%1, %2, 'CZ-BETA', 0)").arg(a).arg(b)));
        insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), a}, {QStringLiteral("STREDISKO"), QStringLiteral("S1")}});
        insertRow(*DM, QStringLiteral("STREDISKA"), {{QStringLiteral("UNCH"), a}, {QStringLiteral("STREDISKO"), QStringLiteral("S2")}});

        TfAdresyS *w = VytvorAdresar();
        QVERIFY(w);
        std::unique_ptr<TfAdresyS> owner(w);
        QCOMPARE(w->prepareAndOpen(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tarko 8: seznam adres"));
        // the default grid layout
        QStringList captions;
        for (int c = 0; c < w->model()->columnCount(); ++c)
            captions << w->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(captions, QStringList({"Kód", "Název", "Ulice", "Č.p.", "Město", "IČO", "DIČ", "Středisko", "Město střediska"}));
        // one row per site, one for an entry without sites; the hidden entry is listed
        ListDataset &list = w->controller()->list();
        list.fetchAll();
        QCOMPARE(list.loadedRows(), 3);
        for (int r = 0; r < list.loadedRows(); ++r) {
            const int key = list.value(r, QStringLiteral("UNCIS")).toInt();
            QCOMPARE(list.value(r, QStringLiteral("FIRDIC")).toString(), key == a ? QStringLiteral("CZ-ALFA") : QStringLiteral("CZ-BETA"));
        }
        // the title sort works on the joined columns
        w->SortByColumn(7);
        QVERIFY(w->controller()->orderBy().contains(QStringLiteral("STR.STREDISKO")));
        QCOMPARE(w->model()->rowCount(), 3);
        QVERIFY(prompt().shown.isEmpty());
    }

    void menuOpensTheListWithThePresetsOfANewCustomer()
    {
        TDM unused(QStringLiteral("QelMenu"));
        TfLTarko main(&unused);
        main.findChild<QAction *>(QStringLiteral("miAdresy"))->trigger();
        TfAdresyS *list = main.findChild<TfAdresyS *>();
        QVERIFY(list);
        QVERIFY(list->isVisible());
        QVERIFY(!list->isModal());
        QVERIFY(list->testAttribute(Qt::WA_DeleteOnClose));
        TfClass *c = list->controller();
        QVERIFY(c);
        for (const char *p : {"PERHP", "PERPV", "PERPK"})
            QCOMPARE(c->defaults().GetVariable(QString::fromLatin1(p)).toInt(), 12);
        QCOMPARE(c->defaults().GetVariable(QStringLiteral("TYP")).toInt(), 1);
        QCOMPARE(list->model()->columnCount(), 9);

        // "Nový" stores a customer with those presets and opens its edit window
        QString shownTitle;
        prompt().onModal([&](QDialog *d) {
            shownTitle = d->windowTitle();
            d->close();
            return 0;
        });
        list->action(QStringLiteral("acNovy"))->trigger();
        QCOMPARE(shownTitle, QStringLiteral("Tarko 8: Adresy"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE TYP = 1 AND PERHP = 12 AND PERPV = 12 "
                                      "AND PERPK = 12 AND SESTADR = 'N'")), 1);
        QCOMPARE(list->model()->rowCount(), 1);

        // closed, the list frees itself and its controller
        QPointer<TfAdresyS> gone(list);
        QPointer<TfClass> controllerGone(c);
        list->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(gone.isNull());
        QVERIFY(controllerGone.isNull());
    }
};

QTEST_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
