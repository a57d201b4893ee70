#pragma once
// The list exports as the windows offer them: "Export do Excelu", "Export do XML" and
// "Export do TXT" of every list window, the inspection windows' item grid and the SQL
// console. Each takes the grid's model as it is shown; the file is chosen through the
// prompt service, the XML names in XmlExportDialog.
#include <QDialog>
#include <functional>

#include "exports/listexport.h"

class QAbstractItemModel;
class QLineEdit;
class QTableWidget;

namespace ExportWindows {

// Asks "Exportovat data do Excelu ?", chooses the .xlsx file, writes it and opens it
// with the desktop's spreadsheet program. 0 done, 1 declined or cancelled, negative
// after the failure message.
int exportExcel(QWidget *parent, QAbstractItemModel *model);
int exportXml(QWidget *parent, QAbstractItemModel *model);
int exportTxt(QWidget *parent, QAbstractItemModel *model);

// Opens a written workbook; by default with the desktop's program for the file, when
// there is one. Tests replace it.
extern std::function<void(const QString &path)> openWorkbook;

} // namespace ExportWindows

// The names of an XML export: the main and the row element, the item element of each
// column (offered from the column titles), the file name and the folder.
class XmlExportDialog : public QDialog
{
    Q_OBJECT
public:
    XmlExportDialog(const QStringList &titles, QWidget *parent = nullptr);

    ListExport::XmlNames names() const;
    // The chosen folder and file name with ".XML" appended.
    QString filePath() const;

    QLineEdit *eHlavni = nullptr;
    QLineEdit *eRadek = nullptr;
    QTableWidget *dbgPolozky = nullptr;
    QLineEdit *eSoubor = nullptr;
    QLineEdit *eAdresar = nullptr;

    // Refuses names no element may have and a folder that does not exist.
    void accept() override;
};
