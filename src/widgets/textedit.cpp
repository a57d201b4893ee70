#include "widgets/textedit.h"
#include "widgets/toolbuttons.h"
#include "widgets/textformat.h"
#include "widgets/seztext.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/rtf.h"
#include "core/sqlpro.h"

#include <QButtonGroup>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

ParagraphIndents indentsAfterRulerClick(const ParagraphIndents &now, int y, qreal x)
{
    const qreal at = qMax<qreal>(0, x);
    ParagraphIndents result = now;
    if (y >= RulerFirstLineBand) {
        result.firstLine = at - now.left;
    } else {
        const qreal firstLineAt = qMax<qreal>(0, now.left + now.firstLine);
        result.left = at;
        result.firstLine = firstLineAt - at;
    }
    return result;
}

// --- ruler ---------------------------------------------------------------------------

TRuler::TRuler(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pRuler"));
    setToolTip(QStringLiteral("Horní část: levé odsazení, dolní část: odsazení prvního řádku"));
    setCursor(Qt::PointingHandCursor);
}

QSize TRuler::sizeHint() const
{
    return QSize(200, 2 * RulerFirstLineBand + 2);
}

void TRuler::setOrigin(int x)
{
    if (x != m_origin) {
        m_origin = x;
        update();
    }
}

void TRuler::setIndents(const ParagraphIndents &indents)
{
    m_indents = indents;
    update();
}

void TRuler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // a tick every half centimetre at the document's 96 units per inch
    const qreal perCm = 96.0 / 2.54;
    p.setPen(palette().color(QPalette::Text));
    QFont small = font();
    small.setPointSize(6);
    p.setFont(small);
    for (int i = 1; m_origin + i * perCm / 2 < width(); ++i) {
        const int x = m_origin + qRound(i * perCm / 2);
        if (i % 2 == 0)
            p.drawText(QRect(x - 10, 0, 20, height()), Qt::AlignCenter, QString::number(i / 2));
        else
            p.drawLine(x, height() / 2 - 2, x, height() / 2 + 2);
    }
    // the markers: left margin pointing down in the upper band, first line pointing up
    // in the lower one
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(palette().color(QPalette::Highlight));
    const int band = RulerFirstLineBand;
    const qreal left = m_origin + m_indents.left;
    const qreal first = m_origin + m_indents.left + m_indents.firstLine;
    const QPointF down[3] = {{left - 4, 1}, {left + 4, 1}, {left, qreal(band - 1)}};
    p.drawPolygon(down, 3);
    const QPointF up[3] = {{first - 4, qreal(height() - 1)}, {first + 4, qreal(height() - 1)}, {first, qreal(band + 1)}};
    p.drawPolygon(up, 3);
}

void TRuler::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    emit clicked(int(at.y()), at.x() - m_origin);
}

// --- editor ----------------------------------------------------------------------------

