#pragma once
// TfLTarko, the main window: a tool bar across the top of the screen with the main
// menu, from which every list, document, code list and tool is opened.
#include <QHash>
#include <QMainWindow>
#include <functional>

class QToolButton;
class QLabel;
class TDM;

// One entry of the main menu, in the order it is shown.
struct MainMenuEntry
{
    const char *menu;        // top-level caption
    const char *entry;       // entry caption; null for a top-level action
    const char *objectName;  // the entry's action name (mi...)
    bool separatorAfter;
    bool hidden;
};

class TfLTarko : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfLTarko(TDM *dm, QWidget *parent = nullptr);

    static const QVector<MainMenuEntry> &menuTable();

    // Start-up: connection loop, decimal separator, parameters, start directory.
    void FormCreate();
    // Runs whenever the connection has (re)opened: parameters and the schema check.
    void afterConnect();

    // Binds a menu entry (by its action name) to what it opens. Entries left without a
    // binding when the menu is wired are shown disabled.
    void bind(const QString &objectName, std::function<void()> handler);
    void trigger(const QString &objectName);

    // "Datatabáze": the connection window, then a new connection whatever was chosen.
    void openDatabaseWindow();
    // A new connection with the stored values, and what follows one.
    void reconnect();
    // Called after every connection that opened (start-up, "Datatabáze", a switch).
    std::function<void()> onConnected;

    // The program is asked to end from outside (SIGTERM, SIGINT, SIGHUP): it ends as
    // "Konec" does but asks nothing; unsaved edits are dropped, never half written, and
    // the open transaction is rolled back when the data module closes.
    void endWithoutQuestions();
    bool isEnding() const { return m_ending; }
    // The desktop session ends: where the session manager lets the program ask, every
    // edit window with unsaved changes asks "Uložit změny ?" first; false when the user
    // cancelled (the session should not end).
    bool sessionEnding(bool mayAsk);
    // A second start on the same database: this window comes to the front.
    void bringToFront();

    // Whether the window may close ("Ukončit program ?").
    bool confirmClose();

    // Replaceable for tests: shows the connection window modally, returns its result.
    std::function<int()> showConnectionWindow;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildMenu();
    void buildToolBar();
    void placeEndButton();
    void disableUnboundEntries();
    void about();

    TDM *m_dm;
    bool m_ending = false;
    QHash<QString, std::function<void()>> m_handlers;
    QWidget *m_bar = nullptr;
    QToolButton *m_sbKonec = nullptr;
    QLabel *m_lVerze = nullptr;
};
