#include "widgets/listfilterdialogs.h"
#include "core/format.h"
#include "core/globals.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDialogButtonBox *okCancel(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bStorno"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
} // namespace

TfFiltrSloupec::TfFiltrSloupec(const QString &columnCaption, const QString &value, QWidget *parent)
    : QDialog(parent, Qt::Popup | Qt::Dialog)
{
    setObjectName(QStringLiteral("fFiltrSloupec"));
    setWindowTitle(QStringLiteral("Filtr pro sloupec"));
    m_operator = new QComboBox(this);
    m_operator->setObjectName(QStringLiteral("cbPodminka"));
    for (const Templates::OperatorChoice &c : Templates::operatorChoices())
        m_operator->addItem(c.caption, c.code);
    m_value = new QLineEdit(value, this);
    m_value->setObjectName(QStringLiteral("eHodnota"));
    auto *form = new QFormLayout;
    form->addRow(new QLabel(QStringLiteral("<b>%1</b>").arg(columnCaption.toHtmlEscaped()), this));
    form->addRow(QStringLiteral("Podmínka"), m_operator);
    form->addRow(QStringLiteral("Hodnota"), m_value);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    m_value->setFocus();
    m_value->selectAll();
}

QString TfFiltrSloupec::op() const
{
    return m_operator->currentData().toString();
}

QString TfFiltrSloupec::value() const
{
    return m_value->text();
}

void TfFiltrSloupec::setOperator(const QString &code)
{
    const int i = m_operator->findData(code);
    if (i >= 0)
        m_operator->setCurrentIndex(i);
}

TfFiltrySez::TfFiltrySez(const QList<Templates::DesignEntry> &entries, QWidget *parent)
    : QDialog(parent), m_entries(entries)
{
    setObjectName(QStringLiteral("fFiltrySez"));
    setWindowTitle(ProductKey + QStringLiteral(" : Seznam filtrů"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lbFiltry"));
    for (const Templates::DesignEntry &e : entries)
        m_list->addItem(e.name + (e.changed.isValid() ? QStringLiteral("   (") + displayText(e.changed) + QLatin1Char(')') : QString()));
    if (!entries.isEmpty())
        m_list->setCurrentRow(0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(okCancel(this));
    resize(360, 300);
}

int TfFiltrySez::chosenKey() const
{
    const int row = m_list->currentRow();
    return row >= 0 && row < m_entries.size() ? m_entries.at(row).key : 0;
}
