#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/document/circuit.h"
#include "core/objects/sim_control.h"
#include "core/objects/sim_label.h"
#include "core/objects/sim_part.h"
#include "core/objects/sim_term.h"
#include "core/objects/sim_text.h"
#include "core/objects/wire.h"
#include "core/platform/byte_stream.h"
#include "core/platform/file_stream.h"
#include "core/schematic_file/schematic_file.h"
#include "tests/core/support/circuit_support.h"

namespace kestro::test {

// The bytes a document is saved as (no relative subcircuit paths).
inline std::vector<uint8_t> SchematicBytes(CCircuit& sheet, const std::string& path = "/p/a.sch") {
    CMemoryStream out;
    WriteSchematic(sheet, out, path, [](const std::string&) { return std::string(); });
    return out.Bytes();
}

// The payloads of the records after the 4-byte magic (a short tail is left out).
inline std::vector<std::vector<uint8_t>> SplitRecords(const std::vector<uint8_t>& bytes) {
    std::vector<std::vector<uint8_t>> records;
    size_t at = 4;
    while (at + 4 <= bytes.size()) {
        uint32_t length = 0;
        std::memcpy(&length, bytes.data() + at, 4);
        if (at + 4 + length > bytes.size()) break;
        records.emplace_back(bytes.begin() + long(at + 4), bytes.begin() + long(at + 4 + length));
        at += 4 + length;
    }
    return records;
}

// Record payloads framed and joined behind the magic.
inline std::vector<uint8_t> JoinRecords(const std::vector<std::vector<uint8_t>>& records) {
    std::vector<uint8_t> bytes = {0x6E, 0xCD, 0x22, 0x00};
    for (const auto& record : records) {
        const uint32_t length = static_cast<uint32_t>(record.size());
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(length >> (8 * i)));
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

// A sheet with one object of every kind but subcircuits: R1 with its value link,
// a ground, a wire, port 3, a label, a text and the simulation control.
inline void FillEveryKind(CCircuit& sheet) {
    const CPartEnvironment& env = sheet.GetEnvironment();
    sheet.PlaceElement(kResistor, {100, 100}, 0);
    sheet.PlaceElement(kGround, {80, 140}, 0);
    sheet.AddObject(CWire::Create(env, {80, 100}, {80, 140}));
    sheet.AddObject(CSimTerm::Create(env, 3, {160, 100}, 0));
    sheet.AddObject(CSimLabel::Create(env, "VOUT", {120, 100}, 1));
    sheet.AddObject(CSimText::Create(env, "buck stage", {300, 300}, 0));
    sheet.AddObject(CSimControl::Create(env, {400, 400}, 0));
}

}  // namespace kestro::test

namespace kestro::test {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    const std::string text = ReadWholeFile(path);
    return {text.begin(), text.end()};
}

}  // namespace kestro::test
