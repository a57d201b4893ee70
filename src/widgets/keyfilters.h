#pragma once
// Key filters of the edit fields: whole numbers, decimal numbers and dates typed into a
// QLineEdit. The decision is a plain function of the key and the field's text so it can
// be checked without widgets; installKeyFilter() applies it to a real field.
//
// Only typed characters, Backspace and Enter are the filters' business. Everything
// else - Delete, arrows, Home/End, Tab, Esc, function keys and the Ctrl/Alt shortcuts
// (Ctrl+C/V/X/A/Z) - goes on to the field and the window untouched, as the windowing
// toolkit the program grew up on handled those keys before any filter saw them.
#include <QChar>
#include <QString>
#include <Qt>

class QLineEdit;
class QWidget;

enum class KeyFilter {
    ZadejInt,   // digits, "." ; Enter moves to the next control
    ZadejFlo,   // digits, one decimal separator ("." or "," typed); Enter moves on
    ZadejIntX,  // as ZadejInt, Enter left to the window
    ZadejFloX,  // as ZadejFlo, Enter left to the window
    Date        // digits and the separators , . : / (all stored as "."); others beep
};

enum class KeyVerdict {
    Pass,         // the field (or the window) handles the key as usual
    Drop,         // the key is swallowed silently
    DropAndBeep,  // swallowed, and the user hears about it
    Replace,      // the replacement character is typed instead
    NextControl   // swallowed; the focus moves to the next control
};

struct KeyDecision
{
    KeyVerdict verdict = KeyVerdict::Pass;
    QChar replacement;
};

// The separator dates are typed and shown with (see formatDate).
inline constexpr QChar DateSeparator = QLatin1Char('.');

// What a filter does with one key press. typed is the event's text; remainingText is
// what stays in the field apart from the selection the key would overwrite (a
// separator inside the selection does not count against typing a new one).
KeyDecision decideKey(KeyFilter kind, int key, Qt::KeyboardModifiers modifiers,
                      const QString &typed, const QString &remainingText,
                      QChar decimalSeparator);

// Installs the filter on the field (replacing one installed before). The decimal
// separator is read from DecimalSeparator at each key press.
void installKeyFilter(QLineEdit *edit, KeyFilter kind);

// Whatever is typed or pasted into the field is upper case (document numbers, codes).
void setUpperCase(QLineEdit *edit);

// Moves the focus from a control to the next one in its window's tab order that can
// take it (the Enter-moves-on behaviour of the edit windows).
void focusNextControl(QWidget *from);
