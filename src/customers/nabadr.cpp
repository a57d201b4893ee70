#include "customers/nabadr.h"
#include "widgets/viewhelpers.h"
#include "widgets/toolbuttons.h"
#include "widgets/windowregistry.h"
#include "customers/nabcombo.h"
#include "core/datamodulpro.h"
#include "core/incrementalsearch.h"
#include "core/prompt.h"
#include "widgets/sortheader.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
ListColumn sloupec(const char *field, const char *caption, int width, const QString &order)
{
    ListColumn c;
    c.field = QString::fromLatin1(field);
    c.caption = QString::fromUtf8(caption);
    c.width = width;
    c.order = order;
    return c;
}

// A hidden entry carries 'A'; an entry stored without the flag is not hidden.
const QString NotHidden = QStringLiteral("COALESCE(sestadr, 'N') <> 'A'");

QVector<RezimNabidky> makeModes()
{
    QVector<RezimNabidky> modes;
    const QString kod = QStringLiteral("Kod COLLATE PXW_CSY");
    const QString nazev = QStringLiteral("Nazev COLLATE PXW_CSY");
    const QString mesto = QStringLiteral("Mesto COLLATE PXW_CSY");
    const QString ulice = QStringLiteral("Ulice COLLATE PXW_CSY");

    RezimNabidky fir;
    fir.rezim = QStringLiteral("FIR");
    fir.dotaz = QStringLiteral("SELECT ADR.UnCis, ADR.kod, ADR.cislo, ADR.ulice, ADR.mesto, ADR.ico, ADR.nazev,"
                               "ADR.sertech,ADR.CisPop,ADR.UnCCen FROM Adresar adr WHERE ADR.Typ = 1 AND ")
                + NotHidden + QLatin1Char(' ');
    fir.razeni = {kod, nazev, mesto, ulice, QStringLiteral("CisPop COLLATE PXW_CSY"), QStringLiteral("ICO")};
    fir.vychoziRazeni = QStringLiteral(" ORDER BY Nazev ");
    fir.sloupce = {sloupec("KOD", "Kód", 70, fir.razeni.at(0)), sloupec("NAZEV", "Název", 250, fir.razeni.at(1)),
                   sloupec("MESTO", "Město", 120, fir.razeni.at(2)), sloupec("ULICE", "Ulice", 150, fir.razeni.at(3)),
                   sloupec("CISPOP", "Č.P.", 50, fir.razeni.at(4)), sloupec("ICO", "IČO", 80, fir.razeni.at(5))};
    fir.prepinace = true;
    modes << fir;

    RezimNabidky tec;
    tec.rezim = QStringLiteral("TEC");
    tec.dotaz = QStringLiteral(" SELECT uncis, kod, Nazev, CisPrukazu FROM Adresar WHERE Typ > 2 AND ") + NotHidden
                + QLatin1Char(' ');
    tec.razeni = {kod, nazev, QStringLiteral("CisPrukazu")};
    tec.vychoziRazeni = QStringLiteral(" ORDER BY Nazev ");
    tec.sloupce = {sloupec("KOD", "Kód", 70, tec.razeni.at(0)), sloupec("NAZEV", "Jméno", 250, tec.razeni.at(1)),
                   sloupec("CISPRUKAZU", "Číslo průkazu", 120, tec.razeni.at(2))};
    modes << tec;

    RezimNabidky zam;
    zam.rezim = QStringLiteral("ZAM");
    zam.dotaz = QStringLiteral(" SELECT uncis, kod, Nazev, mesto,  ulice,CisPop FROM Adresar WHERE Typ IN (2,3) AND ")
                + NotHidden + QLatin1Char(' ');
    zam.razeni = {kod, nazev, mesto, ulice, QStringLiteral("CisPop")};
    zam.vychoziRazeni = QStringLiteral(" ORDER BY Prijmeni ");
    zam.sloupce = {sloupec("KOD", "Kód", 70, zam.razeni.at(0)), sloupec("NAZEV", "Jméno", 250, zam.razeni.at(1)),
                   sloupec("MESTO", "Město", 120, zam.razeni.at(2)), sloupec("ULICE", "Ulice", 150, zam.razeni.at(3)),
                   sloupec("CISPOP", "Č.P.", 50, zam.razeni.at(4))};
    zam.prepinace = true;
    modes << zam;

    RezimNabidky str;
    str.rezim = QStringLiteral("STR");
    // the firm is a parameter: no firm chosen yet lists no sites
    str.dotaz = QStringLiteral("SELECT UnCis, ulice, mesto, Stredisko, CisPop   FROM Strediska WHERE UNCH = :UNCH ");
    str.razeni = {QStringLiteral("Stredisko COLLATE PXW_CSY"), mesto, ulice, QStringLiteral("CisPop")};
    str.vychoziRazeni = QStringLiteral(" ORDER BY Stredisko ");
    str.sloupce = {sloupec("STREDISKO", "Středisko", 200, str.razeni.at(0)),
                   sloupec("MESTO", "Město", 120, str.razeni.at(1)), sloupec("ULICE", "Ulice", 150, str.razeni.at(2)),
                   sloupec("CISPOP", "Č. pop.", 60, str.razeni.at(3))};
    modes << str;
    return modes;
}
} // namespace

