#include "barcodes/stagingedit.h"
#include "barcodes/transfer.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "inspections/hpc.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {
const QString DataCaption = QStringLiteral("Data");
}

StagingEdit::StagingEdit(TDMPro *dm) : m_dm(dm) {}

bool StagingEdit::open()
{
    QString error;
    QSqlQuery q = runSql(m_dm, QStringLiteral("SELECT * FROM VstCarKod ORDER BY UnCis"), {}, &error);
    if (!q.isActive()) {
        Prompt::error(error);
        return false;
    }
    m_rows.load(q);
    m_rows.setOpen(true);
    m_rows.setInsertGate([] { return false; });
    return true;
}

QString StagingEdit::displayText(int row, const QString &field) const
{
    const int kind = m_rows.value(row, QStringLiteral("TYPVET")).toInt();
    const QString name = field.toUpper();
    if (kind == Customer) {
        if (name == QLatin1String("MISTO"))
            return QStringLiteral("Firma: ") + m_rows.value(row, QStringLiteral("ZNACKA")).toString();
        if (name == QLatin1String("HP"))
            return QStringLiteral("Střed.: ") + m_rows.value(row, QStringLiteral("OPRTEXT")).toString();
        if (name == QLatin1String("VYRCIS"))
            return QStringLiteral("Tech.: ") + m_rows.value(row, QStringLiteral("STAV")).toString();
        if (name == QLatin1String("STAV"))
            return QStringLiteral("Datum: ") + m_rows.value(row, QStringLiteral("DATUM")).toDate().toString(QStringLiteral("d.M.yyyy"));
        return name == QLatin1String("TYPVET") ? QString::number(kind) : QString();
    }
    if (kind == Object) {
        if (name == QLatin1String("MISTO"))
            return QStringLiteral("Objekt: ") + m_rows.value(row, QStringLiteral("OBJEKT")).toString();
        return name == QLatin1String("TYPVET") ? QString::number(kind) : QString();
    }
    const QVariant v = m_rows.value(row, name);
    return v.isNull() ? QString() : v.toString();
}

QVariant StagingEdit::lookup(const QString &sql, int key, const QString &field) const
{
    QSqlQuery q = runSql(m_dm, sql, {{QStringLiteral("K"), key}});
    return q.next() ? q.value(field) : QVariant();
}

void StagingEdit::chooseCustomer(int uncfir)
{
    m_rows.setValue(QStringLiteral("UNCFIR"), uncfir);
    m_rows.setValue(QStringLiteral("ZNACKA"), lookup(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = :K"), uncfir,
                                                     QStringLiteral("NAZEV")).toString());
    m_rows.setValue(QStringLiteral("UNCSTR"), 0);
    m_rows.setValue(QStringLiteral("OPRTEXT"), QString());
}

void StagingEdit::chooseSite(int uncstr)
{
    QSqlQuery q = runSql(m_dm, QStringLiteral("SELECT STREDISKO, MESTO, ULICE, CISPOP FROM STREDISKA WHERE UNCIS = :K"),
                         {{QStringLiteral("K"), uncstr}});
    if (!q.next())
        return;
    QStringList site;
    for (int i = 0; i < 4; ++i)
        site << q.value(i).toString();
    m_rows.setValue(QStringLiteral("UNCSTR"), uncstr);
    m_rows.setValue(QStringLiteral("OPRTEXT"), site.join(QLatin1Char(',')));
}

void StagingEdit::chooseTechnician(int unctech)
{
    m_rows.setValue(QStringLiteral("UNCTECH"), unctech);
    m_rows.setValue(QStringLiteral("STAV"), lookup(QStringLiteral("SELECT NAZEV FROM ADRESAR WHERE UNCIS = :K"), unctech,
                                                   QStringLiteral("NAZEV")).toString());
}

void StagingEdit::chooseDate(const QDate &date)
{
    m_rows.setValue(QStringLiteral("DATUM"), date);
}

