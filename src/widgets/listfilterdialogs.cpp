#include "widgets/listfilterdialogs.h"
#include "core/format.h"
#include "core/globals.h"
#include "core/prompt.h"
#include "templates/templatestore.h"
#include "widgets/columnboxes.h"
#include "widgets/filterdesigners.h"

#include <QCheckBox>
#include <QHBoxLayout>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
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

TfFiltrySez::TfFiltrySez(const QString &window, int variant, const QString &aliasTables, QWidget *parent)
    : TfDesignChoice(QStringLiteral("fFiltrySez"), ProductKey + QStringLiteral(" : Seznam filtrů"), parent)
{
    cbVlastni = new QCheckBox(QStringLiteral("Vlastní filtry"), this);
    cbVlastni->setObjectName(QStringLiteral("cbVlastni"));
    cbVlastni->setChecked(true);
    cbVygenerovane = new QCheckBox(QStringLiteral("Vygenerované filtry"), this);
    cbVygenerovane->setObjectName(QStringLiteral("cbVygenerovane"));
    cbVygenerovane->setChecked(true);
    auto *kinds = new QHBoxLayout;
    kinds->addWidget(cbVlastni);
    kinds->addWidget(cbVygenerovane);
    kinds->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->insertLayout(1, kinds);
    Operations ops;
    ops.list = [this, window, variant](QList<Templates::DesignEntry> &out) {
        out.clear();
        if (!cbVlastni->isChecked() && !cbVygenerovane->isChecked())
            return 0;
        const QString kind = cbVlastni->isChecked() == cbVygenerovane->isChecked()
                                 ? QString()
                                 : (cbVlastni->isChecked() ? QStringLiteral("V") : QStringLiteral("S"));
        return Templates::TemplateStore().listFilters(window, variant, out, kind);
    };
    ops.remove = [](int key) { return Templates::TemplateStore().deleteFilter(key); };
    ops.edit = [this, window, variant, aliasTables](int key) {
        TfGP designer(window, variant, aliasTables, this);
        designer.openStored(key);
        if (Prompt::runModal(&designer) == QDialog::Accepted) {
            m_applied = designer.filter();
            accept();
        }
        return designer.bar()->currentKey();
    };
    setOperations(ops);
    connect(cbVlastni, &QCheckBox::toggled, this, [this] { refresh(chosenKey()); });
    connect(cbVygenerovane, &QCheckBox::toggled, this, [this] { refresh(chosenKey()); });
}
