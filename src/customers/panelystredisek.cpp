#include "customers/panelystredisek.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QVBoxLayout>

PanelyStredisek::PanelyStredisek(QWidget *parent)
    : QScrollArea(parent)
{
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("pnlPanely"));
    new QVBoxLayout(m_content);
    setWidget(m_content);
}

void PanelyStredisek::setModel(RowCacheModel *model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (model) {
        connect(model, &QAbstractItemModel::modelReset, this, &PanelyStredisek::rebuild);
        connect(model, &QAbstractItemModel::rowsInserted, this, &PanelyStredisek::rebuild);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &PanelyStredisek::rebuild);
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &from, const QModelIndex &to) {
                    for (int row = from.row(); row <= to.row(); ++row)
                        showRow(row);
                });
        if (model->cache())
            connect(model->cache(), &RowCache::currentRowChanged, this, &PanelyStredisek::markCurrent);
    }
    rebuild();
}

QGroupBox *PanelyStredisek::panel(int row) const
{
    return row >= 0 && row < m_panels.size() ? m_panels.at(row).box : nullptr;
}

QLineEdit *PanelyStredisek::field(int row, const QString &fieldName) const
{
    if (!m_model || row < 0 || row >= m_panels.size())
        return nullptr;
    const int column = m_model->columnOfField(fieldName);
    return column >= 0 && column < m_panels.at(row).edits.size() ? m_panels.at(row).edits.at(column) : nullptr;
}

void PanelyStredisek::rebuild()
{
    for (Panel &p : m_panels)
        delete p.box;
    m_panels.clear();
    auto *layout = static_cast<QVBoxLayout *>(m_content->layout());
    while (QLayoutItem *item = layout->takeAt(0))
        delete item;
    if (!m_model)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        Panel p;
        p.box = new QGroupBox(m_content);
        p.box->setObjectName(QStringLiteral("pnlStredisko%1").arg(row + 1));
        auto *form = new QFormLayout(p.box);
        form->setContentsMargins(6, 4, 6, 4);
        form->setVerticalSpacing(2);
        for (int column = 0; column < m_model->columnCount(); ++column) {
            auto *edit = new QLineEdit(p.box);
            const QString field = m_model->fieldOfColumn(column);
            edit->setObjectName(QLatin1Char('e') + field.left(1) + field.mid(1).toLower());
            const int f = m_model->fieldIndexOfColumn(column);
            if (f >= 0 && m_model->cache()->fieldType(f).id() == QMetaType::Int)
                edit->setValidator(new QIntValidator(0, 9999, edit));
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, row, column](const QString &text) { edited(row, column, text); });
            form->addRow(m_model->headerData(column, Qt::Horizontal).toString(), edit);
            p.edits << edit;
        }
        layout->addWidget(p.box);
        m_panels << p;
        showRow(row);
    }
    layout->addStretch();
    fitPanels();
    markCurrent();
}

void PanelyStredisek::showRow(int row)
{
    if (!m_model || row < 0 || row >= m_panels.size())
        return;
    Panel &p = m_panels[row];
    p.box->setTitle(QStringLiteral("Středisko %1").arg(row + 1));
    for (int column = 0; column < p.edits.size(); ++column) {
        const QString text = m_model->index(row, column).data(Qt::DisplayRole).toString();
        // the field being typed in keeps its cursor
        if (p.edits.at(column)->text() != text)
            p.edits.at(column)->setText(text);
    }
}

void PanelyStredisek::edited(int row, int column, const QString &text)
{
    if (!m_model)
        return;
    if (m_model->cache())
        m_model->cache()->setCurrentRow(row);
    // refused (a read-only record): the field shows the row's value again
    if (!m_model->setData(m_model->index(row, column), text, Qt::EditRole))
        showRow(row);
}

void PanelyStredisek::markCurrent()
{
    const int current = m_model && m_model->cache() ? m_model->cache()->currentRow() : -1;
    for (int row = 0; row < m_panels.size(); ++row)
        m_panels.at(row).box->setStyleSheet(row == current ? QStringLiteral("QGroupBox { font-weight: bold; }")
                                                           : QString());
}

void PanelyStredisek::showPanel(int row)
{
    if (row < 0 || row >= m_panels.size())
        return;
    ensureWidgetVisible(m_panels.at(row).box);
    if (!m_panels.at(row).edits.isEmpty())
        m_panels.at(row).edits.constFirst()->setFocus();
}

void PanelyStredisek::fitPanels()
{
    // three panels fill the view; a panel never gets smaller than its fields need
    const int height = viewport()->height() / VisiblePanels;
    for (Panel &p : m_panels)
        p.box->setMinimumHeight(qMax(p.box->sizeHint().height(), height));
}

void PanelyStredisek::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    fitPanels();
}

bool PanelyStredisek::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && m_model && m_model->cache()) {
        for (int row = 0; row < m_panels.size(); ++row)
            if (m_panels.at(row).edits.contains(static_cast<QLineEdit *>(watched))) {
                m_model->cache()->setCurrentRow(row);
                break;
            }
    }
    return QScrollArea::eventFilter(watched, event);
}
