#include "support/testentity.h"

int TestEntityC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("TST_HLAV")) < 0)
        return -1;
    if (AllocateItemTables(1) < 0 || DefineItemTable(0, QStringLiteral("TST_TAB")) < 0)
        return -1;
    item(0).orderBy = QStringLiteral("ORDER BY UNCIS");
    SetListQuery(QStringLiteral("FROM TST_HLAV HLA"), QStringLiteral("HLA"));
    setListColumns(QStringLiteral("HLA.UNCIS, HLA.NAZEV, HLA.DATUM, HLA.CISLO"));
    return 0;
}

QStringList testEntityDdl()
{
    return {
        QStringLiteral("CREATE TABLE TST_HLAV (UNCIS INTEGER NOT NULL PRIMARY KEY, KDO VARCHAR(5), "
                       "KLIC INTEGER, NAZEV VARCHAR(40), DATUM DATE, CISLO INTEGER, CENA DOUBLE PRECISION, "
                       "ZAMEK CHAR(1), FAKTURA CHAR(1))"),
        QStringLiteral("CREATE SEQUENCE TST_HLAV"),
        QStringLiteral("CREATE TABLE TST_TAB (UNCIS INTEGER NOT NULL PRIMARY KEY, UNCH INTEGER, KDO VARCHAR(5), "
                       "KLIC INTEGER, POPIS VARCHAR(40), MNOZ DOUBLE PRECISION)"),
        QStringLiteral("CREATE SEQUENCE TST_TAB"),
    };
}
