#include "core/globals.h"

const QString ProductKey = QStringLiteral("Tarko 8 VEX");
QString UserName = QStringLiteral("Uziv");
QChar DecimalSeparator = QLatin1Char(',');
QString StartDirectory;

QString userStamp()
{
    return UserName.left(5);
}
