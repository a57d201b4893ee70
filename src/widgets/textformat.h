#pragma once
// Formatting commands of the rich-text editors' tool buttons.
#include <QString>

class QTextEdit;

// Applies every letter of the command to the editor: "B" bold, "I" italic, "U"
// underline (each toggled on the selection), "O" toggles the bullet list of the
// selected paragraphs, "L", "C", "R" align them left, centre, right.
void ApplyTextFormat(QTextEdit *editor, const QString &command);
