#include "tools/kestro-sch/schematic_export.h"

#include <algorithm>
#include <cctype>
#include <iostream>

#include "core/document/circuit.h"
#include "core/print/drawing_export.h"
#include "tools/common/tool_support.h"

namespace kestro::tool {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == end;
}

// The paper a printer without margins of its own would have: 10 points all round at
// 1200 pixels per inch, as the editor's PDF files.
CPdfPage Paper(const std::string& name) {
    CPdfPage page;
    if (Lower(name) == "letter") {
        page.width = 612.0;
        page.height = 792.0;
    }
    return page;
}

int ExportPdfFile(const CCircuit& sheet, const CExportArguments& args) {
    CPdfExportOptions options;
    options.paper = Paper(args.paper);
    options.mode = args.fit ? PrintMode::SelectedArea : PrintMode::WholeDrawing;
    options.legend = args.legend;
    options.zoom = args.zoom;
    options.monochrome = args.blackAndWhite;
    const CPdfExport pdf = ExportPdf(sheet, options);
    switch (pdf.status) {
        case CPrintJob::Status::Ready:
            break;
        case CPrintJob::Status::TooManyPages:
            return Fail(args.zoom > 0.0 ? kBadArguments : kBadInput,
                        "the drawing would need more than " + std::to_string(CPrintJob::kMaxPages) +
                            " pages at this zoom");
        case CPrintJob::Status::Empty:
            return Fail(kBadInput, "the sheet holds nothing to print");
    }
    if (const int status = WriteTextFile(args.output, pdf.bytes); status != kOk) return status;
    if (args.verbose)
        std::cout << pdf.pages << (pdf.pages == 1 ? " page" : " pages") << " written to "
                  << args.output << '\n';
    return kOk;
}

int ExportSvgFile(const CCircuit& sheet, const CExportArguments& args) {
    const std::string svg = ExportSvg(sheet);
    if (svg.empty()) return Fail(kBadInput, "the sheet holds nothing to draw");
    if (const int status = WriteTextFile(args.output, svg); status != kOk) return status;
    if (args.verbose) std::cout << "drawing written to " << args.output << '\n';
    return kOk;
}

}  // namespace

bool IsExportFormat(const std::string& output) {
    return EndsWith(output, ".pdf") || EndsWith(output, ".svg");
}

bool IsPaperName(const std::string& paper) {
    return Lower(paper) == "a4" || Lower(paper) == "letter";
}

int ExportSchematic(const CCircuit& sheet, const CExportArguments& args) {
    return EndsWith(args.output, ".svg") ? ExportSvgFile(sheet, args) : ExportPdfFile(sheet, args);
}

}  // namespace kestro::tool
