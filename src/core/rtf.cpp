#include "core/rtf.h"

#include <QColor>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QVector>

namespace {

// --- code pages ----------------------------------------------------------------------

// The 256 characters of a single-byte code page; bytes the page leaves undefined
// become U+FFFD. A page the system does not know reads as Latin-1.
const QVector<QChar> &codePage(int number)
{
    static QHash<int, QVector<QChar>> pages;
    auto it = pages.constFind(number);
    if (it != pages.constEnd())
        return it.value();
    QString name;
    switch (number) {
    case 437: name = QStringLiteral("IBM437"); break;
    case 850: name = QStringLiteral("IBM850"); break;
    case 852: name = QStringLiteral("IBM852"); break;
    case 10000: name = QStringLiteral("macintosh"); break;
    default: name = QStringLiteral("windows-%1").arg(number); break;
    }
    QVector<QChar> table(256);
    for (int b = 0; b < 256; ++b)
        table[b] = QChar(b);
    const QByteArray encoding = name.toLatin1();
    QStringDecoder probe(encoding.constData());
    if (probe.isValid()) {
        for (int b = 128; b < 256; ++b) {
            QStringDecoder decoder(encoding.constData());
            const char byte = char(b);
            const QString s = decoder.decode(QByteArrayView(&byte, 1));
            table[b] = (s.size() == 1 && !decoder.hasError()) ? s.at(0) : QChar(QChar::ReplacementCharacter);
        }
    }
    return pages.insert(number, table).value();
}

// The code page of a font's \fcharset; 0 when the document's own page applies.
int charsetCodePage(int charset)
{
    switch (charset) {
    case 0: return 1252;     // ANSI
    case 77: return 10000;   // Mac Roman
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;   // Eastern European
    default: return 0;       // default, symbol, OEM and the multi-byte sets
    }
}

// Windows-1250 byte of each character that has one.
const QHash<char16_t, uchar> &cp1250Bytes()
{
    static const QHash<char16_t, uchar> bytes = [] {
        QHash<char16_t, uchar> h;
        const QVector<QChar> &table = codePage(1250);
        for (int b = 128; b < 256; ++b)
            if (table.at(b) != QChar(QChar::ReplacementCharacter) && table.at(b).unicode() >= 128)
                h.insert(table.at(b).unicode(), uchar(b));
        return h;
    }();
    return bytes;
}

// --- reading ---------------------------------------------------------------------------

enum class Dest { Text, FontTable, ColorTable, Numbering, Skip };

enum class ListKind { None, Bullet, Decimal };

struct CharProps
{
    int font = -1;           // -1: the default font (\deff)
    int halfPoints = 24;     // RTF's default size is 12 pt
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;           // 0: automatic
    int skipAfterUnicode = 1;   // \uc

    bool sameLook(const CharProps &o) const
    {
        return font == o.font && halfPoints == o.halfPoints && bold == o.bold && italic == o.italic
               && underline == o.underline && color == o.color;
    }
};

struct GroupState
{
    CharProps chars;
    Dest dest = Dest::Text;
};

struct ParaProps
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int firstTwips = 0;
    int rightTwips = 0;
    ListKind list = ListKind::None;
};

struct Font
{
    QString name;
    int charset = 1;
};

struct Run
{
    QString text;
    CharProps props;
};

// Destinations whose content is never text of the document.
// The character a control word stands for, as \line or \emdash; a null character for
// any other word.
QChar symbolWordChar(const QString &word)
{
    static const QHash<QString, QChar> chars = {
        {QStringLiteral("line"), QChar(QChar::LineSeparator)},
        {QStringLiteral("tab"), QChar(u'\t')},
        {QStringLiteral("emdash"), QChar(0x2014)},
        {QStringLiteral("endash"), QChar(0x2013)},
        {QStringLiteral("bullet"), QChar(0x2022)},
        {QStringLiteral("lquote"), QChar(0x2018)},
        {QStringLiteral("rquote"), QChar(0x2019)},
        {QStringLiteral("ldblquote"), QChar(0x201C)},
        {QStringLiteral("rdblquote"), QChar(0x201D)},
        {QStringLiteral("emspace"), QChar(0x2003)},
        {QStringLiteral("enspace"), QChar(0x2002)},
    };
    return chars.value(word);
}

