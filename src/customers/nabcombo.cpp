#include "customers/nabcombo.h"
#include "customers/nabadr.h"
#include "core/rowcache.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

NabCombo::NabCombo(QWidget *parent)
    : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("eText"));
    m_edit->setReadOnly(true);
    m_edit->installEventFilter(this);
    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("sbNabidka"));
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(QStringLiteral("Nabídka"));
    m_button->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_button, &QToolButton::clicked, this, &NabCombo::openPicker);
}

void NabCombo::setAddressMode(const QString &mode, std::function<int()> firmKey)
{
    m_mode = mode.trimmed().toUpper();
    m_firmKey = std::move(firmKey);
    m_opener = [](NabCombo &combo) {
        TfNabAdr *picker = TfNabAdr::shared();
        picker->setCombo(&combo);
        if (picker->ZobrazNabidku(combo.m_mode, combo.m_firmKey ? combo.m_firmKey() : 0) < 0)
            return;
        picker->show();
        picker->raise();
        picker->activateWindow();
        picker->grid()->setFocus();
    };
    // Through the shared picker, so that its side results (price list, discount)
    // belong to the entry just shown.
    if (m_mode == QLatin1String("TEC"))
        m_textOf = [](int key) { return TfNabAdr::shared()->SestavTechnika(key); };
    else if (m_mode == QLatin1String("STR"))
        m_textOf = [](int key) { return TfNabAdr::shared()->SestavStredisko(key); };
    else
        m_textOf = [](int key) { return TfNabAdr::shared()->SestavAdresu(key); };
}

QString NabCombo::text() const
{
    return m_edit->text();
}

void NabCombo::setKey(int key)
{
    m_key = key;
    m_edit->setText(key > 0 && m_textOf ? m_textOf(key) : QString());
    m_edit->setCursorPosition(0);
}

void NabCombo::Vyber(int key)
{
    if (key < 0)
        key = 0;
    if (m_rows) {
        // a refused choice leaves the combo showing what the row holds
        if ((m_gate && !m_gate()) || m_rows->currentRow() < 0)
            return;
        const int previous = m_key;
        m_key = key;   // the row's change that follows is this choice, not news
        if (!m_rows->setValue(m_field, key)) {
            m_key = previous;
            return;
        }
    }
    setKey(key);
    emit OnVyber(key);
}

void NabCombo::openPicker()
{
    if (m_opener)
        m_opener(*this);
}

void NabCombo::bindField(RowCache *rows, const QString &field, std::function<bool()> gate)
{
    if (m_rows)
        disconnect(m_rows, nullptr, this, nullptr);
    m_rows = rows;
    m_field = field;
    m_gate = std::move(gate);
    if (!rows)
        return;
    // a record read again or another record: the text is shown anew
    connect(rows, &RowCache::reset, this, [this] {
        m_key = -1;
        followRow();
    });
    connect(rows, &RowCache::currentRowChanged, this, &NabCombo::followRow);
    connect(rows, &RowCache::rowChanged, this, [this](int row) {
        if (m_rows && row == m_rows->currentRow())
            followRow();
    });
    m_key = -1;
    followRow();
}

void NabCombo::followRow()
{
    if (!m_rows)
        return;
    const int key = m_rows->currentRow() >= 0 ? m_rows->value(m_field).toInt() : 0;
    if (key != m_key)
        setKey(key);
}

bool NabCombo::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(event);
            if (k->key() == Qt::Key_F4 || (k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier))) {
                openPicker();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            openPicker();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
