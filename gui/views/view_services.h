#pragma once

#include <QSizeF>
#include <QString>
#include <functional>
#include <string>

namespace kestro {

class CEditCursors;
class CPrintService;
struct CSettings;

// The editing modes of the schematic views (only Select is there so far).
enum class EditMode { Select, Place, ZoomBox, Wire, Paste };

// The longest side of the print page, in sheet units.
inline constexpr double kPrintPageLongSide = 800.0;
// Printable size in printer pixels when there is no printer.
inline constexpr double kNoPrinterWidth = 850.0;
inline constexpr double kNoPrinterHeight = 1100.0;

// The print page size in sheet units from a printer's printable size in pixels: the title
// block takes the bottom tenth when the legend is printed, and the longer side becomes
// 800 units.
QSizeF PrintPageSize(double printableWidth, double printableHeight, bool legend);

// What every schematic view reads from the application: the live settings, the cursors,
// the editing mode, the print page size and the printer, and where the status text goes. The
// application owns one for all views; tests and benchmarks make their own.
struct CViewServices {
    const CSettings* settings = nullptr;
    const CEditCursors* cursors = nullptr;
    EditMode mode = EditMode::Select;
    std::string placeKindName;  // shown in the status text while placing
    QSizeF printPageSize = PrintPageSize(kNoPrinterWidth, kNoPrinterHeight, true);
    CPrintService* printing = nullptr;  // views print when there is one
    std::function<void(const QString&)> showStatus;
};

}  // namespace kestro
