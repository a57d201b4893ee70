#include "admin/textlibrary.h"
#include "core/class.h"
#include "core/globals.h"
#include "core/prompt.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
const QString Table = QStringLiteral("TEXTY");
const QString KeyField = QStringLiteral("UNCIS");
const QString CodeField = QStringLiteral("KOD");
const QString ProgramTextMessage = QStringLiteral("Text s kódem patří programu, nelze jej smazat.");
} // namespace

const QString TextLibrary::NameField = QStringLiteral("POPIS");
const QString TextLibrary::TextField = QStringLiteral("TEXT");

TextLibrary::TextLibrary(TDMPro *dm, QObject *parent)
    : QObject(parent), m_dm(dm)
{
    m_rows.setInsertGate([this] { return m_adding; });
}

int TextLibrary::currentKey() const
{
    return m_rows.currentRow() >= 0 ? m_rows.value(KeyField).toInt() : 0;
}

int TextLibrary::Open(int key)
{
    m_lastError.clear();
    if (!m_dm || !m_dm->isOpen()) {
        m_lastError = QStringLiteral("Databáze není otevřena.");
        return ResListFailed;
    }
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM Texty ORDER BY Popis"))) {
        m_lastError = q.lastError().text();
        return ResListFailed;
    }
    m_rows.load(q);
    if (key != 0)
        m_rows.locate(KeyField, key);
    return 0;
}

int TextLibrary::Add()
{
    if (!m_rows.isOpen() || !m_dm)
        return ResNoKey;
    if (m_dm->WritesBlocked() != 0) {
        Prompt::warning(QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později."),
                        QStringLiteral("Sdílení databáze"));
        return ResWritesBlocked;
    }
    const qint64 key = m_dm->NextKey(Table);
    if (key < 0) {
        Prompt::error(QStringLiteral("Přidáno záznamu"), QStringLiteral("Tarko 8: Předdefinice textů"));
        return ResNoKey;
    }
    int row = -1;
    {
        ScopedSwitch adding(m_adding);
        row = m_rows.appendRow();
    }
    if (row < 0)
        return ResNoKey;
    m_rows.setValue(row, m_rows.fieldIndex(KeyField), int(key));
    m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("KLIC")), 0);
    m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("KDO")), userStamp());
    m_rows.setCurrentRow(row);
    return int(key);
}

bool TextLibrary::CanRemove(int row) const
{
    if (row < 0)
        row = m_rows.currentRow();
    if (row < 0 || row >= m_rows.rowCount())
        return false;
    // the stored code counts: a code cleared in the cache does not free the text
    const bool stored = m_rows.row(row).state != RowCache::Inserted;
    const QString code = (stored ? m_rows.originalValue(row, CodeField) : m_rows.value(row, CodeField)).toString();
    return code.trimmed().isEmpty() && m_rows.value(row, CodeField).toString().trimmed().isEmpty();
}

int TextLibrary::Remove()
{
    if (m_rows.currentRow() < 0)
        return ResRefused;
    if (!CanRemove()) {
        Prompt::warning(ProgramTextMessage, QStringLiteral("Pozor"));
        return ResRefused;
    }
    m_rows.deleteCurrentRow();
    return 0;
}

int TextLibrary::Save()
{
    m_lastError.clear();
    if (!m_dm || !m_rows.isOpen()) {
        m_lastError = QStringLiteral("Databáze není otevřena.");
        return ResSaveFailed;
    }
    // whatever removed them from the cache, the program's texts stay
    for (const RowCache::Row &r : m_rows.deletedRows()) {
        if (!r.original.value(m_rows.fieldIndex(CodeField)).toString().trimmed().isEmpty()) {
            m_lastError = ProgramTextMessage;
            return ResSaveFailed;
        }
    }
    const int key = currentKey();
    const int stamp = m_rows.fieldIndex(QStringLiteral("KDO"));
    for (int r = 0; r < m_rows.rowCount(); ++r)
        if (m_rows.row(r).state != RowCache::Unchanged)
            m_rows.setValue(r, stamp, userStamp());

    bool ok = false;
    {
        TransactionGuard transaction(m_dm);
        if (!transaction.isActive()) {
            m_lastError = transaction.lastError();
        } else {
            const CacheWriter::Result result = CacheWriter(m_dm, Table).apply(m_rows);
            if (!result.ok)
                m_lastError = result.error;
            else if (!(ok = transaction.commit()))
                m_lastError = transaction.lastError();
        }
    }   // a failed transaction is rolled back here
    if (!ok)
        return ResSaveFailed;
    m_rows.commitUpdates();
    return Open(key);
}
