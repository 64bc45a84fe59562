#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "core/print/print_job.h"

class QPagedPaintDevice;
class QPrinter;

namespace kestro {

class CKestroView;
class CPrintService;

// Printing of one schematic view: "Print...", "Print Preview", "Print Selected", "Print
// Selected Preview", "Print Black and White" and "Export...", registered as the view's
// commands. The whole drawing prints at the view's zoom; a selected area fills one page.
// A Qt printer always takes pictures, so the black-and-white print needs no check of the
// device first.
class CViewPrinter : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kLowMemory = "Low memory.\r\nUnable to complete this operation.";
    static constexpr const char* kBlackAndWhiteDocument = "KestroDocument";
    static constexpr const char* kExportFilter =
        "PDF Files (*.pdf) |*.pdf| SVG Files (*.svg) |*.svg||";

    // Becomes a child of the view and adds its commands to the view's.
    CViewPrinter(CKestroView& view, CPrintService& service);

    // The job for a printer or PDF file: the whole drawing, or the view's selection.
    CPrintJob MakeJob(PrintMode mode, const QPagedPaintDevice& device) const;

    // The printer dialog, then the pages. False when cancelled or nothing was printed.
    bool Print(PrintMode mode);
    // The pages the printer's range asks for, without a dialog.
    bool PrintOn(QPrinter& printer, PrintMode mode);
    // The printed pages in a preview window.
    void Preview(PrintMode mode);
    // The printer dialog, then every page drawn black on white into a one-bit picture
    // that is copied onto the printed page.
    bool PrintBlackAndWhite();
    bool PrintBlackAndWhiteOn(QPrinter& printer);
    // The file dialog, then ExportTo.
    void Export();
    // A PDF of the printed pages on the printer's paper, or (for a name ending in .svg) an
    // SVG of the whole drawing. The file is written whole or not at all.
    bool ExportTo(const QString& path);

private:
    void RegisterCommands();
    bool HasObjects() const;
    // "Print Selected" with nothing selected selects everything first.
    bool PrepareSelectedArea();
    std::vector<const CPart*> SelectedObjects() const;
    // False, with the reason shown when there is one, unless the job has pages.
    bool Ready(const CPrintJob& job) const;
    // The pages of the job the printer's page range holds (all when it holds none).
    std::vector<int> WantedPages(const QPrinter& printer, const CPrintJob& job) const;
    bool OpenDialog(QPrinter& printer, PrintMode mode);
    QString DocumentTitle() const;
    bool ExportPdf(const QString& path);
    bool ExportSvg(const QString& path);

    CKestroView& m_view;
    CPrintService& m_service;
};

}  // namespace kestro
