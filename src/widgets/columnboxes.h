#pragma once
// The parts the design windows share: the row of column boxes arranged with the mouse
// (ColumnStrip over Templates::ColumnRow), the dictionary items in one tab per table
// alias (DictionaryPanel), and the design's name, dates, buttons and navigator over the
// stored designs of the window (DesignBar).
#include <QFrame>
#include <QList>
#include <QScrollArea>
#include <functional>

#include "templates/columnrow.h"
#include "templates/templatemodel.h"

class QLabel;
class QLineEdit;
class QTabBar;
class QTableWidget;
class QToolButton;

// One column: the caption strip over the value panel.
class ColumnBox : public QFrame
{
    Q_OBJECT
public:
    explicit ColumnBox(QWidget *parent = nullptr);
    void show(const Templates::ReportColumn &column, bool selected);
    QLabel *captionStrip() const { return m_caption; }
    QLabel *valuePanel() const { return m_value; }

private:
    QLabel *m_caption;
    QLabel *m_value;
};

class ColumnStrip : public QScrollArea
{
    Q_OBJECT
public:
    explicit ColumnStrip(QWidget *parent = nullptr);

    Templates::ColumnRow &row() { return m_row; }
    const Templates::ColumnRow &row() const { return m_row; }
    // Shows the row's columns as they are now (after a load, an add or a removal).
    void rebuild();
    // Repaints the selected box after its settings changed.
    void refreshSelected();
    ColumnBox *box(int index) const { return index >= 0 && index < m_boxes.size() ? m_boxes.at(index) : nullptr; }
    int boxCount() const { return int(m_boxes.size()); }

signals:
    void selectionChanged();
    void statusChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place(int index);

    Templates::ColumnRow m_row;
    QWidget *m_canvas;
    QList<ColumnBox *> m_boxes;
};

// The dictionary items of a designer, one tab per alias of the window.
class DictionaryPanel : public QWidget
{
    Q_OBJECT
public:
    explicit DictionaryPanel(QWidget *parent = nullptr);
    void setItems(const QList<Templates::AliasTable> &aliases, const QList<Templates::DictionaryItem> &items);
    const QList<Templates::DictionaryItem> &items() const { return m_items; }
    // The item of the selected row, nullptr when none.
    const Templates::DictionaryItem *currentItem() const;
    // Selects the item (switching to its tab); false when it is not offered.
    bool selectItem(const QString &alias, const QString &column);
    // The same items may come from several windows' dictionaries: this one by its key.
    bool selectKey(int key);
    QTabBar *tabs() const { return m_tabs; }
    QTableWidget *grid() const { return m_grid; }

signals:
    void itemActivated();

private:
    void showTab();

    QTabBar *m_tabs;
    QTableWidget *m_grid;
    QList<Templates::DictionaryItem> m_items;
    QList<int> m_shown;   // indexes into m_items of the rows shown
};

// A design's name and dates, new, delete, save and undo, and the navigator over the
// stored designs of the window. The designer gives the operations; the bar keeps the
// list and the current design key.
class DesignBar : public QWidget
{
    Q_OBJECT
public:
    struct Operations
    {
        std::function<int(QList<Templates::DesignEntry> &)> list;
        std::function<void(int key)> load;           // 0: a new, empty design
        std::function<int()> save;                   // key, or negative
        std::function<int(int key)> remove;          // 0 or negative
    };
    DesignBar(const QString &what, Operations operations, QWidget *parent = nullptr);

    QLineEdit *nameEdit() const { return m_name; }
    void setDates(const QDateTime &created, const QDateTime &changed);
    int currentKey() const { return m_key; }
    const QList<Templates::DesignEntry> &entries() const { return m_entries; }
    // Reads the designs of the window and shows the key's one (0: a new design).
    void open(int key);
    void newDesign();
    bool saveDesign();
    // "Musíte vybrat sestavu !" without a stored design; else asks and deletes.
    void deleteDesign();
    void reload();
    void step(int delta, bool toEnd);
    // The question before a delete, given the design's name, and what is said after it.
    std::function<QString(const QString &name)> deleteQuestion;
    QString deletedMessage;

private:
    Operations m_ops;
    QLineEdit *m_name;
    QLabel *m_created;
    QLabel *m_changed;
    QList<Templates::DesignEntry> m_entries;
    int m_key = 0;
};

// Alignment codes as the designers' pick boxes show them ("Levá", "Střed", "Pravá").
QStringList alignmentCaptions();