const QSet<QString> &skippedDestinations()
{
    static const QSet<QString> names = {
        QStringLiteral("stylesheet"), QStringLiteral("info"), QStringLiteral("pict"),
        QStringLiteral("header"), QStringLiteral("headerl"), QStringLiteral("headerr"),
        QStringLiteral("headerf"), QStringLiteral("footer"), QStringLiteral("footerl"),
        QStringLiteral("footerr"), QStringLiteral("footerf"), QStringLiteral("footnote"),
        QStringLiteral("pntext"), QStringLiteral("listtext"), QStringLiteral("fldinst"),
        QStringLiteral("object"), QStringLiteral("objdata"), QStringLiteral("objclass"),
        QStringLiteral("nonshppict"), QStringLiteral("filetbl"), QStringLiteral("revtbl"),
        QStringLiteral("listtable"), QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"),
        QStringLiteral("author"), QStringLiteral("operator"), QStringLiteral("title"),
        QStringLiteral("subject"), QStringLiteral("comment"), QStringLiteral("keywords"),
        QStringLiteral("doccomm"), QStringLiteral("xe"), QStringLiteral("tc"), QStringLiteral("txe"),
        QStringLiteral("template"), QStringLiteral("private"), QStringLiteral("bkmkstart"),
        QStringLiteral("bkmkend"), QStringLiteral("datafield"), QStringLiteral("themedata"),
        QStringLiteral("colorschememapping"), QStringLiteral("latentstyles"), QStringLiteral("datastore"),
        QStringLiteral("generator"), QStringLiteral("xmlnstbl"), QStringLiteral("mmathPr"),
        QStringLiteral("pgdsctbl"), QStringLiteral("docvar"), QStringLiteral("shpinst"),
    };
    return names;
}

class Reader
{
public:
    Reader(const QString &input, bool bytes, QTextDocument *document)
        : m_in(input), m_bytes(bytes), m_doc(document), m_cursor(document)
    {
    }

    void run();

private:
    // tokens
    void controlWord(const QString &word, bool hasParameter, int parameter);
    void controlSymbol(QChar symbol);
    void character(QChar c);
    void hexByte(uchar byte);
    void openGroup();
    void closeGroup();

    // text of the document
    void appendText(const QString &text);
    void endParagraph();
    QTextCharFormat charFormat(const CharProps &props) const;
    QTextBlockFormat blockFormat() const;
    int currentCodePage() const;
    bool consumesSkip();

    GroupState &state() { return m_state; }

    const QString m_in;
    const bool m_bytes;
    QTextDocument *m_doc;
    QTextCursor m_cursor;
    int m_pos = 0;

    GroupState m_state;
    QVector<GroupState> m_stack;
    bool m_groupStart = false;   // the next control word may name a destination
    bool m_starred = false;      // \* seen at the group's start
    int m_skip = 0;              // characters still to pass over after \uN

    int m_codePage = 1252;
    int m_defaultFont = 0;
    QMap<int, Font> m_fonts;
    int m_fontId = 0;            // the font table entry being read
    QString m_fontName;
    QVector<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    ParaProps m_para;
    QVector<Run> m_runs;
    bool m_firstBlock = true;
    QTextList *m_list = nullptr;
    ListKind m_listKind = ListKind::None;
};

