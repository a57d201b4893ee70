#pragma once
// TfClass, the entity controller: owns an entity's header table and item tables, the
// browse list, key generation, insert/open/save/cancel/copy/delete of one record and
// the defaults of new rows. Windows never write to the database themselves; they call
// these operations. A concrete controller declares its tables in DefineEntity() and
// adds rules in the hooks.
//
// Results: 0 or a key for success, negative for failure:
//   -10 writes blocked, -9 no list columns, -8 opening the list failed, -6 save failed,
//   -5 opening the record failed, -4 item delete failed, -3 record delete failed,
//   -1 no key could be made, r * 100 - 2 append failures, -1111, -1212, -1313, -1414
//   failures of the declaring and marking routines.
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "core/datamodulpro.h"
#include "core/listdataset.h"
#include "core/rowcache.h"
#include "core/varsql.h"


class TfClass : public QObject
{
    Q_OBJECT
public:
    enum Result {
        ResWritesBlocked = -10,
        ResNoListColumns = -9,
        ResListFailed = -8,
        ResSaveFailed = -6,
        ResOpenFailed = -5,
        ResItemDeleteFailed = -4,
        ResDeleteFailed = -3,
        ResNoKey = -1,
        ResAllocateFailed = -1111,
        ResHeaderFailed = -1212,
        ResItemTableFailed = -1313,
        ResMarkFailed = -1414,
    };

    // One item table of the entity.
    struct ItemTable
    {
        RowCache *cache = nullptr;       // the item rows of the open record
        QString table;                   // also the generator of its keys
        QString customSelect;            // full SELECT instead of the generated one
        QString orderBy;                 // appended after the SELECT
        QString link = QStringLiteral("UNCH");
        QString copyOrder = QStringLiteral("UNCIS");   // order of the rows CopyRecord copies
        QStringList writeColumns;        // empty: every stored column of the table
        TVarSQL defaults;
        QVariant rememberedKey;
        SqlParameters parameters;        // extra parameters of a custom SELECT
        std::function<int(ItemTable &)> beforeAppend;
        std::function<int(ItemTable &)> afterAppend;
        std::function<int(ItemTable &)> afterDelete;
    };

    // How far OpenList reads to return to the record it was on when the list cannot
    // be read for its key column alone.
    static constexpr int ReturnToRecordLimit = 4096;

    explicit TfClass(TDMPro *dm = DM, QObject *parent = nullptr);
    ~TfClass() override;

    // Creates a controller and declares its entity (ClassCreate). Returns null when
    // the declaration failed (the message has been shown).
    template <class Controller, class... Args>
    static Controller *create(Args &&...args)
    {
        auto *c = new Controller(std::forward<Args>(args)...);
        if (c->ClassCreate() < 0) {
            delete c;
            return nullptr;
        }
        return c;
    }
    int ClassCreate();

    // --- hooks, in declaration order -------------------------------------------
    virtual int DefineEntity() { return 0; }
    virtual int BeforeInsertRecord() { return 0; }
    virtual int AfterInsertRecord() { return 0; }
    virtual int BeforeDeleteRecord(int key) { return 0; }
    virtual int AfterDeleteRecord() { return 0; }
    virtual int BeforeOpenRecord() { return 0; }
    virtual int AfterOpenRecord() { return 0; }
    virtual int BeforeSaveRecord() { return 0; }
    virtual int AfterSaveRecord() { return 0; }
    virtual int BeforeNewHeaderRow() { return 0; }
    virtual int AfterNewHeaderRow() { return 0; }
    virtual int BeforeDestroy() { return 0; }
    virtual int AfterCopyRecord() { return 0; }
    virtual int InsertRecord();
    virtual int AppendItem(ItemTable &item);
    virtual int DeleteRecord(int key);
    virtual int DeleteItem(ItemTable &item, int key, const QString &table);
    virtual int OpenRecord(int key);
    virtual int SaveRecord();
    virtual int SaveRecordKeepOpen();
    virtual int CancelRecord();
    virtual int OpenList(const QString &fromPart, const QString &columns, const QString &where,
                         const QString &orderBy, int key);

    // Saves the record (header and items, SaveRecordKeepOpen) and runs alsoInside in one
    // transaction; a non-zero result of alsoInside undoes the save. When the transaction
    // does not commit, the caches get their unsaved changes back, so the user can try
    // again. 0, or the failing result code.
    int saveRecordInTransaction(const std::function<int()> &alsoInside = {});
    // Writes the values into the current header row at once, under its change counter,
    // in a transaction of its own: the cache takes them as stored and keeps every other
    // change pending. 0, or ResSaveFailed when the row was changed meanwhile by another
    // workstation or the write failed (the reason in lastError()).
    int storeHeaderValues(const TVarSQL &values);

