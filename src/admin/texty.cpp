#include "admin/texty.h"
#include "widgets/toolbuttons.h"
#include "widgets/textedit.h"
#include "core/prompt.h"
#include "core/rtf.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

TfTexty::TfTexty(QWidget *parent, TDMPro *dm)
    : QDialog(parent), m_library(dm)
{
    setObjectName(QStringLiteral("fTexty"));
    setWindowTitle(QStringLiteral("Tarko 8: Předdefinice textů"));

    QHBoxLayout *bar = newToolBarLayout();
    addToolButton(bar, this, QStringLiteral("sbPridat"), QStringLiteral("Přidat"), [this] { Pridat(); });
    m_sbUber = addToolButton(bar, this, QStringLiteral("sbUbrat"), QStringLiteral("Ubrat"), [this] { Ubrat(); });
    addToolButton(bar, this, QStringLiteral("sbUlozit"), QStringLiteral("Uložit"), [this] { Ulozit(); });
    addToolButton(bar, this, QStringLiteral("sbEditor"), QStringLiteral("Editor textu"), [this] { EditorTextu(); });
    bar->addStretch();
    addToolButton(bar, this, QStringLiteral("sbZavrit"), QStringLiteral("Zavřít"), [this] { Zavrit(); });

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
    m_fields.bind(m_eNazev, rows, TextLibrary::NameField);
    m_fields.bind(m_reText, rows, TextLibrary::TextField);

    connect(m_cbVyber, &QComboBox::activated, this, [this](int index) {
        m_fields.flush();
        m_library.rows().setCurrentRow(index);
    });
    connect(&rows, &RowCache::reset, this, [this] { fillChooser(); });
    connect(&rows, &RowCache::rowInserted, this, [this] { fillChooser(); });
    connect(&rows, &RowCache::rowRemoved, this, [this] { fillChooser(); });
    connect(&rows, &RowCache::rowChanged, this, [this](int row) {
        if (row >= 0 && row < m_cbVyber->count())
            m_cbVyber->setItemText(row, m_library.rows().value(row, TextLibrary::NameField).toString());
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
        m_cbVyber->addItem(rows.value(r, TextLibrary::NameField).toString());
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
    editor.BindField(m_library.rows(), TextLibrary::TextField);
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
