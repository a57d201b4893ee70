#pragma once
// TfDodakT, the printed delivery note: the commercial header with the supplier and the
// recipient, the titles, the note's header text, the lines of sections 1 to 11 grouped
// under their section names, and the VAT summary of the same totals the note stores.
#include "reports/vzordokt.h"

#include <QVector>

class QWidget;

class TfDodakT : public TfVzorT
{
public:
    TfDodakT();

    // The sections the print command preselects.
    static QVector<int> defaultSections();
    // Renders the note's pages. 0, or negative with the reason in *error.
    static int renderNote(TDMPro *dm, int note, Print::Document &out, QString *error = nullptr,
                      const QVector<int> &sections = defaultSections());
    static bool writePdf(TDMPro *dm, int note, const QString &file, QString *error = nullptr);
    // The preview of the note ("Sestavení dodacího listu" when it cannot be built).
    static void preview(TDMPro *dm, int note, QWidget *parent = nullptr);

private:
    QHash<int, QString> m_sectionNames;
};
