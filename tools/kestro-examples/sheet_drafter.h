#pragma once

#include <initializer_list>
#include <memory>
#include <string>

#include "core/platform/geometry.h"

namespace kestro {

class CCircuit;
class CSimPart;
class CSubCirPart;

// Draws a sheet by its pins: elements are placed by their centre and rotation, wires
// run through a list of corner points, and ground symbols, labels and ports are placed
// so that their pin lands on the point given. Elements are named as the editor names
// them; their text links are stacked on the side asked for.
class CSheetDrafter {
public:
    enum class Side { Below, Above, Left, Right };

    explicit CSheetDrafter(CCircuit& sheet) : m_sheet(sheet) {}

    // An element of the bundled library by its netlist name (the program stops with a
    // message when the library has no such element).
    CSimPart* Place(const std::string& netlistName, CPointF centre, int rotation = 0,
                    Side links = Side::Below);
    // Sets a value by its attribute name from text ("100u", "'0 180'" without quotes).
    void Set(CSimPart* element, const std::string& attribute, const std::string& text);
    // Wires from each point to the next.
    void Wire(std::initializer_list<CPointF> path);
    void Ground(CPointF pin);
    // A label, port, probe or other symbol whose pin 0 comes to `pin`; rotation 0 has the
    // body to the left of the pin, 1 below, 2 to the right, 3 above.
    void Label(const std::string& name, CPointF pin, int rotation);
    void Port(uint16_t number, const std::string& name, CPointF pin, int rotation);
    CSubCirPart* Instance(std::shared_ptr<CCircuit> inner, CPointF centre, int rotation = 0);
    // A free text starting at `at` (its left end, halfway up).
    void Text(const std::string& text, CPointF at);
    // Removes the element's text links of values, keeping its name (placed again).
    void HideValues(CSimPart* element, Side links);
    void Control(CPointF centre);
    // Tstep and Ttotal of the run; the rest keep their initial values.
    void Simulate(double step, double total);

private:
    int ElementId(const std::string& netlistName) const;
    void PlaceLinks(CSimPart& element, Side side);

    CCircuit& m_sheet;
};

}  // namespace kestro
