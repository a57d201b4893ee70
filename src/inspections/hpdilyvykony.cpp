#include "inspections/hpdilyvykony.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include "core/rowcachemodel.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"

TfHPDilyVykony::TfHPDilyVykony(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_catalogue(dm)
{
    setObjectName(QStringLiteral("fHPDilyVykony"));
    setWindowTitle(QStringLiteral("Díly a výkony pro HP"));

    m_types = new RowCacheModel(&m_catalogue.types(), this);
    m_types->addColumn(QStringLiteral("POPIS"), QStringLiteral("HP"), false);
    m_types->addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"), false);
    m_offered = new RowCacheModel(&m_catalogue.offered(), this);
    m_offered->addColumn(QStringLiteral("POPIS"), QStringLiteral("Díl / Výkon"), false);
    m_parts = new RowCacheModel(&m_catalogue.parts(), this);
    m_parts->addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"));
    m_parts->addColumn(QStringLiteral("NAZDIL"), QStringLiteral("Díl / Výkon na HP"), false);
    m_template = new RowCacheModel(&m_catalogue.templateRows(), this);
    m_template->addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"));
    m_template->addColumn(QStringLiteral("NAZDIL"), QStringLiteral("Díl / Výkon"), false);

    QTableView *types = grid(QStringLiteral("dbgHP"), m_types);
    QTableView *offered = grid(QStringLiteral("dbgDily"), m_offered);
    m_dbgParts = grid(QStringLiteral("dbgDilyHP"), m_parts);
    m_dbgTemplate = grid(QStringLiteral("dbgSablona"), m_template);
    for (QTableView *editable : {m_dbgParts, m_dbgTemplate})
        editable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::AnyKeyPressed);
    connect(offered, &QTableView::doubleClicked, this, &TfHPDilyVykony::PridatDil);
    connect(m_dbgParts, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (m_parts->fieldOfColumn(index.column()).compare(QLatin1String("KOD"), Qt::CaseInsensitive) != 0)
            UbratDil();
    });
    connect(&m_catalogue.types(), &RowCache::currentRowChanged, this, &TfHPDilyVykony::typeChosen);

    m_sections = new QTabBar(this);
    m_sections->setObjectName(QStringLiteral("tsSekce"));
    for (int section : PartsCatalogue::Sections)
        m_sections->addTab(QString::number(section));
    connect(m_sections, &QTabBar::currentChanged, this, [this](int index) {
        m_catalogue.setSection(PartsCatalogue::Sections.value(index, 3));
    });

    auto *typeBar = newToolBarLayout();
    addToolButton(typeBar, this, QStringLiteral("sbPridatDil"), QStringLiteral("Přidat díl k HP"),
                  [this] { PridatDil(); });
    addToolButton(typeBar, this, QStringLiteral("sbUbratDil"), QStringLiteral("Ubrat díl od HP"),
                  [this] { UbratDil(); });
    addToolButton(typeBar, this, QStringLiteral("sbPrenest"), QStringLiteral("Přenést díly ze šablony k HP"),
                  [this] { PrenestSablonu(); });
    auto *templateBar = newToolBarLayout();
    addToolButton(templateBar, this, QStringLiteral("sbPridatSablona"), QStringLiteral("Přidat díl do šablony"),
                  [this] { PridatDoSablony(); });
    addToolButton(templateBar, this, QStringLiteral("sbUbratSablona"), QStringLiteral("Ubrat díl ze šablony"),
                  [this] { UbratZeSablony(); });

    auto *layout = new QGridLayout(this);
    layout->addWidget(types, 0, 0, 4, 1);
    layout->addWidget(m_sections, 0, 1);
    layout->addWidget(offered, 1, 1, 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("Diíly a výkony k HP"), this), 0, 2);
    layout->addLayout(typeBar, 1, 2);
    layout->addWidget(m_dbgParts, 2, 2);
    auto *templatePanel = new QVBoxLayout;
    templatePanel->addWidget(new QLabel(QStringLiteral("Šablona"), this));
    templatePanel->addLayout(templateBar);
    templatePanel->addWidget(m_dbgTemplate);
    layout->addLayout(templatePanel, 3, 2);
    resize(1000, 620);

    m_created = m_catalogue.open();
}

QTableView *TfHPDilyVykony::grid(const QString &objectName, RowCacheModel *model)
{
    auto *view = new QTableView(this);
    setUpPickGrid(view, objectName);
    view->setModel(model);
    followCurrentRow(view, model);
    return view;
}

void TfHPDilyVykony::typeChosen(int row)
{
    if (m_followingType || row == -1 || !m_created)
        return;
    commitPendingEdit(m_dbgParts);
    commitPendingEdit(m_dbgTemplate);
    const QVariant type = m_catalogue.types().value(row, QStringLiteral("UNCIS"));
    if (type.toInt() == m_catalogue.currentType())
        return;
    // setCurrentType moves the row itself; a failed write keeps the previous type
    m_followingType = true;
    const int previous = m_catalogue.currentType();
    if (m_catalogue.setCurrentType(row) < 0)
        m_catalogue.types().locate(QStringLiteral("UNCIS"), previous);
    m_followingType = false;
}

void TfHPDilyVykony::PridatDil()
{
    m_catalogue.addPart(m_catalogue.offered().currentRow());
}

void TfHPDilyVykony::UbratDil()
{
    m_catalogue.removePart();
}

void TfHPDilyVykony::PridatDoSablony()
{
    m_catalogue.addToTemplate(m_catalogue.offered().currentRow());
}

void TfHPDilyVykony::UbratZeSablony()
{
    m_catalogue.removeFromTemplate();
}

void TfHPDilyVykony::PrenestSablonu()
{
    m_catalogue.copyTemplateToType();
}

void TfHPDilyVykony::done(int result)
{
    commitPendingEdit(m_dbgParts);
    commitPendingEdit(m_dbgTemplate);
    // nothing typed is lost: a window whose rows cannot be written stays open
    if (m_created && m_catalogue.save() < 0)
        return;
    QDialog::done(result);
}