void Reader::run()
{
    const int n = m_in.size();
    while (m_pos < n) {
        const QChar c = m_in.at(m_pos);
        if (c == QLatin1Char('{')) {
            ++m_pos;
            openGroup();
        } else if (c == QLatin1Char('}')) {
            ++m_pos;
            closeGroup();
        } else if (c == QLatin1Char('\\')) {
            ++m_pos;
            if (m_pos >= n)
                break;
            const QChar next = m_in.at(m_pos);
            if (next.unicode() < 128 && next.isLetter()) {
                const int start = m_pos;
                while (m_pos < n && m_in.at(m_pos).unicode() < 128 && m_in.at(m_pos).isLetter())
                    ++m_pos;
                const QString word = m_in.mid(start, m_pos - start);
                bool hasParameter = false;
                bool negative = false;
                qint64 parameter = 0;
                if (m_pos < n && m_in.at(m_pos) == QLatin1Char('-') && m_pos + 1 < n
                    && m_in.at(m_pos + 1).isDigit()) {
                    negative = true;
                    ++m_pos;
                }
                while (m_pos < n && m_in.at(m_pos).unicode() < 128 && m_in.at(m_pos).isDigit()) {
                    hasParameter = true;
                    if (parameter < 100000000)
                        parameter = parameter * 10 + m_in.at(m_pos).digitValue();
                    ++m_pos;
                }
                if (m_pos < n && m_in.at(m_pos) == QLatin1Char(' '))
                    ++m_pos;   // the delimiter belongs to the word
                if (word == QLatin1String("bin")) {
                    // binary data follows; never text
                    m_pos = qMin(n, m_pos + int(parameter));
                    continue;
                }
                controlWord(word, hasParameter, int(negative ? -parameter : parameter));
            } else if (next == QLatin1Char('\'')) {
                ++m_pos;
                const QString hex = m_in.mid(m_pos, 2);
                m_pos += hex.size();
                bool ok = false;
                const uint byte = hex.toUInt(&ok, 16);
                if (ok)
                    hexByte(uchar(byte));
            } else {
                ++m_pos;
                controlSymbol(next);
            }
        } else {
            ++m_pos;
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                continue;
            character(c);
        }
    }
    // text after the last paragraph mark is a paragraph of its own
    if (!m_runs.isEmpty())
        endParagraph();
}

void Reader::openGroup()
{
    m_stack.append(m_state);
    m_groupStart = true;
    m_starred = false;
    m_skip = 0;
}

void Reader::closeGroup()
{
    if (m_state.dest == Dest::FontTable && !m_fontName.trimmed().isEmpty()) {
        // an entry without its closing semicolon
        m_fonts[m_fontId].name = m_fontName.trimmed();
        m_fontName.clear();
    }
    if (!m_stack.isEmpty())
        m_state = m_stack.takeLast();
    m_groupStart = false;
    m_starred = false;
    m_skip = 0;
}

bool Reader::consumesSkip()
{
    if (m_skip > 0) {
        --m_skip;
        return true;
    }
    return false;
}

int Reader::currentCodePage() const
{
    const int font = m_state.chars.font < 0 ? m_defaultFont : m_state.chars.font;
    auto it = m_fonts.constFind(font);
    if (it != m_fonts.constEnd()) {
        const int page = charsetCodePage(it->charset);
        if (page != 0)
            return page;
    }
    return m_codePage;
}

