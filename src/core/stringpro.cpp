#include "core/stringpro.h"
#include "core/prompt.h"

#include <exception>

namespace {
const QString StringCaption = QStringLiteral("String projekt");
}

QString NextToken(QString &text, QChar separator)
{
    try {
        const QString whole = text.trimmed();
        if (whole.isEmpty()) {
            text.clear();
            return QString();
        }
        const int at = whole.indexOf(separator);
        if (at < 0) {
            // the last token: nothing is left behind, not even a separator
            text.clear();
            return whole;
        }
        text = whole.mid(at + 1);
        return whole.left(at).trimmed();
    } catch (const std::exception &) {
        Prompt::error(QStringLiteral("Dělení textu"), StringCaption);
        return QString();
    }
}

QString ReplaceAll(const QString &text, const QString &search, const QString &replacement)
{
    if (search.isEmpty())
        return text;
    try {
        QString result;
        int from = 0;
        for (;;) {
            // searching the source, not the result, so a replacement that contains the
            // search text cannot be found again
            const int at = text.indexOf(search, from);
            if (at < 0)
                break;
            result += text.mid(from, at - from).trimmed();
            result += replacement;
            from = at + search.size();
        }
        result += text.mid(from);
        return result;
    } catch (const std::exception &) {
        Prompt::error(QStringLiteral("Nahrazení řetězce"), StringCaption);
        return QString();
    }
}
