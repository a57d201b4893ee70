#pragma once
// The window over the library of defined texts; the rules and the SQL are TextLibrary's.
#include <QDialog>

#include "admin/textlibrary.h"
#include "widgets/fieldbinding.h"

class QComboBox;
class QLineEdit;
class QTextEdit;
class QToolButton;

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