void Reader::controlWord(const QString &word, bool hasParameter, int parameter)
{
    const bool atStart = m_groupStart;
    m_groupStart = false;
    GroupState &s = state();

    if (s.dest == Dest::Skip)
        return;

    if (atStart) {
        if (word == QLatin1String("fonttbl")) {
            s.dest = Dest::FontTable;
            return;
        }
        if (word == QLatin1String("colortbl")) {
            s.dest = Dest::ColorTable;
            m_red = m_green = m_blue = -1;
            return;
        }
        if (word == QLatin1String("pn")) {
            s.dest = Dest::Numbering;
            m_para.list = ListKind::Bullet;
            return;
        }
        if (m_starred || skippedDestinations().contains(word)) {
            s.dest = Dest::Skip;
            return;
        }
    }
    if (s.dest != Dest::FontTable && s.dest != Dest::ColorTable && consumesSkip())
        return;

    const int value = hasParameter ? parameter : 1;
    const bool on = !hasParameter || parameter != 0;

    if (s.dest == Dest::FontTable) {
        if (word == QLatin1String("f")) {
            m_fontId = parameter;
            m_fonts[m_fontId];
        } else if (word == QLatin1String("fcharset")) {
            m_fonts[m_fontId].charset = parameter;
        }
        return;
    }
    if (s.dest == Dest::ColorTable) {
        if (word == QLatin1String("red"))
            m_red = parameter;
        else if (word == QLatin1String("green"))
            m_green = parameter;
        else if (word == QLatin1String("blue"))
            m_blue = parameter;
        return;
    }
    if (s.dest == Dest::Numbering) {
        if (word == QLatin1String("pnlvlblt"))
            m_para.list = ListKind::Bullet;
        else if (word == QLatin1String("pnlvlbody") || word == QLatin1String("pndec"))
            m_para.list = ListKind::Decimal;
        else if (word == QLatin1String("pnlvlcont"))
            m_para.list = ListKind::None;
        else if (word.startsWith(QLatin1String("pntxt")))
            s.dest = Dest::Skip;   // the bullet's own text
        return;
    }

    // document properties
    if (word == QLatin1String("ansicpg")) {
        if (parameter > 0)
            m_codePage = parameter;
    } else if (word == QLatin1String("ansi")) {
        m_codePage = 1252;
    } else if (word == QLatin1String("mac")) {
        m_codePage = 10000;
    } else if (word == QLatin1String("pc")) {
        m_codePage = 437;
    } else if (word == QLatin1String("pca")) {
        m_codePage = 850;
    } else if (word == QLatin1String("deff")) {
        m_defaultFont = parameter;
    } else if (word == QLatin1String("uc")) {
        s.chars.skipAfterUnicode = qMax(0, parameter);
    } else if (word == QLatin1String("u")) {
        int code = parameter;
        if (code < 0)
            code += 65536;
        if (code > 0 && code < 65536)
            appendText(QString(QChar(char16_t(code))));
        m_skip = s.chars.skipAfterUnicode;
    }
    // characters
    else if (word == QLatin1String("par") || word == QLatin1String("sect") || word == QLatin1String("page")) {
        endParagraph();
    } else if (const QChar symbol = symbolWordChar(word); !symbol.isNull()) {
        appendText(QString(symbol));
    }
    // character formatting
    else if (word == QLatin1String("plain")) {
        const int uc = s.chars.skipAfterUnicode;
        s.chars = CharProps();
        s.chars.skipAfterUnicode = uc;
    } else if (word == QLatin1String("f")) {
        s.chars.font = parameter;
    } else if (word == QLatin1String("fs")) {
        if (value > 0)
            s.chars.halfPoints = value;
    } else if (word == QLatin1String("b")) {
        s.chars.bold = on;
    } else if (word == QLatin1String("i")) {
        s.chars.italic = on;
    } else if (word == QLatin1String("ulnone")) {
        s.chars.underline = false;
    } else if (word == QLatin1String("ul") || word == QLatin1String("uld") || word == QLatin1String("uldb")
               || word == QLatin1String("ulw") || word == QLatin1String("ulth")
               || word.startsWith(QLatin1String("uldash")) || word == QLatin1String("ulwave")
               || word == QLatin1String("ulhwave") || word == QLatin1String("ulldash")) {
        s.chars.underline = on;
    } else if (word == QLatin1String("cf")) {
        s.chars.color = qMax(0, parameter);
    }
    // paragraph formatting
    else if (word == QLatin1String("pard")) {
        m_para = ParaProps();
    } else if (word == QLatin1String("ql")) {
        m_para.alignment = Qt::AlignLeft;
    } else if (word == QLatin1String("qc")) {
        m_para.alignment = Qt::AlignHCenter;
    } else if (word == QLatin1String("qr")) {
        m_para.alignment = Qt::AlignRight;
    } else if (word == QLatin1String("qj")) {
        m_para.alignment = Qt::AlignJustify;
    } else if (word == QLatin1String("li")) {
        m_para.leftTwips = parameter;
    } else if (word == QLatin1String("fi")) {
        m_para.firstTwips = parameter;
    } else if (word == QLatin1String("ri")) {
        m_para.rightTwips = parameter;
    } else if (word == QLatin1String("ls")) {
        // a word processor's list; its look is in the list table we pass over
        if (parameter > 0 && m_para.list == ListKind::None)
            m_para.list = ListKind::Bullet;
    }
}

