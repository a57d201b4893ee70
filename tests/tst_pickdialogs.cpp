// The pick dialogs, the password prompt, the timed confirmation and the key filters of
// the edit fields.
#include <QtTest>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "support/programdatabasetest.h"
#include "widgets/dotazcasovy.h"
#include "core/globals.h"
#include "widgets/heslo.h"
#include "widgets/keyfilters.h"
#include "core/parameters.h"
#include "widgets/pickdialogs.h"

namespace {

template <typename T = QWidget>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

QPushButton *buttonWithText(QWidget *parent, const QString &text)
{
    const auto buttons = parent->findChildren<QPushButton *>();
    for (QPushButton *b : buttons)
        if (b->text() == text)
            return b;
    return nullptr;
}

// Types text that may hold Czech letters (keyClicks takes ASCII only).
void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Shows the dialog the way exec() would, so Enter reaches the default button.
void showForInput(QDialog *d)
{
    d->show();
    d->activateWindow();
    if (!QTest::qWaitForWindowExposed(d))
        qWarning("dialog %s not exposed", qPrintable(d->objectName()));
}

// A window with three fields in tab order, to watch where Enter sends the focus.
struct ThreeFields
{
    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    QLineEdit *second = new QLineEdit(&window);
    QLineEdit *third = new QLineEdit(&window);
    ThreeFields()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(third);
        second->setEnabled(true);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("test window not exposed");
        first->setFocus();
    }
};

} // namespace

class TestPickDialogs : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    QChar savedSeparator;

