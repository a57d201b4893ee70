#include "inspections/partscatalogue.h"

#include "core/globals.h"
#include "core/prompt.h"
#include "core/sqlrun.h"

namespace {
const QString PartsOfType = QStringLiteral("SELECT * FROM DilVyr WHERE UnCVyr=:K ORDER BY NazDil");
}

const QVector<int> PartsCatalogue::Sections = {3, 4, 5, 8, 9, 10};

PartsCatalogue::PartsCatalogue(TDMPro *dm, QObject *parent)
    : QObject(parent)
    , m_dm(dm)
{
}

bool PartsCatalogue::read(RowCache &into, const QString &sql, const SqlParameters &parameters)
{
    QSqlQuery q = runSql(m_dm, sql, parameters, &m_lastError);
    if (!q.isActive()) {
        Prompt::error(m_lastError, QStringLiteral("Chyba"));
        return false;
    }
    into.load(q);
    return true;
}

bool PartsCatalogue::open()
{
    if (!read(m_types, QStringLiteral("SELECT * FROM Cenik WHERE CSekce=7 ORDER BY Popis"))
        || !read(m_template, PartsOfType, {{QStringLiteral("K"), 0}}) || !setSection(m_section))
        return false;
    m_types.first();
    return setCurrentType(m_types.currentRow()) == 0;
}

bool PartsCatalogue::setSection(int csekce)
{
    if (!Sections.contains(csekce))
        return false;
    m_section = csekce;
    if (!read(m_offered, QStringLiteral("SELECT * FROM Cenik WHERE CSekce=:K ORDER BY Popis"),
              {{QStringLiteral("K"), csekce}}))
        return false;
    m_offered.first();
    return true;
}

bool PartsCatalogue::readParts()
{
    if (!read(m_parts, PartsOfType, {{QStringLiteral("K"), m_type > 0 ? m_type : -1}}))
        return false;
    m_parts.first();
    return true;
}

int PartsCatalogue::setCurrentType(int row)
{
    if (save() < 0)
        return -2;
    if (row >= 0 && row < m_types.rowCount()) {
        m_types.setCurrentRow(row);
        m_type = m_types.value(row, QStringLiteral("UNCIS")).toInt();
        m_typeName = m_types.value(row, QStringLiteral("POPIS")).toString().trimmed();
        m_typeMaker = m_types.value(row, QStringLiteral("VYROBCE")).toString().trimmed();
    } else {
        m_type = -1;
        m_typeName.clear();
        m_typeMaker.clear();
    }
    return readParts() ? 0 : -2;
}

int PartsCatalogue::appendPart(RowCache &into, int type, int dil, const QString &nazDil, const QString &kod)
{
    const qint64 key = m_dm->NextKey(QStringLiteral("DILVYR"));
    if (key < 0 || !into.isOpen())
        return -1;
    const int row = into.appendRow();
    if (row < 0)
        return -1;
    const bool forType = type > 0;
    into.setValue(QStringLiteral("UNCIS"), int(key));
    into.setValue(QStringLiteral("UNCVYR"), type);
    into.setValue(QStringLiteral("NAZVYR"), forType ? m_typeName : QString());
    into.setValue(QStringLiteral("VYRVYR"), forType ? m_typeMaker : QString());
    into.setValue(QStringLiteral("UNCDIL"), dil);
    into.setValue(QStringLiteral("NAZDIL"), nazDil);
    into.setValue(QStringLiteral("KOD"), kod);
    into.setValue(QStringLiteral("KLIC"), 0);
    into.setValue(QStringLiteral("KDO"), userStamp());
    return int(key);
}

int PartsCatalogue::addPart(int offeredRow)
{
    if (m_type <= 0 || offeredRow < 0 || offeredRow >= m_offered.rowCount())
        return -1;
    return appendPart(m_parts, m_type, m_offered.value(offeredRow, QStringLiteral("UNCIS")).toInt(),
                      m_offered.value(offeredRow, QStringLiteral("POPIS")).toString().trimmed(), QString());
}

int PartsCatalogue::addToTemplate(int offeredRow)
{
    if (offeredRow < 0 || offeredRow >= m_offered.rowCount())
        return -1;
    return appendPart(m_template, 0, m_offered.value(offeredRow, QStringLiteral("UNCIS")).toInt(),
                      m_offered.value(offeredRow, QStringLiteral("POPIS")).toString().trimmed(), QString());
}

int PartsCatalogue::removePart()
{
    return m_parts.currentRow() >= 0 && m_parts.deleteCurrentRow() ? 0 : -1;
}

int PartsCatalogue::removeFromTemplate()
{
    return m_template.currentRow() >= 0 && m_template.deleteCurrentRow() ? 0 : -1;
}

int PartsCatalogue::copyTemplateToType()
{
    if (m_type <= 0)
        return -1;
    int copied = 0;
    for (int r = 0; r < m_template.rowCount(); ++r) {
        if (appendPart(m_parts, m_type, m_template.value(r, QStringLiteral("UNCDIL")).toInt(),
                       m_template.value(r, QStringLiteral("NAZDIL")).toString().trimmed(),
                       m_template.value(r, QStringLiteral("KOD")).toString().trimmed())
            < 0)
            return -1;
        ++copied;
    }
    return copied;
}

int PartsCatalogue::save()
{
    if (!isModified())
        return 0;
    CacheWriter writer(m_dm, QStringLiteral("DILVYR"));
    CacheWriter::Result parts, templ;
    bool ok = false;
    {
        TransactionGuard guard(m_dm);
        ok = guard.isActive();
        if (ok && m_parts.isOpen() && m_parts.isDirty()) {
            parts = writer.apply(m_parts);
            ok = parts.ok;
        }
        if (ok && m_template.isOpen() && m_template.isDirty()) {
            templ = writer.apply(m_template);
            ok = templ.ok;
        }
        ok = ok && guard.commit();
        if (!ok)
            m_lastError = !parts.ok ? parts.error : !templ.ok ? templ.error : guard.lastError();
    }
    if (!ok) {
        Prompt::error(QStringLiteral("Chyba při uložení"), QStringLiteral("Chyba"));
        return -2;
    }
    applyNewCounters(m_parts, parts);
    applyNewCounters(m_template, templ);
    m_parts.commitUpdates();
    m_template.commitUpdates();
    return 0;
}