const RezimNabidky *TfNabAdr::rezim(const QString &name)
{
    static const QVector<RezimNabidky> modes = makeModes();
    const QString wanted = name.trimmed().toUpper();
    for (const RezimNabidky &m : modes)
        if (m.rezim == wanted)
            return &m;
    return nullptr;
}

TfNabAdr *TfNabAdr::shared()
{
    static TfNabAdr *instance = nullptr;
    return ShowFormOnce(instance, QStringLiteral("fNabAdr"));
}

TfNabAdr::TfNabAdr(QWidget *parent, TDMPro *dm)
    : QDialog(parent), TAdresniTexty(dm)
{
    // a drop-down: no frame, and a click elsewhere closes it
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Tarko 8: nabídka adres"));

    QHBoxLayout *buttons = newToolBarLayout();
    addToolButton(buttons, this, QStringLiteral("sbVybrat"), QStringLiteral("Vybrat"), [this] { Vybrat(); });
    addToolButton(buttons, this, QStringLiteral("sbPrazdny"), QStringLiteral("Vrátit prázdný záznam"),
                  [this] { VratitPrazdny(); });
    addToolButton(buttons, this, QStringLiteral("sbZavrit"), QStringLiteral("Zavřít bez výběru"),
                  [this] { ZavritBezVyberu(); });
    buttons->addSpacing(12);
    m_sbOrganizace = addToolButton(buttons, this, QStringLiteral("sbOrganizace"), QStringLiteral("Organizace"),
                                   [this] { prepnout(QStringLiteral("FIR")); });
    m_sbZamestnanci = addToolButton(buttons, this, QStringLiteral("sbZamestnanci"), QStringLiteral("Zaměstnanci"),
                                    [this] { prepnout(QStringLiteral("ZAM")); });
    m_sbOrganizace->setCheckable(true);
    m_sbZamestnanci->setCheckable(true);
    buttons->addStretch();

    m_grid = new QTableView(this);
    m_header = setUpSortedPickGrid(m_grid, QStringLiteral("dbgNabidka"));
    m_model = new ListModel(&m_rows, this);
    m_grid->setModel(m_model);
    m_header->setSortHandler([this](int, const QString &expression, bool descending) {
        m_orderBy = SortHeader::orderByClause(expression, descending);
        return reopen() == 0;
    });
    m_grid->installEventFilter(this);
    m_search = new IncrementalSearch(&m_rows);
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Vybrat();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                if (!current.isValid())
                    return;
                m_rows.setCurrentRow(current.row());
                // searching in another column starts a new text
                const QString field = m_model->columnAt(current.column()).field;
                if (field != m_search->column()) {
                    m_search->setColumn(field);
                    m_status->setText(m_search->text());
                }
            });

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lHledani"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_status);
    resize(640, 320);
}

TfNabAdr::~TfNabAdr()
{
    delete m_search;
}

QToolButton *TfNabAdr::button(const QString &objectName) const
{
    return findChild<QToolButton *>(objectName);
}

QString TfNabAdr::searchText() const
{
    return m_status->text();
}

int TfNabAdr::ZobrazNabidku(const QString &mode, int firmKey)
{
    const RezimNabidky *r = rezim(mode);
    if (!r) {
        Prompt::warning(QStringLiteral("Chyba při zobrazení"), QStringLiteral("Seznam organizací"));
        return -1;
    }
    m_mode = r;
    m_firmKey = firmKey > 0 ? firmKey : 0;
    m_orderBy = r->vychoziRazeni;
    m_vysledek = 0;
    m_model->setColumns(r->sloupce);
    for (int i = 0; i < r->sloupce.size(); ++i)
        m_grid->setColumnWidth(i, r->sloupce.at(i).width);
    m_header->setSortExpressions(r->razeni);
    m_header->clearSortState();
    m_sbOrganizace->setVisible(r->prepinace);
    m_sbZamestnanci->setVisible(r->prepinace);
    m_sbOrganizace->setChecked(r->rezim == QLatin1String("FIR"));
    m_sbZamestnanci->setChecked(r->rezim == QLatin1String("ZAM"));
    m_search->setColumn(r->sloupce.constFirst().field);
    m_status->clear();
    return reopen();
}