TfTextEdit::TfTextEdit(QWidget *parent, TDMPro *dm)
    : QDialog(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("fTextEdit"));
    setWindowTitle(QStringLiteral("Editor textů"));

    QHBoxLayout *bar = newToolBarLayout();
    auto addButton = [&](const QString &name, const QString &caption, const QString &hint,
                         const std::function<void()> &run, bool checkable = false) {
        QToolButton *b = addToolButton(bar, this, name, caption, hint, run);
        b->setCheckable(checkable);
        return b;
    };
    m_sbTucne = addButton(QStringLiteral("sbTucne"), QStringLiteral("B"), QStringLiteral("Tučné (Ctrl+B)"),
                          [this] { Tucne(); }, true);
    QFont f = m_sbTucne->font();
    f.setBold(true);
    m_sbTucne->setFont(f);
    m_sbKurziva = addButton(QStringLiteral("sbKurziva"), QStringLiteral("K"), QStringLiteral("Kurzíva (Ctrl+K)"),
                            [this] { Kurziva(); }, true);
    f = m_sbKurziva->font();
    f.setItalic(true);
    m_sbKurziva->setFont(f);
    m_sbPodtrzeni = addButton(QStringLiteral("sbPodtrzeni"), QStringLiteral("P"),
                              QStringLiteral("Podtržení (Ctrl+U)"), [this] { Podtrzeni(); }, true);
    f = m_sbPodtrzeni->font();
    f.setUnderline(true);
    m_sbPodtrzeni->setFont(f);
    auto *sbPismo = addButton(QStringLiteral("sbPismo"), QStringLiteral("Písmo"), QStringLiteral("Písmo (Ctrl+F)"),
                              [this] { Pismo(); });
    m_sbOdrazky = addButton(QStringLiteral("sbOdrazky"), QStringLiteral("Odrážky"),
                            QStringLiteral("Odrážky (Ctrl+O)"), [this] { Odrazky(); }, true);
    bar->addSpacing(8);
    m_sbVlevo = addButton(QStringLiteral("sbVlevo"), QStringLiteral("Vlevo"), QStringLiteral("Zarovnat vlevo"),
                          [this] { Zarovnat(QStringLiteral("L")); }, true);
    m_sbNaStred = addButton(QStringLiteral("sbNaStred"), QStringLiteral("Na střed"),
                            QStringLiteral("Zarovnat na střed"), [this] { Zarovnat(QStringLiteral("C")); }, true);
    m_sbVpravo = addButton(QStringLiteral("sbVpravo"), QStringLiteral("Vpravo"), QStringLiteral("Zarovnat vpravo"),
                           [this] { Zarovnat(QStringLiteral("R")); }, true);
    auto *alignment = new QButtonGroup(this);
    alignment->setExclusive(true);
    alignment->addButton(m_sbVlevo);
    alignment->addButton(m_sbNaStred);
    alignment->addButton(m_sbVpravo);
    bar->addSpacing(8);
    m_sbUloz = addButton(QStringLiteral("sbUloz"), QStringLiteral("Uložit změny"), QStringLiteral("Uložit změny"),
                         [this] { UlozZmeny(); });
    m_sbZpet = addButton(QStringLiteral("sbZpet"), QStringLiteral("Odvolat změny"), QStringLiteral("Odvolat změny"),
                         [this] { OdvolatZmeny(); });
    auto *sbNaplnit = addButton(QStringLiteral("sbNaplnit"), QStringLiteral("Naplnit text"),
                                QStringLiteral("Naplnit text"), [this] { NaplnitText(); });
    addButton(QStringLiteral("sbTisk"), QStringLiteral("Tisk"), QStringLiteral("Tisk"), [this] { Tisk(); });
    bar->addStretch();
    addButton(QStringLiteral("sbZavrit"), QStringLiteral("Zavřít"), QStringLiteral("Zavřít"), [this] { Zavrit(); });
    m_formatting = {m_sbTucne, m_sbKurziva, m_sbPodtrzeni, sbPismo, m_sbOdrazky,
                    m_sbVlevo, m_sbNaStred, m_sbVpravo, sbNaplnit};

    m_ruler = new TRuler(this);
    m_editor = new QTextEdit(this);
    m_editor->setObjectName(QStringLiteral("reText"));
    m_editor->setFont(Rtf::defaultFont());
    m_editor->setAcceptRichText(true);
    m_editor->installEventFilter(this);
    m_editor->horizontalScrollBar()->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_ruler);
    layout->addWidget(m_editor, 1);
    resize(640, 460);

    // the keys also work while the focus is elsewhere in the window
    for (const int key : {Qt::Key_B, Qt::Key_K, Qt::Key_U, Qt::Key_F, Qt::Key_O}) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(key)), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] { formattingKey(key, Qt::ControlModifier, true); });
    }

    connect(m_ruler, &TRuler::clicked, this, [this](int y, qreal x) { RulerClick(y, x); });
    connect(m_editor, &QTextEdit::cursorPositionChanged, this, [this] { refreshTools(); });
    connect(m_editor, &QTextEdit::currentCharFormatChanged, this, [this] { refreshTools(); });
    connect(m_editor->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeRuler(); });
    refreshTools();
}

