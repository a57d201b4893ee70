#include "framework/sqlpro.h"
#include "framework/datamodulpro.h"
#include "framework/listdataset.h"
#include "framework/prompt.h"
#include "framework/rowcache.h"
#include "framework/varsql.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

bool HasRows(const ListDataset *dataset)
{
    return dataset && dataset->isOpen() && !dataset->isEmpty();
}

bool HasRows(const RowCache *dataset)
{
    return dataset && dataset->isOpen() && dataset->rowCount() > 0;
}

// ---------------------------------------------------------------------------

namespace {
QVector<int> rowsInScope(ListDataset &list, int scope, bool skipLocked)
{
    QVector<int> rows;
    if (scope == UpdateCurrentRow) {
        if (list.currentRow() >= 0)
            rows << list.currentRow();
    } else {
        list.fetchAll();
        for (int r = 0; r < list.loadedRows(); ++r) {
            if (scope == UpdateMarkedRows && !list.isMarked(r))
                continue;
            if (scope == UpdateUnmarkedRows && list.isMarked(r))
                continue;
            rows << r;
        }
    }
    const int lock = list.fieldIndex(QStringLiteral("ZAMEK"));
    if (skipLocked && lock >= 0) {
        QVector<int> unlocked;
        for (int r : rows)
            if (list.value(r, lock).toString().trimmed() != QLatin1String("A"))
                unlocked << r;
        rows = unlocked;
    }
    return rows;
}
} // namespace

int UpdateRows(ListDataset &list, TDMPro *dm, const QString &table, const QString &keyColumn,
               int scope, const TVarSQL &values, bool skipLocked, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return -2;
    };
    const QString key = keyColumn.trimmed().toUpper();
    if (!dm || !dm->isOpen())
        return fail(QStringLiteral("Databáze není otevřena."));
    if (scope < UpdateCurrentRow || scope > UpdateUnmarkedRows)
        return fail(QStringLiteral("Neznámý rozsah záznamů %1.").arg(scope));
    if (values.isEmpty())
        return fail(QStringLiteral("Nejsou zadány žádné hodnoty."));
    if (values.contains(key))
        return fail(QStringLiteral("Klíčový sloupec %1 nelze měnit.").arg(key));
    const int keyIndex = list.fieldIndex(key);
    if (keyIndex < 0)
        return fail(QStringLiteral("Seznam nemá sloupec %1.").arg(key));

    const QVector<int> rows = rowsInScope(list, scope, skipLocked);
    if (rows.isEmpty())
        return 0;

    QString sql = QStringLiteral("UpDate ") + table + QStringLiteral(" SET ");
    QStringList sets;
    for (const TVarSQL::Item &item : values.items())
        sets << item.name + QStringLiteral(" = :") + item.name;
    if (!values.contains(QStringLiteral("KLIC"))
        && CacheWriter::tableColumns(dm, table).contains(QStringLiteral("KLIC")))
        sets << QStringLiteral("KLIC = COALESCE(KLIC, -1) + 1");
    sql += sets.join(QLatin1Char(','));
    sql += QStringLiteral(" WHERE ") + key + QStringLiteral(" = :") + key;

    TransactionGuard transaction(dm);
    if (!transaction.isActive())
        return fail(transaction.lastError());
    QSqlQuery q = dm->NewQuery();
    if (!q.prepare(sql))
        return fail(q.lastError().text());
    for (const TVarSQL::Item &item : values.items())
        q.bindValue(QLatin1Char(':') + item.name, item.value);
    for (int r : rows) {
        q.bindValue(QLatin1Char(':') + key, list.value(r, keyIndex));
        if (!q.exec())
            return fail(q.lastError().text());   // the guard undoes the rows done so far
    }
    if (!transaction.commit())
        return fail(transaction.lastError());
    return 0;
}

// ---------------------------------------------------------------------------

int SwapWithNeighbour(RowCache &cache, QChar direction, const QString &keyField)
{
    const int key = cache.fieldIndex(keyField);
    const int from = cache.currentRow();
    const bool down = direction == QLatin1Char('N');
    if (key < 0 || (!down && direction != QLatin1Char('P'))) {
        Prompt::error(QStringLiteral("Chyba při přesunu !"), QStringLiteral("Chyba"));
        return -2;
    }
    const int to = from < 0 ? -1 : (down ? from + 1 : from - 1);
    if (to < 0 || to >= cache.rowCount()) {
        Prompt::information(down ? QStringLiteral("Poslední záznam !") : QStringLiteral("První záznam !"),
                            QStringLiteral("Pozor"));
        return -1;
    }
    for (int c = 0; c < cache.fieldCount(); ++c) {
        if (c == key)
            continue;
        const QVariant moved = cache.value(from, c);
        cache.setValue(from, c, cache.value(to, c));
        cache.setValue(to, c, moved);
    }
    cache.setCurrentRow(to);
    return 0;
}

