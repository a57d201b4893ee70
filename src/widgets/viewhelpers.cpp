#include "widgets/viewhelpers.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>

#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"
#include "widgets/sortheader.h"

void setUpPickGrid(QTableView *grid, const QString &objectName)
{
    grid->setObjectName(objectName);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setDefaultSectionSize(20);
}

SortHeader *setUpSortedPickGrid(QTableView *grid, const QString &objectName)
{
    setUpPickGrid(grid, objectName);
    grid->verticalHeader()->hide();
    auto *header = new SortHeader(grid);
    grid->setHorizontalHeader(header);
    return header;
}

void followCurrentRow(QAbstractItemView *view, RowCacheModel *model)
{
    if (!view || !model || !view->selectionModel())
        return;
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, model,
                     [model](const QModelIndex &current) {
                         if (model->cache() && current.isValid())
                             model->cache()->setCurrentRow(current.row());
                     });
    auto toView = [view, model](int row) {
        if (row < 0 || row >= model->rowCount())
            return;
        const QModelIndex current = view->currentIndex();
        if (current.isValid() && current.row() == row)
            return;
        const int column = current.isValid() ? current.column() : 0;
        view->setCurrentIndex(model->index(row, qMax(0, qMin(column, model->columnCount() - 1))));
    };
    if (model->cache()) {
        QObject::connect(model->cache(), &RowCache::currentRowChanged, view, toView);
        toView(model->cache()->currentRow());
    }
}

void commitPendingEdit(QAbstractItemView *view)
{
    if (!view)
        return;
    if (QWidget *editor = view->indexWidget(view->currentIndex()))
        QMetaObject::invokeMethod(view, "commitData", Qt::DirectConnection, Q_ARG(QWidget *, editor));
}

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

QLineEdit *maskedDateField(QWidget *parent, const QString &objectName)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setInputMask(QStringLiteral("00.00.0000"));
    e->setFixedWidth(90);
    return e;
}
