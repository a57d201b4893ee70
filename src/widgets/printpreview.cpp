#include "widgets/printpreview.h"

#include "core/prompt.h"
#include "widgets/toolbuttons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Screen pixels per page unit at zoom 1: the page at its real size on a 96 dpi screen.
constexpr double PixelsPerUnit = 96.0 / 25.4 / Print::UnitsPerMm;
const QString PrintCaption = QStringLiteral("Tisk sestavy");
}

PrintPreview::PrintPreview(Print::Document document, QWidget *parent)
    : QDialog(parent)
    , m_document(std::move(document))
{
    setObjectName(QStringLiteral("fNahled"));
    setWindowTitle(m_document.setup.jobName.isEmpty() ? QStringLiteral("Náhled tisku")
                                                      : QStringLiteral("Náhled tisku: ") + m_document.setup.jobName);
    auto *layout = new QVBoxLayout(this);
    QHBoxLayout *bar = newToolBarLayout();
    layout->addLayout(bar);
    addToolButton(bar, this, QStringLiteral("sbTisk"), QStringLiteral("Tisk"), [this] { Tisk(); });
    addToolButton(bar, this, QStringLiteral("sbPdf"), QStringLiteral("Uložit PDF"), [this] { UlozitPdf(); });
    addToolButton(bar, this, QStringLiteral("sbPrvni"), QStringLiteral("|<"), QStringLiteral("První strana"),
                  [this] { showPage(0); });
    addToolButton(bar, this, QStringLiteral("sbPredchozi"), QStringLiteral("<"), QStringLiteral("Předchozí strana"),
                  [this] { showPage(m_page - 1); });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lStrana"));
    bar->addWidget(m_pageLabel);
    addToolButton(bar, this, QStringLiteral("sbDalsi"), QStringLiteral(">"), QStringLiteral("Další strana"),
                  [this] { showPage(m_page + 1); });
    addToolButton(bar, this, QStringLiteral("sbPosledni"), QStringLiteral(">|"), QStringLiteral("Poslední strana"),
                  [this] { showPage(pageCount() - 1); });
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("cbZoom"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(percent), percent / 100.0);
    m_zoomBox->setCurrentIndex(2);
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(m_zoomBox->itemData(index).toDouble()); });
    bar->addWidget(m_zoomBox);
    addToolButton(bar, this, QStringLiteral("sbESC"), QStringLiteral("Zavřít"), [this] { close(); });
    bar->addStretch();

    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_pageView = new QLabel;
    m_pageView->setObjectName(QStringLiteral("pgStrana"));
    m_scroll->setWidget(m_pageView);
    layout->addWidget(m_scroll, 1);
    resize(900, 1000);
    updatePage();
}

PrintPreview *PrintPreview::open(Print::Document document, QWidget *parent)
{
    auto *preview = new PrintPreview(std::move(document), parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
    return preview;
}

void PrintPreview::showPage(int page)
{
    m_page = qBound(0, page, qMax(0, pageCount() - 1));
    updatePage();
}

void PrintPreview::setZoom(double zoom)
{
    m_zoom = qBound(0.25, zoom, 4.0);
    updatePage();
}

void PrintPreview::updatePage()
{
    m_pageLabel->setText(QStringLiteral("Strana %1 z %2").arg(pageCount() ? m_page + 1 : 0).arg(pageCount()));
    const QSize size(qRound(m_document.setup.width * PixelsPerUnit * m_zoom),
                     qRound(m_document.setup.height * PixelsPerUnit * m_zoom));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    Print::paintPage(painter, m_document, m_page, QRectF(QPointF(0, 0), size));
    painter.end();
    m_pageView->setPixmap(QPixmap::fromImage(image));
    m_pageView->resize(size);
}

void PrintPreview::Tisk()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_document.setup.jobName);
    printer.setPageOrientation(m_document.setup.width > m_document.setup.height ? QPageLayout::Landscape
                                                                                : QPageLayout::Portrait);
    printer.setFullPage(true);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgTisk"));
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        Prompt::warning(QStringLiteral("Tiskárnu se nepodařilo otevřít."), PrintCaption);
        return;
    }
    Print::replay(painter, m_document, [&printer] { return printer.newPage(); });
    painter.end();
}

void PrintPreview::UlozitPdf()
{
    FileDialogRequest request;
    request.save = true;
    request.caption = QStringLiteral("Uložit PDF");
    request.filter = QStringLiteral("PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    const QString file = Prompt::saveFileName(request);
    if (!file.isEmpty())
        savePdf(file);
}

bool PrintPreview::savePdf(const QString &file)
{
    QString error;
    if (Print::writePdf(m_document, file, &error))
        return true;
    Prompt::warning(error, PrintCaption);
    return false;
}
