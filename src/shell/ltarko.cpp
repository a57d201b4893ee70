#include "shell/ltarko.h"
#include "shell/verze.h"
#include "shell/data.h"
#include "shell/datamodul.h"
#include "shell/menuwiring.h"
#include "shell/parprog.h"
#include "core/globals.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "widgets/editform.h"
#include "widgets/seznam.h"

#include <QApplication>

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

const QVector<MainMenuEntry> &TfLTarko::menuTable()
{
    static const QVector<MainMenuEntry> table = {
        {"Adresář", "Adresy", "miAdresy", false, false},
        {"Kontroly", "Hasící přístroje", "miKontrolyHP", false, false},
        {"Kontroly", "Požární vodovody", "miKontrolyPV", false, false},
        {"Kontroly", "Požární klapky", "miKontrolyPK", false, false},
        {"Kontroly", "Dílenské opravy", "miDilna", true, false},
        {"Kontroly", "Plán kontol", "miPlan", false, false},
        {"Kontroly", "Plán kontrol komplet", "miPlanKomplet", true, false},
        {"Kontroly", "Časové rozložení kontrol", "miCasRozlozeni", false, true},
        {"Kontroly", "Dohledání HP", "miDohledaniHP", false, false},
        {"Formuláře", "Dodací listy", "miDodaciListy", false, false},
        {"Formuláře", "Faktury", "miFaktury", false, false},
        {"Sklad", "Ceník", "miCenik", false, false},
        {"Sklad", "Výdejky - příjemky", "miVydejky", false, false},
        {"Sklad", "Objednávky", "miObjednavky", true, false},
        {"Sklad", "Sestavy skladu", "miSestavySkladu", false, false},
        {"Sestavy", "Statistika kontrol", "miStatistika", false, false},
        {"Sestavy", "Materiál dodacího listu", "miMaterialDL", false, false},
        {"Seznamy", "Základní ceník", "miZakladniCenik", false, false},
        {"Seznamy", "Ceník oprav", "miCenikOprav", false, false},
        {"Seznamy", "Uživatelský ceník", "miUzivCenik", false, false},
        {"Seznamy", "Seznam sekcí", "miSekce", false, false},
        {"Seznamy", "Díly a výkony k HP", "miDilyVykony", true, false},
        {"Seznamy", "Typy HP", "miHPTypy", false, false},
        {"Seznamy", "Stavy HP", "miHPStavy", false, false},
        {"Seznamy", "Umístění HP", "miHPUmist", false, false},
        {"Seznamy", "Pozice HP", "miHPPozice", false, false},
        {"Seznamy", "Popis oprav a důvody vyřazení HP", "miHPSezOprVyr", true, false},
        {"Seznamy", "Typy PV", "miPVTypy", false, false},
        {"Seznamy", "Umístění PV", "miPVUmist", false, false},
        {"Seznamy", "Označení PV", "miPVOznaceni", false, false},
        {"Seznamy", "Vybavení PV", "miPVVybav", false, false},
        {"Seznamy", "Prováděné kontroly PV", "miKatVodHKon", false, false},
        {"Čárový kód", "Tisk čárových kódů", "miTiskCK", false, false},
        {"Čárový kód", "Načtení kontroly", "miNacteniKontroly", false, false},
        {"Čárový kód", "Doplnění údajů", "miDoplneniUdaju", false, false},
        {"Nastavení", "Parametry programu", "miParametry", false, false},
        {"Nastavení", "Číselné řady dokladů", "miDokRad", true, false},
        {"Nastavení", "Definované texty", "miTexty", true, false},
        {"Nastavení", "Datatabáze", "miDatabaze", false, false},
        {"Nastavení", "Záloha databáze", "miZaloha", false, false},
        {"Nastavení", "Obnova databáze ze zálohy", "miObnova", true, false},
        {"Nastavení", "Export a import", "miExportImport", true, false},
        {"Nastavení", "Údržba dat", "miUdrzba", false, false},
        {"Nastavení", "SQL", "miSQL", false, false},
        {"Nastavení", "Import dat z Tarko7", "miImportTarko7", false, false},
        {"About", "About", "miAbout", false, false},
        {"Konec", nullptr, "miKonec", false, false},
    };
    return table;
}

