#pragma once
#include <functional>

class QSqlQuery;
// Reading and writing the designs of the list windows and the data dictionary they
// are made from. A design is written whole: its header, then its column or condition
// rows replaced, all in one transaction, so a failure leaves the stored design as it
// was. Every operation shows its own failure (the step's title over the database's
// message) and returns 0 or a key on success, a negative code on failure.
#include <QList>
#include <QString>

#include "core/datamodulpro.h"
#include "templates/templatemodel.h"

namespace Templates {

class TemplateStore
{
public:
    enum Result {
        ResSaveFailed = -6,
        ResReadFailed = -5,
        ResDeleteFailed = -3,
        ResNoName = -2,
        ResNoKey = -1,
    };

    explicit TemplateStore(TDMPro *dm = DM);

    // --- reports (GSHLAV + GSTAB) ------------------------------------------------
    // The design and its columns in print order; a key that is not stored gives an
    // empty new design. Returns the key, 0 for a new design, or ResReadFailed.
    int loadReport(int key, ReportDesign &design);
    // Inserts a new design or updates a stored one and rewrites its columns. On
    // success the design carries its key and stored texts (trimmed, captions cut).
    int saveReport(ReportDesign &design);
    int deleteReport(int key);
    // The designs of exactly this window and variant, by name. Returns the count.
    int listReports(const QString &window, int variant, QList<DesignEntry> &out);
    // The default header, footer and legend of the inspection documents.
    int loadDefaultDocumentTexts(QString &header, QString &footer, QString &legend);
    int saveDefaultDocumentTexts(const QString &header, const QString &footer, const QString &legend);

    // --- grid layouts (GGHLAV + GGTAB) -------------------------------------------
    int loadGridLayout(int key, GridLayout &layout);
    int saveGridLayout(GridLayout &layout);
    int deleteGridLayout(int key);
    int listGridLayouts(const QString &window, int variant, QList<DesignEntry> &out);

    // --- filters (GPHLAV + GPTAB) ------------------------------------------------
    int loadFilter(int key, FilterDesign &filter);
    int saveFilter(FilterDesign &filter);
    int deleteFilter(int key);
    // selectionKind "V" or "S" restricts the list; empty lists both.
    int listFilters(const QString &window, int variant, QList<DesignEntry> &out,
                    const QString &selectionKind = QString());

    // --- data dictionary (STRUK) -------------------------------------------------
    // The items a designer of the kind is offered for a window's alias tables: per
    // alias the items of its table group whose variant is 0 or one of the alias's
    // variants, ordered by caption. Returns the count.
    int offeredItems(const QList<AliasTable> &aliases, DesignKind kind, QList<DictionaryItem> &out);
    int offeredItems(const QString &aliasTableText, DesignKind kind, QList<DictionaryItem> &out)
    {
        return offeredItems(parseAliasTables(aliasTableText), kind, out);
    }
    int renameItem(int key, const QString &caption);
    // The item is offered to no designer any more and leaves every grid layout;
    // report columns that print it keep their place and print nothing.
    int withdrawItem(int key);

    // The database's message of the last failure.
    QString lastError() const { return m_lastError; }

private:
    int fail(int code, const QString &error, const QString &caption);
    // Reads a design's header row and then its rows (itemsSql with ":unch"); onHeader,
    // when given, reads the header's own columns. reset empties the design before
    // reading and again when reading the rows fails.
    int loadDesign(const QString &headerTable, const QString &itemsSql, int key, StoredDesign &design,
                   const std::function<void(const QSqlQuery &)> &onHeader,
                   const std::function<void(const QSqlQuery &)> &onItem,
                   const std::function<void()> &reset);
    using Statement = std::function<bool(QSqlQuery &q, QString &error)>;
    using ItemBinder = std::function<void(QSqlQuery &q, int index, int key)>;
    // Writes a design whole in one transaction: its header row through update, or through
    // insert under a new key when it has none or the stored row is gone, then its rows
    // (itemSql prepared once, bindItem given each row's index and new key). The design
    // gets its trimmed name, key and change stamps. Returns the key, ResNoName or
    // ResSaveFailed.
    int saveDesign(const QString &header, const QString &items, StoredDesign &design,
                   const QString &noNameMessage, const QString &caption, const Statement &update,
                   const Statement &insert, const QString &itemSql, int itemCount,
                   const ItemBinder &bindItem);
    int listDesigns(const QString &table, const QString &window, int variant,
                    const QString &selectionKind, QList<DesignEntry> &out);
    int deleteDesign(const QString &header, const QString &items, int key);
    bool readChangeStamps(const QString &table, int key, QDateTime &created, QDateTime &changed);

    TDMPro *m_dm;
    QString m_lastError;
};

} // namespace Templates
