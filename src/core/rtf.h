#pragma once
// Rich texts as the program stores them: RTF as a Windows rich-edit control writes it,
// which is what the databases of earlier versions and of other installations hold
// (library texts, remarks, headers and footers of documents). The reader understands
// what such controls and the common word processors write - fonts, sizes, bold,
// italic, underline, colours, paragraphs with their alignment and indents, bullets,
// 8-bit characters of the document's code page and Unicode escapes - and passes over
// every group it does not know. The writer writes the same dialect: Czech letters as
// \'xx of Windows-1250, anything else as \uN?.
//
// A stored value that does not start with "{\rtf" is plain text.
#include <QByteArray>
#include <QFont>
#include <QString>
#include <QVariant>

class QTextDocument;

namespace Rtf {

// Twips (1/1440 inch) per document unit: a document lays out at 96 units per inch.
inline constexpr double TwipsPerUnit = 15.0;

// Whether the value is RTF rather than plain text.
bool isRtf(const QString &text);
bool isRtf(const QByteArray &data);

// The font of text that carries no font of its own (Arial 10 pt), also what an empty
// text is typed in.
QFont defaultFont();

// Replaces the document's content with the text (RTF or plain text). The document's
// undo history is cleared: a loaded text is where undoing stops.
void read(const QString &text, QTextDocument *document);
// RTF as file bytes: characters above 127 are bytes of the document's code page.
void read(const QByteArray &data, QTextDocument *document);

// The document as RTF; an empty document gives an empty text (a field without text).
QString write(const QTextDocument *document);

// The text of a rich-text column's value: text blobs come from the database as UTF-8
// bytes.
QString fieldText(const QVariant &value);

// The text of a stored rich text without its formatting (paragraphs end with "\n"
// between them).
QString plainText(const QString &text);

} // namespace Rtf
