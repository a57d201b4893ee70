#include "widgets/fieldbinding.h"
#include "core/format.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"
#include "core/rtf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {
bool sameValue(const QVariant &a, const QVariant &b)
{
    return displayText(a).trimmed() == displayText(b).trimmed();
}
} // namespace

FieldBinding::FieldBinding(QObject *parent)
    : QObject(parent)
{
}

void FieldBinding::watch(RowCache &cache)
{
    if (m_caches.contains(&cache))
        return;
    m_caches.append(&cache);
    RowCache *c = &cache;
    connect(c, &RowCache::reset, this, [this, c] { refreshCache(c); });
    connect(c, &RowCache::currentRowChanged, this, [this, c] { refreshCache(c); });
    connect(c, &RowCache::rowChanged, this, [this, c](int row) {
        if (row == c->currentRow())
            refreshCache(c);
    });
    // the rows may go before the fields do (a controller freed first)
    connect(c, &QObject::destroyed, this, [this, c] {
        m_caches.removeAll(c);
        m_rowMakers.removeIf([c](const auto &maker) { return maker.first == c; });
        for (Binding &b : m_bindings)
            if (b.cache == c)
                b.cache = nullptr;
    });
}

int FieldBinding::add(Kind kind, QWidget *widget, RowCache &cache, const QString &field)
{
    Binding b;
    b.kind = kind;
    b.widget = widget;
    b.cache = &cache;
    b.field = field.trimmed().toUpper();
    m_bindings.append(b);
    watch(cache);
    return m_bindings.size() - 1;
}

void FieldBinding::bind(QLineEdit *edit, RowCache &cache, const QString &field, DisplayFormat format)
{
    const int i = add(LineEdit, edit, cache, field);
    m_bindings[i].format = format;
    connect(edit, &QLineEdit::textEdited, this, [this, i] { userEdited(i); });
    connect(edit, &QLineEdit::editingFinished, this, [this, i] { finishEditing(i); });
    show(m_bindings[i]);
}

void FieldBinding::bind(QCheckBox *box, RowCache &cache, const QString &field, const QVariant &checkedValue,
                        const QVariant &uncheckedValue)
{
    const int i = add(CheckBox, box, cache, field);
    m_bindings[i].checkedValue = checkedValue;
    m_bindings[i].uncheckedValue = uncheckedValue;
    connect(box, &QCheckBox::clicked, this, [this, i] { userEdited(i); });
    show(m_bindings[i]);
}

void FieldBinding::bind(QComboBox *combo, RowCache &cache, const QString &field)
{
    const int i = add(ComboBox, combo, cache, field);
    connect(combo, &QComboBox::activated, this, [this, i] { userEdited(i); });
    if (combo->isEditable() && combo->lineEdit()) {
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, i] { userEdited(i); });
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, i] { finishEditing(i); });
    }
    show(m_bindings[i]);
}

void FieldBinding::bind(QDateEdit *edit, RowCache &cache, const QString &field)
{
    const int i = add(DateEdit, edit, cache, field);
    if (edit->specialValueText().isEmpty())
        edit->setSpecialValueText(QStringLiteral(" "));
    connect(edit, &QDateEdit::dateChanged, this, [this, i] { userEdited(i); });
    show(m_bindings[i]);
}

void FieldBinding::bind(QPlainTextEdit *edit, RowCache &cache, const QString &field)
{
    const int i = add(PlainText, edit, cache, field);
    connect(edit, &QPlainTextEdit::textChanged, this, [this, i] { userEdited(i); });
    show(m_bindings[i]);
}

void FieldBinding::bind(QTextEdit *edit, RowCache &cache, const QString &field)
{
    const int i = add(RichText, edit, cache, field);
    connect(edit, &QTextEdit::textChanged, this, [this, i] { userEdited(i); });
    show(m_bindings[i]);
}

void FieldBinding::bind(QLabel *label, RowCache &cache, const QString &field)
{
    const int i = add(Label, label, cache, field);
    show(m_bindings[i]);
}

bool FieldBinding::hasRow(const Binding &b) const
{
    return b.cache && b.cache->isOpen() && b.cache->currentRow() >= 0 && b.cache->hasField(b.field);
}

bool FieldBinding::rowOnInput(const Binding &b) const
{
    if (!b.cache || !b.cache->isOpen() || !b.cache->isEmpty() || !b.cache->hasField(b.field))
        return false;
    for (const auto &maker : m_rowMakers)
        if (maker.first == b.cache)
            return true;
    return false;
}

void FieldBinding::setRowMaker(RowCache &cache, std::function<bool()> make)
{
    watch(cache);
    m_rowMakers.removeIf([&cache](const auto &maker) { return maker.first == &cache; });
    m_rowMakers.append({&cache, std::move(make)});
    refreshCache(&cache);
}

void FieldBinding::refresh()
{
    for (Binding &b : m_bindings) {
        b.pending = false;
        show(b);
    }
}

void FieldBinding::refreshCache(RowCache *cache)
{
    for (int i = 0; i < m_bindings.size(); ++i) {
        Binding &b = m_bindings[i];
        if (b.cache != cache || i == m_writing)
            continue;
        b.pending = false;
        show(b);
    }
}

void FieldBinding::setEnabled(bool on)
{
    m_enabled = on;
    refresh();
}

QString FieldBinding::fieldOf(const QWidget *widget) const
{
    for (const Binding &b : m_bindings)
        if (b.widget == widget)
            return b.field;
    return QString();
}

