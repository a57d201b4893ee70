#pragma once
// TfSQL, the SQL console: an administrator types any statement, a SELECT shows its
// rows in the grid, anything else is executed. Modeless; frees itself when closed.
#include <QDialog>

#include "admin/sqlconsole.h"

class QLabel;
class QPlainTextEdit;
class QStatusBar;
class QTableView;
class QToolButton;
class TDMPro;

class TfSQL : public QDialog
{
    Q_OBJECT
public:
    explicit TfSQL(TDMPro *dm, QWidget *parent = nullptr);

    // The main menu's "SQL": the warning, then the window, modeless.
    static TfSQL *open(TDMPro *dm, QWidget *parent);

    // Runs the text of mSQL. The console's outcome.
    int Spustit();
    void TiskTabulky();
    void ExportTXT();
    QString statusText() const;
    SqlConsole &console() { return m_console; }

    QPlainTextEdit *mSQL = nullptr;
    QStatusBar *sbSQL = nullptr;
    QTableView *dbgSez = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    SqlConsole m_console;
    TDMPro *m_dm;
};
