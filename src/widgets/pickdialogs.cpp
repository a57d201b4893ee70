#include "widgets/pickdialogs.h"
#include "widgets/toolbuttons.h"
#include "widgets/keyfilters.h"
#include "core/prompt.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QLineEdit *lineEdit(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

} // namespace

// --- TfPickDialog ----------------------------------------------------------------

TfPickDialog::TfPickDialog(const QString &objectName, const QString &caption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
}

bool TfPickDialog::ask()
{
    return Prompt::runModal(this) == PromptOk;
}

void TfPickDialog::confirm()
{
    if (validate())
        done(PromptOk);
}

void TfPickDialog::reject()
{
    done(PromptCancel);
}

QHBoxLayout *TfPickDialog::buttonRow(const QString &okCaption, const QString &cancelCaption)
{
    QHBoxLayout *row = newOkCancelRow(this, m_bOK, m_bStorno, okCaption, cancelCaption);
    connect(m_bOK, &QPushButton::clicked, this, &TfPickDialog::confirm);
    connect(m_bStorno, &QPushButton::clicked, this, &TfPickDialog::reject);
    return row;
}

// --- TfVybText -------------------------------------------------------------------

const QStringList &TfVybText::conditionCodes()
{
    static const QStringList codes = {
        QStringLiteral(".=."), QStringLiteral(".="), QStringLiteral("=."), QStringLiteral("="),
        QStringLiteral(">"), QStringLiteral(">="), QStringLiteral("<"), QStringLiteral("<=")};
    return codes;
}

TfVybText::TfVybText(QWidget *parent)
    : TfPickDialog(QStringLiteral("fVybText"), QStringLiteral("Výběr textu"), parent)
{
    m_eText = lineEdit("eText", this);
    m_eText->setMinimumWidth(260);
    auto *lText = new QLabel(QStringLiteral("Text výběru"), this);
    lText->setBuddy(m_eText);

    static const char *const items[] = {
        "obsahuje text", "začíná textem", "končí textem", "rovná se", "je větší ",
        "je větší nebo se rovná", "je menší ", "je menší nebo se rovná"};
    auto *group = new QGroupBox(QStringLiteral(" Podmínka "), this);
    group->setObjectName(QStringLiteral("rgPodminka"));
    auto *groupLayout = new QVBoxLayout(group);
    m_rgPodminka = new QButtonGroup(this);
    int id = 0;
    for (const char *item : items) {
        auto *radio = new QRadioButton(QString::fromUtf8(item), group);
        radio->setObjectName(QStringLiteral("rbPodminka%1").arg(id));
        m_rgPodminka->addButton(radio, id++);
        groupLayout->addWidget(radio);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lText);
    layout->addWidget(m_eText);
    layout->addWidget(group);
    layout->addLayout(buttonRow());
    m_eText->setFocus();
}

QString TfVybText::text() const
{
    return m_eText->text();
}

void TfVybText::setText(const QString &text)
{
    m_eText->setText(text);
}

int TfVybText::conditionIndex() const
{
    return m_rgPodminka->checkedId();
}

void TfVybText::setConditionIndex(int index)
{
    if (QAbstractButton *b = m_rgPodminka->button(index)) {
        b->setChecked(true);
        return;
    }
    // an exclusive group never lets the last checked button go by itself
    if (QAbstractButton *checked = m_rgPodminka->checkedButton()) {
        m_rgPodminka->setExclusive(false);
        checked->setChecked(false);
        m_rgPodminka->setExclusive(true);
    }
}

QString TfVybText::conditionCode() const
{
    const int index = conditionIndex();
    return index >= 0 && index < conditionCodes().size() ? conditionCodes().at(index)
                                                         : QStringLiteral(".=");
}

// --- TfVyberNaz ------------------------------------------------------------------

TfVyberNaz::TfVyberNaz(QWidget *parent)
    : TfPickDialog(QStringLiteral("fVyberNaz"), QStringLiteral("Zadání názvu"), parent)
{
    m_edNaz = lineEdit("edNaz", this);
    m_edNaz->setMinimumWidth(260);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Název"), m_edNaz);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow());
    m_edNaz->setFocus();
}

