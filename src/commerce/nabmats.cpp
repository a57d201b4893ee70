#include "commerce/nabmats.h"
#include "commerce/ceniks.h"
#include "core/listdataset.h"
#include "core/prompt.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSqlQuery>
#include <QVBoxLayout>

const QString TfNabMatS::AliasTables = QStringLiteral("CEN;CEN;Ceník;(1)");

const QVector<int> &TfNabMatS::Sections()
{
    static const QVector<int> sections = {3, 4, 5, 7, 8, 9, 10, 11};
    return sections;
}

TfNabMatS::TfNabMatS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fNabMatS"));
    setWindowTitle(QStringLiteral("Tarko 8: Nabídka materiálu"));
    setPickMode(true);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlSekce"));
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("Sekce"), panel));
    for (int s : Sections()) {
        auto *box = new QCheckBox(QString::number(s), panel);
        box->setObjectName(QStringLiteral("cbSekce%1").arg(s));
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, &TfNabMatS::sectionsChanged);
        m_sections << box;
        row->addWidget(box);
    }
    m_cbVsechny = new QCheckBox(QStringLiteral("Všechny pol."), panel);
    m_cbVsechny->setObjectName(QStringLiteral("cbVsechny"));
    connect(m_cbVsechny, &QCheckBox::toggled, this, &TfNabMatS::sectionsChanged);
    row->addSpacing(12);
    row->addWidget(m_cbVsechny);
    row->addStretch();
    if (auto *v = qobject_cast<QVBoxLayout *>(layout()))
        v->insertWidget(1, panel);
}

TfMaterialC *TfNabMatS::material() const
{
    return qobject_cast<TfMaterialC *>(controller());
}

QCheckBox *TfNabMatS::sectionBox(int section) const
{
    const int i = Sections().indexOf(section);
    return i >= 0 ? m_sections.at(i) : nullptr;
}

QVector<int> TfNabMatS::tickedSections() const
{
    QVector<int> ticked;
    for (int i = 0; i < m_sections.size(); ++i)
        if (m_sections.at(i)->isChecked())
            ticked << Sections().at(i);
    return ticked;
}

void TfNabMatS::setStockOnly(bool on)
{
    if (material())
        material()->setStockOnly(on);
}

int TfNabMatS::PrepareList()
{
    setAliasTables(AliasTables);
    if (!material())
        return -1;
    hintSectionNames(controller()->dm(), [this](int section) { return sectionBox(section); });
    return 0;
}

int TfNabMatS::DefaultFilter()
{
    sectionsChanged();
    return 0;
}

int TfNabMatS::OnListCreate()
{
    m_listReady = true;
    return 0;
}

void TfNabMatS::sectionsChanged()
{
    TfMaterialC *m = material();
    if (!m)
        return;
    const bool all = m_cbVsechny->isChecked();
    for (QCheckBox *box : m_sections)
        box->setEnabled(!all);
    if (all)
        m->clearSections();
    else
        m->setSections(tickedSections());
    if (m_listReady)
        Reopen();
}

void TfNabMatS::done(int result)
{
    // a chosen row goes to the document, and the picker waits for the next one
    if (result == 1 && m_addLine && controller()) {
        ListDataset &rows = controller()->list();
        if (rows.currentRow() >= 0)
            m_addLine(rows.value(QStringLiteral("UNCIS")).toInt(), rows);
        return;
    }
    TfSeznam::done(result);
}

int TfNabMatS::vyber(QWidget *parent, const QString &listText, bool stockOnly, AddLine addLine)
{
    TfMaterialC *c = TfClass::create<TfMaterialC>(DM);
    if (!c)
        return -1;
    if (!listText.trimmed().isEmpty() && !c->setListText(listText)) {
        delete c;
        return -1;
    }
    QPointer<TfNabMatS> picker = new TfNabMatS(parent);
    picker->AttachController(c);
    picker->setStockOnly(stockOnly);
    picker->setAddLine(std::move(addLine));
    const int result = Prompt::runModal(picker);
    delete picker.data();
    return result;
}
