#include "customers/adrobjekty.h"
#include "core/codelisttables.h"

TfAdrObjekty::TfAdrObjekty(QWidget *parent, int owner, TDMPro *dm)
    : TfEditSez(parent, dm), m_owner(owner)
{
    setObjectName(QStringLiteral("fAdrObjekty"));
    setWindowTitle(QStringLiteral("Tarko 8: objekty adres"));
    SetCodeListTable(QStringLiteral("S_OBJEKT"));
    setBaseSelect(codeListSelect(QStringLiteral("sta"), QStringLiteral("S_OBJEKT")));
    setOrderBy(QStringLiteral(" ORDER BY PORADI "));
    addColumn(QStringLiteral("PORADI"), QStringLiteral("Pořadí"));
    addColumn(QStringLiteral("OBJEKT"), QStringLiteral("Objekt"));
    if (owner > 0) {
        filters().SetVariable(QStringLiteral("UNCH"), owner);
        defaults().SetVariable(QStringLiteral("UNCH"), owner);
    }
    FormCreate();
}
