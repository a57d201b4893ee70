#include "widgets/dokradwindow.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"
#include "core/globals.h"
#include "widgets/pickdialogs.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace {

// Columns nobody types into are shaded, so the code reads as the row's fixed name.
class SeriesModel : public RowCacheModel
{
public:
    using RowCacheModel::RowCacheModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::BackgroundRole && index.isValid() && !(flags(index) & Qt::ItemIsEditable))
            return QApplication::palette().color(QPalette::Button);
        return RowCacheModel::data(index, role);
    }
};

const QString SeriesSelect = QStringLiteral("select * from dokrad");

} // namespace

TfDokRad::TfDokRad(QWidget *parent, TDMPro *dm)
    : QDialog(parent), m_dm(dm), m_series(dm)
{
    setObjectName(QStringLiteral("fDokRad"));
    setWindowTitle(QStringLiteral("Tarko 8: Řady dokladů"));

    QHBoxLayout *bar = newToolBarLayout();
    auto addButton = [&](const char *name, const QString &caption, const QString &hint,
                         const std::function<void()> &run) {
        return addToolButton(bar, this, QLatin1String(name), caption, hint, run);
    };
    const QString show = QStringLiteral("Zobrazit hodnotu");
    const QString store = QStringLiteral("Uložit hodnotu");
    const QString add = QStringLiteral("Přidat");
    const QString remove = QStringLiteral("Ubrat");
    const QString close = QStringLiteral("Zavřít");
    addButton("sbZobrazHodnotu", show, show, [this] { ZobrazHodnotu(); });
    addButton("sbUlozHodnotu", store, store, [this] { UlozHodnotu(); });
    addButton("sbPridej", add, add, [this] { Pridej(); });
    addButton("sbUber", remove, remove, [this] { Uber(); });
    // the save button carries the hint "Ubrat", as users know it
    addButton("sbUloz", QStringLiteral("Uložit"), remove, [this] { Uloz(); });
    bar->addStretch();
    addButton("sbZavrit", close, close, [this] { Zavrit(); });

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("dbgDokRad"));
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_model = new SeriesModel(&m_rows, this);
    m_model->addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"), false);
    m_model->addColumn(QStringLiteral("POPIS"), QStringLiteral("Pops"));
    m_model->addColumn(QStringLiteral("FORMAT"), QStringLiteral("Formát"));
    m_grid->setModel(m_model);
    m_grid->setColumnWidth(0, 70);
    m_grid->setColumnWidth(1, 240);
    followCurrentRow(m_grid, m_model);
    m_grid->installEventFilter(this);
    connect(m_model, &RowCacheModel::edited, this, [this](int row) { markEdited(row); });
    connect(&m_rows, &RowCache::currentRowChanged, this, [this] { ZobrazHodnotu(); });

    auto *legend = new QLabel(QStringLiteral("   Formát - #-číslo, &&-rok,@-měsíc"), this);
    legend->setObjectName(QStringLiteral("lFormat"));
    m_eCis = new QLineEdit(QStringLiteral("0"), this);
    m_eCis->setObjectName(QStringLiteral("eCis"));
    auto *lCis = new QLabel(QStringLiteral("Číslo generátoru řady"), this);
    lCis->setObjectName(QStringLiteral("lCis"));
    lCis->setBuddy(m_eCis);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(legend, 1);
    bottom->addWidget(lCis);
    bottom->addWidget(m_eCis);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    resize(520, 360);

    m_created = reopen();
    if (!m_created)
        Prompt::error(QStringLiteral("Založení formuláře"), windowTitle());
}

void TfDokRad::openEditor(QWidget *parent, TDMPro *dm)
{
    TfDokRad window(parent, dm);
    if (!window.isCreated())
        return;
    window.setMode(Editing);
    Prompt::runModal(&window);
}

QString TfDokRad::pickSeries(QWidget *parent, TDMPro *dm)
{
    TfDokRad window(parent, dm);
    if (!window.isCreated())
        return QString();
    window.setMode(Catalogue);
    return Prompt::runModal(&window) == PromptOk ? window.m_picked : QString();
}

