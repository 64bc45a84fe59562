#pragma once

#include <string>

#include "core/platform/pdf_canvas.h"
#include "core/print/print_job.h"

namespace kestro {

class CCircuit;

// How a sheet is written as a PDF file of printed pages.
struct CPdfExportOptions {
    CPdfPage paper;  // A4 with 10-point margins at 1200 pixels per inch unless set
    // SelectedArea fits every object onto one page, as "Print Selected" does with
    // nothing selected.
    PrintMode mode = PrintMode::WholeDrawing;
    bool legend = true;
    int pagePosition = kPageMiddle;
    double zoom = 0.0;  // 0 or less: the zoom the sheet was last shown at
    bool monochrome = false;
};

struct CPdfExport {
    CPrintJob::Status status = CPrintJob::Status::Empty;
    int pages = 0;
    std::string bytes;  // the file; empty unless the status is Ready
};

// The pages printing gives, as a PDF file made without a window system.
CPdfExport ExportPdf(const CCircuit& document, const CPdfExportOptions& options = {});

// The whole drawing at its natural size (one sheet unit per SVG unit), with a margin of
// 10 units on white; empty when the sheet has no objects.
std::string ExportSvg(const CCircuit& document);

}  // namespace kestro
