#pragma once
// Splitting and replacing text, used where the template windows parse their stored lists.
#include <QChar>
#include <QString>

// Takes the next token off the front of a separated list. The text is trimmed first;
// the token is the trimmed part before the first separator and the text keeps what
// follows it. The last token leaves an empty text: "a;b" gives "a" and leaves "b",
// then gives "b" and leaves "". An empty text gives an empty token.
QString NextToken(QString &text, QChar separator);

// Replaces every occurrence of search. Each piece before an occurrence is trimmed
// before the replacement is put after it; the rest after the last occurrence is kept
// as it is. An empty search text returns the text unchanged. On failure the message
// is shown and the result is empty.
QString ReplaceAll(const QString &text, const QString &search, const QString &replacement);
