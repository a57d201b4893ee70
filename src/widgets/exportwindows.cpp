#include "widgets/exportwindows.h"

#include "core/prompt.h"

#include <QAbstractItemModel>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace ExportWindows {

std::function<void(const QString &path)> openWorkbook = [](const QString &path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
};

int exportExcel(QWidget *parent, QAbstractItemModel *model)
{
    if (Prompt::question(QStringLiteral("Exportovat data do Excelu ?"), QStringLiteral("Export do Excelu")) != PromptYes)
        return 1;
    FileDialogRequest request;
    request.save = true;
    request.caption = QStringLiteral("Export do Excelu");
    request.filter = QStringLiteral("Sešit Excelu (*.xlsx)");
    request.defaultSuffix = QStringLiteral("xlsx");
    const QString path = Prompt::saveFileName(request);
    if (path.isEmpty())
        return 1;
    QString error;
    if (!ListExport::writeXlsx(ListExport::fromModel(model), path, &error)) {
        Prompt::error(QStringLiteral("Chyba ") + error, QStringLiteral("Export do Excelu"));
        return -1;
    }
    if (openWorkbook)
        openWorkbook(path);
    return 0;
}

int exportTxt(QWidget *parent, QAbstractItemModel *model)
{
    FileDialogRequest request;
    request.save = true;
    request.caption = QStringLiteral("Export do TXT");
    request.filter = QStringLiteral("Text (*.TXT);;Všechny soubory (*)");
    request.defaultSuffix = QStringLiteral("TXT");
    const QString path = Prompt::saveFileName(request);
    if (path.isEmpty())
        return 1;
    QString error;
    if (!ListExport::writeFile(path, ListExport::txtBytes(ListExport::fromModel(model)), &error)) {
        Prompt::error(QStringLiteral("Chyba exportu do TXT"), QStringLiteral("Chyba TXT"));
        return -1;
    }
    return 0;
}

int exportXml(QWidget *parent, QAbstractItemModel *model)
{
    const ListExport::Sheet sheet = ListExport::fromModel(model);
    XmlExportDialog dialog(sheet.titles, parent);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return 1;
    QString error;
    if (!ListExport::writeFile(dialog.filePath(), ListExport::xmlBytes(sheet, dialog.names()), &error)) {
        Prompt::error(QStringLiteral("Chyba exportu do XML souboru"), QStringLiteral("Chyba XML"));
        return -1;
    }
    return 0;
}

} // namespace ExportWindows

namespace {

// A column title as an element name: blanks and characters no name may hold become "_".
QString elementName(const QString &title)
{
    QString name = title.trimmed();
    static const QRegularExpression notInName(QStringLiteral("[^\\w.\\-]"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    name.replace(notInName, QStringLiteral("_"));
    if (name.isEmpty() || !(name.at(0).isLetter() || name.at(0) == QLatin1Char('_')))
        name.prepend(QLatin1Char('_'));
    return name;
}

bool isElementName(const QString &name)
{
    return !name.isEmpty() && elementName(name) == name;
}

} // namespace

XmlExportDialog::XmlExportDialog(const QStringList &titles, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export do XML"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    eHlavni = new QLineEdit(QStringLiteral("Seznam"), this);
    eHlavni->setObjectName(QStringLiteral("eHlavni"));
    eRadek = new QLineEdit(QStringLiteral("Zaznam"), this);
    eRadek->setObjectName(QStringLiteral("eRadek"));
    form->addRow(QStringLiteral("Hlavní element"), eHlavni);
    form->addRow(QStringLiteral("Element řádku"), eRadek);
    layout->addLayout(form);

    dbgPolozky = new QTableWidget(titles.size(), 2, this);
    dbgPolozky->setObjectName(QStringLiteral("dbgPolozky"));
    dbgPolozky->setHorizontalHeaderLabels({QStringLiteral("Název položky"), QStringLiteral("Název bloku")});
    dbgPolozky->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < titles.size(); ++i) {
        auto *title = new QTableWidgetItem(titles.at(i));
        title->setFlags(title->flags() & ~Qt::ItemIsEditable);
        dbgPolozky->setItem(i, 0, title);
        dbgPolozky->setItem(i, 1, new QTableWidgetItem(elementName(titles.at(i))));
    }
    layout->addWidget(dbgPolozky);

    auto *files = new QFormLayout;
    eSoubor = new QLineEdit(QStringLiteral("Export"), this);
    eSoubor->setObjectName(QStringLiteral("eSoubor"));
    eAdresar = new QLineEdit(QDir::homePath(), this);
    eAdresar->setObjectName(QStringLiteral("eAdresar"));
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("sbAdresar"));
    connect(choose, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.save = true;
        request.caption = QStringLiteral("Export do XML");
        request.directory = eAdresar->text();
        request.filter = QStringLiteral("XML (*.XML)");
        const QString path = Prompt::saveFileName(request);
        if (path.isEmpty())
            return;
        const QFileInfo info(path);
        eAdresar->setText(info.absolutePath());
        eSoubor->setText(info.suffix().compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0
                             ? info.completeBaseName() : info.fileName());
    });
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(eAdresar);
    folderRow->addWidget(choose);
    files->addRow(QStringLiteral("Soubor"), eSoubor);
    files->addRow(QStringLiteral("Adresář"), folderRow);
    layout->addLayout(files);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &XmlExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ListExport::XmlNames XmlExportDialog::names() const
{
    ListExport::XmlNames names;
    names.root = eHlavni->text().trimmed();
    names.row = eRadek->text().trimmed();
    for (int i = 0; i < dbgPolozky->rowCount(); ++i)
        names.items << (dbgPolozky->item(i, 1) ? dbgPolozky->item(i, 1)->text().trimmed() : QString());
    return names;
}

QString XmlExportDialog::filePath() const
{
    return QDir(eAdresar->text().trimmed()).filePath(eSoubor->text().trimmed() + QStringLiteral(".XML"));
}

void XmlExportDialog::accept()
{
    const ListExport::XmlNames n = names();
    QStringList all = n.items;
    all << n.root << n.row;
    for (const QString &name : all) {
        if (!isElementName(name)) {
            Prompt::warning(QStringLiteral("Neplatný název elementu: \"%1\"").arg(name), windowTitle());
            return;
        }
    }
    if (eSoubor->text().trimmed().isEmpty() || !QFileInfo(eAdresar->text().trimmed()).isDir()) {
        Prompt::warning(QStringLiteral(" Musíte vybrat adresář ! "), windowTitle());
        return;
    }
    QDialog::accept();
}
