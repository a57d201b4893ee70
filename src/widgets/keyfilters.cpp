#include "widgets/keyfilters.h"
#include "core/globals.h"
#include "core/prompt.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

bool isDigit(QChar c)
{
    // only ASCII digits: the numbers are read back with toInt/toDouble
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool movesOnEnter(KeyFilter kind)
{
    return kind == KeyFilter::ZadejInt || kind == KeyFilter::ZadejFlo;
}

KeyDecision verdict(KeyVerdict v, QChar replacement = QChar())
{
    KeyDecision d;
    d.verdict = v;
    d.replacement = replacement;
    return d;
}

class LineEditKeyFilter : public QObject
{
public:
    LineEditKeyFilter(QLineEdit *edit, KeyFilter kind) : QObject(edit), m_edit(edit), m_kind(kind) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_edit || event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        QString remaining = m_edit->text();
        if (m_edit->hasSelectedText())
            remaining.remove(m_edit->selectionStart(), m_edit->selectedText().size());
        const KeyDecision d = decideKey(m_kind, key->key(), key->modifiers(), key->text(),
                                        remaining, DecimalSeparator);
        switch (d.verdict) {
        case KeyVerdict::Pass:
            return false;
        case KeyVerdict::Drop:
            return true;
        case KeyVerdict::DropAndBeep:
            Prompt::beep();
            return true;
        case KeyVerdict::Replace:
            m_edit->insert(QString(d.replacement));
            return true;
        case KeyVerdict::NextControl:
            focusNextControl(m_edit);
            return true;
        }
        return false;
    }

private:
    QLineEdit *m_edit;
    KeyFilter m_kind;
};

} // namespace

KeyDecision decideKey(KeyFilter kind, int key, Qt::KeyboardModifiers modifiers,
                      const QString &typed, const QString &remainingText,
                      QChar decimalSeparator)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return verdict(movesOnEnter(kind) ? KeyVerdict::NextControl : KeyVerdict::Pass);
    if (key == Qt::Key_Backspace)
        return verdict(KeyVerdict::Pass);
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return verdict(KeyVerdict::Pass);
    if (typed.isEmpty() || !typed.at(0).isPrint())
        return verdict(KeyVerdict::Pass);

    // one printable character; a longer text (an input method's composition) is no
    // keystroke of a number or a date
    const bool single = typed.size() == 1;
    const QChar c = typed.at(0);
    switch (kind) {
    case KeyFilter::ZadejInt:
    case KeyFilter::ZadejIntX:
        if (single && (isDigit(c) || c == QLatin1Char('.')))
            return verdict(KeyVerdict::Pass);
        return verdict(KeyVerdict::Drop);
    case KeyFilter::ZadejFlo:
    case KeyFilter::ZadejFloX:
        if (single && isDigit(c))
            return verdict(KeyVerdict::Pass);
        if (single && (c == QLatin1Char('.') || c == QLatin1Char(','))) {
            if (remainingText.contains(decimalSeparator))
                return verdict(KeyVerdict::Drop);
            return verdict(KeyVerdict::Replace, decimalSeparator);
        }
        return verdict(KeyVerdict::Drop);
    case KeyFilter::Date:
        if (single && isDigit(c))
            return verdict(KeyVerdict::Pass);
        if (single && (c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char(':')
                       || c == QLatin1Char('/')))
            return verdict(KeyVerdict::Replace, DateSeparator);
        return verdict(KeyVerdict::DropAndBeep);
    }
    return verdict(KeyVerdict::Drop);
}

void installKeyFilter(QLineEdit *edit, KeyFilter kind)
{
    if (!edit)
        return;
    const QObjectList children = edit->children();
    for (QObject *child : children) {
        if (auto *f = dynamic_cast<LineEditKeyFilter *>(child)) {
            edit->removeEventFilter(f);
            delete f;
        }
    }
    edit->installEventFilter(new LineEditKeyFilter(edit, kind));
}

namespace {
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};
} // namespace

void setUpperCase(QLineEdit *edit)
{
    if (edit)
        edit->setValidator(new UpperCaseValidator(edit));
}

void focusNextControl(QWidget *from)
{
    if (!from)
        return;
    QWidget *window = from->window();
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        // a control with a focus proxy is reached through the proxy's owner (the date
        // and spin boxes' inner line edits)
        if (w->window() != window || w->focusProxy())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
