#include "shell/parprog.h"
#include "core/prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit *lineEdit(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QCheckBox *checkBox(const char *name, const QString &caption, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

// Editable, so a stored value that is not among the choices is shown as it is and
// stays untouched unless the user changes it.
QComboBox *comboBox(const char *name, const QStringList &choices, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->addItems(choices);
    return c;
}

QGroupBox *group(const QString &title, QWidget *parent)
{
    return new QGroupBox(title, parent);
}

} // namespace

TfParProg::TfParProg(TDMPro *dm, QWidget *parent)
    : QDialog(parent), m_store(dm)
{
    setObjectName(QStringLiteral("fParProg"));
    setWindowTitle(ParameterStore::caption());
    build();
    Nacti();
}

void TfParProg::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("pcParametry"));
    layout->addWidget(tabs);

    // Obecné
    auto *general = new QWidget(tabs);
    auto *generalLayout = new QVBoxLayout(general);
    auto *firm = group(QStringLiteral("  Údaje firmy  "), general);
    auto *firmLayout = new QFormLayout(firm);
    firmLayout->addRow(QStringLiteral("Název"), lineEdit("eFirma", firm));
    firmLayout->addRow(QStringLiteral("Adresa"), lineEdit("eAdresa1", firm));
    firmLayout->addRow(QString(), lineEdit("eAdresa2", firm));
    firmLayout->addRow(QStringLiteral("Registrace"), lineEdit("eRegistrace", firm));
    firmLayout->addRow(QStringLiteral("IČO"), lineEdit("eICO", firm));
    firmLayout->addRow(QStringLiteral("DIČ"), lineEdit("eDIC", firm));
    firmLayout->addRow(QStringLiteral("Telefon"), lineEdit("eTelefon", firm));
    firmLayout->addRow(QStringLiteral("Účet"), lineEdit("eUcet", firm));
    generalLayout->addWidget(firm);

    auto *address = group(QStringLiteral("  Adresa provozovny  "), general);
    auto *addressLayout = new QVBoxLayout(address);
    addressLayout->addWidget(lineEdit("eProv1", address));
    addressLayout->addWidget(lineEdit("eProv2", address));
    generalLayout->addWidget(address);

    auto *period = group(QStringLiteral("  Období pro generování číselných řad  "), general);
    auto *periodLayout = new QFormLayout(period);
    periodLayout->addRow(QStringLiteral("Rok"), lineEdit("eRok", period));
    periodLayout->addRow(QStringLiteral("Měsíc"), lineEdit("eMes", period));
    generalLayout->addWidget(period);

    auto *passwords = group(QStringLiteral("  Změna hesla "), general);
    auto *passwordLayout = new QFormLayout(passwords);
    m_eHesloS = lineEdit("eHesloS", passwords);
    m_eHeslo = lineEdit("eHeslo", passwords);
    m_eHeslo2 = lineEdit("eHeslo2", passwords);
    for (QLineEdit *e : {m_eHesloS, m_eHeslo, m_eHeslo2})
        e->setEchoMode(QLineEdit::Password);
    passwordLayout->addRow(QStringLiteral("Stávající"), m_eHesloS);
    passwordLayout->addRow(QStringLiteral("Nové"), m_eHeslo);
    passwordLayout->addRow(QStringLiteral("Kontrola"), m_eHeslo2);
    generalLayout->addWidget(passwords);
    generalLayout->addStretch();
    tabs->addTab(general, QStringLiteral("Obecné"));

    // Kalkulace
    auto *calculation = new QWidget(tabs);
    auto *calculationLayout = new QVBoxLayout(calculation);
    auto *charged = group(QStringLiteral("  Kontrolu HP účtovat pro tyto stavy HP  "), calculation);
    auto *chargedLayout = new QVBoxLayout(charged);
    static const char *const states[] = {
        "1 - HP zkontrolován, zůstává u zákaníka",
        "2 - HP převzat doopravy - výměna za jiný",
        "3 - HP vyřazen - převzat na likvidaci",
        "4 - HP převzat do opravy - vrácen stejný",
        "5 - HP vyřazen - zůstává u zákaníka",
        "6 - HP dodán po opravě a odebraný HP (stav 2)",
        "7 - dodán nový HP za odebraný HP (stav 2)",
        "8 - HP dodán po opravě za vyřazený HP (stav 5)",
        "9 - nový HP dodný navíc nebo za vyřazený (stav 3, 5)",
    };
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = "cbUcHP" + QByteArray::number(i + 1);
        chargedLayout->addWidget(checkBox(name.constData(), QString::fromUtf8(states[i]), charged));
    }
    calculationLayout->addWidget(charged);
    auto *disposal = group(QStringLiteral("  Likvidaci HP účtovat pro tyto stavy HP  "), calculation);
    auto *disposalLayout = new QVBoxLayout(disposal);
    disposalLayout->addWidget(checkBox("cbLikHP3", QString::fromUtf8(states[2]), disposal));
    disposalLayout->addWidget(checkBox("cbLikHP5", QString::fromUtf8(states[4]), disposal));
    calculationLayout->addWidget(disposal);
    calculationLayout->addStretch();
    tabs->addTab(calculation, QStringLiteral("Kalkulace"));

    // Finance
    auto *finance = new QWidget(tabs);
    auto *financeLayout = new QVBoxLayout(finance);
    auto *rounding = new QFormLayout;
    rounding->addRow(QStringLiteral("Daň z pridané hodnoty - zaokrouhlit na"),
                     comboBox("cbZaokDPH", {QStringLiteral("0.01"), QStringLiteral("0.10")}, finance));
    rounding->addRow(QStringLiteral("Celková cena - zaokrouhlit na"),
                     comboBox("cbZaokCen", {QStringLiteral("0.01"), QStringLiteral("0.10"),
                                            QStringLiteral("0.50"), QStringLiteral("1.00")}, finance));
    financeLayout->addLayout(rounding);
    auto *rates = group(QStringLiteral("  Sazba daně z přidané hodnoty  "), finance);
    auto *ratesLayout = new QFormLayout(rates);
    ratesLayout->addRow(QStringLiteral("Základní"), lineEdit("eDPHZ", rates));
    ratesLayout->addRow(QStringLiteral("Snížená"), lineEdit("eDPHS", rates));
    financeLayout->addWidget(rates);
    financeLayout->addWidget(checkBox("cbCenBezDPH", QStringLiteral("Ceny jsou uváděny bez DPH"), finance));
    financeLayout->addWidget(checkBox("cbCenovePasma", QStringLiteral("Ceny podle množstevních pásem ceníku"), finance));
    financeLayout->addStretch();
    tabs->addTab(finance, QStringLiteral("Finance"));

    // Tiskové sestavy
    auto *printing = new QWidget(tabs);
    auto *printingLayout = new QVBoxLayout(printing);
    auto *logo = group(QStringLiteral("  Logo v tiskových sestavách  "), printing);
    auto *logoLayout = new QHBoxLayout(logo);
    logoLayout->addWidget(new QLabel(QStringLiteral("Cesta"), logo));
    m_feLogo = lineEdit("feLogo", logo);
    logoLayout->addWidget(m_feLogo, 1);
    auto *browse = new QToolButton(logo);
    browse->setObjectName(QStringLiteral("sbLogo"));
    browse->setText(QStringLiteral("..."));
    connect(browse, &QToolButton::clicked, this, &TfParProg::chooseLogo);
    logoLayout->addWidget(browse);
    printingLayout->addWidget(logo);
    printingLayout->addWidget(checkBox("cbTiskZZ", QStringLiteral("Tisk záhlaví a zápatí na každou stránku"), printing));
    printingLayout->addWidget(checkBox("cbSkrytTech", QStringLiteral("Netisknout jména techniků v dokladech o kontrole"), printing));
    printingLayout->addWidget(checkBox("cbTabHPNovStr", QStringLiteral("Tabulku s HP začít tisknout na nové stránce"), printing));
    printingLayout->addWidget(checkBox("cbTabPVNovStr", QStringLiteral("Tabulku s PV začít tisknout na nové stránce"), printing));
    printingLayout->addWidget(checkBox("cbTabPKNovStr", QStringLiteral("Tabulku s PK začít tisknout na nové stránce"), printing));
    auto *margins = group(QStringLiteral("  Tiskové okraje  "), printing);
    auto *marginsLayout = new QFormLayout(margins);
    marginsLayout->addRow(QStringLiteral("Horní [mm]"), lineEdit("eHorOkr", margins));
    marginsLayout->addRow(QStringLiteral("Dolní [mm]"), lineEdit("eDolOkr", margins));
    printingLayout->addWidget(margins);
    auto *inspector = group(QStringLiteral("  Kontrolu provedl  "), printing);
    auto *inspectorLayout = new QVBoxLayout(inspector);
    inspectorLayout->addWidget(lineEdit("eKontroluProvedl", inspector));
    printingLayout->addWidget(inspector);
    printingLayout->addStretch();
    tabs->addTab(printing, QStringLiteral("Tiskové sestavy"));

    // Systém
    auto *system = new QWidget(tabs);
    auto *systemLayout = new QVBoxLayout(system);
    auto *systemForm = new QFormLayout;
    QStringList numbers;
    for (int i = 1; i <= 10; ++i)
        numbers << QString::number(i);
    QComboBox *database = comboBox("cbIDDatabaze", numbers, system);
    database->setValidator(new QIntValidator(1, 10, database));
    systemForm->addRow(QStringLiteral("Číslo databáze"), database);
    QLineEdit *version = lineEdit("eVerDat", system);
    version->setReadOnly(true);
    systemForm->addRow(QStringLiteral("Verze databáze"), version);
    systemLayout->addLayout(systemForm);
    auto *collision = new QLabel(QStringLiteral("Změnou údajů můžete způsobit kolizi databáze"), system);
    collision->setObjectName(QStringLiteral("lKolize"));
    collision->setStyleSheet(QStringLiteral("color: red"));
    systemLayout->addWidget(collision);
    systemLayout->addStretch();
    tabs->addTab(system, QStringLiteral("Systém"));

    auto *note = new QLabel(QStringLiteral("Tyto údaje mají zásadní vliv na chování programu"), this);
    note->setObjectName(QStringLiteral("lPozor"));
    layout->addWidget(note);

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("Uložit parametry"), this);
    save->setObjectName(QStringLiteral("sbUloz"));
    auto *reload = new QPushButton(QStringLiteral("Zpět původní parametry"), this);
    reload->setObjectName(QStringLiteral("sbNacti"));
    auto *close = new QPushButton(QStringLiteral("Zavřít bez uložení"), this);
    close->setObjectName(QStringLiteral("sbZavrit"));
    save->setAutoDefault(false);
    reload->setAutoDefault(false);
    close->setAutoDefault(false);
    buttons->addWidget(save);
    buttons->addWidget(reload);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] { Uloz(); });
    connect(reload, &QPushButton::clicked, this, [this] { Nacti(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TfParProg::chooseLogo()
{
    FileDialogRequest request;
    request.caption = QStringLiteral("Logo v tiskových sestavách");
    request.directory = m_feLogo->text().trimmed();
    request.filter = QStringLiteral("Obrázky (*.bmp *.jpg *.jpeg *.png);;Všechny soubory (*)");
    const QString file = Prompt::openFileName(request);
    if (!file.isEmpty())
        m_feLogo->setText(file);
}

void TfParProg::fieldsToTexts()
{
    for (const ParameterItem &item : parameterItems()) {
        const QString name = QString::fromLatin1(item.name);
        if (item.kind == ParameterItem::Password)
            continue;       // the field "Nové" is the password change, not the password
        QWidget *w = findChild<QWidget *>(name);
        if (auto *e = qobject_cast<QLineEdit *>(w))
            m_store.texts.insert(name, e->text());
        else if (auto *c = qobject_cast<QCheckBox *>(w))
            m_store.texts.insert(name, c->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
        else if (auto *b = qobject_cast<QComboBox *>(w))
            m_store.texts.insert(name, b->currentText());
    }
}

void TfParProg::textsToFields()
{
    for (const ParameterItem &item : parameterItems()) {
        const QString name = QString::fromLatin1(item.name);
        if (item.kind == ParameterItem::Password)
            continue;
        const QString text = m_store.texts.value(name);
        QWidget *w = findChild<QWidget *>(name);
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(text);
        else if (auto *c = qobject_cast<QCheckBox *>(w))
            c->setChecked(text == QLatin1String("1"));
        else if (auto *b = qobject_cast<QComboBox *>(w))
            b->setCurrentText(text);
    }
    m_eHesloS->clear();
    m_eHeslo->clear();
    m_eHeslo2->clear();
}

int TfParProg::Nacti()
{
    fieldsToTexts();
    if (!m_store.load())
        return -1;
    textsToFields();
    return 0;
}

int TfParProg::Uloz()
{
    fieldsToTexts();
    m_store.currentPassword = m_eHesloS->text();
    m_store.newPassword = m_eHeslo->text();
    m_store.confirmPassword = m_eHeslo2->text();
    if (!m_store.save())
        return -6;
    textsToFields();
    return 0;
}
