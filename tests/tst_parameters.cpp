// The program parameters on real database files: reading with defaults, the state
// lists and decimals the billing reads, the password change, saves from two
// workstations, per-workstation items, and the parameters window.
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QToolButton>

#include "support/programdatabasetest.h"
#include "core/globals.h"
#include "core/parameters.h"
#include "core/settingsstore.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "shell/parprog.h"

class TestParameters : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    static QString item(TDMPro &dm, const QString &name)
    {
        return TestEnvironment::scalar(dm, QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = '%1'").arg(name)).toString();
    }
    static int rows(TDMPro &dm, const QString &name)
    {
        return TestEnvironment::scalar(dm, QStringLiteral("SELECT COUNT(*) FROM QELSYS WHERE POLOZKA = '%1'").arg(name)).toInt();
    }
    static QString stored(const QString &name)
    {
        return SettingsStore::instance().readValue(ParameterStore::registryKeyPath(), name, QStringLiteral("<none>"));
    }
    // Saves a password change through a freshly loaded store.
    bool changePassword(const QString &current, const QString &fresh, const QString &confirm)
    {
        ParameterStore s(DM);
        if (!s.load())
            return false;
        s.currentPassword = current;
        s.newPassword = fresh;
        s.confirmPassword = confirm;
        const bool ok = s.save();
        return ok && s.currentPassword.isEmpty() && s.newPassword.isEmpty() && s.confirmPassword.isEmpty();
    }

private slots:
    void init()
    {
        startFresh();
        DecimalSeparator = QLatin1Char(',');
    }
    void cleanup()
    {
        finish();
        DecimalSeparator = QLatin1Char(',');
    }

    void freshDatabaseReadsZeroForEveryTableItem()
    {
        // a workstation that has never run the program
        SettingsStore::setFilePath(env->path(QStringLiteral("settings/new.ini")));
        ParameterStore s(DM);
        s.texts.insert(QStringLiteral("eKontroluProvedl"), QStringLiteral("Jan Dvořák"));
        QVERIFY(s.load());
        for (const ParameterItem &i : parameterItems()) {
            const QString name = QString::fromLatin1(i.name);
            if (i.store == ParameterItem::Table && name != QLatin1String("eVerDat"))
                QCOMPARE(s.texts.value(name), QStringLiteral("0"));
        }
        QCOMPARE(s.texts.value(QStringLiteral("eVerDat")), QStringLiteral("80808"));
        const Parameters &p = Parameters::instance();
        QCOMPARE(p.year, 0);
        QCOMPARE(p.month, 0);
        QCOMPARE(p.vatBasic, 0.0);
        QCOMPARE(p.vatReduced, 0.0);
        QCOMPARE(p.vatRoundingStep, 0.0);
        QCOMPARE(p.totalRoundingStep, 0.0);
        QCOMPARE(p.databaseNumber, 0);
        QCOMPARE(p.schemaVersion, 80808);
        QCOMPARE(p.unlockPassword, QStringLiteral("0"));
        QVERIFY(!p.pricesWithoutVat);
        QCOMPARE(p.chargedStates, QStringLiteral("(NULL)"));
        QCOMPARE(p.disposalStates, QStringLiteral("(NULL)"));
        // missing workstation values are created with the field's text
        QCOMPARE(stored(QStringLiteral("eKontroluProvedl")), QStringLiteral("Jan Dvořák"));
        QCOMPARE(stored(QStringLiteral("eHorOkr")), QStringLiteral(" "));
        QCOMPARE(p.inspectedBy, QStringLiteral("Jan Dvořák"));
        QCOMPARE(p.topMargin, 0);
        QCOMPARE(p.logoPath, QString());
        // an empty list still runs in a billing condition and matches nothing
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM RDB$DATABASE WHERE 1 IN ")
                                                  + p.chargedStates).toInt(), 0);
    }

    void stateListsForBilling()
    {
        QCOMPARE(chargedStatesList({1, 4, 5}), QStringLiteral("(1,4,14,5)"));
        QCOMPARE(chargedStatesList({4}), QStringLiteral("(4,14)"));
        QCOMPARE(chargedStatesList({9, 2}), QStringLiteral("(2,9)"));
        QCOMPARE(chargedStatesList({1, 2, 3, 4, 5, 6, 7, 8, 9}), QStringLiteral("(1,2,3,4,14,5,6,7,8,9)"));
        QCOMPARE(chargedStatesList({}), QStringLiteral("(NULL)"));
        QCOMPARE(disposalStatesList(true, true), QStringLiteral("(3,5)"));
        QCOMPARE(disposalStatesList(false, true), QStringLiteral("(5)"));
        QCOMPARE(disposalStatesList(true, false), QStringLiteral("(3)"));
        QCOMPARE(disposalStatesList(false, false), QStringLiteral("(NULL)"));

        // stored check boxes come back as the lists
        ParameterStore s(DM);
        QVERIFY(s.load());
        for (const char *name : {"cbUcHP1", "cbUcHP4", "cbUcHP5", "cbLikHP5"})
            s.texts.insert(QString::fromLatin1(name), QStringLiteral("1"));
        QVERIFY(s.save());
        QCOMPARE(item(*DM, QStringLiteral("cbUcHP4")), QStringLiteral("1"));
        QCOMPARE(Parameters::instance().chargedStates, QStringLiteral("(1,4,14,5)"));
        QCOMPARE(Parameters::instance().disposalStates, QStringLiteral("(5)"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM RDB$DATABASE WHERE 14 IN ")
                                                  + Parameters::instance().chargedStates).toInt(), 1);
        s.texts.insert(QStringLiteral("cbUcHP1"), QStringLiteral("0"));
        s.texts.insert(QStringLiteral("cbUcHP5"), QStringLiteral("0"));
        QVERIFY(s.save());
        QCOMPARE(Parameters::instance().chargedStates, QStringLiteral("(4,14)"));
    }

    void decimalParameters()
    {
        QCOMPARE(parseParameterDecimal(QStringLiteral("0,10")), 0.10);
        QCOMPARE(parseParameterDecimal(QStringLiteral("0.10")), 0.10);
        QCOMPARE(parseParameterDecimal(QStringLiteral("12.5%")), 12.5);
        QCOMPARE(parseParameterDecimal(QStringLiteral("1.2.3")), 1.2);
        QCOMPARE(parseParameterDecimal(QStringLiteral("abc")), 0.0);
        QCOMPARE(parseParameterDecimal(QStringLiteral("")), 0.0);
        QCOMPARE(parseParameterDecimal(QStringLiteral(" 21 ")), 21.0);
        QCOMPARE(parseParameterDecimal(QStringLiteral("-0,5")), -0.5);
        QCOMPARE(parseParameterDecimal(QStringLiteral("2-1")), 0.0);
        DecimalSeparator = QLatin1Char('.');
        QCOMPARE(parseParameterDecimal(QStringLiteral("0,50")), 0.5);
        QCOMPARE(parseParameterDecimal(QStringLiteral("15")), 15.0);

        // the stored texts become the rates and steps
        ParameterStore s(DM);
        QVERIFY(s.load());
        s.texts.insert(QStringLiteral("eDPHZ"), QStringLiteral("21 %"));
        s.texts.insert(QStringLiteral("eDPHS"), QStringLiteral("12"));
        s.texts.insert(QStringLiteral("cbZaokDPH"), QStringLiteral("0.10"));
        s.texts.insert(QStringLiteral("cbZaokCen"), QStringLiteral("1,00"));
        QVERIFY(s.save());
        const Parameters &p = Parameters::instance();
        QCOMPARE(p.vatBasic, 21.0);
        QCOMPARE(p.vatReduced, 12.0);
        QCOMPARE(p.vatRoundingStep, 0.1);
        QCOMPARE(p.totalRoundingStep, 1.0);
        QCOMPARE(item(*DM, QStringLiteral("eDPHZ")), QStringLiteral("21 %"));
    }

    void passwordChange()
    {
        // a fresh database has no password row: the password reads "0"
        QVERIFY(changePassword(QStringLiteral("0"), QStringLiteral("Hasič1"), QStringLiteral("Hasič1")));
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(item(*DM, QStringLiteral("eHeslo")), QStringLiteral("Hasič1"));
        QCOMPARE(Parameters::instance().unlockPassword, QStringLiteral("Hasič1"));

        // wrong current password
        QVERIFY(changePassword(QStringLiteral("0"), QStringLiteral("jine"), QStringLiteral("jine")));
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Chybně zadané stávající heslo")});
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Tarko 8: Parametry programu"));
        QCOMPARE(item(*DM, QStringLiteral("eHeslo")), QStringLiteral("Hasič1"));
        prompt().clear();

        // right current password, the new ones differ
        QVERIFY(changePassword(QStringLiteral("Hasič1"), QStringLiteral("jine"), QStringLiteral("jiné")));
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Chybně zadané kontrolní heslo")});
        QCOMPARE(item(*DM, QStringLiteral("eHeslo")), QStringLiteral("Hasič1"));
        prompt().clear();

        // an empty new password is refused: it would leave locked records open
        QVERIFY(changePassword(QStringLiteral("Hasič1"), QString(), QString()));
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Chybně zadané kontrolní heslo")});
        QCOMPARE(item(*DM, QStringLiteral("eHeslo")), QStringLiteral("Hasič1"));
        prompt().clear();

        // the service code stands for the forgotten password
        QVERIFY(changePassword(QString::fromLatin1(ParameterStore::ServiceCode), QStringLiteral("nove"), QStringLiteral("nove")));
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(QString::fromLatin1(ParameterStore::ServiceCode).size(), 10);
        QCOMPARE(item(*DM, QStringLiteral("eHeslo")), QStringLiteral("nove"));
        QCOMPARE(Parameters::instance().unlockPassword, QStringLiteral("nove"));
    }

    void saveWithoutPasswordFieldsKeepsPassword()
    {
        QVERIFY(changePassword(QStringLiteral("0"), QStringLiteral("tajne"), QStringLiteral("tajne")));
        ParameterStore s(DM);
        QVERIFY(s.load());
        s.texts.insert(QStringLiteral("eRok"), QStringLiteral("2024"));
        QVERIFY(s.save());
        QVERIFY(prompt().shown.isEmpty());
        QCOMPARE(item(*DM, QStringLiteral("eHeslo")), QStringLiteral("tajne"));
        QCOMPARE(Parameters::instance().unlockPassword, QStringLiteral("tajne"));
        QCOMPARE(Parameters::instance().year, 2024);

        // a database that never had a password gets no password row from a plain save
        QVERIFY(DM->NewQuery().exec(QStringLiteral("DELETE FROM QELSYS WHERE POLOZKA = 'eHeslo'")));
        QVERIFY(s.load());
        s.texts.insert(QStringLiteral("eMes"), QStringLiteral("3"));
        QVERIFY(s.save());
        QCOMPARE(rows(*DM, QStringLiteral("eHeslo")), 0);
        QVERIFY(prompt().shown.isEmpty());
    }

    void twoWorkstationsKeepEachOthersChanges()
    {
        std::unique_ptr<TDMPro> second = secondWorkstation();
        QVERIFY(second);
        ParameterStore a(DM);
        ParameterStore b(second.get());
        QVERIFY(a.load());
        QVERIFY(b.load());
        a.texts.insert(QStringLiteral("eRok"), QStringLiteral("2025"));
        b.texts.insert(QStringLiteral("eDPHZ"), QStringLiteral("21"));
        QVERIFY(a.save());
        QVERIFY(b.save());
        // the second save did not put back the year the second workstation had read
        QCOMPARE(item(*DM, QStringLiteral("eRok")), QStringLiteral("2025"));
        QCOMPARE(item(*DM, QStringLiteral("eDPHZ")), QStringLiteral("21"));
        // and after its save the second workstation works with both
        QCOMPARE(b.texts.value(QStringLiteral("eRok")), QStringLiteral("2025"));
        QCOMPARE(Parameters::instance().year, 2025);
        QCOMPARE(Parameters::instance().vatBasic, 21.0);
        // items nobody changed got no rows
        QCOMPARE(rows(*DM, QStringLiteral("eMes")), 0);
        QCOMPARE(rows(*DM, QStringLiteral("cbUcHP1")), 0);
    }

    void tableItemsAreWrittenTogether()
    {
        ParameterStore s(DM);
        QVERIFY(s.load());
        s.texts.insert(QStringLiteral("eRok"), QStringLiteral("2030"));
        s.texts.insert(QStringLiteral("eProv1"), QString(300, QLatin1Char('x')));   // longer than HODNOTA
        QVERIFY(!s.save());
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Uložení parametrů")});
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Tarko 8: Parametry programu"));
        QCOMPARE(rows(*DM, QStringLiteral("eRok")), 0);
        // the values in force stay
        QCOMPARE(Parameters::instance().year, 0);
        prompt().clear();
    }

    void loadFailureKeepsValuesInForce()
    {
        Parameters::instance().vatBasic = 21;
        Parameters::instance().databaseNumber = 4;
        TDMPro closed(QStringLiteral("QelClosed"));
        ParameterStore s(&closed);
        QVERIFY(!s.load());
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Načtení parametrů")});
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Tarko 8: Parametry programu"));
        QCOMPARE(Parameters::instance().vatBasic, 21.0);
        QCOMPARE(Parameters::instance().databaseNumber, 4);
        prompt().clear();
    }

    void workstationItemsStayPerWorkstation()
    {
        std::unique_ptr<TDMPro> second = secondWorkstation();
        QVERIFY(second);
        const QString first = env->path(QStringLiteral("settings/ws1.ini"));
        const QString other = env->path(QStringLiteral("settings/ws2.ini"));

        SettingsStore::setFilePath(first);
        ParameterStore a(DM);
        QVERIFY(a.load());
        a.texts.insert(QStringLiteral("eHorOkr"), QStringLiteral("12"));
        a.texts.insert(QStringLiteral("feLogo"), QStringLiteral("/srv/loga/firma.png"));
        a.texts.insert(QStringLiteral("eDPHZ"), QStringLiteral("21"));
        QVERIFY(a.save());
        QCOMPARE(Parameters::instance().topMargin, 12);

        SettingsStore::setFilePath(other);
        ParameterStore b(second.get());
        QVERIFY(b.load());
        QCOMPARE(Parameters::instance().topMargin, 0);
        QCOMPARE(Parameters::instance().logoPath, QString());
        QCOMPARE(Parameters::instance().vatBasic, 21.0);
        b.texts.insert(QStringLiteral("eHorOkr"), QStringLiteral("20"));
        b.texts.insert(QStringLiteral("eDolOkr"), QStringLiteral("15"));
        QVERIFY(b.save());
        QCOMPARE(Parameters::instance().bottomMargin, 15);

        SettingsStore::setFilePath(first);
        QVERIFY(a.load());
        QCOMPARE(Parameters::instance().topMargin, 12);
        QCOMPARE(Parameters::instance().bottomMargin, 0);
        QCOMPARE(Parameters::instance().logoPath, QStringLiteral("/srv/loga/firma.png"));
        // nothing of the workstation items went into the shared table
        QCOMPARE(rows(*DM, QStringLiteral("eHorOkr")), 0);
        QCOMPARE(rows(*DM, QStringLiteral("feLogo")), 0);
    }

    void schemaVersionIsNeverWrittenBack()
    {
        TfParProg w(DM);
        auto *version = w.findChild<QLineEdit *>(QStringLiteral("eVerDat"));
        QVERIFY(version);
        QVERIFY(version->isReadOnly());
        QCOMPARE(version->text(), QStringLiteral("80808"));
        // the upgrade moves the version on while the window is open
        QVERIFY(DM->NewQuery().exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '80900' WHERE POLOZKA = 'eVerDat'")));
        version->setText(QStringLiteral("1"));
        w.findChild<QLineEdit *>(QStringLiteral("eMes"))->setText(QStringLiteral("7"));
        QCOMPARE(w.Uloz(), 0);
        QCOMPARE(item(*DM, QStringLiteral("eVerDat")), QStringLiteral("80900"));
        QCOMPARE(version->text(), QStringLiteral("80900"));
        QCOMPARE(Parameters::instance().schemaVersion, 80900);
    }

    void windowFieldsAndRoundTrip()
    {
        TfParProg w(DM);
        QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Parametry programu"));
        auto *tabs = w.findChild<QTabWidget *>();
        QVERIFY(tabs);
        QStringList tabNames;
        for (int i = 0; i < tabs->count(); ++i)
            tabNames << tabs->tabText(i);
        QCOMPARE(tabNames, (QStringList{QStringLiteral("Obecné"), QStringLiteral("Kalkulace"), QStringLiteral("Finance"),
                                        QStringLiteral("Tiskové sestavy"), QStringLiteral("Systém")}));
        for (const ParameterItem &i : parameterItems())
            QVERIFY2(w.findChild<QWidget *>(QString::fromLatin1(i.name)), i.name);
        for (const char *name : {"eHesloS", "eHeslo", "eHeslo2"})
            QVERIFY2(w.findChild<QLineEdit *>(QString::fromLatin1(name)), name);
        QCOMPARE(w.findChild<QCheckBox *>(QStringLiteral("cbUcHP4"))->text(), QStringLiteral("4 - HP převzat do opravy - vrácen stejný"));
        QCOMPARE(w.findChild<QCheckBox *>(QStringLiteral("cbLikHP3"))->text(), QStringLiteral("3 - HP vyřazen - převzat na likvidaci"));
        auto *database = w.findChild<QComboBox *>(QStringLiteral("cbIDDatabaze"));
        QCOMPARE(database->count(), 10);
        QCOMPARE(database->itemText(9), QStringLiteral("10"));
        QCOMPARE(w.findChild<QComboBox *>(QStringLiteral("cbZaokCen"))->count(), 4);
        QStringList labels;
        for (QLabel *l : w.findChildren<QLabel *>())
            labels << l->text();
        QVERIFY(labels.contains(QStringLiteral("Změnou údajů můžete způsobit kolizi databáze")));
        QVERIFY(labels.contains(QStringLiteral("Tyto údaje mají zásadní vliv na chování programu")));
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("sbUloz"))->text(), QStringLiteral("Uložit parametry"));
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("sbNacti"))->text(), QStringLiteral("Zpět původní parametry"));
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("sbZavrit"))->text(), QStringLiteral("Zavřít bez uložení"));
        // the password itself is never shown
        QVERIFY(w.findChild<QLineEdit *>(QStringLiteral("eHeslo"))->text().isEmpty());

        w.findChild<QLineEdit *>(QStringLiteral("eProv1"))->setText(QStringLiteral("Hasiči s.r.o., Žitná 5"));
        w.findChild<QLineEdit *>(QStringLiteral("eRok"))->setText(QStringLiteral("2024"));
        w.findChild<QCheckBox *>(QStringLiteral("cbUcHP4"))->setChecked(true);
        w.findChild<QCheckBox *>(QStringLiteral("cbLikHP3"))->setChecked(true);
        w.findChild<QCheckBox *>(QStringLiteral("cbCenBezDPH"))->setChecked(true);
        w.findChild<QComboBox *>(QStringLiteral("cbZaokCen"))->setCurrentIndex(2);
        w.findChild<QLineEdit *>(QStringLiteral("eDPHS"))->setText(QStringLiteral("12"));
        w.findChild<QLineEdit *>(QStringLiteral("eDolOkr"))->setText(QStringLiteral("8"));
        w.findChild<QLineEdit *>(QStringLiteral("eKontroluProvedl"))->setText(QStringLiteral("Petr Černý"));
        database->setCurrentIndex(2);
        prompt().fileAnswer(QStringLiteral("/srv/logo.png"));
        QTest::mouseClick(w.findChild<QToolButton *>(QStringLiteral("sbLogo")), Qt::LeftButton);
        QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("feLogo"))->text(), QStringLiteral("/srv/logo.png"));
        w.findChild<QLineEdit *>(QStringLiteral("eHesloS"))->setText(QStringLiteral("0"));
        w.findChild<QLineEdit *>(QStringLiteral("eHeslo"))->setText(QStringLiteral("zámek"));
        w.findChild<QLineEdit *>(QStringLiteral("eHeslo2"))->setText(QStringLiteral("zámek"));
        QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("sbUloz")), Qt::LeftButton);
        QVERIFY(prompt().shown.isEmpty());
        QVERIFY(w.findChild<QLineEdit *>(QStringLiteral("eHesloS"))->text().isEmpty());
        QVERIFY(w.findChild<QLineEdit *>(QStringLiteral("eHeslo"))->text().isEmpty());

        const Parameters &p = Parameters::instance();
        QCOMPARE(p.addressLine1, QStringLiteral("Hasiči s.r.o., Žitná 5"));
        QCOMPARE(p.year, 2024);
        QCOMPARE(p.chargedStates, QStringLiteral("(4,14)"));
        QCOMPARE(p.disposalStates, QStringLiteral("(3)"));
        QVERIFY(p.pricesWithoutVat);
        QCOMPARE(p.totalRoundingStep, 0.5);
        QCOMPARE(p.vatReduced, 12.0);
        QCOMPARE(p.bottomMargin, 8);
        QCOMPARE(p.inspectedBy, QStringLiteral("Petr Černý"));
        QCOMPARE(p.logoPath, QStringLiteral("/srv/logo.png"));
        QCOMPARE(p.databaseNumber, 3);
        QCOMPARE(p.unlockPassword, QStringLiteral("zámek"));

        // a new window shows what was stored
        TfParProg again(DM);
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("eProv1"))->text(), QStringLiteral("Hasiči s.r.o., Žitná 5"));
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("eRok"))->text(), QStringLiteral("2024"));
        QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("cbUcHP4"))->isChecked());
        QVERIFY(!again.findChild<QCheckBox *>(QStringLiteral("cbUcHP1"))->isChecked());
        QVERIFY(again.findChild<QCheckBox *>(QStringLiteral("cbLikHP3"))->isChecked());
        QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("cbZaokCen"))->currentText(), QStringLiteral("0.50"));
        QCOMPARE(again.findChild<QComboBox *>(QStringLiteral("cbIDDatabaze"))->currentText(), QStringLiteral("3"));
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("eDolOkr"))->text(), QStringLiteral("8"));
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("feLogo"))->text(), QStringLiteral("/srv/logo.png"));
        QVERIFY(again.findChild<QLineEdit *>(QStringLiteral("eHeslo"))->text().isEmpty());

        // "Zpět původní parametry" throws away what was typed
        again.findChild<QLineEdit *>(QStringLiteral("eRok"))->setText(QStringLiteral("1999"));
        QTest::mouseClick(again.findChild<QPushButton *>(QStringLiteral("sbNacti")), Qt::LeftButton);
        QCOMPARE(again.findChild<QLineEdit *>(QStringLiteral("eRok"))->text(), QStringLiteral("2024"));
        QCOMPARE(item(*DM, QStringLiteral("eRok")), QStringLiteral("2024"));
    }

    void mainWindowLoadsParametersAndOpensWindow()
    {
        TDM dm(QStringLiteral("QelMain"));
        TfLTarko w(&dm);
        TDMPro *previous = DM;
        DM = &dm;
        w.FormCreate();
        QVERIFY(dm.isOpen());
        QVERIFY(dm.NewQuery().exec(QStringLiteral("INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES ('eDPHZ', '21')")));
        w.afterConnect();
        QCOMPARE(Parameters::instance().vatBasic, 21.0);
        QCOMPARE(Parameters::instance().schemaVersion, 80808);

        QString caption;
        QString rate;
        prompt().onModal([&](QDialog *d) {
            caption = d->windowTitle();
            rate = d->findChild<QLineEdit *>(QStringLiteral("eDPHZ"))->text();
            return int(QDialog::Rejected);
        });
        w.trigger(QStringLiteral("miParametry"));
        QCOMPARE(caption, QStringLiteral("Tarko 8: Parametry programu"));
        QCOMPARE(rate, QStringLiteral("21"));
        dm.close();
        DM = previous;
    }
};

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