TfLTarko::TfLTarko(TDM *dm, QWidget *parent)
    : QMainWindow(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fLTarko"));
    setWindowTitle(QStringLiteral("Tarko 8: Základní lišta"));
    showConnectionWindow = [this] {
        TfData window(this);
        return Prompt::runModal(&window);
    };
    buildMenu();
    buildToolBar();
    bind(QStringLiteral("miDatabaze"), [this] { openDatabaseWindow(); });
    bind(QStringLiteral("miParametry"), [this] {
        TfParProg window(m_dm, this);
        Prompt::runModal(&window);
    });
    bind(QStringLiteral("miAbout"), [this] { about(); });
    bind(QStringLiteral("miKonec"), [this] { close(); });
    wireMenu(*this);
    disableUnboundEntries();
}

void TfLTarko::disableUnboundEntries()
{
    // An entry whose subsystem is not there yet shows greyed rather than doing nothing.
    for (QAction *action : findChildren<QAction *>())
        if (action->objectName().startsWith(QLatin1String("mi")))
            action->setEnabled(m_handlers.contains(action->objectName()));
    for (QToolButton *button : m_bar->findChildren<QToolButton *>()) {
        const QString entry = button->property("menuEntry").toString();
        if (!entry.isEmpty())
            button->setEnabled(m_handlers.contains(entry));
    }
}

void TfLTarko::buildMenu()
{
    QHash<QString, QMenu *> menus;
    for (const MainMenuEntry &e : menuTable()) {
        const QString menuCaption = QString::fromUtf8(e.menu);
        QAction *action = nullptr;
        if (!e.entry) {
            action = menuBar()->addAction(menuCaption);
        } else {
            QMenu *menu = menus.value(menuCaption);
            if (!menu) {
                menu = menuBar()->addMenu(menuCaption);
                menu->setObjectName(QStringLiteral("mm") + QString::fromUtf8(e.objectName).mid(2));
                menus.insert(menuCaption, menu);
            }
            action = menu->addAction(QString::fromUtf8(e.entry));
            if (e.separatorAfter)
                menu->addSeparator();
        }
        action->setObjectName(QString::fromUtf8(e.objectName));
        action->setVisible(!e.hidden);
        const QString name = action->objectName();
        connect(action, &QAction::triggered, this, [this, name] { trigger(name); });
    }
}

void TfLTarko::buildToolBar()
{
    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("pnlLista"));
    struct Button { const char *name; const char *hint; const char *text; const char *entry; };
    static const Button buttons[] = {
        {"sbKontrolyPV", "Kontroly PV", "PV", "miKontrolyPV"},
        {"sbKontrolyHP", "Kontroly HP", "HP", "miKontrolyHP"},
        {"sbKontrolyPK", "Kontroly PK", "PK", "miKontrolyPK"},
        {"sbDilna", "Dílenské opravy HP", "Dílna", "miDilna"},
        {"sbVydejky", "Výdejky - příjemky", "Sklad", "miVydejky"},
        {"sbDodaciList", "Dodací list", "DL", "miDodaciListy"},
        {"sbFaktura", "Faktura", "Fa", "miFaktury"},
    };
    int x = 4;
    for (const Button &b : buttons) {
        auto *button = new QToolButton(m_bar);
        button->setObjectName(QString::fromUtf8(b.name));
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setText(QString::fromUtf8(b.text));
        button->setAutoRaise(true);
        button->setGeometry(x, 2, 56, 32);
        x += 58;
        const QString entry = QString::fromUtf8(b.entry);
        button->setProperty("menuEntry", entry);
        connect(button, &QToolButton::clicked, this, [this, entry] { trigger(entry); });
    }
    m_lVerze = new QLabel(QStringLiteral("v. 8.8.9"), m_bar);
    m_lVerze->setObjectName(QStringLiteral("lVerze"));
    m_lVerze->setGeometry(x + 12, 10, 80, 16);

    m_sbKonec = new QToolButton(m_bar);
    m_sbKonec->setObjectName(QStringLiteral("sbKonec"));
    m_sbKonec->setToolTip(QStringLiteral("Konec"));
    m_sbKonec->setText(QStringLiteral("Konec"));
    m_sbKonec->setAutoRaise(true);
    m_sbKonec->resize(38, 32);
    connect(m_sbKonec, &QToolButton::clicked, this, [this] { trigger(QStringLiteral("miKonec")); });

    m_bar->setMinimumHeight(36);
    setCentralWidget(m_bar);
    placeEndButton();
}