QString TfDokRad::currentCode() const
{
    return m_rows.currentRow() >= 0 ? m_rows.value(QStringLiteral("KOD")).toString().trimmed() : QString();
}

bool TfDokRad::reopen(const QString &code)
{
    if (!m_dm)
        return false;
    const QString wanted = code.isEmpty() ? currentCode() : code;
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.exec(SeriesSelect))
        return false;
    m_rows.load(q);
    if (!wanted.isEmpty())
        m_rows.locate(QStringLiteral("KOD"), wanted);
    if (m_rows.currentRow() < 0 && !m_rows.isEmpty())
        m_rows.setCurrentRow(0);
    ZobrazHodnotu();
    return true;
}

void TfDokRad::markEdited(int row)
{
    const int kdo = m_rows.fieldIndex(QStringLiteral("KDO"));
    if (kdo >= 0 && m_rows.value(row, kdo) != QVariant(userStamp()))
        m_rows.setValue(row, kdo, userStamp());
}

bool TfDokRad::saveChanges()
{
    commitPendingEdit(m_grid);
    if (!m_rows.isDirty())
        return true;
    // Series rows are written by their key alone: only names and formats change here.
    CacheWriter writer(m_dm, QStringLiteral("DOKRAD"));
    writer.setWriteColumns({QStringLiteral("UNCIS"), QStringLiteral("KOD"), QStringLiteral("POPIS"),
                            QStringLiteral("FORMAT"), QStringLiteral("KDO")});
    bool ok = false;
    {
        TransactionGuard guard(m_dm);
        ok = guard.isActive() && writer.apply(m_rows).ok && guard.commit();
    }
    if (!ok) {
        Prompt::error(QStringLiteral("Uložení změn"), QStringLiteral("Chyba"));
        return false;
    }
    m_rows.commitUpdates();
    return true;
}

void TfDokRad::ZobrazHodnotu()
{
    const QString code = currentCode();
    if (code.isEmpty())
        return;
    qint64 value = 0;
    m_eCis->setText(m_series.readValue(code, &value) ? QString::number(value) : QString());
}

int TfDokRad::UlozHodnotu()
{
    const QString code = currentCode();
    if (code.isEmpty()) {
        Prompt::beep();
        return -1;
    }
    const int result = m_series.storeValue(code, m_eCis->text());
    if (result == DocumentSeries::Done)
        ZobrazHodnotu();
    return result;
}

int TfDokRad::Pridej()
{
    if (!saveChanges())
        return -1;
    QString name, code;
    if (!TfNovy::askNew(name, code, this))
        return 1;
    QString stored;
    const int result = m_series.add(name, code, &stored);
    if (result == DocumentSeries::Done || result == DocumentSeries::Failed)
        reopen(stored);
    return result;
}

int TfDokRad::Uber()
{
    if (m_rows.currentRow() < 0) {
        Prompt::beep();
        return -1;
    }
    if (Prompt::question(QStringLiteral("Smazat vybranou číselnou řadu ?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    // the row's code as stored: the rows are deleted by it
    const QString code = m_rows.value(QStringLiteral("KOD")).toString();
    if (!saveChanges())
        return -1;
    const int result = m_series.remove(code);
    reopen();
    return result;
}

int TfDokRad::Uloz()
{
    if (!saveChanges())
        return -1;
    if (!reopen()) {
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
        return -1;
    }
    return 0;
}

void TfDokRad::Zavrit()
{
    done(PromptCancel);
}

void TfDokRad::done(int result)
{
    // a failed save is reported and the window closes all the same, so nobody is held
    // in it by a database that cannot be written
    saveChanges();
    m_mode = Catalogue;
    QDialog::done(result);
}

bool TfDokRad::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_mode == Catalogue
        && !m_grid->indexWidget(m_grid->currentIndex())) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_picked = currentCode();
            done(PromptOk);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
