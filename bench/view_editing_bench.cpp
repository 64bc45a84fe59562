// One feedback frame while a selection of 1,000 objects is dragged in a 1920 by 1080 view
// of a 100,000-object sheet (25,000 resistors with their two text links, each wired to
// the next): the mouse move handled by the drag, then the repaint of what it changed
// (the selection where it was and where it is drawn now, with everything under both).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "bench/gui_bench_main.h"
#include "core/document/circuit.h"
#include "core/hierarchy/circuit_document_manager.h"
#include "core/library/library_data.h"
#include "core/objects/sim_part.h"
#include "core/objects/wire.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "gui/editing/move_tracker.h"
#include "gui/views/kestro_view.h"
#include "gui/views/view_services.h"

namespace kestro {
namespace {

constexpr int kResistors = 25000;
constexpr int kColumns = 200;
constexpr float kPitchX = 80.0f, kPitchY = 70.0f;

// The drag as the view runs it, with its repaint area in reach of the benchmark.
class CMeasuredMove : public CMoveTracker {
public:
    using CMoveTracker::CMoveTracker;
    using CMoveTracker::FeedbackArea;
};

struct CDragFixture {
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    std::unique_ptr<CCircuitDocumentManager> manager;
    std::shared_ptr<CCircuit> sheet;
    CViewServices services;
    std::unique_ptr<CKestroView> view;
    QImage image{1920, 1080, QImage::Format_RGB32};
    CMeasuredMove* move = nullptr;

    CDragFixture() {
        library.Open(KESTRO_BINARY_DIR "/bin/KESTRO.LIB");
        manager =
            std::make_unique<CCircuitDocumentManager>(CPartEnvironment{library, settings, prompts});
        sheet = manager->CreateUntitled(manager->GetContext());
        const int rows = kResistors / kColumns;
        sheet->SetDrawingArea({0, 0, kColumns * kPitchX + 100, rows * kPitchY + 100});
        const auto resistor = static_cast<uint16_t>(library.FindElementByName("R"));
        for (int i = 0; i < kResistors; ++i) {
            const float x = 50 + (i % kColumns) * kPitchX, y = 50 + (i / kColumns) * kPitchY;
            sheet->PlaceElement(resistor, {x, y}, 0);
            sheet->AddObject(CWire::Create(sheet->GetEnvironment(), {x + 20, y}, {x + 60, y}));
        }
        services.settings = &settings;
        view = std::make_unique<CKestroView>(sheet, services);
        view->resize(1920, 1080);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->show();
        QApplication::processEvents();
        view->SetZoom(1.2, CPointF{4000, 2000});
        // 1,000 objects in the middle of the window.
        const CPointF centre = view->ToLogical({960, 540});
        CSelection& selection = view->Selection();
        sheet->VisitObjectsIn({centre.x - 780, centre.y - 420, centre.x + 780, centre.y + 420},
                              [&selection](CPart& part) {
                                  if (selection.Count() < 1000) selection.Add(part);
                              });
        sheet->RefreshSelection(selection);
        view->UpdateSelectionBounds();
        auto tracker = std::make_unique<CMeasuredMove>(*view);
        move = tracker.get();
        view->RunTracker(std::move(tracker), {960, 540}, {});
    }
    ~CDragFixture() {
        view.reset();
        sheet.reset();
        manager.reset();
    }

    void Frame(QPoint mouse) {
        const QRect before = move->FeedbackArea();
        move->OnMouseMove(mouse);
        QPainter painter(&image);
        view->PaintArea(painter, before.united(move->FeedbackArea()));
    }
};

std::unique_ptr<CDragFixture>& Fixture() {
    static std::unique_ptr<CDragFixture> fixture;
    if (!fixture) fixture = std::make_unique<CDragFixture>();
    return fixture;
}

void BM_DragFeedbackFrame(benchmark::State& state) {
    CDragFixture& f = *Fixture();
    int step = 0;
    for (auto _ : state) {
        // To and fro by a grid step and a half, so each frame moves the drawing.
        f.Frame({960 + (step % 2 ? 18 : 0), 540 + (step % 2 ? 12 : 0)});
        ++step;
    }
    state.counters["selected"] = double(f.view->Selection().Count());
    state.counters["objects"] = double(f.sheet->GetObjectCount());
}
BENCHMARK(BM_DragFeedbackFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv, [] { kestro::Fixture().reset(); });
}
