#pragma once
// The library of defined texts (TEXTY): the rows in a cache, written together on save
// in one transaction under each row's change counter. TextLibrary holds the rules and
// the SQL; the window TfTexty works over it.
#include <QObject>
#include <QString>

#include "core/datamodulpro.h"
#include "core/rowcache.h"

class TextLibrary : public QObject
{
    Q_OBJECT
public:
    enum Result { ResWritesBlocked = -10, ResListFailed = -8, ResSaveFailed = -6, ResRefused = -3, ResNoKey = -1 };

    // The columns a window shows and edits.
    static const QString NameField;
    static const QString TextField;

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
