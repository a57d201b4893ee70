#pragma once
// TfTextEdit, the rich-text editor of every formatted text field of the program (a
// library text, the remarks of an inspection or a delivery note): bold, italic,
// underline, font, bullets, alignment, the two paragraph indents on a ruler, a
// library text inserted at the caret, printing.
//
// The caller binds it to the current row of a RowCache and the name of the row's
// rich-text column, shows it modally and unbinds it afterwards. What is typed goes
// into the row at once, as RTF; "Uložit změny" makes it the state "Odvolat změny" goes
// back to, and the caller's own save stores the row.
#include <QDialog>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <memory>

#include "core/datamodulpro.h"
#include "widgets/fieldbinding.h"

class QTextEdit;
class QToolButton;
class RowCache;

// The indents of a paragraph in document units: left margin and the first line's
// indent against it (negative: the first line hangs out).
struct ParagraphIndents
{
    qreal left = 0;
    qreal firstLine = 0;
};

// Where a ruler click puts the indents. A click at least RulerFirstLineBand pixels
// below the ruler's top edge moves the first line to x; a click higher up moves the
// left margin of the other lines to x, the first line staying where it was. Nothing
// goes left of the text's left edge.
inline constexpr int RulerFirstLineBand = 10;
ParagraphIndents indentsAfterRulerClick(const ParagraphIndents &now, int y, qreal x);

// The ruler above the text: a scale in centimetres and the two indent markers of the
// paragraph at the caret (the left margin in the upper band, the first line in the
// lower one, where clicks set them).
class TRuler : public QWidget
{
    Q_OBJECT
public:
    explicit TRuler(QWidget *parent = nullptr);

    // x of the text's left edge in the ruler, and the markers in document units.
    void setOrigin(int x);
    void setIndents(const ParagraphIndents &indents);
    int origin() const { return m_origin; }
    ParagraphIndents indents() const { return m_indents; }
    QSize sizeHint() const override;

signals:
    // A click, x in document units from the text's left edge.
    void clicked(int y, qreal x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    int m_origin = 0;
    ParagraphIndents m_indents;
};

class TfTextEdit : public QDialog
{
    Q_OBJECT
public:
    explicit TfTextEdit(QWidget *parent = nullptr, TDMPro *dm = DM);

    // Shows and edits the column of the cache's current row.
    void BindField(RowCache &rows, const QString &field);
    void Unbind();
    // A record that cannot be changed: the text is shown only.
    void setReadOnly(bool on);

    // --- actions (each returns 0 when done, negative on failure, positive when the user
    // declined) ----------------------------------------------------------------------
    void Tucne();        // Ctrl+B
    void Kurziva();      // Ctrl+K
    void Podtrzeni();    // Ctrl+U
    void Odrazky();      // Ctrl+O
    int Pismo();         // Ctrl+F
    void Zarovnat(const QString &command);   // "L", "C", "R"
    int UlozZmeny();
    int OdvolatZmeny();
    int NaplnitText();
    int Tisk();
    void Zavrit() { close(); }
    // A click on the ruler at (y, x), x in document units.
    void RulerClick(int y, qreal x);

    // Whether the text differs from what the last "Uložit změny" (or the binding) left.
    bool isChanged() const;
    QTextEdit *editor() const { return m_editor; }
    TRuler *ruler() const { return m_ruler; }
    RowCache *rows() const { return m_rows; }
    QString field() const { return m_field; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The keys of the formatting commands; the editor's own meaning of them (Ctrl+K
    // deletes to the end of the line, Ctrl+U the line) gives way.
    bool formattingKey(int key, Qt::KeyboardModifiers modifiers, bool run);
    // Applies a formatting command to the selection of an editable text.
    void format(const QString &command);
    void refreshTools();
    void placeRuler();

    TDMPro *m_dm;
    std::unique_ptr<FieldBinding> m_fields;
    QPointer<RowCache> m_rows;
    QString m_field;
    QVariant m_posted;
    bool m_readOnly = false;
    QTextEdit *m_editor = nullptr;
    TRuler *m_ruler = nullptr;
    QToolButton *m_sbTucne = nullptr;
    QToolButton *m_sbKurziva = nullptr;
    QToolButton *m_sbPodtrzeni = nullptr;
    QToolButton *m_sbOdrazky = nullptr;
    QToolButton *m_sbVlevo = nullptr;
    QToolButton *m_sbNaStred = nullptr;
    QToolButton *m_sbVpravo = nullptr;
    QToolButton *m_sbUloz = nullptr;
    QToolButton *m_sbZpet = nullptr;
    QVector<QToolButton *> m_formatting;
};
