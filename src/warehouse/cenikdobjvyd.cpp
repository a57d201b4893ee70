#include "warehouse/cenikdobjvyd.h"

#include "commerce/ceniks.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "warehouse/objvydpresun.h"
#include "warehouse/objvyds.h"
#include "widgets/toolbuttons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfCenikDObjVyd::TfCenikDObjVyd(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fCenikDObjVyd"));
    setWindowTitle(QStringLiteral("Tarko 8: Sestavení objednávky"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Objednávka (číslo) do které budou přidány položky - možno vybrat ze seznamu"), this));
    m_eCisObj = new QLineEdit(this);
    m_eCisObj->setObjectName(QStringLiteral("eCisObj"));
    m_eCisObj->setMaxLength(20);
    auto *row = newToolBarLayout();
    row->addWidget(m_eCisObj, 1);
    addToolButton(row, this, QStringLiteral("sbSeznam"), QStringLiteral("Výběr objednávky pro přenos"), [this] {
        const int key = VyberObjednavku(this, QStringLiteral("Výběr objednávky pro přenos"));
        if (key > 0)
            m_eCisObj->setText(scalarSql(DM, QStringLiteral("SELECT CisObj FROM ObjVydH WHERE UnCis = :UnCis "),
                                         {{QStringLiteral("UnCis"), key}})
                                   .toString()
                                   .trimmed());
    });
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("bbTlacitka"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void SestavitObjednavku(TfCenikS &list)
{
    TfCenikC *cenik = list.cenik();
    if (!cenik)
        return;
    TfCenikDObjVyd dialog(&list);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    OrderAssembly::Request r;
    r.number = dialog.number()->text();
    r.items = cenik->orderLines();
    r.confirmCreate = [](const QString &number) {
        return Prompt::question(QStringLiteral("Objednávka s číslem ") + number
                                    + QStringLiteral(" nebyla nalezena.\nChcete jí vytvořit?"),
                                QStringLiteral("Přesn do objednávky"))
               == PromptYes;
    };
    QString error;
    if (OrderAssembly::run(cenik->dm(), r, &error) < 0)
        Prompt::error(QStringLiteral("Přesun do Objednávky\n") + error, QStringLiteral("Ceník"));
}