QString TfVyberNaz::askName(const QString &initial, QWidget *parent)
{
    TfVyberNaz dialog(parent);
    dialog.setName(initial);
    return dialog.ask() ? dialog.name() : QString();
}

QString TfVyberNaz::name() const
{
    return m_edNaz->text().trimmed();
}

void TfVyberNaz::setName(const QString &name)
{
    m_edNaz->setText(name);
}

bool TfVyberNaz::validate()
{
    if (!name().isEmpty())
        return true;
    Prompt::information(QStringLiteral("Není zadán název pro výběr"), QStringLiteral("Zpráva"));
    m_edNaz->setFocus();
    return false;
}

// --- TfVybInt --------------------------------------------------------------------

TfVybInt::TfVybInt(QWidget *parent)
    : TfPickDialog(QStringLiteral("fVybInt"), QStringLiteral("Výběr intervalu čísel"), parent)
{
    // The key filter takes care of Enter and most stray keys; the validator keeps
    // the fields to plain digits that fit a whole number, pasted text included.
    auto *digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), this);
    m_eOd = lineEdit("eOd", this);
    m_eDo = lineEdit("eDo", this);
    for (QLineEdit *e : {m_eOd, m_eDo}) {
        e->setValidator(digits);
        installKeyFilter(e, KeyFilter::ZadejInt);
    }
    m_cbNenulove = new QCheckBox(QStringLiteral("Jen nenulové"), this);
    m_cbNenulove->setObjectName(QStringLiteral("cbNenulove"));

    auto *group = new QGroupBox(QStringLiteral("Interval výběru"), this);
    group->setObjectName(QStringLiteral("gbInterval"));
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("Od"), m_eOd);
    form->addRow(QStringLiteral("Do"), m_eDo);
    form->addRow(m_cbNenulove);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttonRow());
    m_eOd->setFocus();
}

int TfVybInt::from() const
{
    return m_eOd->text().toInt();
}

int TfVybInt::to() const
{
    return m_eDo->text().toInt();
}

bool TfVybInt::nonZeroOnly() const
{
    return m_cbNenulove->isChecked();
}

void TfVybInt::setRange(int from, int to)
{
    m_eOd->setText(QString::number(qMax(0, from)));
    m_eDo->setText(QString::number(qMax(0, to)));
}

void TfVybInt::setNonZeroOnly(bool on)
{
    m_cbNenulove->setChecked(on);
}

// --- TfVybObd --------------------------------------------------------------------

TfVybObd::TfVybObd(QWidget *parent)
    : TfPickDialog(QStringLiteral("fVybObd"), QStringLiteral("Výběr období"), parent)
{
    auto dateEdit = [this](const char *name) {
        auto *d = new QDateEdit(QDate::currentDate(), this);
        d->setObjectName(QLatin1String(name));
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setCalendarPopup(true);
        return d;
    };
    m_dOd = dateEdit("dOd");
    m_dDo = dateEdit("dDo");

    auto *group = new QGroupBox(QStringLiteral("Období výběru"), this);
    group->setObjectName(QStringLiteral("gbObdobi"));
    auto *form = new QFormLayout(group);
    form->addRow(QStringLiteral("Od"), m_dOd);
    form->addRow(QStringLiteral("Do"), m_dDo);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttonRow());
    m_dOd->setFocus();
}

QDate TfVybObd::from() const
{
    return m_dOd->date();
}

QDate TfVybObd::to() const
{
    return m_dDo->date();
}

void TfVybObd::setRange(const QDate &from, const QDate &to)
{
    m_dOd->setDate(from);
    m_dDo->setDate(to);
}

// --- TfNovy ----------------------------------------------------------------------

TfNovy::TfNovy(QWidget *parent)
    : TfPickDialog(QStringLiteral("fNovy"), QStringLiteral("Tarko 8: Nová číselná řada"), parent)
{
    m_eNazev = lineEdit("eNazev", this);
    m_eNazev->setMinimumWidth(260);
    m_eKod = lineEdit("eKod", this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Název"), m_eNazev);
    form->addRow(QStringLiteral("Kód"), m_eKod);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow(QStringLiteral("O.K. - Přidat"), QStringLiteral("Storno - Nepřidávat")));
    m_eNazev->setFocus();
}