    // --- declaring (inside DefineEntity) ---------------------------------------
    int AllocateItemTables(int count);
    int DefineItemTable(int index, const QString &table, const QString &customSelect = QString(),
                        const QString &link = QString());
    int SetHeaderTable(const QString &table);
    void SetListQuery(const QString &fromPart, const QString &alias);
    void setListColumns(const QString &columns) { m_listColumns = columns; }
    void setDefaultWhere(const QString &where) { m_defaultWhere = where; }
    void setOrderBy(const QString &orderBy) { m_orderBy = orderBy; }
    void setExtraSort(const QString &extraSort) { m_extraSort = extraSort; }
    void setHeaderWriteColumns(const QStringList &columns) { m_headerWriteColumns = columns; }

    // --- use by windows ----------------------------------------------------------
    int SetVariable(const QString &name, const QVariant &value) { return m_defaults.SetVariable(name, value); }
    int MarkRow(int mode);
    int CopyRecord(int key);
    // Opens the list with the declared pieces and the given key to return to.
    int OpenDefaultList(int key = 0);
    void AddRef() { ++m_refCount; }
    // The last release calls BeforeDestroy and frees the controller.
    void Release();
    int refCount() const { return m_refCount; }

    TDMPro *dm() const { return m_dm; }
    RowCache &header() { return m_header; }
    ListDataset &list() { return m_list; }
    int itemTableCount() const { return int(m_items.size()); }
    ItemTable &item(int index) { return *m_items.at(size_t(index)); }
    TVarSQL &defaults() { return m_defaults; }
    TVarSQL &filters() { return m_filters; }

    QString headerTable() const { return m_headerTable; }
    QString listFrom() const { return m_listFrom; }
    QString listAlias() const { return m_listAlias; }
    QString listColumns() const { return m_listColumns; }
    QString defaultWhere() const { return m_defaultWhere; }
    QString orderBy() const { return m_orderBy; }
    // The order the controller declared for itself, before any window changed it.
    QString ownOrderBy() const { return m_ownOrderBy; }
    QString extraSort() const { return m_extraSort; }
    QString markValue() const { return m_markValue; }
    int currentKey() const { return m_currentKey; }
    int rowCount() { return m_list.isOpen() ? m_list.recordCount() : 0; }
    int markedCount() const { return m_list.markedCount(); }

    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    bool isInserting() const { return m_inserting; }
    bool isCopying() const { return m_copying; }
    bool isSaving() const { return m_saving; }
    // Whether the open record has unsaved changes in the header or any item table.
    bool isModified() const;
    // The reason of the last failed operation, for the window's message.
    QString lastError() const { return m_lastError; }

    // Builds the list SQL the way OpenList does (also used for counting and tests).
    struct ListSql
    {
        QString select;
        QString count;
        SqlParameters parameters;
    };
    ListSql buildListSql(const QString &fromPart, const QString &columns, const QString &where,
                         const QString &orderBy) const;

protected:
    // The key of the last record opened.
    int m_currentKey = 0;
    QString m_lastError;

private:
    int saveRecord(bool reopen);
    int fillNewHeaderRow();
    int openItemTable(ItemTable &item, int key);
    bool readRows(const QString &sql, const SqlParameters &parameters, RowCache &into);

    TDMPro *m_dm;
    RowCache m_header;
    ListDataset m_list;
    std::vector<std::unique_ptr<ItemTable>> m_items;
    QString m_headerTable;
    QStringList m_headerWriteColumns;
    QString m_listColumns;
    QString m_listFrom;
    QString m_defaultWhere;
    QString m_orderBy;
    QString m_extraSort;
    QString m_ownOrderBy;
    QString m_listAlias;
    QString m_markValue = QStringLiteral(" ");
    TVarSQL m_defaults;
    TVarSQL m_filters;
    bool m_readOnly = false;
    bool m_inserting = false;
    bool m_copying = false;
    bool m_saving = false;
    int m_refCount = 0;
    struct LastList { QString from, columns, where, orderBy; bool valid = false; } m_lastList;
};

// Sets a switch for the lifetime of the scope, clearing it on every exit path.
class ScopedSwitch
{
public:
    explicit ScopedSwitch(bool &flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~ScopedSwitch() { m_flag = m_previous; }
private:
    bool &m_flag;
    bool m_previous;
};

// Doubles the apostrophes of a value that goes into SQL text inside quotes.
QString sqlQuoted(const QString &value);