void TfTextEdit::BindField(RowCache &rows, const QString &field)
{
    Unbind();
    m_rows = &rows;
    m_field = field.trimmed().toUpper();
    m_posted = rows.value(m_field);
    m_fields = std::make_unique<FieldBinding>();
    m_fields->setChangeGate([this](RowCache &, const QString &) { return !m_readOnly; });
    connect(m_fields.get(), &FieldBinding::changed, this, [this] { refreshTools(); });
    m_fields->bind(m_editor, rows, m_field);
    // typing starts where the text ends, as the rich edit of the earlier versions did
    m_editor->moveCursor(QTextCursor::End);
    refreshTools();
}

void TfTextEdit::Unbind()
{
    if (m_fields)
        m_fields->flush();
    m_fields.reset();
    m_rows = nullptr;
    m_field.clear();
    m_posted = QVariant();
}

void TfTextEdit::setReadOnly(bool on)
{
    m_readOnly = on;
    m_editor->setReadOnly(on);
    refreshTools();
}

bool TfTextEdit::isChanged() const
{
    if (!m_rows)
        return false;
    const QVariant now = m_rows->value(m_field);
    return Rtf::fieldText(now) != Rtf::fieldText(m_posted) || now.isNull() != m_posted.isNull();
}

void TfTextEdit::refreshTools()
{
    const bool editable = m_rows && !m_readOnly;
    for (QToolButton *b : qAsConst(m_formatting))
        b->setEnabled(editable);
    const bool changed = isChanged();
    m_sbUloz->setEnabled(editable && changed);
    m_sbZpet->setEnabled(editable && changed);

    const QTextCharFormat chars = m_editor->currentCharFormat();
    m_sbTucne->setChecked(chars.fontWeight() >= QFont::DemiBold);
    m_sbKurziva->setChecked(chars.fontItalic());
    m_sbPodtrzeni->setChecked(chars.fontUnderline());
    const QTextCursor cursor = m_editor->textCursor();
    m_sbOdrazky->setChecked(cursor.currentList() != nullptr);
    const Qt::Alignment align = m_editor->alignment() & Qt::AlignHorizontal_Mask;
    m_sbVlevo->setChecked(align != Qt::AlignHCenter && align != Qt::AlignRight);
    m_sbNaStred->setChecked(align == Qt::AlignHCenter);
    m_sbVpravo->setChecked(align == Qt::AlignRight);

    const QTextBlockFormat block = cursor.blockFormat();
    m_ruler->setIndents({block.leftMargin(), block.textIndent()});
    placeRuler();
}

void TfTextEdit::placeRuler()
{
    // the ruler's zero is the text's left edge, wherever the frame and scrolling put it
    const QPoint viewport = m_editor->viewport()->mapTo(this, QPoint(0, 0));
    const QPoint ruler = m_ruler->mapTo(this, QPoint(0, 0));
    m_ruler->setOrigin(viewport.x() - ruler.x() + qRound(m_editor->document()->documentMargin())
                       - m_editor->horizontalScrollBar()->value());
}

void TfTextEdit::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    placeRuler();
}

void TfTextEdit::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    placeRuler();
    m_editor->setFocus();
}

// --- formatting --------------------------------------------------------------------------

void TfTextEdit::Tucne()
{
    format(QStringLiteral("B"));
}

void TfTextEdit::Kurziva()
{
    format(QStringLiteral("I"));
}

void TfTextEdit::Podtrzeni()
{
    format(QStringLiteral("U"));
}

void TfTextEdit::Odrazky()
{
    format(QStringLiteral("O"));
}

void TfTextEdit::Zarovnat(const QString &command)
{
    format(command);
}

void TfTextEdit::format(const QString &command)
{
    if (m_rows && !m_readOnly)
        ApplyTextFormat(m_editor, command);
    refreshTools();
}