private slots:
    void init()
    {
        startWithoutDatabase();
        savedSeparator = DecimalSeparator;
    }
    void cleanup()
    {
        DecimalSeparator = savedSeparator;
        Parameters::instance().unlockPassword.clear();
        finish();
    }

    // --- key filters --------------------------------------------------------------

    void keyDecisions()
    {
        const auto none = Qt::NoModifier;
        auto decide = [](KeyFilter kind, int key, const QString &typed, const QString &field = QString(),
                         Qt::KeyboardModifiers mods = Qt::NoModifier) {
            return decideKey(kind, key, mods, typed, field, QLatin1Char(',')).verdict;
        };
        // whole numbers: digits and "." pass, letters, minus and space are dropped silently
        QCOMPARE(decide(KeyFilter::ZadejInt, Qt::Key_7, QStringLiteral("7")), KeyVerdict::Pass);
        QCOMPARE(decide(KeyFilter::ZadejInt, Qt::Key_Period, QStringLiteral(".")), KeyVerdict::Pass);
        QCOMPARE(decide(KeyFilter::ZadejInt, Qt::Key_A, QStringLiteral("a")), KeyVerdict::Drop);
        QCOMPARE(decide(KeyFilter::ZadejInt, Qt::Key_Minus, QStringLiteral("-")), KeyVerdict::Drop);
        QCOMPARE(decide(KeyFilter::ZadejInt, Qt::Key_Comma, QStringLiteral(",")), KeyVerdict::Drop);
        QCOMPARE(decide(KeyFilter::ZadejIntX, Qt::Key_A, QStringLiteral("a")), KeyVerdict::Drop);
        // a non-ASCII digit is no digit of a stored number
        QCOMPARE(decide(KeyFilter::ZadejInt, 0, QString(QChar(0x0663))), KeyVerdict::Drop);
        // Enter moves on in the plain filters and is left to the window in the X ones
        QCOMPARE(decide(KeyFilter::ZadejInt, Qt::Key_Return, QStringLiteral("\r")), KeyVerdict::NextControl);
        QCOMPARE(decide(KeyFilter::ZadejFlo, Qt::Key_Enter, QStringLiteral("\r")), KeyVerdict::NextControl);
        QCOMPARE(decide(KeyFilter::ZadejIntX, Qt::Key_Return, QStringLiteral("\r")), KeyVerdict::Pass);
        QCOMPARE(decide(KeyFilter::ZadejFloX, Qt::Key_Return, QStringLiteral("\r")), KeyVerdict::Pass);
        QCOMPARE(decide(KeyFilter::Date, Qt::Key_Return, QStringLiteral("\r")), KeyVerdict::Pass);

        // decimal numbers: either separator becomes the regional one, once per field
        KeyDecision d = decideKey(KeyFilter::ZadejFlo, Qt::Key_Period, none, QStringLiteral("."),
                                  QStringLiteral("1"), QLatin1Char(','));
        QCOMPARE(d.verdict, KeyVerdict::Replace);
        QCOMPARE(d.replacement, QLatin1Char(','));
        d = decideKey(KeyFilter::ZadejFloX, Qt::Key_Comma, none, QStringLiteral(","), QStringLiteral("1"),
                      QLatin1Char('.'));
        QCOMPARE(d.verdict, KeyVerdict::Replace);
        QCOMPARE(d.replacement, QLatin1Char('.'));
        QCOMPARE(decide(KeyFilter::ZadejFlo, Qt::Key_Comma, QStringLiteral(","), QStringLiteral("1,5")), KeyVerdict::Drop);
        QCOMPARE(decide(KeyFilter::ZadejFloX, Qt::Key_Period, QStringLiteral("."), QStringLiteral("1,5")), KeyVerdict::Drop);
        // the separator being typed over (selected) does not count
        QCOMPARE(decide(KeyFilter::ZadejFlo, Qt::Key_Comma, QStringLiteral(","), QStringLiteral("15")), KeyVerdict::Replace);
        QCOMPARE(decide(KeyFilter::ZadejFlo, Qt::Key_E, QStringLiteral("e")), KeyVerdict::Drop);

        // dates: the four separators become ".", anything else beeps
        d = decideKey(KeyFilter::Date, Qt::Key_Slash, none, QStringLiteral("/"), QString(), QLatin1Char(','));
        QCOMPARE(d.verdict, KeyVerdict::Replace);
        QCOMPARE(d.replacement, QLatin1Char('.'));
        QCOMPARE(decide(KeyFilter::Date, Qt::Key_Colon, QStringLiteral(":")), KeyVerdict::Replace);
        QCOMPARE(decide(KeyFilter::Date, Qt::Key_3, QStringLiteral("3")), KeyVerdict::Pass);
        QCOMPARE(decide(KeyFilter::Date, Qt::Key_X, QStringLiteral("x")), KeyVerdict::DropAndBeep);
        QCOMPARE(decide(KeyFilter::Date, Qt::Key_Space, QStringLiteral(" ")), KeyVerdict::DropAndBeep);

        // editing keys are never the filters' business
        for (KeyFilter kind : {KeyFilter::ZadejInt, KeyFilter::ZadejFlo, KeyFilter::ZadejIntX,
                               KeyFilter::ZadejFloX, KeyFilter::Date}) {
            QCOMPARE(decide(kind, Qt::Key_Backspace, QStringLiteral("\b")), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_Delete, QStringLiteral("\x7f")), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_Left, QString()), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_Home, QString()), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_Tab, QStringLiteral("\t")), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_Escape, QStringLiteral("\x1b")), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_V, QStringLiteral("\x16"), QString(), Qt::ControlModifier), KeyVerdict::Pass);
            QCOMPARE(decide(kind, Qt::Key_C, QStringLiteral("c"), QString(), Qt::ControlModifier), KeyVerdict::Pass);
        }
    }

    void zadejFloTypesRegionalSeparatorOnce()
    {
        QLineEdit e;
        installKeyFilter(&e, KeyFilter::ZadejFlo);
        DecimalSeparator = QLatin1Char(',');
        QTest::keyClicks(&e, QStringLiteral("1.5,"));
        QCOMPARE(e.text(), QStringLiteral("1,5"));
        QTest::keyClicks(&e, QStringLiteral("2x."));
        QCOMPARE(e.text(), QStringLiteral("1,52"));

        // typing over a selection that holds the separator puts a new one in
        e.selectAll();
        QTest::keyClicks(&e, QStringLiteral(".25"));
        QCOMPARE(e.text(), QStringLiteral(",25"));

        // the separator is read at each key: a change of the regional setting applies
        DecimalSeparator = QLatin1Char('.');
        QLineEdit f;
        installKeyFilter(&f, KeyFilter::ZadejFloX);
        QTest::keyClicks(&f, QStringLiteral("3,1,4"));
        QCOMPARE(f.text(), QStringLiteral("3.14"));

        // installing again replaces the filter instead of stacking a second one
        installKeyFilter(&f, KeyFilter::ZadejInt);
        f.clear();
        QTest::keyClicks(&f, QStringLiteral("7,8.9"));
        QCOMPARE(f.text(), QStringLiteral("78.9"));
    }

    void zadejIntDropsLettersAndEnterMovesOn()
    {
        ThreeFields w;
        installKeyFilter(w.first, KeyFilter::ZadejInt);
        installKeyFilter(w.third, KeyFilter::ZadejIntX);
        QTest::keyClicks(w.first, QStringLiteral("1a2-b.3 "));
        QCOMPARE(w.first->text(), QStringLiteral("12.3"));
        // editing keys still work through the filter
        QTest::keyClick(w.first, Qt::Key_Home);
        QTest::keyClick(w.first, Qt::Key_Delete);
        QCOMPARE(w.first->text(), QStringLiteral("2.3"));

        // Enter skips a disabled control and lands on the next one that takes focus
        w.second->setEnabled(false);
        QSignalSpy firstReturn(w.first, &QLineEdit::returnPressed);
        QTest::keyClick(w.first, Qt::Key_Return);
        QCOMPARE(w.window.focusWidget(), w.third);
        QCOMPARE(firstReturn.count(), 0);

        // the X variant leaves Enter to the field and the window: no move
        QSignalSpy thirdReturn(w.third, &QLineEdit::returnPressed);
        QTest::keyClick(w.third, Qt::Key_Return);
        QCOMPARE(thirdReturn.count(), 1);
        QCOMPARE(w.window.focusWidget(), w.third);
    }

    void dateFilterReplacesSeparatorsAndBeeps()
    {
        QLineEdit e;
        installKeyFilter(&e, KeyFilter::Date);
        QTest::keyClicks(&e, QStringLiteral("1,2/2024"));
        QCOMPARE(e.text(), QStringLiteral("1.2.2024"));
        QCOMPARE(prompt().beeps, 0);
        QTest::keyClick(&e, Qt::Key_A);
        QCOMPARE(e.text(), QStringLiteral("1.2.2024"));
        QCOMPARE(prompt().beeps, 1);
        QTest::keyClick(&e, Qt::Key_Backspace);
        QTest::keyClicks(&e, QStringLiteral("5:"));
        QCOMPARE(e.text(), QStringLiteral("1.2.2025."));
        QCOMPARE(prompt().beeps, 1);
    }

    // --- pick dialogs ---------------------------------------------------------------

    void vybTextOffersConditionsInOrder()
    {
        TfVybText d;
        QCOMPARE(d.objectName(), QStringLiteral("fVybText"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Výběr textu"));
        QVERIFY(child<QLineEdit>(&d, "eText"));
        auto *group = child<QGroupBox>(&d, "rgPodminka");
        QVERIFY(group);
        QCOMPARE(group->title(), QStringLiteral(" Podmínka "));
        QStringList captions;
        const auto radios = group->findChildren<QRadioButton *>();
        for (QRadioButton *r : radios)
            captions << r->text();
        QCOMPARE(captions, QStringList({QStringLiteral("obsahuje text"), QStringLiteral("začíná textem"),
                                        QStringLiteral("končí textem"), QStringLiteral("rovná se"),
                                        QStringLiteral("je větší "), QStringLiteral("je větší nebo se rovná"),
                                        QStringLiteral("je menší "), QStringLiteral("je menší nebo se rovná")}));
        // nothing chosen reads as "starts with"
        QCOMPARE(d.conditionIndex(), -1);
        QCOMPARE(d.conditionCode(), QStringLiteral(".="));
        const QStringList codes = {".=.", ".=", "=.", "=", ">", ">=", "<", "<="};
        for (int i = 0; i < radios.size(); ++i) {
            radios.at(i)->click();
            QCOMPARE(d.conditionCode(), codes.at(i));
        }
        d.setConditionIndex(-1);
        QCOMPARE(d.conditionCode(), QStringLiteral(".="));

        // typed text, a chosen condition and Enter in the field
        prompt().onModal([](QDialog *dlg) {
            showForInput(dlg);
            auto *e = dlg->findChild<QLineEdit *>(QStringLiteral("eText"));
            typeText(e, QStringLiteral("Novák"));
            dlg->findChild<QRadioButton *>(QStringLiteral("rbPodminka5"))->click();
            QTest::keyClick(e, Qt::Key_Return);
            return dlg->result();
        });
        QVERIFY(d.ask());
        QCOMPARE(d.text(), QStringLiteral("Novák"));
        QCOMPARE(d.conditionCode(), QStringLiteral(">="));

        // Esc cancels with 2 and the values stay for the next showing
        prompt().onModal([](QDialog *dlg) {
            showForInput(dlg);
            QTest::keyClick(dlg, Qt::Key_Escape);
            return dlg->result();
        });
        QVERIFY(!d.ask());
        QCOMPARE(d.result(), int(PromptCancel));
        QCOMPARE(d.text(), QStringLiteral("Novák"));
    }

    void vyberNazRefusesEmptyName()
    {
        TfVyberNaz d;
        QCOMPARE(d.objectName(), QStringLiteral("fVyberNaz"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Zadání názvu"));
        auto *edNaz = child<QLineEdit>(&d, "edNaz");
        QVERIFY(edNaz);
        bool stayedOpen = false;
        prompt().onModal([&](QDialog *dlg) {
            showForInput(dlg);
            QTest::keyClicks(edNaz, QStringLiteral("   "));
            QTest::keyClick(edNaz, Qt::Key_Return);
            stayedOpen = dlg->isVisible();
            edNaz->clear();
            QTest::keyClicks(edNaz, QStringLiteral("Revize 2024"));
            QTest::keyClick(edNaz, Qt::Key_Return);
            return dlg->result();
        });
        QVERIFY(d.ask());
        QVERIFY(stayedOpen);
        QCOMPARE(prompt().shown.size(), 1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Není zadán název pro výběr"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Zpráva"));
        QCOMPARE(d.name(), QStringLiteral("Revize 2024"));

        // the helper gives the name, or nothing when cancelled
        QString initial;
        prompt().onModal([&](QDialog *dlg) {
            initial = dlg->findChild<QLineEdit *>(QStringLiteral("edNaz"))->text();
            static_cast<TfPickDialog *>(dlg)->confirm();
            return dlg->result();
        });
        QCOMPARE(TfVyberNaz::askName(QStringLiteral("Filtr")), QStringLiteral("Filtr"));
        QCOMPARE(initial, QStringLiteral("Filtr"));
        prompt().onModal([](QDialog *dlg) {
            static_cast<TfPickDialog *>(dlg)->cancelButton()->click();
            return dlg->result();
        });
        QCOMPARE(TfVyberNaz::askName(QStringLiteral("Filtr")), QString());
    }

    void vybIntTakesDigitsOnly()
    {
        TfVybInt d;
        QCOMPARE(d.objectName(), QStringLiteral("fVybInt"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Výběr intervalu čísel"));
        auto *eOd = child<QLineEdit>(&d, "eOd");
        auto *eDo = child<QLineEdit>(&d, "eDo");
        QVERIFY(eOd && eDo);
        QCOMPARE(child<QGroupBox>(&d, "gbInterval")->title(), QStringLiteral("Interval výběru"));
        auto *nonZero = d.findChild<QCheckBox *>();
        QCOMPARE(nonZero->text(), QStringLiteral("Jen nenulové"));
        // empty fields read as zero
        QCOMPARE(d.from(), 0);
        QCOMPARE(d.to(), 0);

        bool movedToDo = false;
        prompt().onModal([&](QDialog *dlg) {
            showForInput(dlg);
            eOd->setFocus();
            QTest::keyClicks(eOd, QStringLiteral("1a0.-5"));
            // Enter moves from "Od" to "Do" instead of closing the dialog
            QTest::keyClick(eOd, Qt::Key_Return);
            movedToDo = dlg->focusWidget() == eDo && dlg->result() == 0 && dlg->isVisible();
            QTest::keyClicks(eDo, QStringLiteral("2x50"));
            nonZero->click();
            static_cast<TfPickDialog *>(dlg)->okButton()->click();
            return dlg->result();
        });
        QVERIFY(d.ask());
        QVERIFY(movedToDo);
        QCOMPARE(eOd->text(), QStringLiteral("105"));
        QCOMPARE(d.from(), 105);
        QCOMPARE(d.to(), 250);
        QVERIFY(d.nonZeroOnly());
    }

    void vybObdGivesTwoDates()
    {
        TfVybObd d;
        QCOMPARE(d.objectName(), QStringLiteral("fVybObd"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Výběr období"));
        auto *dOd = child<QDateEdit>(&d, "dOd");
        auto *dDo = child<QDateEdit>(&d, "dDo");
        QVERIFY(dOd && dDo);
        QCOMPARE(child<QGroupBox>(&d, "gbObdobi")->title(), QStringLiteral("Období výběru"));
        QCOMPARE(d.from(), QDate::currentDate());
        d.setRange(QDate(2024, 1, 1), QDate(2024, 12, 31));
        QCOMPARE(dOd->text(), QStringLiteral("01.01.2024"));
        prompt().onModal([&](QDialog *dlg) {
            showForInput(dlg);
            dDo->setDate(QDate(2024, 2, 29));
            QTest::keyClick(dDo, Qt::Key_Return);
            return dlg->result();
        });
        QVERIFY(d.ask());
        QCOMPARE(d.from(), QDate(2024, 1, 1));
        QCOMPARE(d.to(), QDate(2024, 2, 29));
    }

    void novyRequiresCode()
    {
        TfNovy d;
        QCOMPARE(d.objectName(), QStringLiteral("fNovy"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Tarko 8: Nová číselná řada"));
        auto *eNazev = child<QLineEdit>(&d, "eNazev");
        auto *eKod = child<QLineEdit>(&d, "eKod");
        QVERIFY(eNazev && eKod);
        QPushButton *add = buttonWithText(&d, QStringLiteral("O.K. - Přidat"));
        QPushButton *cancel = buttonWithText(&d, QStringLiteral("Storno - Nepřidávat"));
        QVERIFY(add && cancel);

        bool stayedOpen = false;
        prompt().onModal([&](QDialog *dlg) {
            showForInput(dlg);
            QTest::keyClicks(eNazev, QStringLiteral("Faktury"));
            add->click();
            stayedOpen = dlg->isVisible() && dlg->result() == 0;
            QTest::keyClicks(eKod, QStringLiteral("FA"));
            add->click();
            return dlg->result();
        });
        QVERIFY(d.ask());
        QVERIFY(stayedOpen);
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Musíte vyplnit kód")});
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Nová řada "));
        QCOMPARE(d.name(), QStringLiteral("Faktury"));
        QCOMPARE(d.code(), QStringLiteral("FA"));

        prompt().onModal([](QDialog *dlg) {
            dlg->findChild<QLineEdit *>(QStringLiteral("eKod"))->setText(QStringLiteral("DL"));
            dlg->findChild<QLineEdit *>(QStringLiteral("eNazev"))->setText(QStringLiteral("Dodací listy"));
            static_cast<TfPickDialog *>(dlg)->okButton()->click();
            return dlg->result();
        });
        QString name, code;
        QVERIFY(TfNovy::askNew(name, code));
        QCOMPARE(name, QStringLiteral("Dodací listy"));
        QCOMPARE(code, QStringLiteral("DL"));

        prompt().onModal([](QDialog *dlg) {
            buttonWithText(dlg, QStringLiteral("Storno - Nepřidávat"))->click();
            return dlg->result();
        });
        name.clear();
        QVERIFY(!TfNovy::askNew(name, code));
        QVERIFY(name.isEmpty());
    }

    void rucVstupIntegerMode()
    {
        TfRucVstup d;
        QCOMPARE(d.objectName(), QStringLiteral("fRucVstup"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Vstup"));
        auto *eVstup = child<QLineEdit>(&d, "eVstup");
        QVERIFY(eVstup && child<QLabel>(&d, "lPopis"));
        d.setIntegerMode(true);
        bool stayedOpen = false;
        prompt().onModal([&](QDialog *dlg) {
            showForInput(dlg);
            QTest::keyClicks(eVstup, QStringLiteral("12a"));
            QTest::keyClick(eVstup, Qt::Key_Return);
            stayedOpen = dlg->isVisible() && dlg->result() == 0;
            eVstup->setText(QStringLiteral(" -12 "));
            QTest::keyClick(eVstup, Qt::Key_Return);
            return dlg->result();
        });
        QVERIFY(d.ask());
        QVERIFY(stayedOpen);
        QCOMPARE(prompt().texts(), QStringList{QStringLiteral("Zadávání celého čísla")});
        QCOMPARE(d.intValue(), -12);

        // the helpers set the caption and mode; the text mode takes anything
        int number = 5;
        QString shownCaption, shownValue;
        prompt().onModal([&](QDialog *dlg) {
            shownCaption = dlg->findChild<QLabel *>(QStringLiteral("lPopis"))->text();
            shownValue = dlg->findChild<QLineEdit *>(QStringLiteral("eVstup"))->text();
            dlg->findChild<QLineEdit *>(QStringLiteral("eVstup"))->setText(QStringLiteral("17"));
            static_cast<TfPickDialog *>(dlg)->confirm();
            return dlg->result();
        });
        QVERIFY(TfRucVstup::askInteger(QStringLiteral("Zadejte pořadové číslo"), number));
        QCOMPARE(number, 17);
        QCOMPARE(shownCaption, QStringLiteral("Zadejte pořadové číslo"));
        QCOMPARE(shownValue, QStringLiteral("5"));
        prompt().onModal([](QDialog *dlg) {
            dlg->reject();
            return dlg->result();
        });
        QVERIFY(!TfRucVstup::askInteger(QStringLiteral("Zadejte pořadové číslo"), number));
        QCOMPARE(number, 17);
        QString text;
        prompt().onModal([](QDialog *dlg) {
            dlg->findChild<QLineEdit *>(QStringLiteral("eVstup"))->setText(QStringLiteral("12a"));
            static_cast<TfPickDialog *>(dlg)->confirm();
            return dlg->result();
        });
        QVERIFY(TfRucVstup::askText(QStringLiteral("Poznámka"), text));
        QCOMPARE(text, QStringLiteral("12a"));
        QCOMPARE(prompt().shown.size(), 1);
    }

    void menuVybSezChoices()
    {
        TfMenuVybSez d;
        QCOMPARE(d.objectName(), QStringLiteral("fMenuVybSez"));
        QVERIFY(d.windowTitle().isEmpty());
        const QList<QPair<QString, int>> choices = {
            {QStringLiteral("Seznam"), 1}, {QStringLiteral("Výběr"), 2}, {QStringLiteral("Storno"), 0}};
        for (const auto &choice : choices) {
            prompt().onModal([&](QDialog *dlg) {
                dlg->setResult(-1);
                buttonWithText(dlg, choice.first)->click();
                return dlg->result();
            });
            QCOMPARE(d.ask(), choice.second);
        }
        prompt().onModal([](QDialog *dlg) {
            showForInput(dlg);
            dlg->setResult(-1);
            QTest::keyClick(dlg, Qt::Key_Escape);
            return dlg->result();
        });
        QCOMPARE(d.ask(), int(TfMenuVybSez::Cancelled));
    }

    // --- password prompt --------------------------------------------------------------

    void hesloChecksUnlockPassword()
    {
        Parameters::instance().unlockPassword = QStringLiteral("Hasič1");
        TfHeslo d;
        QCOMPARE(d.objectName(), QStringLiteral("fHeslo"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Tarko 8: Heslo"));
        auto *eHeslo = child<QLineEdit>(&d, "eHeslo");
        QVERIFY(eHeslo);
        QCOMPARE(eHeslo->echoMode(), QLineEdit::Password);

        auto typeAndEnter = [](const QString &password) {
            return [password](QDialog *dlg) {
                showForInput(dlg);
                auto *e = dlg->findChild<QLineEdit *>(QStringLiteral("eHeslo"));
                typeText(e, password);
                QTest::keyClick(e, Qt::Key_Return);
                return dlg->result();
            };
        };
        prompt().onModal(typeAndEnter(QStringLiteral("hasič1")));
        QCOMPARE(d.ask(), 7);
        prompt().onModal(typeAndEnter(QStringLiteral("Hasič1")));
        QCOMPARE(d.ask(), 1);
        prompt().onModal([](QDialog *dlg) {
            buttonWithText(dlg, QStringLiteral("Storno"))->click();
            return dlg->result();
        });
        QCOMPARE(d.ask(), 2);
        prompt().onModal([](QDialog *dlg) {
            showForInput(dlg);
            QTest::keyClick(dlg, Qt::Key_Escape);
            return dlg->result();
        });
        QCOMPARE(d.ask(), 2);

        // the last password never stays in the field for the next record
        eHeslo->setText(QStringLiteral("Hasič1"));
        d.show();
        QVERIFY(eHeslo->text().isEmpty());
        d.hide();
        eHeslo->setText(QStringLiteral("Hasič1"));
        QString seen = QStringLiteral("?");
        prompt().onModal([&](QDialog *dlg) {
            seen = eHeslo->text();
            dlg->reject();
            return dlg->result();
        });
        QCOMPARE(d.ask(), 2);
        QVERIFY(seen.isEmpty());
    }

    // --- timed confirmation ------------------------------------------------------------

    void dotazCasovyOffersYesOnlyAfterHundredTicks()
    {
        TfDotazCasovy d;
        QCOMPARE(d.objectName(), QStringLiteral("fDotazCasovy"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Dotaz"));
        const QString question = QStringLiteral("Chete skutečně NEVRATNĚ SMAZAT VŠECHNY záznamy?");

        bool hiddenAtStart = false, hiddenAt99 = false, timerRunning = false;
        bool noAtOnce = false;
        int ticksAtStart = -1, ticksAtEnd = -1;
        QString shownQuestion;
        prompt().onModal([&](QDialog *dlg) {
            auto *self = static_cast<TfDotazCasovy *>(dlg);
            shownQuestion = self->question();
            ticksAtStart = self->ticks();
            hiddenAtStart = !self->yesOffered() && buttonWithText(dlg, QStringLiteral("ANO"))->isHidden();
            QPushButton *no = buttonWithText(dlg, QStringLiteral("NE"));
            noAtOnce = !no->isHidden() && no->isEnabled();
            timerRunning = self->timer()->isActive() && self->timer()->interval() == 50;
            for (int i = 0; i < 99; ++i)
                self->tick();
            hiddenAt99 = !self->yesOffered();
            self->tick();
            self->tick();   // more ticks than the gauge holds change nothing
            ticksAtEnd = self->ticks();
            if (!self->yesOffered() || self->timer()->isActive())
                return -1;
            buttonWithText(dlg, QStringLiteral("ANO"))->click();
            return dlg->result();
        });
        QCOMPARE(d.ask(question), 6);
        QCOMPARE(shownQuestion, question);
        QCOMPARE(ticksAtStart, 0);
        QVERIFY(hiddenAtStart);
        QVERIFY(noAtOnce);
        QVERIFY(timerRunning);
        QVERIFY(hiddenAt99);
        QCOMPARE(ticksAtEnd, 100);
        QCOMPARE(child<QProgressBar>(&d, "pbCas")->maximum(), 100);

        // the next question starts the wait again; "NE" answers at once
        bool restarted = false;
        prompt().onModal([&](QDialog *dlg) {
            auto *self = static_cast<TfDotazCasovy *>(dlg);
            restarted = self->ticks() == 0 && !self->yesOffered();
            buttonWithText(dlg, QStringLiteral("NE"))->click();
            return dlg->result();
        });
        QCOMPARE(d.ask(question), 7);
        QVERIFY(restarted);
        QVERIFY(!d.timer()->isActive());

        // Enter and Esc both mean No, even once "ANO" is offered
        prompt().onModal([](QDialog *dlg) {
            auto *self = static_cast<TfDotazCasovy *>(dlg);
            showForInput(dlg);
            for (int i = 0; i < 100; ++i)
                self->tick();
            QTest::keyClick(dlg, Qt::Key_Return);
            return dlg->result();
        });
        QCOMPARE(d.ask(question), 7);
        prompt().onModal([](QDialog *dlg) {
            showForInput(dlg);
            QTest::keyClick(dlg, Qt::Key_Escape);
            return dlg->result();
        });
        QCOMPARE(d.ask(question), 7);
    }

    void dotazCasovyTimerDrivesGauge()
    {
        // the real timer, a few ticks only: the wait advances on its own
        TfDotazCasovy d;
        d.setQuestion(QStringLiteral("?"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.ticks() <= 1, true);
        QTRY_VERIFY_WITH_TIMEOUT(d.ticks() >= 3, 2000);
        QVERIFY(!d.yesOffered());
        d.reject();
        QVERIFY(!d.timer()->isActive());
    }
};

QTEST_MAIN(TestPickDialogs)
#include "tst_pickdialogs.moc"
