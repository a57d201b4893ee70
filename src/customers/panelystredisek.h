#pragma once
// The sites of an entry as a column of panels, one per site and three in view at a
// time, each with the site's fields. The panels edit the site rows through their grid
// model, so typed values take the column's type and a read-only record refuses them
// the same way its grids do. The panel the focus is in is the current site.
#include <QScrollArea>
#include <QVector>

class QGroupBox;
class QLineEdit;
class RowCacheModel;

class PanelyStredisek : public QScrollArea
{
    Q_OBJECT
public:
    static constexpr int VisiblePanels = 3;

    explicit PanelyStredisek(QWidget *parent = nullptr);

    // The site rows; each column of the model is one field of every panel.
    void setModel(RowCacheModel *model);
    RowCacheModel *model() const { return m_model; }

    int panelCount() const { return m_panels.size(); }
    QGroupBox *panel(int row) const;
    // The field of a panel by its column's field name.
    QLineEdit *field(int row, const QString &fieldName) const;
    // Brings the panel into view and its first field into focus.
    void showPanel(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Panel
    {
        QGroupBox *box = nullptr;
        QVector<QLineEdit *> edits;   // by model column
    };
    void rebuild();
    void showRow(int row);
    void edited(int row, int column, const QString &text);
    void markCurrent();
    void fitPanels();

    RowCacheModel *m_model = nullptr;
    QWidget *m_content = nullptr;
    QVector<Panel> m_panels;
};
