#pragma once
// NabCombo, the picker combo of the document windows: a read-only text showing the
// chosen entry and a button (or F4, Alt+Down) that drops the picker down under it.
// The combo holds the chosen key; the picker hands a choice back through Vyber(),
// after which OnVyber tells the window. Bound to a column of a row, the combo shows
// the row's key as it changes and writes a choice into the row.
//
// An address combo (setAddressMode) opens the shared address picker in its mode and
// shows its key with the address text of that mode; other pickers set their own
// opener and text.
#include <QPointer>
#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;
class RowCache;

class NabCombo : public QWidget
{
    Q_OBJECT
public:
    explicit NabCombo(QWidget *parent = nullptr);

    // "FIR", "ZAM" (shown with SestavAdresu), "TEC" (SestavTechnika), "STR"
    // (SestavStredisko; the sites of the firm the firm-key source gives).
    void setAddressMode(const QString &mode, std::function<int()> firmKey = {});
    QString addressMode() const { return m_mode; }

    // What opens the picker, and the text a key is shown with.
    void setOpener(std::function<void(NabCombo &)> opener) { m_opener = std::move(opener); }
    void setTextOf(std::function<QString(int key)> textOf) { m_textOf = std::move(textOf); }

    int key() const { return m_key; }
    QString text() const;
    // Shows a key without counting it as a choice.
    void setKey(int key);
    // Shows the key again with its current text (the entry may have changed).
    void refresh() { setKey(m_key); }

    // The picker's choice (0: an empty choice): taken, shown, and announced by OnVyber
    // unless the bound row refuses it.
    void Vyber(int key);
    // Drops the picker down.
    void openPicker();

    // Binds the combo to a column of the current row of the rows: the combo follows the
    // row, and a choice is written into it when the gate allows (otherwise the combo
    // goes back to the row's value and OnVyber is not sent).
    void bindField(RowCache *rows, const QString &field, std::function<bool()> gate = {});

    QLineEdit *edit() const { return m_edit; }
    QToolButton *button() const { return m_button; }

signals:
    void OnVyber(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followRow();

    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
    int m_key = 0;
    QString m_mode;
    std::function<int()> m_firmKey;
    std::function<void(NabCombo &)> m_opener;
    std::function<QString(int)> m_textOf;
    QPointer<RowCache> m_rows;
    QString m_field;
    std::function<bool()> m_gate;
};
