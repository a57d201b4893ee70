#pragma once
// The library of defined texts (TEXTY): the rows in a cache, written together on save
// in one transaction under each row's change counter. TextLibrary holds the rules and
// the SQL; TfTexty is the window over it.
#include <QDialog>
#include <QObject>
#include <QString>

#include "core/datamodulpro.h"
#include "widgets/fieldbinding.h"
#include "core/rowcache.h"

class QComboBox;
class QLineEdit;
class QTextEdit;
class QToolButton;

class TextLibrary : public QObject
{
    Q_OBJECT
public:
    enum Result { ResWritesBlocked = -10, ResListFailed = -8, ResSaveFailed = -6, ResRefused = -3, ResNoKey = -1 };

    explicit TextLibrary(TDMPro *dm = DM, QObject *parent = nullptr);

    // Reads the library by name and goes to the text with the key (0: the first).
    // 0, or ResListFailed (reason in lastError()).
    int Open(int key = 0);
    // A new text at the end of the rows, current, with its key and KLIC 0; stored on
    // the next save. The key, or ResWritesBlocked / ResNoKey (message shown).
    int Add();
    // Whether the text in the row (-1: the current one) may be removed: only a text
    // without a code; the program finds its own texts by their codes.
    bool CanRemove(int row = -1) const;
    // Removes the current text; it goes from the database on the next save. A text of
    // the program is refused (ResRefused, message shown).
    int Remove();
    // Writes every change in one transaction, then reads the library again and returns
    // to the text that was current. 0, ResSaveFailed (nothing stored, the changes stay
    // to be saved again; reason in lastError()) or ResListFailed.
    int Save();

    bool isModified() const { return m_rows.isDirty(); }
    int currentKey() const;
    RowCache &rows() { return m_rows; }
    TDMPro *dm() const { return m_dm; }
    QString lastError() const { return m_lastError; }

private:
    TDMPro *m_dm;
    RowCache m_rows;
    bool m_adding = false;
    QString m_lastError;
};

// "Tarko 8: Předdefinice textů": choose a text, rename it, edit it in the text editor,
// add and remove texts. Show it modally; closing saves (and stays open when the save
// failed, so nothing typed is lost).
class TfTexty : public QDialog
{
    Q_OBJECT
public:
    explicit TfTexty(QWidget *parent = nullptr, TDMPro *dm = DM);

    // False when the library could not be read (the user has been told).
    bool isCreated() const { return m_created; }

    // Each returns 0 when done, negative on failure, positive when the user declined.
    int Pridat();
    int Ubrat();
    int Ulozit();
    int EditorTextu();
    int Zavrit();

    TextLibrary &library() { return m_library; }
    QComboBox *chooser() const { return m_cbVyber; }

protected:
    void closeEvent(QCloseEvent *event) override;
    // Esc closes through the same save as the window's cross.
    void reject() override;

private:
    void fillChooser();
    void refreshActions();

    TextLibrary m_library;
    FieldBinding m_fields;
    QComboBox *m_cbVyber = nullptr;
    QLineEdit *m_eNazev = nullptr;
    QTextEdit *m_reText = nullptr;
    QToolButton *m_sbUber = nullptr;
    bool m_created = false;
    bool m_closing = false;
};
