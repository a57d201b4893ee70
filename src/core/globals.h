#pragma once
// Process-wide values set once at start-up and read everywhere.
#include <QString>
#include <QChar>

extern const QString ProductKey;   // "Tarko 8 VEX": settings sub-key and default database name
extern QString UserName;           // first five characters go into KDO of every row written
extern QChar DecimalSeparator;     // the decimal separator the user's input and output use
extern QString StartDirectory;     // working directory at start-up

// First five characters of UserName, the value of every KDO column.
QString userStamp();