int TfTextEdit::Pismo()
{
    if (!m_rows || m_readOnly)
        return -1;
    const QFont current = m_editor->currentCharFormat().font().resolve(m_editor->document()->defaultFont());
    QFontDialog dialog(current, this);
    dialog.setObjectName(QStringLiteral("dlgPismo"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (Prompt::runModal(&dialog) != QDialog::Accepted) {
        refreshTools();
        return 1;
    }
    const QFont chosen = dialog.currentFont();
    QTextCharFormat change;
    change.setFontFamilies({chosen.families().value(0, chosen.family())});
    if (chosen.pointSizeF() > 0)
        change.setFontPointSize(chosen.pointSizeF());
    change.setFontWeight(chosen.bold() ? QFont::Bold : QFont::Normal);
    change.setFontItalic(chosen.italic());
    change.setFontUnderline(chosen.underline());
    m_editor->mergeCurrentCharFormat(change);
    m_editor->setFocus();
    refreshTools();
    return 0;
}

void TfTextEdit::RulerClick(int y, qreal x)
{
    if (!m_rows || m_readOnly)
        return;
    QTextCursor cursor = m_editor->textCursor();
    const QTextBlockFormat now = cursor.blockFormat();
    const ParagraphIndents indents = indentsAfterRulerClick({now.leftMargin(), now.textIndent()}, y, x);
    QTextBlockFormat change;
    change.setLeftMargin(indents.left);
    change.setTextIndent(indents.firstLine);
    cursor.mergeBlockFormat(change);   // every paragraph of the selection
    m_editor->setTextCursor(cursor);
    refreshTools();
}

// --- the row -------------------------------------------------------------------------------

int TfTextEdit::UlozZmeny()
{
    if (!m_rows)
        return -1;
    m_fields->flush();
    m_posted = m_rows->value(m_field);
    refreshTools();
    return 0;
}

int TfTextEdit::OdvolatZmeny()
{
    if (!m_rows)
        return -1;
    if (isChanged())
        m_rows->setValue(m_field, m_posted);   // the binding shows it again
    refreshTools();
    return 0;
}

int TfTextEdit::NaplnitText()
{
    if (!m_rows || m_readOnly)
        return -1;
    TfSezText picker(this, m_dm);
    if (!picker.isCreated())
        return -1;
    if (Prompt::runModal(&picker) != QDialog::Accepted || picker.chosenKey() == 0) {
        m_editor->setFocus();
        return 1;
    }
    QTextEdit *preview = picker.preview();
    // the chosen text also goes to the clipboard with its formatting, as it always has
    preview->selectAll();
    preview->copy();
    const QTextDocumentFragment text(preview->document());
    QTextCursor cursor = m_editor->textCursor();
    const int behind = (cursor.hasSelection() ? cursor.selectionStart() : cursor.position())
                       + preview->document()->toPlainText().size();
    cursor.insertFragment(text);
    cursor.setPosition(qMin(behind, m_editor->document()->characterCount() - 1));
    m_editor->setTextCursor(cursor);
    m_editor->setFocus();
    refreshTools();
    return 0;
}

int TfTextEdit::Tisk()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tisk PIF"));
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgTisk"));
    dialog.setWindowTitle(QStringLiteral("Tisk PIF"));
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return 1;
    m_editor->document()->print(&printer);
    return 0;
}

// --- keys --------------------------------------------------------------------------------

bool TfTextEdit::formattingKey(int key, Qt::KeyboardModifiers modifiers, bool run)
{
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier))
        != Qt::ControlModifier)
        return false;
    std::function<void()> action;
    switch (key) {
    case Qt::Key_B: action = [this] { Tucne(); }; break;
    case Qt::Key_K: action = [this] { Kurziva(); }; break;
    case Qt::Key_U: action = [this] { Podtrzeni(); }; break;
    case Qt::Key_F: action = [this] { Pismo(); }; break;
    case Qt::Key_O: action = [this] { Odrazky(); }; break;
    default: return false;
    }
    if (run)
        action();
    return true;
}

bool TfTextEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor) {
        if (event->type() == QEvent::ShortcutOverride) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (formattingKey(key->key(), key->modifiers(), false)) {
                // the key comes to the editor as a key press, handled below
                event->accept();
                return true;
            }
        } else if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (formattingKey(key->key(), key->modifiers(), true))
                return true;
        }
    } else if (event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        placeRuler();   // the horizontal scroll bar came or went
    }
    return QDialog::eventFilter(watched, event);
}
