#include "commerce/cenik.h"
#include "commerce/cenikc.h"
#include "widgets/keyfilters.h"
#include "widgets/lookupcombo.h"
#include "core/prompt.h"
#include "core/sqlrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {
QLineEdit *edit(QWidget *parent, const char *objectName)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(objectName));
    return e;
}
} // namespace

TfCenik::TfCenik(TfCenikC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fCenik"));
    setWindowTitle(QStringLiteral("Tarko 8: Položka ceníku"));
    AttachController(controller);
    RowCache &h = controller->header();

    QWidget *b = body();
    auto *ePopis = edit(b, "ePopis");
    auto *cbJedn = new QComboBox(b);
    cbJedn->setObjectName(QStringLiteral("cbJedn"));
    cbJedn->setEditable(true);
    cbJedn->addItems({QStringLiteral("ks"), QStringLiteral("lt"), QStringLiteral("kg")});
    auto *eKod = edit(b, "eKod");
    auto *eVyrobce = edit(b, "eVyrobce");
    auto *eCenPro = edit(b, "eCenPro");
    auto *eCenNak = edit(b, "eCenNak");
    auto *eLimit = edit(b, "eLimit");
    auto *eLimit2 = edit(b, "eLimit2");
    for (QLineEdit *e : {eCenPro, eCenNak, eLimit, eLimit2})
        installKeyFilter(e, KeyFilter::ZadejFlo);
    // "Nový" in the list starts the item without a section when the list shows more
    // than one: here it gets its own
    auto *cbSekce = new QComboBox(b);
    cbSekce->setObjectName(QStringLiteral("cbSekce"));
    fillLookupCombo(cbSekce, sectionChoices(controller->dm()), QStringLiteral(" - "));
    auto *cbDPH = new QComboBox(b);
    cbDPH->setObjectName(QStringLiteral("cbDPH"));
    cbDPH->addItem(QStringLiteral("Základní"), QStringLiteral("Z"));
    cbDPH->addItem(QStringLiteral("Snížená"), QStringLiteral("S"));
    cbDPH->addItem(QStringLiteral("Bez daně"), QStringLiteral("B"));
    auto *cbPrenosSkl = new QCheckBox(QStringLiteral("Skladově evidovatelné"), b);
    cbPrenosSkl->setObjectName(QStringLiteral("cbPrenosSkl"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Sekce"), cbSekce);
    form->addRow(QStringLiteral("Popis"), ePopis);
    form->addRow(QStringLiteral("Kód"), eKod);
    form->addRow(QStringLiteral("Jednotka"), cbJedn);
    form->addRow(QStringLiteral("Výrobce"), eVyrobce);
    form->addRow(QStringLiteral("Prodejní cena"), eCenPro);
    form->addRow(QStringLiteral("Nákupní cena"), eCenNak);
    form->addRow(QStringLiteral("DPH"), cbDPH);
    form->addRow(QString(), cbPrenosSkl);
    form->addRow(QStringLiteral("Limitní množství"), eLimit);
    form->addRow(QStringLiteral("Limitní kritické množství"), eLimit2);

    auto *suppliers = new QGroupBox(QStringLiteral("  Dodavatelé  "), b);
    suppliers->setObjectName(QStringLiteral("gbDodavatele"));
    auto *supplierForm = new QFormLayout(suppliers);
    for (int i = 0; i < SupplierCount; ++i) {
        auto *c = new QComboBox(suppliers);
        c->setObjectName(QStringLiteral("cbDodav%1").arg(i + 1));
        m_dodavatele[i] = c;
        supplierForm->addRow(QStringLiteral("Dodavatel %1").arg(i + 1), c);
    }

    auto *layout = new QHBoxLayout(b);
    layout->addLayout(form, 1);
    layout->addWidget(suppliers, 1);

    nactiDodavatele();

    FieldBinding &f = fields();
    f.bind(cbSekce, h, QStringLiteral("CSEKCE"));
    f.bind(ePopis, h, QStringLiteral("POPIS"));
    f.bind(cbJedn, h, QStringLiteral("JEDN"));
    f.bind(eKod, h, QStringLiteral("KOD"));
    f.bind(eVyrobce, h, QStringLiteral("VYROBCE"));
    f.bind(eCenPro, h, QStringLiteral("CENPRO"), DisplayFormat::Money);
    f.bind(eCenNak, h, QStringLiteral("CENNAK"), DisplayFormat::Money);
    f.bind(cbDPH, h, QStringLiteral("DPH"));
    f.bind(cbPrenosSkl, h, QStringLiteral("PRENOSSKL"));
    f.bind(eLimit, h, QStringLiteral("LIMIT"), DisplayFormat::Quantity);
    f.bind(eLimit2, h, QStringLiteral("LIMIT2"), DisplayFormat::Quantity);
    for (int i = 0; i < SupplierCount; ++i)
        f.bind(m_dodavatele[i], h, QStringLiteral("DODAV%1").arg(i + 1));
    RefreshEditActions();
}

QComboBox *TfCenik::dodavatel(int number) const
{
    return number >= 1 && number <= SupplierCount ? m_dodavatele[number - 1] : nullptr;
}

void TfCenik::nactiDodavatele()
{
    auto *c = qobject_cast<TfCenikC *>(controller());
    if (!c)
        return;
    const QVector<LookupItem> suppliers = c->SupplierChoices();
    // the empty entry: no supplier
    for (QComboBox *combo : m_dodavatele)
        fillLookupCombo(combo, suppliers, QStringLiteral(", "), true);
    fields().refresh();
}

int TfCenik::BeforeEditDelete()
{
    // told here, the delete stops without the general failure message
    auto *c = qobject_cast<TfCenikC *>(controller());
    if (c && !c->CanDelete(dsHla()->value(QStringLiteral("UNCIS")).toInt()))
        return -1;
    return 0;
}