void Reader::controlSymbol(QChar symbol)
{
    const bool atStart = m_groupStart;
    if (symbol == QLatin1Char('*')) {
        if (atStart)
            m_starred = true;
        return;
    }
    m_groupStart = false;
    if (state().dest == Dest::Skip)
        return;
    switch (symbol.unicode()) {
    case '\\':
    case '{':
    case '}':
        character(symbol);
        break;
    case '~':
        if (!consumesSkip())
            appendText(QString(QChar(QChar::Nbsp)));
        break;
    case '_':
        if (!consumesSkip())
            appendText(QString(QChar(0x2011)));
        break;
    case '\r':
    case '\n':
        if (!consumesSkip() && state().dest == Dest::Text)
            endParagraph();
        break;
    default:   // \- optional hyphen, \| \: index marks
        consumesSkip();
        break;
    }
}

void Reader::hexByte(uchar byte)
{
    m_groupStart = false;
    const Dest dest = state().dest;
    if (dest == Dest::Skip || dest == Dest::Numbering)
        return;
    if (dest != Dest::FontTable && consumesSkip())
        return;
    const QChar c = codePage(dest == Dest::FontTable ? m_codePage : currentCodePage()).at(byte);
    if (dest == Dest::FontTable)
        m_fontName += c;
    else if (dest == Dest::Text)
        appendText(QString(c));
}

void Reader::character(QChar c)
{
    m_groupStart = false;
    GroupState &s = state();
    switch (s.dest) {
    case Dest::Skip:
    case Dest::Numbering:
        return;
    case Dest::FontTable:
        if (c == QLatin1Char(';')) {
            m_fonts[m_fontId].name = m_fontName.trimmed();
            m_fontName.clear();
        } else {
            m_fontName += c;
        }
        return;
    case Dest::ColorTable:
        if (c == QLatin1Char(';')) {
            m_colors.append(m_red < 0 && m_green < 0 && m_blue < 0
                                ? QColor()
                                : QColor(qBound(0, m_red, 255), qBound(0, m_green, 255), qBound(0, m_blue, 255)));
            m_red = m_green = m_blue = -1;
        }
        return;
    case Dest::Text:
        break;
    }
    if (consumesSkip())
        return;
    if (m_bytes && c.unicode() >= 128 && c.unicode() < 256)
        c = codePage(currentCodePage()).at(c.unicode());
    appendText(QString(c));
}

void Reader::appendText(const QString &text)
{
    if (state().dest != Dest::Text)
        return;
    if (!m_runs.isEmpty() && m_runs.last().props.sameLook(state().chars)) {
        m_runs.last().text += text;
        return;
    }
    m_runs.append({text, state().chars});
}

QTextCharFormat Reader::charFormat(const CharProps &props) const
{
    QTextCharFormat f;
    const int id = props.font < 0 ? m_defaultFont : props.font;
    QString family = m_fonts.value(id).name;
    if (family.isEmpty())
        family = Rtf::defaultFont().family();
    f.setFontFamilies({family});
    f.setFontPointSize(props.halfPoints / 2.0);
    f.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(props.italic);
    f.setFontUnderline(props.underline);
    if (props.color > 0 && props.color < m_colors.size() && m_colors.at(props.color).isValid())
        f.setForeground(m_colors.at(props.color));
    return f;
}

QTextBlockFormat Reader::blockFormat() const
{
    QTextBlockFormat f;
    f.setAlignment(m_para.alignment);
    const qreal left = m_para.leftTwips / Rtf::TwipsPerUnit;
    const qreal first = m_para.firstTwips / Rtf::TwipsPerUnit;
    if (m_para.list != ListKind::None) {
        // the list's own indent makes the room for the bullet; the hanging first line
        // of the rich edit is where it draws the bullet
        f.setLeftMargin(qMax<qreal>(0, left - m_doc->indentWidth()));
        f.setTextIndent(0);
    } else {
        f.setLeftMargin(qMax<qreal>(0, left));
        f.setTextIndent(qMax(-qMax<qreal>(0, left), first));
    }
    f.setRightMargin(qMax<qreal>(0, m_para.rightTwips / Rtf::TwipsPerUnit));
    return f;
}