void StagingEdit::chooseObject(const QString &name)
{
    m_rows.setValue(QStringLiteral("OBJEKT"), name.left(20));
}

void StagingEdit::chooseType(int unccen)
{
    QSqlQuery q = runSql(m_dm, QStringLiteral("SELECT POPIS, DRUH, VYROBCE FROM CENIK WHERE UNCIS = :K AND CSEKCE = 7"),
                         {{QStringLiteral("K"), unccen}});
    if (!q.next())
        return;
    m_rows.setValue(QStringLiteral("UNCCEN"), unccen);
    m_rows.setValue(QStringLiteral("ZNACKA"), q.value(0).toString());
    m_rows.setValue(QStringLiteral("HP"), q.value(0).toString());
    m_rows.setValue(QStringLiteral("DRUH"), q.value(1).toString());
    m_rows.setValue(QStringLiteral("VYROBCE"), q.value(2).toString());
}

void StagingEdit::prePost(int row)
{
    if (row < 0 || row >= m_rows.rowCount())
        return;
    const int rok = m_rows.value(row, QStringLiteral("ROK")).toInt();
    const int year = TfHPC::yearFromSerial(m_rows.value(row, QStringLiteral("VYRCIS")).toString(), rok);
    if (year != rok)
        m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("ROK")), year);
}

bool StagingEdit::saveChanges()
{
    for (int r = 0; r < m_rows.rowCount(); ++r)
        if (m_rows.row(r).state != RowCache::Unchanged)
            prePost(r);
    CacheWriter::Result result;
    const bool ok = inTransaction(m_dm, [&](QString *error) {
        result = CacheWriter(m_dm, QStringLiteral("VSTCARKOD")).apply(m_rows);
        *error = result.error;
        return result.ok;
    });
    if (!ok) {
        Prompt::error(QStringLiteral("Uložení dat") + (result.error.isEmpty() ? QString() : QStringLiteral("\n") + result.error));
        return false;
    }
    m_rows.commitUpdates();
    return true;
}

bool StagingEdit::Uloz()
{
    if (Prompt::question(QStringLiteral("Uložit hodnoty ?"), DataCaption) != PromptYes)
        return false;
    return saveChanges();
}

void StagingEdit::Zpet()
{
    m_rows.cancelUpdates();
}

bool StagingEdit::SmazatZaznam()
{
    if (m_rows.currentRow() < 0 || Prompt::question(QStringLiteral("Smazat tneto záznam ?"), DataCaption) != PromptYes)
        return false;
    m_rows.deleteCurrentRow();
    return saveChanges();
}

bool StagingEdit::SmazatVse()
{
    if (Prompt::question(QStringLiteral("Smazat všechny načtené hodnoty ?"), DataCaption) != PromptYes
        || Prompt::question(QStringLiteral("Skutečně vše nenávratně smazat ?"), DataCaption) != PromptYes)
        return false;
    QString error;
    if (!inTransaction(m_dm, [this](QString *e) {
            QSqlQuery q = m_dm->NewQuery();
            return runSql(q, QStringLiteral("Delete from VstCarKod"), {}, e);
        }, &error)) {
        Prompt::error(QStringLiteral("Smazání hodnot\n") + error);
        return false;
    }
    return open();
}

bool StagingEdit::Prenest()
{
    if (Prompt::question(QStringLiteral("Vytvořit protokoly a přenést hodnoty ?"), DataCaption) != PromptYes)
        return false;
    if (isChanged() && !saveChanges())
        return false;
    Reader::TransferResult result;
    QString error;
    if (!Reader::transferStaged(m_dm, &result, &error)) {
        Prompt::error(QStringLiteral("Nepřeneseny hodnoty\n") + error);
        return false;
    }
    Prompt::information(QStringLiteral("Přeneseno protokolů: %1, HP: %2").arg(result.inspections).arg(result.items));
    return true;
}
