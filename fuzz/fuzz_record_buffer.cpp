// Arbitrary bytes as a file of records, read value by value, and as typed values.
#include <cstdint>
#include <string>
#include <vector>

#include "core/library/gen_type.h"
#include "core/platform/record_buffer.h"

using namespace kestro;

namespace {

void ReadMixedValues(CRecordBuffer& in) {
    int16_t a = 0;
    uint32_t b = 0;
    float c = 0;
    double d = 0;
    std::string s;
    std::vector<CPointF> points;
    CRectF r;
    uint8_t block[37];
    in.Value(a);
    in.String(s);
    in.Value(b);
    in.Points(points);
    in.Value(c);
    in.Rect(r);
    in.Block(block, sizeof(block));
    in.Reserved(a & 0xFF);
    in.Value(d);
    CRecordBuffer nested;
    in.Nested(nested);
    CGenType value;
    value.Serialize(nested);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CMemoryStream file(data, size);
    CRecordBuffer in(BufferMode::Load, &file);
    try {
        for (int i = 0; i < 64 && in.NextRecord(); ++i)
            ReadMixedValues(in);
        in.ReadRecordAt(size / 2);
    } catch (const CIOBufferException&) {
        // an oversized record: the reader's own error
    }

    // Typed values under each layout the readers accept.
    for (auto [major, minor] : {std::pair<uint16_t, uint16_t>{3, 3}, {3, 30}}) {
        CRecordBuffer values(BufferMode::Load);
        values.SetVersion(major, minor);
        values.Assign(data, size);
        for (int i = 0; i < 256 && values.Remaining() > 0; ++i) {
            CGenType v;
            v.Serialize(values);
            (void)v.GetDisplayText();
            (void)v.GetLinkText();
            (void)v.GetNetlistText(0x1000);
        }
    }
    if (size < 64) {
        CGenType parsed;
        parsed.SetType(CGenType::Float);
        parsed.SetFromText(std::string(reinterpret_cast<const char*>(data), size));
        (void)parsed.GetDisplayText();
    }
    return 0;
}