void Reader::endParagraph()
{
    const QTextBlockFormat block = blockFormat();
    const QTextCharFormat blockChars = charFormat(state().chars);
    if (m_firstBlock) {
        m_cursor.setBlockFormat(block);
        m_cursor.setBlockCharFormat(blockChars);
        m_firstBlock = false;
    } else {
        m_cursor.insertBlock(block, blockChars);
    }
    for (const Run &run : qAsConst(m_runs))
        m_cursor.insertText(run.text, charFormat(run.props));
    m_runs.clear();

    if (m_para.list == ListKind::None) {
        m_list = nullptr;
        m_listKind = ListKind::None;
        return;
    }
    if (m_list && m_listKind == m_para.list) {
        m_list->add(m_cursor.block());
        return;
    }
    QTextListFormat list;
    list.setStyle(m_para.list == ListKind::Decimal ? QTextListFormat::ListDecimal : QTextListFormat::ListDisc);
    list.setIndent(1);
    m_list = m_cursor.createList(list);
    m_listKind = m_para.list;
}

// --- writing ---------------------------------------------------------------------------

struct Look
{
    QString family;
    int halfPoints = 20;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color;   // invalid: automatic
};

Look lookOf(const QTextCharFormat &format, const QFont &documentFont)
{
    const QFont f = format.font().resolve(documentFont);
    Look look;
    look.family = f.families().value(0, f.family());
    if (look.family.isEmpty())
        look.family = Rtf::defaultFont().family();
    const qreal points = f.pointSizeF() > 0 ? f.pointSizeF() : Rtf::defaultFont().pointSizeF();
    look.halfPoints = qMax(1, qRound(points * 2));
    look.bold = f.weight() >= QFont::DemiBold;
    look.italic = f.italic();
    look.underline = f.underline();
    if (format.foreground().style() != Qt::NoBrush)
        look.color = format.foreground().color();
    return look;
}

QString escapedText(const QString &text)
{
    const QHash<char16_t, uchar> &cp1250 = cp1250Bytes();
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += QLatin1Char('\\');
            out += c;
        } else if (u == '\t') {
            out += QStringLiteral("\\tab ");
        } else if (u == QChar::LineSeparator || u == 0x0B) {
            out += QStringLiteral("\\line ");
        } else if (u < 0x20 || u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1) {
            continue;   // no text: frame marks, embedded objects
        } else if (u < 0x80) {
            out += c;
        } else if (auto it = cp1250.constFind(u); it != cp1250.constEnd()) {
            out += QStringLiteral("\\'") + QString::number(it.value(), 16).rightJustified(2, QLatin1Char('0'));
        } else {
            out += QStringLiteral("\\u") + QString::number(u >= 0x8000 ? int(u) - 65536 : int(u))
                   + QLatin1Char('?');
        }
    }
    return out;
}

QString fontTableName(const QString &family)
{
    // a semicolon ends the entry; braces and backslashes need their escapes
    QString name = family;
    name.remove(QLatin1Char(';'));
    return escapedText(name);
}

} // namespace

namespace Rtf {

bool isRtf(const QString &text)
{
    return text.startsWith(QLatin1String("{\\rtf"));
}

bool isRtf(const QByteArray &data)
{
    return data.startsWith("{\\rtf");
}

QFont defaultFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(10);
    return f;
}

namespace {
void readInto(const QString &text, bool bytes, QTextDocument *document)
{
    if (!document)
        return;
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    document->setDefaultFont(defaultFont());
    if (isRtf(text)) {
        Reader reader(text, bytes, document);
        reader.run();
    } else {
        document->setPlainText(text);
    }
    document->setUndoRedoEnabled(undo);
    document->setModified(false);
}
} // namespace

void read(const QString &text, QTextDocument *document)
{
    readInto(text, false, document);
}

void read(const QByteArray &data, QTextDocument *document)
{
    if (isRtf(data))
        readInto(QString::fromLatin1(data), true, document);
    else
        readInto(QString::fromUtf8(data), false, document);
}