int TfNabAdr::reopen()
{
    if (!m_mode)
        return -1;
    const bool sites = m_mode->rezim == QLatin1String("STR");
    SqlParameters parameters;
    if (sites)
        parameters.append({QStringLiteral("UNCH"), m_firmKey});
    QString error;
    TDMPro *d = dm();
    if (!d || !m_rows.open(d, m_mode->dotaz + QLatin1Char(' ') + m_orderBy,
                           QStringLiteral("SELECT COUNT(*) FROM (") + m_mode->dotaz + QLatin1Char(')'),
                           parameters, &error)) {
        if (sites)
            Prompt::warning(QStringLiteral("Chyba otevření"), QStringLiteral("Seznam středisek"));
        else
            Prompt::warning(QStringLiteral("Chyba při zobrazení"), QStringLiteral("Seznam organizací"));
        return -1;
    }
    if (m_model->rowCount() > 0) {
        const int column = qMax(0, m_grid->currentIndex().column());
        m_grid->setCurrentIndex(m_model->index(0, column));
    }
    return 0;
}

void TfNabAdr::prepnout(const QString &mode)
{
    if (mode != this->mode()) {
        ZobrazNabidku(mode, m_firmKey);
        return;
    }
    // a click on the toggle of the mode shown leaves it on
    m_sbOrganizace->setChecked(mode == QLatin1String("FIR"));
    m_sbZamestnanci->setChecked(mode == QLatin1String("ZAM"));
}

void TfNabAdr::uvolnit()
{
    // the list would keep its read transaction open while nobody looks at it
    m_rows.close();
    m_search->clear();
    m_status->clear();
}

void TfNabAdr::zavrit(int vysledek)
{
    m_vysledek = vysledek;
    uvolnit();
    if (isVisible())
        hide();
}

void TfNabAdr::Vybrat()
{
    const int row = m_rows.currentRow();
    if (row < 0) {
        Prompt::beep();
        return;
    }
    const int key = m_rows.value(row, QStringLiteral("UNCIS")).toInt();
    if (key <= 0) {
        Prompt::warning(QStringLiteral("Chyba přiřazení"), QStringLiteral("Výběr adresy"));
        return;
    }
    QPointer<NabCombo> combo = m_combo;
    zavrit(key);
    if (combo)
        combo->Vyber(key);
}

void TfNabAdr::VratitPrazdny()
{
    QPointer<NabCombo> combo = m_combo;
    zavrit(0);
    if (combo)
        combo->Vyber(0);
}

void TfNabAdr::ZavritBezVyberu()
{
    zavrit(0);
}

QPoint TfNabAdr::placement(const QRect &combo, const QSize &size, const QRect &screen)
{
    int x = combo.left();
    if (x + size.width() > screen.right() + 1)
        x = screen.right() + 1 - size.width();
    x = qMax(x, screen.left());
    int y = combo.bottom() + 1;
    if (y + size.height() > screen.bottom() + 1)
        y = qMax(screen.top(), combo.top() - size.height());
    return {x, y};
}

void TfNabAdr::showEvent(QShowEvent *event)
{
    if (m_combo && m_combo->isVisible()) {
        const QRect rect(m_combo->mapToGlobal(QPoint(0, 0)), m_combo->size());
        QScreen *screen = m_combo->screen();
        if (screen)
            move(placement(rect, size(), screen->geometry()));
    }
    QDialog::showEvent(event);
}

void TfNabAdr::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    // closed by a click elsewhere: nothing was chosen
    if (m_rows.isOpen()) {
        m_vysledek = 0;
        uvolnit();
    }
}

void TfNabAdr::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (!m_search->text().isEmpty()) {
            m_search->clear();
            m_status->clear();
        } else {
            ZavritBezVyberu();
        }
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Vybrat();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfNabAdr::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Vybrat();
            return true;
        }
        if (key->key() == Qt::Key_Escape && m_search->text().isEmpty()) {
            ZavritBezVyberu();
            return true;
        }
        const bool handled = m_search->handleKey(*key);
        m_status->setText(m_search->text());
        if (handled) {
            const int row = m_rows.currentRow();
            if (row >= 0)
                m_grid->setCurrentIndex(m_model->index(row, qMax(0, m_grid->currentIndex().column())));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
