#include "barcodes/nactick.h"
#include "barcodes/readerload.h"
#include "core/prompt.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfNactiCK::TfNactiCK(TDMPro *dm, QWidget *parent) : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fNactiCK"));
    setWindowTitle(QStringLiteral("Načtení dat z  čárových kódů"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Vstupní soubor"), this));
    auto *fileRow = new QHBoxLayout;
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("eSoubor"));
    fileRow->addWidget(m_file);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("sbSoubor"));
    connect(browse, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.caption = QStringLiteral("Vstupní soubor");
        request.filter = QStringLiteral("Textové soubory (*.txt);;Všechny soubory (*)");
        const QString file = Prompt::openFileName(request);
        if (!file.isEmpty())
            m_file->setText(file);
    });
    fileRow->addWidget(browse);
    layout->addLayout(fileRow);
    auto *buttons = new QHBoxLayout;
    auto *pen = new QPushButton(QStringLiteral("Načit C-Pen"), this);
    pen->setObjectName(QStringLiteral("sbCPen"));
    connect(pen, &QPushButton::clicked, this, [this] { NacitCPen(); });
    auto *terminal = new QPushButton(QStringLiteral("Načit terminál"), this);
    terminal->setObjectName(QStringLiteral("sbTerminal"));
    connect(terminal, &QPushButton::clicked, this, [this] { NacitTerminal(); });
    buttons->addWidget(pen);
    buttons->addWidget(terminal);
    layout->addLayout(buttons);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lStav"));
    layout->addWidget(m_status);
}

QString TfNactiCK::statusText() const
{
    return m_status->text();
}

void TfNactiCK::NacitCPen() { load(true); }
void TfNactiCK::NacitTerminal() { load(false); }

void TfNactiCK::load(bool pen)
{
    Reader::StagingLoad loader(m_dm);
    int shown = 0;
    loader.status = [this, &shown](const QString &text) {
        m_status->setText(text);
        // a long file shows its progress without flooding the event loop
        if (++shown % 50 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const QString file = m_file->text().trimmed();
    if (pen)
        loader.loadPen(file);
    else
        loader.loadTerminal(file);
}