QString write(const QTextDocument *document)
{
    if (!document || document->isEmpty())
        return QString();
    const QFont documentFont = document->defaultFont();

    // the font and colour tables: every font and colour the text uses
    QStringList fonts{lookOf(QTextCharFormat(), documentFont).family};
    QVector<QColor> colors;
    bool bullets = false;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        if (QTextList *list = b.textList())
            if (list->format().style() != QTextListFormat::ListDecimal)
                bullets = true;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const Look look = lookOf(fragment.charFormat(), documentFont);
            if (!fonts.contains(look.family))
                fonts << look.family;
            if (look.color.isValid() && !colors.contains(look.color))
                colors << look.color;
        }
    }
    const int symbolFont = fonts.size();

    QString out = QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl");
    for (int i = 0; i < fonts.size(); ++i)
        out += QStringLiteral("{\\f%1\\fnil\\fcharset238 %2;}").arg(i).arg(fontTableName(fonts.at(i)));
    if (bullets)
        out += QStringLiteral("{\\f%1\\fnil\\fcharset2 Symbol;}").arg(symbolFont);
    out += QStringLiteral("}\r\n");
    if (!colors.isEmpty()) {
        out += QStringLiteral("{\\colortbl ;");
        for (const QColor &c : qAsConst(colors))
            out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c.red()).arg(c.green()).arg(c.blue());
        out += QStringLiteral("}\r\n");
    }
    out += QStringLiteral("\\viewkind4\\uc1");

    // what the reader has in effect, so only changes are written
    int font = -1, halfPoints = -1, color = 0;
    bool bold = false, italic = false, underline = false;

    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        QString words = QStringLiteral("\\pard");
        int left = qRound(bf.leftMargin() * TwipsPerUnit);
        int first = qRound(bf.textIndent() * TwipsPerUnit);
        if (QTextList *list = b.textList()) {
            const bool decimal = list->format().style() == QTextListFormat::ListDecimal;
            left += qRound(document->indentWidth() * qMax(1, list->format().indent()) * TwipsPerUnit);
            first = -qMin(360, left);
            if (decimal)
                words += QStringLiteral("{\\pntext\\f0 %1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}")
                             .arg(list->itemNumber(b) + 1);
            else
                words += QStringLiteral("{\\pntext\\f%1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf%1\\pnindent0{\\pntxtb\\'b7}}")
                             .arg(symbolFont);
        }
        if (first != 0)
            words += QStringLiteral("\\fi%1").arg(first);
        if (left != 0)
            words += QStringLiteral("\\li%1").arg(left);
        const int right = qRound(bf.rightMargin() * TwipsPerUnit);
        if (right != 0)
            words += QStringLiteral("\\ri%1").arg(right);
        switch (int(bf.alignment() & Qt::AlignHorizontal_Mask)) {
        case Qt::AlignHCenter: words += QStringLiteral("\\qc"); break;
        case Qt::AlignRight: words += QStringLiteral("\\qr"); break;
        case Qt::AlignJustify: words += QStringLiteral("\\qj"); break;
        default: break;
        }

        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const Look look = lookOf(fragment.charFormat(), documentFont);
            const int f = int(fonts.indexOf(look.family));
            if (f != font)
                words += QStringLiteral("\\f%1").arg(font = f);
            if (look.halfPoints != halfPoints)
                words += QStringLiteral("\\fs%1").arg(halfPoints = look.halfPoints);
            if (look.bold != bold)
                words += (bold = look.bold) ? QStringLiteral("\\b") : QStringLiteral("\\b0");
            if (look.italic != italic)
                words += (italic = look.italic) ? QStringLiteral("\\i") : QStringLiteral("\\i0");
            if (look.underline != underline)
                words += (underline = look.underline) ? QStringLiteral("\\ul") : QStringLiteral("\\ulnone");
            const int c = look.color.isValid() ? int(colors.indexOf(look.color)) + 1 : 0;
            if (c != color)
                words += QStringLiteral("\\cf%1").arg(color = c);
            const QString text = escapedText(fragment.text());
            if (text.isEmpty())
                continue;
            out += words;
            if (!words.isEmpty() && words.back().isLetterOrNumber())
                out += QLatin1Char(' ');   // ends the last control word
            out += text;
            words.clear();
        }
        out += words;
        out += QStringLiteral("\\par\r\n");
    }
    out += QLatin1Char('}');
    return out;
}

QString fieldText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(value.toByteArray());
    return value.toString();
}

QString plainText(const QString &text)
{
    if (!isRtf(text))
        return text;
    QTextDocument document;
    read(text, &document);
    return document.toPlainText();
}

} // namespace Rtf
