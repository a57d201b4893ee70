#include "admin/texty.h"
#include "widgets/textedit.h"
#include "core/class.h"
#include "core/globals.h"
#include "core/prompt.h"
#include "core/rtf.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Table = QStringLiteral("TEXTY");
const QString KeyField = QStringLiteral("UNCIS");
const QString CodeField = QStringLiteral("KOD");
const QString NameField = QStringLiteral("POPIS");
const QString TextField = QStringLiteral("TEXT");
const QString ProgramTextMessage = QStringLiteral("Text s kódem patří programu, nelze jej smazat.");
} // namespace

TextLibrary::TextLibrary(TDMPro *dm, QObject *parent)
    : QObject(parent), m_dm(dm)
{
    m_rows.setInsertGate([this] { return m_adding; });
}

int TextLibrary::currentKey() const
{
    return m_rows.currentRow() >= 0 ? m_rows.value(KeyField).toInt() : 0;
}

int TextLibrary::Open(int key)
{
    m_lastError.clear();
    if (!m_dm || !m_dm->isOpen()) {
        m_lastError = QStringLiteral("Databáze není otevřena.");
        return ResListFailed;
    }
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT * FROM Texty ORDER BY Popis"))) {
        m_lastError = q.lastError().text();
        return ResListFailed;
    }
    m_rows.load(q);
    if (key != 0)
        m_rows.locate(KeyField, key);
    return 0;
}

int TextLibrary::Add()
{
    if (!m_rows.isOpen() || !m_dm)
        return ResNoKey;
    if (m_dm->WritesBlocked() != 0) {
        Prompt::warning(QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později."),
                        QStringLiteral("Sdílení databáze"));
        return ResWritesBlocked;
    }
    const qint64 key = m_dm->NextKey(Table);
    if (key < 0) {
        Prompt::error(QStringLiteral("Přidáno záznamu"), QStringLiteral("Tarko 8: Předdefinice textů"));
        return ResNoKey;
    }
    int row = -1;
    {
        ScopedSwitch adding(m_adding);
        row = m_rows.appendRow();
    }
    if (row < 0)
        return ResNoKey;
    m_rows.setValue(row, m_rows.fieldIndex(KeyField), int(key));
    m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("KLIC")), 0);
    m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("KDO")), userStamp());
    m_rows.setCurrentRow(row);
    return int(key);
}

bool TextLibrary::CanRemove(int row) const
{
    if (row < 0)
        row = m_rows.currentRow();
    if (row < 0 || row >= m_rows.rowCount())
        return false;
    // the stored code counts: a code cleared in the cache does not free the text
    const bool stored = m_rows.row(row).state != RowCache::Inserted;
    const QString code = (stored ? m_rows.originalValue(row, CodeField) : m_rows.value(row, CodeField)).toString();
    return code.trimmed().isEmpty() && m_rows.value(row, CodeField).toString().trimmed().isEmpty();
}

int TextLibrary::Remove()
{
    if (m_rows.currentRow() < 0)
        return ResRefused;
    if (!CanRemove()) {
        Prompt::warning(ProgramTextMessage, QStringLiteral("Pozor"));
        return ResRefused;
    }
    m_rows.deleteCurrentRow();
    return 0;
}

int TextLibrary::Save()
{
    m_lastError.clear();
    if (!m_dm || !m_rows.isOpen()) {
        m_lastError = QStringLiteral("Databáze není otevřena.");
        return ResSaveFailed;
    }
    // whatever removed them from the cache, the program's texts stay
    for (const RowCache::Row &r : m_rows.deletedRows()) {
        if (!r.original.value(m_rows.fieldIndex(CodeField)).toString().trimmed().isEmpty()) {
            m_lastError = ProgramTextMessage;
            return ResSaveFailed;
        }
    }
    const int key = currentKey();
    const int stamp = m_rows.fieldIndex(QStringLiteral("KDO"));
    for (int r = 0; r < m_rows.rowCount(); ++r)
        if (m_rows.row(r).state != RowCache::Unchanged)
            m_rows.setValue(r, stamp, userStamp());

    bool ok = false;
    {
        TransactionGuard transaction(m_dm);
        if (!transaction.isActive()) {
            m_lastError = transaction.lastError();
        } else {
            const CacheWriter::Result result = CacheWriter(m_dm, Table).apply(m_rows);
            if (!result.ok)
                m_lastError = result.error;
            else if (!(ok = transaction.commit()))
                m_lastError = transaction.lastError();
        }
    }   // a failed transaction is rolled back here
    if (!ok)
        return ResSaveFailed;
    m_rows.commitUpdates();
    return Open(key);
}

// ---------------------------------------------------------------------------------------