// ---------------------------------------------------------------------------

QString GridText(QAbstractItemModel *model, const QVector<int> &columns)
{
    if (!model)
        return QString();
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    QStringList cells;
    for (int c : columns)
        cells << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QString text = cells.join(QLatin1Char('\t'));
    const int rows = model->rowCount();
    for (int r = 0; r < rows; ++r) {
        cells.clear();
        for (int c : columns)
            cells << model->data(model->index(r, c), Qt::DisplayRole).toString();
        text += QStringLiteral("\r\n") + cells.join(QLatin1Char('\t'));
    }
    return text;
}

QString GridText(QAbstractItemModel *model)
{
    QVector<int> columns;
    if (model)
        for (int c = 0; c < model->columnCount(); ++c)
            columns << c;
    return GridText(model, columns);
}

bool CopyGridToClipboard(QAbstractItemView *view)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!view || !view->model() || !clipboard) {
        Prompt::error(QStringLiteral("Zkopírování DB tabulky"), QStringLiteral("Schránka"));
        return false;
    }
    QAbstractItemModel *model = view->model();
    QVector<int> columns;
    if (auto *table = qobject_cast<QTableView *>(view)) {
        const QHeaderView *header = table->horizontalHeader();
        for (int visual = 0; visual < header->count(); ++visual) {
            const int logical = header->logicalIndex(visual);
            if (!table->isColumnHidden(logical))
                columns << logical;
        }
    } else {
        for (int c = 0; c < model->columnCount(); ++c)
            columns << c;
    }
    // the grid would repaint for every page fetched
    view->setUpdatesEnabled(false);
    const QString text = GridText(model, columns);
    view->setUpdatesEnabled(true);
    clipboard->setText(text);
    return true;
}

// ---------------------------------------------------------------------------

namespace {
// The format the toggles go by: that of the first selected character.
QTextCharFormat selectionFormat(const QTextCursor &cursor)
{
    if (!cursor.hasSelection())
        return cursor.charFormat();
    QTextCursor probe(cursor.document());
    probe.setPosition(cursor.selectionStart() + 1);
    return probe.charFormat();
}

void toggleBullets(QTextEdit *editor)
{
    QTextCursor cursor = editor->textCursor();
    cursor.beginEditBlock();
    if (cursor.currentList()) {
        QTextDocument *doc = editor->document();
        const QTextBlock last = doc->findBlock(cursor.selectionEnd());
        for (QTextBlock b = doc->findBlock(cursor.selectionStart()); b.isValid(); b = b.next()) {
            if (QTextList *list = b.textList()) {
                list->remove(b);
                QTextCursor c(b);
                QTextBlockFormat f = b.blockFormat();
                f.setIndent(0);
                c.setBlockFormat(f);
            }
            if (b == last)
                break;
        }
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    cursor.endEditBlock();
}
} // namespace

void ApplyTextFormat(QTextEdit *editor, const QString &command)
{
    if (!editor)
        return;
    for (const QChar letter : command) {
        const QTextCharFormat now = selectionFormat(editor->textCursor());
        QTextCharFormat change;
        switch (letter.unicode()) {
        case 'B':
            change.setFontWeight(now.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
            editor->mergeCurrentCharFormat(change);
            break;
        case 'I':
            change.setFontItalic(!now.fontItalic());
            editor->mergeCurrentCharFormat(change);
            break;
        case 'U':
            change.setFontUnderline(!now.fontUnderline());
            editor->mergeCurrentCharFormat(change);
            break;
        case 'O':
            toggleBullets(editor);
            break;
        case 'L':
            editor->setAlignment(Qt::AlignLeft);
            break;
        case 'C':
            editor->setAlignment(Qt::AlignHCenter);
            break;
        case 'R':
            editor->setAlignment(Qt::AlignRight);
            break;
        default:
            break;
        }
    }
}
