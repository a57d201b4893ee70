#include "commerce/doddil.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "core/sqlrun.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"

#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

DodDilParts::DodDilParts(TDMPro *dm)
    : m_dm(dm)
{
}

bool DodDilParts::open(int uncpol, int uncpro, int uncvyr)
{
    m_uncpol = uncpol;
    m_uncpro = uncpro;
    m_uncvyr = uncvyr;
    return reload();
}

bool DodDilParts::reload()
{
    const int current = qMax(0, m_rows.currentRow());
    QSqlQuery q = runSql(m_dm,
                         QStringLiteral("SELECT V.NazVyr,V.NazDil,V.UnCDil,V.Kod,D.UnCis,D.UnCPol,D.UnCCen,D.Mnozstvi,D.UnCPro "
                                        "FROM DilVyr V LEFT OUTER JOIN DodDil D ON (V.UnCDil=D.UnCCen AND D.UnCPol=:UnCPol) "
                                        "WHERE V.UnCVyr=:UnCVyr ORDER BY V.NazDil"),
                         {{QStringLiteral("UnCPol"), m_uncpol}, {QStringLiteral("UnCVyr"), m_uncvyr}});
    if (!q.isActive())
        return false;
    m_rows.load(q);
    m_rows.setOpen(true);
    if (m_rows.rowCount() > 0)
        m_rows.setCurrentRow(qMin(current, m_rows.rowCount() - 1));
    return true;
}

int DodDilParts::Pridat(int row)
{
    if (row < 0 || row >= m_rows.rowCount())
        return -1;
    if (m_rows.value(row, QStringLiteral("UNCIS")).toInt() > 0)
        return 1;
    QString error;
    const bool ok = inTransaction(m_dm, [&](QString *err) {
        QSqlQuery q = m_dm->NewQuery();
        return runSql(q,
                      QStringLiteral("INSERT INTO DodDil (UnCis,UnCPol,UnCCen,Mnozstvi,UnCPro) values "
                                     "(:UnCis,:UnCPol,:UnCCen,:Mnozstvi,:UnCPro) "),
                      {{QStringLiteral("UnCis"), m_dm->NextKey(QStringLiteral("DODDIL"))},
                       {QStringLiteral("UnCPol"), m_uncpol},
                       {QStringLiteral("UnCCen"), m_rows.value(row, QStringLiteral("UNCDIL"))},
                       {QStringLiteral("Mnozstvi"), 1},
                       {QStringLiteral("UnCPro"), m_uncpro}},
                      err);
    }, &error);
    if (!ok) {
        Prompt::error(QStringLiteral("Chyba při přidání náhradního dílu"));
        return -1;
    }
    reload();
    return 0;
}

int DodDilParts::Ubrat(int row)
{
    if (row < 0 || row >= m_rows.rowCount())
        return -1;
    const int key = m_rows.value(row, QStringLiteral("UNCIS")).toInt();
    if (key <= 0)
        return 1;
    const bool ok = inTransaction(m_dm, [&](QString *err) {
        QSqlQuery q = m_dm->NewQuery();
        return runSql(q, QStringLiteral("DELETE FROM DodDil WHERE UnCis=:UnCis"), {{QStringLiteral("UnCis"), key}}, err);
    });
    if (!ok) {
        Prompt::error(QStringLiteral("Chyba při mazání náhradního dílu"));
        return -1;
    }
    reload();
    return 0;
}

bool DodDilParts::writeNote()
{
    QStringList codes;
    for (int r = 0; r < m_rows.rowCount(); ++r)
        if (m_rows.value(r, QStringLiteral("UNCIS")).toInt() > 0)
            codes << m_rows.value(r, QStringLiteral("KOD")).toString().trimmed();
    const bool ok = inTransaction(m_dm, [&](QString *err) {
        QSqlQuery q = m_dm->NewQuery();
        return runSql(q, QStringLiteral("UPDATE PR_Tab SET Pozn=:Pozn WHERE UnCis=:UnCis"),
                      {{QStringLiteral("Pozn"), codes.join(QLatin1Char(','))}, {QStringLiteral("UnCis"), m_uncpol}}, err);
    });
    if (!ok)
        Prompt::error(QStringLiteral("Díly do poznámky nebyly uloženy"), QStringLiteral("Chyba"));
    else
        m_note = codes.join(QLatin1Char(','));
    return ok;
}

TfDodDil::TfDodDil(int uncpol, int uncpro, int uncvyr, QWidget *parent, TDMPro *dm)
    : QDialog(parent)
    , m_parts(dm)
{
    setObjectName(QStringLiteral("fDodDil"));
    setWindowTitle(QStringLiteral("Tarko 8: Díly a výkony k HP"));
    m_model = new RowCacheModel(&m_parts.rows(), this);
    m_model->addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"), false);
    m_model->addColumn(QStringLiteral("NAZDIL"), QStringLiteral("Název"), false);
    m_model->addColumn(QStringLiteral("MNOZSTVI"), QStringLiteral("Množ."), false);
    m_grid = new QTableView(this);
    setUpPickGrid(m_grid, QStringLiteral("dbgDodDil"));
    m_grid->setModel(m_model);
    followCurrentRow(m_grid, m_model);
    auto *bar = newToolBarLayout();
    addToolButton(bar, this, QStringLiteral("sbPridat"), QStringLiteral("Přidat"),
                  [this] { m_parts.Pridat(m_parts.rows().currentRow()); });
    addToolButton(bar, this, QStringLiteral("sbUbrat"), QStringLiteral("Ubrat"),
                  [this] { m_parts.Ubrat(m_parts.rows().currentRow()); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid);
    resize(520, 420);
    m_created = m_parts.open(uncpol, uncpro, uncvyr);
}

void TfDodDil::done(int result)
{
    m_parts.writeNote();
    QDialog::done(result);
}

QString showSpareParts(int uncpol, int uncpro, int uncvyr, QWidget *parent)
{
    if (uncpol <= 0 || uncvyr <= 0)
        return QString();
    TfDodDil dialog(uncpol, uncpro, uncvyr, parent);
    if (dialog.isCreated())
        Prompt::runModal(&dialog);
    return dialog.parts().writtenNote();
}

void showSparePartsOfItem(RowCache &items, int inspection, QWidget *parent)
{
    const int row = items.currentRow();
    if (row < 0)
        return;
    const QString note = showSpareParts(items.value(QStringLiteral("UNCIS")).toInt(), inspection,
                                        items.value(QStringLiteral("UNCCEN")).toInt(), parent);
    if (!note.isNull())
        items.setStoredValue(row, QStringLiteral("POZN"), note);
}
