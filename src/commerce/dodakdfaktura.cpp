#include "commerce/dodakdfaktura.h"
#include "commerce/dodakc.h"
#include "commerce/fakturapresun.h"
#include "commerce/fakturas.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/sqlrun.h"
#include "widgets/toolbuttons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString ticksKey()
{
    return SettingsStore::productKeyPath(QStringLiteral("Param\\Faktura"));
}
} // namespace

TfDodakDFaktura::TfDodakDFaktura(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("fDodakDFaktura"));
    setWindowTitle(QStringLiteral("Tarko 8: Přenos do faktur"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Faktura (číslo) do které budou přesunuty položky d.l. - možno vybraz ze seznamu"), this));
    auto *cislo = newToolBarLayout();
    m_eCisFak = new QLineEdit(this);
    m_eCisFak->setObjectName(QStringLiteral("eCisFak"));
    m_eCisFak->setMaxLength(20);
    cislo->addWidget(m_eCisFak, 1);
    addToolButton(cislo, this, QStringLiteral("sbSeznam"), QStringLiteral("..."), QStringLiteral("Výběr faktury pro přenos"),
                  [this] { VyberFaktury(); });
    layout->addLayout(cislo);
    m_labels = InvoiceMove::sectionLabels(dm);
    auto *grid = new QGridLayout;
    for (int s = InvoiceMove::FirstSection; s <= InvoiceMove::LastSection; ++s) {
        auto *box = new QCheckBox(m_labels.value(s - 1), this);
        box->setObjectName(QStringLiteral("cbSekce%1").arg(s));
        grid->addWidget(box, (s - 1) % 6, (s - 1) / 6);
        m_boxes << box;
    }
    layout->addLayout(grid);
    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QStringLiteral("Zaškrtnuté sekcd přesunout po položkách"), this);
    ok->setObjectName(QStringLiteral("bbOK"));
    auto *cancel = new QPushButton(QStringLiteral("Storno"), this);
    cancel->setObjectName(QStringLiteral("bbStorno"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    loadTicks();
}

TfDodakDFaktura::~TfDodakDFaktura()
{
    saveTicks();
}

void TfDodakDFaktura::setNumber(const QString &number)
{
    m_eCisFak->setText(number);
}

QString TfDodakDFaktura::number() const
{
    return m_eCisFak->text().trimmed();
}

QSet<int> TfDodakDFaktura::itemSections() const
{
    QSet<int> ticked;
    for (int i = 0; i < m_boxes.size(); ++i)
        if (m_boxes.at(i)->isChecked())
            ticked.insert(i + 1);
    return ticked;
}

void TfDodakDFaktura::VyberFaktury()
{
    const int key = VyberFakturu(this, QStringLiteral("Výběr faktury pro přenos"));
    if (key > 0)
        m_eCisFak->setText(scalarSql(m_dm, QStringLiteral("SELECT CISFAK FROM FAKTURY WHERE UNCIS = :K"),
                                     {{QStringLiteral("K"), key}}).toString().trimmed());
}

void TfDodakDFaktura::loadTicks()
{
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes[i]->setChecked(ReadRegistryValue(QStringLiteral("Sekce%1").arg(i + 1), QStringLiteral("0"), ticksKey())
                               == QLatin1String("1"));
}

void TfDodakDFaktura::saveTicks()
{
    bool ok = true;
    for (int i = 0; i < m_boxes.size(); ++i)
        ok = WriteRegistryValue(QStringLiteral("Sekce%1").arg(i + 1), m_boxes.at(i)->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
                                ticksKey())
             && ok;
    if (!ok)
        Prompt::warning(QStringLiteral("Uložení parametrů"));
}

int PresunDoFaktury(TfDodakC *note, QWidget *parent)
{
    const int key = note->currentKey();
    if (key <= 0)
        return 0;
    if (note->isModified() && note->SaveRecordKeepOpen() < 0) {
        Prompt::warning(QStringLiteral("Přesun do faktury\n") + note->lastError(), TfDodakC::Caption);
        return -1;
    }
    InvoiceMove::Request request;
    {
        TfDodakDFaktura dialog(note->dm(), parent);
        dialog.setNumber(InvoiceMove::currentNumber(note->dm(), key));
        if (Prompt::runModal(&dialog) != QDialog::Accepted)
            return 0;
        request.note = key;
        request.number = dialog.number();
        request.itemSections = dialog.itemSections();
        request.sectionLabels = dialog.sectionLabels();
    }
    request.confirmCreate = [](const QString &number) {
        return Prompt::question(QStringLiteral("Faktura s číslem ") + number + QStringLiteral(" nebyla nalezena.\nChcete jí vytvořit?"),
                                TfDodakC::Caption)
               == PromptYes;
    };
    QString error;
    const int invoice = InvoiceMove::run(note->dm(), request, &error);
    if (invoice < 0)
        Prompt::warning(QStringLiteral("Přesun do faktury\n") + error, TfDodakC::Caption);
    if (invoice > 0)
        note->OpenRecord(key);
    return invoice;
}

int OdpojitFakturu(TfDodakC *note)
{
    const int key = note->currentKey();
    if (key <= 0 || Prompt::question(QStringLiteral("Odpojit fakturu?"), TfDodakC::Caption) != PromptYes)
        return 0;
    QString error;
    if (InvoiceMove::detach(note->dm(), key, &error) < 0) {
        Prompt::warning(QStringLiteral("Odpojit fakturu\n") + error, TfDodakC::Caption);
        return -1;
    }
    note->OpenRecord(key);
    Prompt::information(QStringLiteral("Faktura byla odpojena"), TfDodakC::Caption);
    return 1;
}
