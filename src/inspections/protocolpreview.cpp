#include "inspections/protocolpreview.h"

#include "core/prompt.h"
#include "inspections/protocolprint.h"
#include "widgets/obectiskd.h"
#include "widgets/designers.h"
#include "widgets/printpreview.h"

#include <QMenu>

namespace {

// The dictionary the document designer offers for a design window: the items of the
// kind's rows ("DokHP", "VyrHP" and "DilHP" print extinguishers, "DokPV" hydrants ...).
QString documentAliasTables(const QString &designWindow)
{
    const QString kind = designWindow.right(2);
    const QString alias = QStringLiteral("P") + kind;
    return alias + QLatin1Char(';') + alias + QStringLiteral(";Položky ") + kind + QStringLiteral(";(1)");
}

} // namespace

int previewInspectionReport(const QString &designWindow,
                            const std::function<int(int designKey, Print::Document &out)> &render, QWidget *parent)
{
    int design = 0;
    // the document choice: its "Nový" and "Editace" open the document designer
    TfGSDokSez choice(designWindow, 1, documentAliasTables(designWindow), parent);
    if (choice.count() > 1) {
        if (Prompt::runModal(&choice) != QDialog::Accepted)
            return 1;
        design = choice.chosenKey();
    }
    Print::Document document;
    const int r = render(design, document);
    if (r == 0)
        PrintPreview::open(std::move(document), parent);
    return r;
}

int TiskDokladuPV(int inspectionKey, TDMPro *dm, QWidget *parent)
{
    return previewInspectionReport(
        ProtocolPrint::hydrantDesignWindow(),
        [=](int design, Print::Document &out) {
            return ProtocolPrint::renderHydrantReport(inspectionKey, design, out, dm);
        },
        parent);
}

int TiskDokladuPK(int inspectionKey, TDMPro *dm, QWidget *parent)
{
    return previewInspectionReport(
        ProtocolPrint::damperDesignWindow(),
        [=](int design, Print::Document &out) {
            return ProtocolPrint::renderDamperReport(inspectionKey, design, out, dm);
        },
        parent);
}

int UpravitVzorDokladu(const QString &designWindow, QWidget *parent)
{
    return DesignWindows::chooseDocumentDesign(parent, designWindow, 1, documentAliasTables(designWindow));
}

QAction *addDesignEntry(QMenu *menu, const QVector<QPair<QString, QString>> &documents, QWidget *parent)
{
    const QString caption = QStringLiteral("Upravit vzor dokladu");
    QMenu *target = menu;
    QAction *entry = nullptr;
    if (documents.size() > 1) {
        target = menu->addMenu(caption);
        entry = target->menuAction();
    }
    for (const auto &[document, designWindow] : documents) {
        QAction *a = target->addAction(documents.size() > 1 ? document : caption);
        a->setObjectName(QStringLiteral("miVzor") + designWindow);
        QObject::connect(a, &QAction::triggered, parent, [designWindow = designWindow, parent] {
            UpravitVzorDokladu(designWindow, parent);
        });
        if (!entry)
            entry = a;
    }
    entry->setObjectName(QStringLiteral("miUpravitVzor"));
    return entry;
}
