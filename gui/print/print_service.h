#pragma once

#include <QString>
#include <memory>

#include "core/platform/canvas.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace kestro {

class CPrintJob;
class CPrompts;
struct CSettings;

// The printer of the editor and what printing reads from the application. The printer is
// made on first use for the default printer (a PDF file when there is none), changed by
// "Printer Setup..." and the print dialogs, and kept while the editor runs, so a page set
// up once stays set up.
class CPrintService {
public:
    CPrintService(const CSettings& settings, CPrompts& prompts);
    ~CPrintService();
    CPrintService(const CPrintService&) = delete;
    CPrintService& operator=(const CPrintService&) = delete;

    QPrinter& Printer();
    const CSettings& Settings() const { return m_settings; }
    CPrompts& Prompts() { return m_prompts; }

private:
    const CSettings& m_settings;
    CPrompts& m_prompts;
    std::unique_ptr<QPrinter> m_printer;
};

// The printable area of a printer or PDF writer, in its device pixels.
CSizeI PrintableSize(const QPagedPaintDevice& device);

// Draws page `number` of the job with `painter`, whose origin is the printable area's
// top-left corner; texts stay texts. In black and white everything is black on white.
void PaintJobPage(QPainter& painter, const CPrintJob& job, int number, bool monochrome = false);

}  // namespace kestro
