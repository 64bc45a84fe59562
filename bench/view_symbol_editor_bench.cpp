// The symbol editor: opening an element of 500 shapes in a library window (document, view
// and the first full paint), and one repaint of it.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>

#include "bench/gui_bench_main.h"
#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/sh_arc.h"
#include "core/library/sh_ellipse.h"
#include "core/library/sh_line.h"
#include "core/library/sh_rrect.h"
#include "core/platform/scripted_prompts.h"
#include "core/platform/settings.h"
#include "gui/frames/lib_child_frame.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_view.h"

namespace kestro {
namespace {

struct CSymbolFixture {
    CScriptedPrompts prompts;
    CSettings settings;
    CLibraryData library{prompts};
    CShapeEditorState state;
    uint16_t big = 0;

    CSymbolFixture() {
        library.New("/nonexistent/KESTRO.LIB");
        auto element = CLibElement::MakeNew("BIG");
        element->SetRect({-100, -100, 100, 100});
        for (int i = 0; i < 500; ++i) {
            const float x = float(i % 20) * 10.0f - 100.0f, y = float(i / 20) * 8.0f - 100.0f;
            switch (i % 4) {
                case 0:
                    element->AddShape(
                        std::make_unique<CSHLine>(CPointF{x, y}, CPointF{x + 9, y + 7}));
                    break;
                case 1:
                    element->AddShape(std::make_unique<CSHEllipse>(CRectF{x, y, x + 8, y + 6}));
                    break;
                case 2:
                    element->AddShape(std::make_unique<CSHArc>(CRectF{x, y, x + 8, y + 6}, 1));
                    break;
                default:
                    element->AddShape(std::make_unique<CSHRRect>(CRectF{x, y, x + 7, y + 7}));
            }
        }
        for (float p = -90; p <= 90; p += 10)
            element->GetOutputPoints().push_back({p, -100});
        big = library.AppendElement(std::move(element));
    }

    CShapeViewServices Services() {
        CShapeViewServices services;
        services.state = &state;
        services.settings = &settings;
        return services;
    }
};

CSymbolFixture& Fixture() {
    static auto* fixture = new CSymbolFixture;
    return *fixture;
}

void BM_OpenElementOf500Shapes(benchmark::State& state) {
    CSymbolFixture& f = Fixture();
    QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        auto* document = new CShapeDoc(f.library, *f.library.GetElement(f.big));
        auto* view = new CShapeView(*document, f.Services());
        CLibChildFrame frame(view);
        document->setParent(&frame);
        frame.resize(1000, 800);
        view->SetZoom(3.0);
        QPainter painter(&image);
        frame.render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_OpenElementOf500Shapes)->Unit(benchmark::kMillisecond);

void BM_RepaintElementOf500Shapes(benchmark::State& state) {
    CSymbolFixture& f = Fixture();
    auto* document = new CShapeDoc(f.library, *f.library.GetElement(f.big));
    auto* view = new CShapeView(*document, f.Services());
    CLibChildFrame frame(view);
    document->setParent(&frame);
    frame.resize(1000, 800);
    view->SetZoom(3.0);
    QImage image(1000, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view->viewport()->render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RepaintElementOf500Shapes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestro

int main(int argc, char** argv);
int main(int argc, char** argv) {
    return kestro::RunGuiBenchmarks(argc, argv, [] { delete &kestro::Fixture(); });
}