TfTexty::TfTexty(QWidget *parent, TDMPro *dm)
    : QDialog(parent), m_library(dm)
{
    setObjectName(QStringLiteral("fTexty"));
    setWindowTitle(QStringLiteral("Tarko 8: Předdefinice textů"));

    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    auto addButton = [&](const QString &name, const QString &caption, int (TfTexty::*action)()) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(caption);
        b->setToolTip(caption);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, action] { (this->*action)(); });
        bar->addWidget(b);
        return b;
    };
    addButton(QStringLiteral("sbPridat"), QStringLiteral("Přidat"), &TfTexty::Pridat);
    m_sbUber = addButton(QStringLiteral("sbUbrat"), QStringLiteral("Ubrat"), &TfTexty::Ubrat);
    addButton(QStringLiteral("sbUlozit"), QStringLiteral("Uložit"), &TfTexty::Ulozit);
    addButton(QStringLiteral("sbEditor"), QStringLiteral("Editor textu"), &TfTexty::EditorTextu);
    bar->addStretch();
    addButton(QStringLiteral("sbZavrit"), QStringLiteral("Zavřít"), &TfTexty::Zavrit);

    m_cbVyber = new QComboBox(this);
    m_cbVyber->setObjectName(QStringLiteral("cbVyber"));
    m_eNazev = new QLineEdit(this);
    m_eNazev->setObjectName(QStringLiteral("eNazev"));
    m_eNazev->setMaxLength(80);
    m_reText = new QTextEdit(this);
    m_reText->setObjectName(QStringLiteral("reText"));
    m_reText->setReadOnly(true);   // formatted in the text editor
    m_reText->setFont(Rtf::defaultFont());

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Výběr textu"), m_cbVyber);
    form->addRow(QStringLiteral("Název textu"), m_eNazev);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(form);
    layout->addWidget(m_reText, 1);
    resize(560, 420);

    RowCache &rows = m_library.rows();
    m_fields.bind(m_eNazev, rows, NameField);
    m_fields.bind(m_reText, rows, TextField);

    connect(m_cbVyber, &QComboBox::activated, this, [this](int index) {
        m_fields.flush();
        m_library.rows().setCurrentRow(index);
    });
    connect(&rows, &RowCache::reset, this, [this] { fillChooser(); });
    connect(&rows, &RowCache::rowInserted, this, [this] { fillChooser(); });
    connect(&rows, &RowCache::rowRemoved, this, [this] { fillChooser(); });
    connect(&rows, &RowCache::rowChanged, this, [this](int row) {
        if (row >= 0 && row < m_cbVyber->count())
            m_cbVyber->setItemText(row, m_library.rows().value(row, NameField).toString());
        refreshActions();
    });
    connect(&rows, &RowCache::currentRowChanged, this, [this](int row) {
        m_cbVyber->setCurrentIndex(row);
        refreshActions();
    });

    const int opened = m_library.Open();
    m_created = opened == 0;
    if (!m_created)
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
    fillChooser();
}

void TfTexty::fillChooser()
{
    const RowCache &rows = m_library.rows();
    const QSignalBlocker quiet(m_cbVyber);
    m_cbVyber->clear();
    for (int r = 0; r < rows.rowCount(); ++r)
        m_cbVyber->addItem(rows.value(r, NameField).toString());
    m_cbVyber->setCurrentIndex(rows.currentRow());
    refreshActions();
}

void TfTexty::refreshActions()
{
    m_sbUber->setEnabled(m_library.CanRemove());
}

int TfTexty::Pridat()
{
    m_fields.flush();
    const int key = m_library.Add();
    if (key < 0)
        return key;
    m_eNazev->setFocus();
    return 0;
}

int TfTexty::Ubrat()
{
    if (m_library.rows().currentRow() < 0)
        return TextLibrary::ResRefused;
    if (!m_library.CanRemove())
        return m_library.Remove();   // refuses, and says why
    if (Prompt::question(QStringLiteral("Smazat vybraný text ?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    return m_library.Remove();
}

int TfTexty::Ulozit()
{
    m_fields.flush();
    const int result = m_library.Save();
    if (result == TextLibrary::ResSaveFailed)
        Prompt::error(QStringLiteral("Chyba při uložení textu"), QStringLiteral("Zpráva"));
    else if (result < 0)
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
    return result;
}

int TfTexty::EditorTextu()
{
    m_fields.flush();
    if (m_library.rows().currentRow() < 0) {
        Prompt::beep();
        return -1;
    }
    TfTextEdit editor(this, m_library.dm());
    editor.BindField(m_library.rows(), TextField);
    Prompt::runModal(&editor);
    editor.Unbind();
    return 0;
}

int TfTexty::Zavrit()
{
    m_fields.flush();
    // saved even without changes, as "Uložit" does; a failed save keeps the window
    // and what was typed in it
    const int result = Ulozit();
    if (result == TextLibrary::ResSaveFailed)
        return result;
    m_closing = true;
    close();
    m_closing = false;
    return 0;
}

void TfTexty::closeEvent(QCloseEvent *event)
{
    m_fields.flush();
    if (!m_closing && m_library.isModified() && Ulozit() == TextLibrary::ResSaveFailed) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfTexty::reject()
{
    close();
}
