// Throughput of the record buffer against memcpy of the same bytes.
// The counter "vs_memcpy" in the Records benchmarks is the time ratio to the
// memcpy benchmark of the same size measured in this run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "core/platform/record_buffer.h"

using namespace kestro;

namespace {

constexpr int kObjectsPerRecord = 100;

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (int i = 0; i < 1000; ++i)
            v.push_back(std::string("R") + std::to_string(i));
        return v;
    }();
    return names;
}

// One object record of the mix a schematic holds: numbers, a placement, a name.
void WriteObject(CRecordBuffer& out, const std::vector<std::string>& names, int i) {
    out.Put<uint16_t>(1);
    out.Put<uint32_t>(static_cast<uint32_t>(i));
    CRectF bounds{float(i), 10, float(i) + 40, 50};
    out.Rect(bounds);
    out.Put<uint16_t>(7);
    out.Put<float>(float(i) + 20);
    out.Put<float>(30);
    out.Put<uint16_t>(1);
    out.Put<float>(1);
    out.Put<float>(1);
    out.Put<uint32_t>(0);
    out.Put<uint32_t>(0x10);
    out.PutString(names[static_cast<size_t>(i % 1000)]);
    out.Put<double>(4700.0);
}

// What a reader fills: the fields of one object.
struct ObjectFields {
    uint16_t tag, colour, rotation;
    uint32_t number, state, kind;
    CRectF bounds;
    float x, y, sx, sy;
    std::string name;
    double value;
};

void ReadObject(CRecordBuffer& in, ObjectFields& o) {
    in.Value(o.tag);
    in.Value(o.number);
    in.Rect(o.bounds);
    in.Value(o.colour);
    in.Value(o.x);
    in.Value(o.y);
    in.Value(o.rotation);
    in.Value(o.sx);
    in.Value(o.sy);
    in.Value(o.state);
    in.Value(o.kind);
    in.String(o.name);
    in.Value(o.value);
    benchmark::DoNotOptimize(o);
}

// Writes `records` records to a memory stream and reads them back.
size_t WriteAndRead(int records) {
    static CMemoryStream file;  // reused like a file's write buffer
    file.Clear();
    CRecordBuffer out(BufferMode::Store, &file);
    const auto& names = Names();
    for (int r = 0; r < records; ++r) {
        for (int i = 0; i < kObjectsPerRecord; ++i)
            WriteObject(out, names, r * kObjectsPerRecord + i);
        out.EndRecord();
    }
    file.Seek(0);
    CRecordBuffer in(BufferMode::Load, &file);
    ObjectFields fields{};
    while (in.NextRecord())
        for (int i = 0; i < kObjectsPerRecord; ++i)
            ReadObject(in, fields);
    return file.Bytes().size();
}

// The same values packed into one in-memory buffer and read back, without framing.
size_t PackAndUnpack(int records) {
    static CRecordBuffer out;
    out.SetMode(BufferMode::Store);
    const auto& names = Names();
    const int objects = records * kObjectsPerRecord;
    for (int i = 0; i < objects; ++i)
        WriteObject(out, names, i);
    out.StartReading();
    ObjectFields fields{};
    for (int i = 0; i < objects; ++i)
        ReadObject(out, fields);
    return out.Length();
}

double MemcpySeconds(size_t bytes, int repeats) {
    std::vector<uint8_t> src(bytes, 1), mid(bytes), dst(bytes);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) {
        // Same traffic as the buffer: into a record, then out of it.
        std::memcpy(mid.data(), src.data(), bytes);
        benchmark::ClobberMemory();
        std::memcpy(dst.data(), mid.data(), bytes);
        benchmark::ClobberMemory();
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
           repeats;
}

void BM_RecordsWriteRead(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    size_t bytes = 0;
    for (auto _ : state)
        bytes = WriteAndRead(records);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    const double bufferSeconds = [&] {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 20; ++i)
            WriteAndRead(records);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 20;
    }();
    const double copySeconds = MemcpySeconds(bytes, 200);
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["vs_memcpy"] = bufferSeconds / copySeconds;
}
BENCHMARK(BM_RecordsWriteRead)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_ValuesPackUnpack(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    size_t bytes = 0;
    for (auto _ : state)
        bytes = PackAndUnpack(records);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i)
        PackAndUnpack(records);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 20;
    state.counters["vs_memcpy"] = seconds / MemcpySeconds(bytes, 200);
}
BENCHMARK(BM_ValuesPackUnpack)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_Memcpy(benchmark::State& state) {
    const size_t bytes = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> src(bytes, 1), dst(bytes);
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_Memcpy)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
