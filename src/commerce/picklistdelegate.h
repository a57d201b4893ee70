#pragma once
// A grid column whose cells are typed or chosen from a pick list: the cell editor is a
// drop-down with the offered texts that also takes any typed text.
#include <QStringList>
#include <QStyledItemDelegate>

class PickListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit PickListDelegate(const QStringList &items, QObject *parent = nullptr);

    void setItems(const QStringList &items) { m_items = items; }
    QStringList items() const { return m_items; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    QStringList m_items;
};
