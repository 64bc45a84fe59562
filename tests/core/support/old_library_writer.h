#pragma once

// Files of the previous library version, written from records as its record tables lay
// them out: "ELEMENTS.LIB" (i16 count and two unused i16, an index of 6-byte entries
// holding each record's u32 offset, then the records), "ELEMENTS.GND" (one record) and
// "ELEMENTS.MNU" (i16 count, then 24-byte group records).
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/library/old_library.h"
#include "core/library/old_library_transfer.h"

namespace kestro::test {

using Bytes = std::vector<uint8_t>;

inline void PutI16(Bytes& out, int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    out.push_back(static_cast<uint8_t>(bits & 0xFF));
    out.push_back(static_cast<uint8_t>(bits >> 8));
}

inline void PutU32(Bytes& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A text field of `size` bytes: the text, then zeros.
inline void PutText(Bytes& out, const std::string& text, size_t size) {
    for (size_t i = 0; i < size; ++i)
        out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

// --- Drawing commands (coordinates in eighths of a unit) ------------------------------

inline Bytes BoxCommand(char letter, std::optional<uint8_t> extra, int16_t x1, int16_t y1,
                        int16_t x2, int16_t y2) {
    Bytes out{static_cast<uint8_t>(letter)};
    if (extra) out.push_back(*extra);
    for (int16_t v : {x1, y1, x2, y2})
        PutI16(out, v);
    return out;
}
inline Bytes ArcCommand(uint8_t orientation, int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    return BoxCommand('A', orientation, x1, y1, x2, y2);
}
inline Bytes EllipseCommand(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    return BoxCommand('E', std::nullopt, x1, y1, x2, y2);
}
inline Bytes LineCommand(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    return BoxCommand('M', 0, x1, y1, x2, y2);
}
inline Bytes RectCommand(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
    return BoxCommand('R', std::nullopt, x1, y1, x2, y2);
}
inline Bytes Drawing(std::initializer_list<Bytes> commands) {
    Bytes out;
    for (const Bytes& c : commands)
        out.insert(out.end(), c.begin(), c.end());
    return out;
}

// --- Records --------------------------------------------------------------------------

inline COldAttribute OldAttribute(const std::string& name, uint8_t type, float value,
                                  const std::string& unit = "", const std::string& text = "",
                                  int16_t shown = 1) {
    COldAttribute a;
    a.name = name;
    a.type = type;
    a.unit = unit;
    a.value = value;
    a.text = text;
    a.shown = shown;
    a.key = OldAttributeKey(name, type);
    return a;
}

// 224 bytes: name (31), type, unit (26), f32 value, text (160), i16 shown flag.
inline void PutAttribute(Bytes& out, const COldAttribute& a) {
    PutText(out, a.name, 31);
    out.push_back(a.type);
    PutText(out, a.unit, 26);
    uint32_t bits;
    std::memcpy(&bits, &a.value, 4);
    PutU32(out, bits);
    PutText(out, a.text, 160);
    PutI16(out, a.shown);
}

inline Bytes OldRecordBytes(const COldRecord& r) {
    Bytes out{'#', 0, 0};
    PutText(out, r.netlistName, 64);
    PutText(out, r.instanceName, 68);
    PutI16(out, r.menuGroup);
    PutI16(out, r.oldNumber);
    PutI16(out, static_cast<int16_t>(r.drawing.size()));
    out.insert(out.end(), r.drawing.begin(), r.drawing.end());
    PutI16(out, static_cast<int16_t>(r.ports.size()));
    for (const auto& [x, y] : r.ports) {
        PutI16(out, x);
        PutI16(out, y);
    }
    for (int16_t v : r.box)
        PutI16(out, v);
    PutI16(out, static_cast<int16_t>(r.attributes.size()));
    for (const COldAttribute& a : r.attributes)
        PutAttribute(out, a);
    out.push_back('$');
    return out;
}

inline Bytes OldLibraryBytes(const std::vector<COldRecord>& records) {
    Bytes out;
    PutI16(out, static_cast<int16_t>(records.size()));
    PutI16(out, 0);
    PutI16(out, 0);
    std::vector<Bytes> bodies;
    uint32_t offset = static_cast<uint32_t>(6 + 6 * records.size());
    for (const COldRecord& r : records) {
        bodies.push_back(OldRecordBytes(r));
        PutU32(out, offset);
        PutI16(out, 0);
        offset += static_cast<uint32_t>(bodies.back().size());
    }
    for (const Bytes& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes OldMenuBytes(const std::vector<COldMenuGroup>& groups) {
    Bytes out;
    PutI16(out, static_cast<int16_t>(groups.size()));
    for (const COldMenuGroup& g : groups) {
        PutI16(out, g.number);
        PutI16(out, g.parent);
        PutText(out, g.name, 20);
    }
    return out;
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The three files in `folder` (ending in "/"); a file left out is not written.
inline void WriteOldLibrary(const std::string& folder, const std::vector<COldRecord>& records,
                            const std::optional<COldRecord>& ground,
                            const std::optional<std::vector<COldMenuGroup>>& groups) {
    WriteBytes(folder + kOldLibraryFileName, OldLibraryBytes(records));
    if (ground) WriteBytes(folder + kOldGroundFileName, OldRecordBytes(*ground));
    if (groups) WriteBytes(folder + kOldMenuFileName, OldMenuBytes(*groups));
}

// --- Fixtures -------------------------------------------------------------------------

inline COldRecord OldElement(const std::string& name, int16_t oldNumber, int16_t group = 0) {
    COldRecord r;
    r.netlistName = name;
    r.instanceName = name;
    r.oldNumber = oldNumber;
    r.menuGroup = group;
    r.box = {-20, -10, 20, 10};  // units; drawings are in eighths
    r.ports = {{-20, 0}, {20, 0}};
    r.attributes = {OldAttribute("Name", COldAttribute::kString, 0, "", name)};
    return r;
}

// The ground element as "ELEMENTS.GND" holds it: no attributes, one port.
inline COldRecord OldGround() {
    COldRecord r;
    r.netlistName = "GND";
    r.oldNumber = 8013;
    r.box = {-10, -10, 10, 10};
    r.ports = {{0, -10}};
    r.drawing = Drawing({LineCommand(0, -80, 0, 0), LineCommand(-64, 0, 64, 0),
                         LineCommand(-40, 24, 40, 24), LineCommand(-16, 48, 16, 48)});
    return r;
}

// A dozen elements drawn with every converted command, in two menu groups (one nested).
inline std::vector<COldRecord> DozenOldElements() {
    const auto two = [](COldRecord r, Bytes drawing) {
        r.drawing = std::move(drawing);
        return r;
    };
    const Bytes leads = Drawing({LineCommand(-160, 0, -96, 0), LineCommand(96, 0, 160, 0)});
    const auto with = [&](std::initializer_list<Bytes> body) {
        Bytes d = leads;
        for (const Bytes& c : body)
            d.insert(d.end(), c.begin(), c.end());
        return d;
    };
    std::vector<COldRecord> r;
    COldRecord resistor = two(OldElement("R", 5001, 1), with({RectCommand(-96, -32, 96, 32)}));
    resistor.attributes.push_back(OldAttribute("R", COldAttribute::kFloat, 4.7f, "Ohm"));
    r.push_back(resistor);
    COldRecord inductor = two(OldElement("L", 5002, 1), with({ArcCommand(3, -96, -32, -32, 32),
                                                              ArcCommand(3, -32, -32, 32, 32),
                                                              ArcCommand(3, 32, -32, 96, 32)}));
    inductor.attributes.push_back(OldAttribute("L", COldAttribute::kFloat, 1e-3f, "H"));
    r.push_back(inductor);
    COldRecord capacitor =
        two(OldElement("C", 5003, 1),
            Drawing({LineCommand(-160, 0, -16, 0), LineCommand(-16, -64, -16, 64),
                     ArcCommand(0, 16, -64, 48, 64), LineCommand(16, 0, 160, 0)}));
    capacitor.attributes.push_back(OldAttribute("C", COldAttribute::kFloat, 1e-6f, "F"));
    r.push_back(capacitor);
    COldRecord source = two(OldElement("VDC", 5010, 2),
                            with({EllipseCommand(-96, -96, 96, 96), LineCommand(-48, 0, 0, 0),
                                  LineCommand(24, -24, 24, 24), LineCommand(0, 0, 48, 0)}));
    source.attributes.push_back(OldAttribute("V", COldAttribute::kFloat, 12, "V"));
    r.push_back(source);
    COldRecord sine = two(OldElement("VSIN", 5011, 2),
                          with({EllipseCommand(-96, -96, 96, 96), ArcCommand(3, -64, -32, 0, 32),
                                ArcCommand(1, 0, -32, 64, 32)}));
    sine.attributes.push_back(OldAttribute("Vpeak", COldAttribute::kFloat, 100, "V"));
    sine.attributes.push_back(OldAttribute("f", COldAttribute::kFloat, 50, "Hz"));
    r.push_back(sine);
    COldRecord diode = two(OldElement("DIODE", 5020, 3),
                           with({LineCommand(-96, -64, -96, 64), LineCommand(-96, -64, 64, 0),
                                 LineCommand(-96, 64, 64, 0), LineCommand(64, -64, 64, 64),
                                 LineCommand(64, 0, 96, 0)}));
    diode.attributes.push_back(OldAttribute("Ron", COldAttribute::kFloat, 0.01f, "Ohm"));
    diode.attributes.push_back(OldAttribute("Flag", COldAttribute::kBoolean, 0.5f, "", "", 0));
    r.push_back(diode);
    COldRecord sw = two(OldElement("SW", 5021, 3),
                        with({LineCommand(-96, 0, 80, -64), EllipseCommand(-104, -8, -88, 8),
                              EllipseCommand(88, -8, 104, 8)}));
    sw.attributes.push_back(
        OldAttribute("Model", COldAttribute::kString, 0, "", "ideal switch", 1));
    r.push_back(sw);
    COldRecord lamp = two(OldElement("LAMP", 5030, 0),
                          with({EllipseCommand(-96, -96, 96, 96), LineCommand(-64, -64, 64, 64),
                                LineCommand(-64, 64, 64, -64)}));
    r.push_back(lamp);
    COldRecord meter = two(OldElement("AM", 5031, 0),
                           with({EllipseCommand(-96, -96, 96, 96), LineCommand(-32, 48, 0, -48),
                                 LineCommand(0, -48, 32, 48), LineCommand(-16, 8, 16, 8)}));
    r.push_back(meter);
    COldRecord transformer =
        two(OldElement("TFI", 5040, 1),
            Drawing({ArcCommand(2, -48, -128, -16, -64), ArcCommand(2, -48, -64, -16, 0),
                     ArcCommand(2, -48, 0, -16, 64), ArcCommand(0, 16, -128, 48, -64),
                     ArcCommand(0, 16, -64, 48, 0), ArcCommand(0, 16, 0, 48, 64),
                     LineCommand(-4, -128, -4, 64), LineCommand(4, -128, 4, 64)}));
    transformer.box = {-20, -20, 20, 12};
    transformer.ports = {{-20, -16}, {-20, 8}, {20, -16}, {20, 8}};
    r.push_back(transformer);
    COldRecord block = two(OldElement("GAIN", 5050, 4),
                           with({RectCommand(-96, -96, 96, 96), LineCommand(-48, -48, 48, 0),
                                 LineCommand(-48, 48, 48, 0), LineCommand(-48, -48, -48, 48)}));
    block.attributes.push_back(OldAttribute("K", COldAttribute::kFloat, 2, ""));
    r.push_back(block);
    COldRecord text =
        two(OldElement("NOTE", 5051, 4),
            Drawing({RectCommand(-96, -64, 96, 64), {'T', 1, 2, 3}, LineCommand(-96, 0, 96, 0)}));
    r.push_back(text);
    return r;
}

// Groups of the dozen: 1 Passive, 2 Sources, 3 Switches (in Passive), 4 Control.
inline std::vector<COldMenuGroup> DozenOldGroups() {
    return {{1, 0, "Passive"}, {2, 0, "Sources"}, {3, 1, "Switches"}, {4, 0, "Control"}};
}

}  // namespace kestro::test
