#pragma once
// Reading a column value the way every dataset of the program sees it.
#include <QSqlQuery>
#include <QVariant>

// Text values lose their trailing blanks: CHAR columns come back padded (and, through
// the UTF8 connection, padded to four bytes per character), while the program
// compares flags such as 'A' and 'N' as they were written.
inline QVariant readField(const QSqlQuery &query, int column)
{
    QVariant v = query.value(column);
    if (v.typeId() == QMetaType::QString && !v.isNull()) {
        QString s = v.toString();
        int n = s.size();
        while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
            --n;
        if (n != s.size())
            v = s.left(n);
    }
    return v;
}
