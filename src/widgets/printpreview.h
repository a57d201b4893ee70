#pragma once
// The preview of a rendered print: its pages at a chosen zoom, page by page, with
// "Tisk" (the print dialog, then the printer) and "Uložit PDF". Both replay the pages
// the print was rendered into; nothing is computed again.
#include "reports/printengine.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QComboBox;

class PrintPreview : public QDialog
{
    Q_OBJECT
public:
    explicit PrintPreview(Print::Document document, QWidget *parent = nullptr);

    // Shows the document in a new modeless preview that frees itself when closed.
    static PrintPreview *open(Print::Document document, QWidget *parent = nullptr);

    const Print::Document &document() const { return m_document; }
    int currentPage() const { return m_page; }
    int pageCount() const { return int(m_document.pages.size()); }
    void showPage(int page);
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }

    // "Tisk": the print dialog, then every page to the chosen printer.
    void Tisk();
    // "Uložit PDF": asks for the file (Prompt::saveFileName), then writes it.
    void UlozitPdf();
    // Writes the pages to the file; false after a warning.
    bool savePdf(const QString &file);

private:
    void updatePage();

    Print::Document m_document;
    int m_page = 0;
    double m_zoom = 1.0;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_pageView = nullptr;
    QLabel *m_pageLabel = nullptr;
    QComboBox *m_zoomBox = nullptr;
};