void FieldBinding::show(Binding &b)
{
    if (!b.widget)
        return;
    const bool row = hasRow(b);
    const QVariant v = row ? b.cache->value(b.field) : QVariant();
    const QString text = formatValue(v, b.format);
    const bool wasShowing = m_showing;
    m_showing = true;
    switch (b.kind) {
    case LineEdit: {
        auto *edit = static_cast<QLineEdit *>(b.widget.data());
        if (edit->text() != text)
            edit->setText(text);
        break;
    }
    case CheckBox:
        static_cast<QCheckBox *>(b.widget.data())->setChecked(row && sameValue(v, b.checkedValue));
        break;
    case ComboBox: {
        auto *combo = static_cast<QComboBox *>(b.widget.data());
        int found = -1;
        for (int k = 0; k < combo->count() && found < 0; ++k) {
            const QVariant data = combo->itemData(k);
            if (data.isValid() ? (row && sameValue(data, v)) : combo->itemText(k) == text)
                found = k;
        }
        if (found >= 0)
            combo->setCurrentIndex(found);
        else if (combo->isEditable())
            combo->setEditText(text);
        else
            combo->setCurrentIndex(-1);
        break;
    }
    case DateEdit: {
        auto *edit = static_cast<QDateEdit *>(b.widget.data());
        const QDate date = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        edit->setDate(date.isValid() ? date : edit->minimumDate());
        break;
    }
    case PlainText: {
        auto *edit = static_cast<QPlainTextEdit *>(b.widget.data());
        const QString plain = v.toString();
        if (edit->toPlainText() != plain)
            edit->setPlainText(plain);
        break;
    }
    case RichText:
        if (!(b.shown == v && b.shown.isNull() == v.isNull())) {
            Rtf::read(Rtf::fieldText(v), static_cast<QTextEdit *>(b.widget.data())->document());
            b.shown = v;
        }
        break;
    case Label:
        static_cast<QLabel *>(b.widget.data())->setText(text);
        break;
    }
    if (b.kind != Label)
        b.widget->setEnabled(m_enabled && (row || rowOnInput(b)));
    m_showing = wasShowing;
}

QVariant FieldBinding::widgetValue(const Binding &b, bool *ok) const
{
    *ok = true;
    const QMetaType type = b.cache->fieldType(b.cache->fieldIndex(b.field));
    switch (b.kind) {
    case LineEdit:
        return RowCacheModel::valueFromText(static_cast<QLineEdit *>(b.widget.data())->text(), type, ok);
    case CheckBox:
        return static_cast<QCheckBox *>(b.widget.data())->isChecked() ? b.checkedValue : b.uncheckedValue;
    case ComboBox: {
        auto *combo = static_cast<QComboBox *>(b.widget.data());
        const int k = combo->currentIndex();
        if (k >= 0 && combo->itemData(k).isValid() && combo->itemText(k) == combo->currentText())
            return combo->itemData(k);
        return RowCacheModel::valueFromText(combo->currentText(), type, ok);
    }
    case DateEdit: {
        auto *edit = static_cast<QDateEdit *>(b.widget.data());
        const QDate date = edit->date();
        if (!date.isValid() || date == edit->minimumDate())
            return QVariant(type);
        if (type.id() == QMetaType::QDateTime)
            return QDateTime(date, QTime(0, 0));
        return date;
    }
    case PlainText:
        return static_cast<QPlainTextEdit *>(b.widget.data())->toPlainText();
    case RichText:
        return Rtf::write(static_cast<QTextEdit *>(b.widget.data())->document());
    case Label:
        break;
    }
    *ok = false;
    return QVariant();
}

void FieldBinding::userEdited(int index)
{
    if (m_showing || index < 0 || index >= m_bindings.size())
        return;
    Binding &b = m_bindings[index];
    if (!b.widget || b.kind == Label)
        return;
    const bool makeRow = m_enabled && !hasRow(b) && rowOnInput(b);
    if (!m_enabled || !(hasRow(b) || makeRow) || (m_gate && !m_gate(*b.cache, b.field))) {
        b.pending = false;
        show(b);   // refused: the field shows the row again at once
        return;
    }
    if (makeRow) {
        // the new row is shown by every field but this one, which keeps what was typed
        m_writing = index;
        bool made = false;
        for (const auto &maker : m_rowMakers)
            if (maker.first == b.cache) {
                made = maker.second();
                break;
            }
        m_writing = -1;
        if (!made || !hasRow(b)) {
            b.pending = false;
            show(b);
            return;
        }
    }
    bool ok = false;
    const QVariant v = widgetValue(b, &ok);
    if (!ok) {
        b.pending = true;
        if (makeRow)
            emit changed(b.cache, b.field);   // the new row is a change of its own
        return;
    }
    b.pending = false;
    if (b.kind == RichText)
        b.shown = v;
    const QVariant before = b.cache->value(b.field);
    const bool same = (before == v && before.isNull() == v.isNull())
                      || (b.kind == RichText && Rtf::fieldText(before) == v.toString());
    if (same) {
        if (makeRow)
            emit changed(b.cache, b.field);
        return;
    }
    RowCache *cache = b.cache;
    const QString field = b.field;
    m_writing = index;
    cache->setValue(field, v);
    m_writing = -1;
    emit changed(cache, field);
}

void FieldBinding::finishEditing(int index)
{
    if (index < 0 || index >= m_bindings.size())
        return;
    Binding &b = m_bindings[index];
    if (!b.pending) {
        // "7,2" typed into a price reads "7,20" once the field is left
        if (b.format != DisplayFormat::Auto)
            show(b);
        return;
    }
    bool ok = false;
    if (b.widget && hasRow(b))
        widgetValue(b, &ok);
    if (ok) {
        userEdited(index);
        return;
    }
    b.pending = false;
    Prompt::beep();
    show(b);
}

void FieldBinding::flush()
{
    for (int i = 0; i < m_bindings.size(); ++i)
        finishEditing(i);
}
