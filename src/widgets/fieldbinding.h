#pragma once
// Edit fields bound to columns of the current row of a RowCache, both ways: the field
// shows the row's value (again whenever the rows are read, the current row moves or
// the row changes) and what the user types goes into the row at once. Numbers and
// dates reach the row as soon as the typed text is one; a text left unfinished is
// put back to the row's value when the field is left.
//
// Before a typed change is written the change gate is asked; a refused change is put
// back at once (an edit window refuses every change of a read-only record).
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

#include "core/format.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QWidget;
class RowCache;

class FieldBinding : public QObject
{
    Q_OBJECT
public:
    using ChangeGate = std::function<bool(RowCache &cache, const QString &field)>;

    explicit FieldBinding(QObject *parent = nullptr);

    // A text, number or date field, by the column's type; a money or quantity column
    // names its format, which the field shows whenever it is not being typed into.
    void bind(QLineEdit *edit, RowCache &cache, const QString &field, DisplayFormat format = DisplayFormat::Auto);
    // A flag column: the box is ticked when the value is checkedValue.
    void bind(QCheckBox *box, RowCache &cache, const QString &field,
              const QVariant &checkedValue = QStringLiteral("A"),
              const QVariant &uncheckedValue = QStringLiteral("N"));
    // Items with data store their data, items without it their text; an editable combo
    // stores what is typed.
    void bind(QComboBox *combo, RowCache &cache, const QString &field);
    // A date column; the date box's minimum date stands for an empty date.
    void bind(QDateEdit *edit, RowCache &cache, const QString &field);
    void bind(QPlainTextEdit *edit, RowCache &cache, const QString &field);
    // A rich-text column: the field shows the stored RTF (or plain text) with its
    // formatting and stores what the user makes of it as RTF.
    void bind(QTextEdit *edit, RowCache &cache, const QString &field);
    // Shows the value only.
    void bind(QLabel *label, RowCache &cache, const QString &field);

    void setChangeGate(ChangeGate gate) { m_gate = std::move(gate); }
    // The fields of rows that may have none (an optional detail row): while the rows
    // are empty the fields still take input, and the first change typed makes the row
    // (make returns false when it could not) and goes into it.
    void setRowMaker(RowCache &cache, std::function<bool()> make);

    // Fields show their rows again.
    void refresh();
    // Writes texts still being typed (an unfinished number or date is put back).
    void flush();
    // Fields take input only while enabled and their row exists (or is made on input).
    void setEnabled(bool on);
    bool isEnabled() const { return m_enabled; }

    int count() const { return m_bindings.size(); }
    // The field a widget is bound to; empty when it is not bound.
    QString fieldOf(const QWidget *widget) const;

signals:
    // The user changed a value and it is in the row.
    void changed(RowCache *cache, const QString &field);

private:
    enum Kind { LineEdit, CheckBox, ComboBox, DateEdit, PlainText, RichText, Label };
    struct Binding
    {
        Kind kind;
        QPointer<QWidget> widget;
        RowCache *cache;
        QString field;
        QVariant checkedValue;
        QVariant uncheckedValue;
        DisplayFormat format = DisplayFormat::Auto;
        bool pending = false;   // typed text not yet a value of the column's type
        QVariant shown;         // rich text: the value the editor holds, so that it is
                                // loaded again (losing the caret) only when the row's
                                // value really changed
    };

    int add(Kind kind, QWidget *widget, RowCache &cache, const QString &field);
    void watch(RowCache &cache);
    void refreshCache(RowCache *cache);
    void show(Binding &b);
    void userEdited(int index);
    void finishEditing(int index);
    // The widget's value for the row; ok false while the text is no value yet.
    QVariant widgetValue(const Binding &b, bool *ok) const;
    bool hasRow(const Binding &b) const;
    // No row yet, but one is made on the first change.
    bool rowOnInput(const Binding &b) const;

    QVector<Binding> m_bindings;
    QVector<RowCache *> m_caches;
    ChangeGate m_gate;
    QVector<QPair<RowCache *, std::function<bool()>>> m_rowMakers;
    bool m_enabled = true;
    bool m_showing = false;   // values going into widgets are not user edits
    int m_writing = -1;       // binding whose own write must not refresh it
};