void TfLTarko::placeEndButton()
{
    // "Konec" stays 40 pixels from the right edge whatever the width
    m_sbKonec->move(m_bar->width() - 40, 2);
}

void TfLTarko::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    placeEndButton();
}

void TfLTarko::bind(const QString &objectName, std::function<void()> handler)
{
    m_handlers.insert(objectName, std::move(handler));
}

void TfLTarko::trigger(const QString &objectName)
{
    const auto it = m_handlers.constFind(objectName);
    if (it != m_handlers.constEnd() && it.value())
        it.value()();
}

void TfLTarko::FormCreate()
{
    // a bar across the top of the screen
    if (QScreen *screen = QGuiApplication::primaryScreen())
        setGeometry(0, 0, screen->availableGeometry().width(), sizeHint().height());
    else
        move(0, 0);

    int result = m_dm->ConnectDatabase();
    while (result < 0 && !m_ending) {
        // a file in use or of another version: other values would not help
        if (!m_dm->settingsMayHelp() || showConnectionWindow() != 6)
            break;      // left without confirming: go on without a database
        result = m_dm->ConnectDatabase();
    }

    const QString separator = ReadRegistryValue(QStringLiteral("sDecimal"), QStringLiteral(","),
                                                QStringLiteral("Control Panel\\International"));
    DecimalSeparator = (separator.trimmed() + QLatin1Char(',')).at(0);

    if (m_dm->isOpen())
        afterConnect();
    StartDirectory = QDir::currentPath();
}

void TfLTarko::afterConnect()
{
    if (!m_dm->isOpen())
        return;
    // the process-wide parameters without showing the parameters window; a failure has
    // been shown and the values in force stay
    loadFrameworkParameters(*m_dm);
    // an older database is brought to the current schema before anything reads it
    TfVerze::check(m_dm, this);
    if (onConnected)
        onConnected();
}

void TfLTarko::openDatabaseWindow()
{
    showConnectionWindow();
    reconnect();
}

void TfLTarko::reconnect()
{
    if (m_dm->ConnectDatabase() == 0)
        afterConnect();
}

void TfLTarko::endWithoutQuestions()
{
    if (m_ending)
        return;
    m_ending = true;
    // from here every question is declined: "Uložit změny ?" keeps the edit unsaved
    Prompt::setBackend(nullptr);
    TfSeznam::writeOpenWindowSettings();
    // leaves every event loop, modal windows' too
    QCoreApplication::exit(0);
}

bool TfLTarko::sessionEnding(bool mayAsk)
{
    if (mayAsk) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *form = qobject_cast<TfEditForm *>(w);
            if (form && form->isVisible() && !form->ConfirmLeave())
                return false;
        }
    }
    m_ending = true;
    Prompt::setBackend(nullptr);
    TfSeznam::writeOpenWindowSettings();
    return true;
}

void TfLTarko::bringToFront()
{
    // during start-up (the connection window) the window is not shown yet: only the
    // dialog in front comes up
    if (isVisible()) {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    }
    // a modal window in the way stays on top of it
    if (QWidget *modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

bool TfLTarko::confirmClose()
{
    return Prompt::question(QStringLiteral("Ukončit program ?"), QStringLiteral("Pozor")) == PromptYes;
}

void TfLTarko::closeEvent(QCloseEvent *event)
{
    if (!m_ending && !confirmClose()) {
        event->ignore();
        return;
    }
    // lists still open keep their sizes, layouts and orders for the next start
    TfSeznam::writeOpenWindowSettings();
    event->accept();
}

void TfLTarko::about()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("fAbout"));
    dialog.setWindowTitle(QStringLiteral("About"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *text = new QLabel(QStringLiteral("<b>TARKO - evidence servisního technika PO</b><br>")
                                + QStringLiteral("v. 8.8.9<br>") + ProductKey, &dialog);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    Prompt::runModal(&dialog);
}
