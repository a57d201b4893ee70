#include "admin/sql.h"

#include "core/prompt.h"
#include "widgets/exportwindows.h"
#include "widgets/obectiskd.h"

#include <QCloseEvent>
#include <functional>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfSQL::TfSQL(TDMPro *dm, QWidget *parent) : QDialog(parent), m_console(dm), m_dm(dm)
{
    setObjectName(QStringLiteral("fSQL"));
    setWindowTitle(QStringLiteral("SQL"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(800, 560);
    auto *layout = new QVBoxLayout(this);
    auto *warning = new QLabel(
        QStringLiteral("Varování: SQL uožní přímou manipulaci s daty. Hrozí nebezpečí poškození nebo ztráty dat"), this);
    warning->setObjectName(QStringLiteral("lVarovani"));
    warning->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
    warning->setWordWrap(true);
    layout->addWidget(warning);

    auto *buttons = new QHBoxLayout;
    auto button = [this, buttons](const char *name, const QString &text, const std::function<void()> &action) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        connect(b, &QToolButton::clicked, this, action);
        buttons->addWidget(b);
    };
    button("sbSpustit", QStringLiteral("Spustit"), [this] { Spustit(); });
    button("sbZavrit", QStringLiteral("Zavřít"), [this] { close(); });
    button("sbTisk", QStringLiteral("Tisk tabulky"), [this] { TiskTabulky(); });
    button("sbExport", QStringLiteral("Export do TXT"), [this] { ExportTXT(); });
    buttons->addStretch();
    layout->addLayout(buttons);

    mSQL = new QPlainTextEdit(this);
    mSQL->setObjectName(QStringLiteral("mSQL"));
    layout->addWidget(mSQL, 1);
    dbgSez = new QTableView(this);
    dbgSez->setObjectName(QStringLiteral("dbgSez"));
    dbgSez->setModel(m_console.model());
    layout->addWidget(dbgSez, 3);
    sbSQL = new QStatusBar(this);
    sbSQL->setObjectName(QStringLiteral("sbSQL"));
    sbSQL->setSizeGripEnabled(false);
    sbSQL->showMessage(QStringLiteral("SQL:"));
    layout->addWidget(sbSQL);
}

TfSQL *TfSQL::open(TDMPro *dm, QWidget *parent)
{
    Prompt::warning(QStringLiteral("SQL příkay můžete způsoby rozsáhlé poškození nebo ztrátu dat"),
                    QStringLiteral("Varování"));
    auto *window = new TfSQL(dm, parent);
    window->show();
    return window;
}

int TfSQL::Spustit()
{
    const SqlConsole::Outcome outcome = m_console.run(mSQL->toPlainText());
    if (outcome == SqlConsole::Failed) {
        Prompt::warning(QStringLiteral("Chybný SQL příkaz"), QStringLiteral("SQL"));
        sbSQL->showMessage(QStringLiteral("Chybný SQL příkaz"));
        return outcome;
    }
    if (outcome == SqlConsole::Executed)
        Prompt::information(QStringLiteral("SQL příkaz byl proveden"), QStringLiteral("SQL"));
    dbgSez->resizeColumnsToContents();
    sbSQL->showMessage(QStringLiteral("SQL O.K."));
    return outcome;
}

QString TfSQL::statusText() const
{
    return sbSQL->currentMessage();
}

void TfSQL::TiskTabulky()
{
    // the table print reads the statement again, in columns as the grid shows them
    QSqlQueryModel *model = m_console.model();
    if (m_console.lastQuery().isEmpty())
        return;
    QVector<ListColumn> columns;
    const QSqlRecord record = model->record();
    for (int c = 0; c < record.count(); ++c) {
        ListColumn column;
        column.field = record.fieldName(c);
        column.caption = model->headerData(c, Qt::Horizontal).toString();
        column.width = dbgSez->columnWidth(c);
        columns << column;
    }
    // a failure has been told as "Tisk tabulky"
    ListPrintWindows::printTable(this, m_dm, m_console.lastQuery(), {}, columns, windowTitle());
}

void TfSQL::ExportTXT()
{
    ExportWindows::exportTxt(this, m_console.model());
}

void TfSQL::closeEvent(QCloseEvent *event)
{
    m_console.close();
    QDialog::closeEvent(event);
}
