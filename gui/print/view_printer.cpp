#include "gui/print/view_printer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include "core/document/circuit.h"
#include "core/platform/file_stream.h"
#include "core/platform/prompts.h"
#include "core/platform/settings.h"
#include "core/print/drawing_export.h"
#include "gui/commands/command_ids.h"
#include "gui/print/print_service.h"
#include "gui/views/kestro_view.h"

namespace kestro {

namespace {

constexpr int kPdfResolution = 1200;

// The wait cursor while pages are drawn.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Each print starts with every page offered, whatever range the last one printed.
void OfferEveryPage(QPrinter& printer) {
    printer.setPrintRange(QPrinter::AllPages);
    printer.setPageRanges(QPageRanges());
}

QString CannotStartText(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return QStringLiteral("Unable to write %1.").arg(printer.outputFileName());
    return QStringLiteral("Unable to print on %1.").arg(printer.printerName());
}

}  // namespace

CViewPrinter::CViewPrinter(CKestroView& view, CPrintService& service)
    : QObject(&view), m_view(view), m_service(service) {
    RegisterCommands();
}

void CViewPrinter::RegisterCommands() {
    CCommandMap& commands = m_view.Commands();
    const auto anyObject = [this](CCommandState& state) { state.enabled = HasObjects(); };
    using enum PrintMode;
    commands.Add(
        kIdFilePrint, [this] { Print(WholeDrawing); }, anyObject);
    commands.Add(
        kIdFilePrintPreview, [this] { Preview(WholeDrawing); }, anyObject);
    commands.Add(
        kIdPrintSelected, [this] { Print(SelectedArea); }, anyObject);
    commands.Add(
        kIdPrintSelectedPreview, [this] { Preview(SelectedArea); }, anyObject);
    commands.Add(kIdPrintBlackWhite, [this] { PrintBlackAndWhite(); });
    commands.Add(
        kIdFileExport, [this] { Export(); }, anyObject);
}

bool CViewPrinter::HasObjects() const {
    return m_view.Document() && m_view.Document()->GetObjectCount() > 0;
}

bool CViewPrinter::PrepareSelectedArea() {
    CCircuit* document = m_view.Document();
    if (!document) return false;
    CSelection& selection = m_view.Selection();
    if (selection.IsEmpty()) document->SelectAll(selection);
    document->RefreshSelection(selection);
    m_view.UpdateSelectionBounds();
    return !selection.IsEmpty();
}

std::vector<const CPart*> CViewPrinter::SelectedObjects() const {
    const auto& items = m_view.Selection().Items();
    return {items.begin(), items.end()};
}

CPrintJob CViewPrinter::MakeJob(PrintMode mode, const QPagedPaintDevice& device) const {
    const CSettings& settings = m_service.Settings();
    CPrintRequest request;
    request.mode = mode;
    request.printable = PrintableSize(device);
    request.resolution = device.logicalDpiX();
    request.legend = settings.printPageLegend != 0;
    request.pagePosition = settings.printPagePosition;
    request.zoom = m_view.Zoom();
    return CPrintJob(
        *m_view.Document(), request,
        mode == PrintMode::SelectedArea ? SelectedObjects() : std::vector<const CPart*>{});
}

bool CViewPrinter::Ready(const CPrintJob& job) const {
    if (job.GetStatus() == CPrintJob::Status::TooManyPages)
        m_service.Prompts().Error(CPrintJob::kTooManyPagesMessage);
    return job.IsReady();
}

std::vector<int> CViewPrinter::WantedPages(const QPrinter& printer, const CPrintJob& job) const {
    const bool ranged = printer.printRange() == QPrinter::PageRange;
    const QPageRanges ranges = printer.pageRanges();
    std::vector<int> pages;
    for (int page = 1; page <= job.GetPageCount(); ++page) {
        if (ranged && !ranges.isEmpty() && !ranges.contains(page)) continue;
        if (ranged && ranges.isEmpty() && printer.fromPage() > 0 &&
            (page < printer.fromPage() || page > printer.toPage()))
            continue;
        pages.push_back(page);
    }
    return pages;
}

QString CViewPrinter::DocumentTitle() const {
    const CCircuit* document = m_view.Document();
    if (!document) return {};
    const std::string& path = document->GetPathName();
    return QFileInfo(QString::fromStdString(path.empty() ? document->GetTitle() : path)).fileName();
}

bool CViewPrinter::OpenDialog(QPrinter& printer, PrintMode mode) {
    OfferEveryPage(printer);
    const CPrintJob job = MakeJob(mode, printer);
    if (!Ready(job)) return false;
    printer.setDocName(DocumentTitle());  // offered as the name of a file to print to
    QPrintDialog dialog(&printer, m_view.window());
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, job.GetPageCount());
    return dialog.exec() == QDialog::Accepted;
}

// --- Printing ------------------------------------------------------------------------------

bool CViewPrinter::Print(PrintMode mode) {
    if (!HasObjects()) return false;
    if (mode == PrintMode::SelectedArea && !PrepareSelectedArea()) return false;
    QPrinter& printer = m_service.Printer();
    if (!OpenDialog(printer, mode)) return false;
    return PrintOn(printer, mode);
}