bool TfNovy::askNew(QString &name, QString &code, QWidget *parent)
{
    TfNovy dialog(parent);
    if (!dialog.ask())
        return false;
    name = dialog.name();
    code = dialog.code();
    return true;
}

QString TfNovy::name() const
{
    return m_eNazev->text().trimmed();
}

QString TfNovy::code() const
{
    return m_eKod->text().trimmed();
}

void TfNovy::setValues(const QString &name, const QString &code)
{
    m_eNazev->setText(name);
    m_eKod->setText(code);
}

bool TfNovy::validate()
{
    if (!code().isEmpty())
        return true;
    Prompt::warning(QStringLiteral("Musíte vyplnit kód"), QStringLiteral("Nová řada "));
    m_eKod->setFocus();
    return false;
}

// --- TfRucVstup ------------------------------------------------------------------

TfRucVstup::TfRucVstup(QWidget *parent)
    : TfPickDialog(QStringLiteral("fRucVstup"), QStringLiteral("Vstup"), parent)
{
    m_lPopis = new QLabel(this);
    m_lPopis->setObjectName(QStringLiteral("lPopis"));
    m_eVstup = lineEdit("eVstup", this);
    m_eVstup->setMinimumWidth(220);
    m_lPopis->setBuddy(m_eVstup);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lPopis);
    layout->addWidget(m_eVstup);
    layout->addLayout(buttonRow());
    m_eVstup->setFocus();
}

bool TfRucVstup::askInteger(const QString &caption, int &value, QWidget *parent)
{
    TfRucVstup dialog(parent);
    dialog.setDescription(caption);
    dialog.setIntegerMode(true);
    dialog.setValue(QString::number(value));
    if (!dialog.ask())
        return false;
    value = dialog.intValue();
    return true;
}

bool TfRucVstup::askText(const QString &caption, QString &value, QWidget *parent)
{
    TfRucVstup dialog(parent);
    dialog.setDescription(caption);
    dialog.setValue(value);
    if (!dialog.ask())
        return false;
    value = dialog.value();
    return true;
}

void TfRucVstup::setDescription(const QString &text)
{
    m_lPopis->setText(text);
}

QString TfRucVstup::description() const
{
    return m_lPopis->text();
}

QString TfRucVstup::value() const
{
    return m_eVstup->text();
}

void TfRucVstup::setValue(const QString &value)
{
    m_eVstup->setText(value);
    m_eVstup->selectAll();
}

int TfRucVstup::intValue() const
{
    return m_eVstup->text().trimmed().toInt();
}

bool TfRucVstup::validate()
{
    if (!m_integerMode)
        return true;
    bool ok = false;
    m_eVstup->text().trimmed().toInt(&ok);
    if (ok)
        return true;
    Prompt::error(QStringLiteral("Zadávání celého čísla"), windowTitle());
    m_eVstup->setFocus();
    m_eVstup->selectAll();
    return false;
}

// --- TfMenuVybSez ----------------------------------------------------------------

TfMenuVybSez::TfMenuVybSez(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fMenuVybSez"));
    struct Item { const char *name; const char *caption; Choice result; };
    static const Item items[] = {
        {"bSeznam", "Seznam", List}, {"bVyber", "Výběr", Pick}, {"bStorno", "Storno", Cancelled}};
    auto *layout = new QHBoxLayout(this);
    for (const Item &item : items) {
        auto *b = new QPushButton(QString::fromUtf8(item.caption), this);
        b->setObjectName(QLatin1String(item.name));
        const int result = item.result;
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        layout->addWidget(b);
        if (item.result == List) {
            b->setDefault(true);
            b->setFocus();
        }
    }
}

int TfMenuVybSez::ask()
{
    return Prompt::runModal(this);
}

void TfMenuVybSez::reject()
{
    done(Cancelled);
}