bool CViewPrinter::PrintOn(QPrinter& printer, PrintMode mode) {
    if (!HasObjects()) return false;
    CWaitCursor wait;
    // The dialog may have chosen another printer or paper: the pages follow it.
    const CPrintJob job = MakeJob(mode, printer);
    if (!Ready(job)) return false;
    const std::vector<int> pages = WantedPages(printer, job);
    if (pages.empty()) return false;
    printer.setDocName(DocumentTitle());
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_service.Prompts().Error(CannotStartText(printer).toStdString());
        return false;
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) printer.newPage();
        PaintJobPage(painter, job, pages[i]);
    }
    return painter.end();
}

void CViewPrinter::Preview(PrintMode mode) {
    if (!HasObjects()) return;
    if (mode == PrintMode::SelectedArea && !PrepareSelectedArea()) return;
    QPrinter& printer = m_service.Printer();
    OfferEveryPage(printer);
    if (!Ready(MakeJob(mode, printer))) return;  // said once, not at every repaint
    QPrintPreviewDialog dialog(&printer, m_view.window());
    dialog.setWindowTitle(QStringLiteral("Print Preview - %1").arg(DocumentTitle()));
    // Pages are read at a size near the editor's, not at the dialog's small default.
    dialog.resize(m_view.window()->size() * 9 / 10);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, mode](QPrinter* device) { PrintOn(*device, mode); });
    dialog.exec();
}

bool CViewPrinter::PrintBlackAndWhite() {
    if (!HasObjects()) return false;
    QPrinter& printer = m_service.Printer();
    if (!OpenDialog(printer, PrintMode::WholeDrawing)) return false;
    return PrintBlackAndWhiteOn(printer);
}

bool CViewPrinter::PrintBlackAndWhiteOn(QPrinter& printer) {
    if (!HasObjects()) return false;
    CWaitCursor wait;
    const CPrintJob job = MakeJob(PrintMode::WholeDrawing, printer);
    if (!Ready(job)) return false;
    const std::vector<int> pages = WantedPages(printer, job);
    if (pages.empty()) return false;
    const CSizeI size = job.GetPrintableSize();
    QImage picture(size.cx, size.cy, QImage::Format_Mono);
    if (picture.isNull()) {
        m_service.Prompts().Error(kLowMemory);
        return false;
    }
    // Black first: PDF output keeps such a picture as one bit per pixel.
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    printer.setDocName(QString::fromLatin1(kBlackAndWhiteDocument));
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_service.Prompts().Error(CannotStartText(printer).toStdString());
        return false;
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        picture.fill(1);
        {
            QPainter pagePainter(&picture);
            PaintJobPage(pagePainter, job, pages[i], true);
        }
        if (i > 0) printer.newPage();
        painter.drawImage(QPoint(0, 0), picture);
    }
    return painter.end();
}

// --- Export --------------------------------------------------------------------------------

void CViewPrinter::Export() {
    if (!HasObjects()) return;
    CFileDialogRequest request;
    request.title = "Export";
    request.filter = kExportFilter;
    request.defaultExtension = ".pdf";
    // Beside the schematic, named after it.
    const std::string& path = m_view.Document()->GetPathName();
    if (path.empty()) {
        request.fileName = "*.pdf";
    } else {
        const QFileInfo sheet(QString::fromStdString(path));
        request.fileName = sheet.dir().filePath(sheet.completeBaseName() + ".pdf").toStdString();
    }
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = m_service.Prompts().SaveFileName(request);
    if (chosen) ExportTo(QString::fromStdString(*chosen));
}

bool CViewPrinter::ExportTo(const QString& path) {
    if (!HasObjects()) return false;
    CWaitCursor wait;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return ExportSvg(path);
    return ExportPdf(path);
}

bool CViewPrinter::ExportSvg(const QString& path) {
    const std::string svg = kestro::ExportSvg(*m_view.Document());
    try {
        CMirrorFile file(path.toStdString());
        file.Write(svg.data(), svg.size());
        file.Commit();
    } catch (const CFileException& e) {
        m_service.Prompts().Error(e.what());
        return false;
    }
    return true;
}

bool CViewPrinter::ExportPdf(const QString& path) {
    QSaveFile file(path);
    const auto fail = [&] {
        m_service.Prompts().Error(
            QStringLiteral("Unable to write %1:\n%2").arg(path, file.errorString()).toStdString());
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) return fail();
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(m_service.Printer().pageLayout());
        writer.setTitle(DocumentTitle());
        writer.setCreator(QStringLiteral("Kestro"));
        const CPrintJob job = MakeJob(PrintMode::WholeDrawing, writer);
        if (!Ready(job)) {
            file.cancelWriting();
            return false;
        }
        QPainter painter;
        if (!painter.begin(&writer)) return fail();
        for (int page = 1; page <= job.GetPageCount(); ++page) {
            if (page > 1) writer.newPage();
            PaintJobPage(painter, job, page);
        }
        painter.end();
    }
    if (!file.commit()) return fail();
    return true;
}

}  // namespace kestro
