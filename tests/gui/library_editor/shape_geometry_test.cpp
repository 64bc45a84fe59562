// The arithmetic behind the symbol editor's gestures, and the terminal places of a
// library window's document, without any window.
#include <QtTest>

#include "core/library/lib_element.h"
#include "core/library/library_data.h"
#include "core/library/sh_line.h"
#include "core/library/sh_poly.h"
#include "core/library/sh_rrect.h"
#include "core/library/sh_text.h"
#include "core/platform/scripted_prompts.h"
#include "gui/library_editor/shape_doc.h"
#include "gui/library_editor/shape_geometry.h"

using namespace kestro;

class ShapeGeometryTest : public QObject {
    Q_OBJECT

private slots:
    void straightLinesTakeTheNearerDirectionInWholeUnits() {
        auto ends = ConstrainStraight({0.4f, 0.6f}, {10.2f, 3.7f});
        QCOMPARE(ends[0], (CPointF{0, 1}));
        QCOMPARE(ends[1], (CPointF{10, 1}));
        ends = ConstrainStraight({0, 0}, {-3, -12});
        QCOMPARE(ends[1], (CPointF{0, -12}));
        // A tie stays horizontal.
        ends = ConstrainStraight({0, 0}, {5, 5});
        QCOMPARE(ends[1], (CPointF{5, 0}));
    }

    void squaresKeepTheDirectionOfTheDrag() {
        QCOMPARE(ConstrainSquare({0, 0}, {3, -8}), (CPointF{8, -8}));
        QCOMPARE(ConstrainSquare({10, 10}, {4, 12}), (CPointF{4, 16}));
    }

    void selectionBoundsAreAtLeastNineUnits() {
        CSHLine flat({0, 0}, {20, 0});
        QCOMPARE(SelectionBounds({&flat}), (CRectF{0, -4.5f, 20, 4.5f}));
        CSHRRect box(CRectF{-10, -10, 10, 10});
        QCOMPARE(SelectionBounds({&flat, &box}), (CRectF{-10, -10, 20, 10}));
        QCOMPARE(SelectionBounds({}), CRectF{});
    }

    void shapesAreBroughtInsideTheBox() {
        const CRectF box{-20, -20, 20, 20};
        CSHRRect out(CRectF{15, -30, 30, -25});
        BringInside(out, box);
        QCOMPARE(out.GetRect(), (CRectF{5, -20, 20, -15}));
        // Larger than the box: its left and top edges go onto the box.
        CSHRRect huge(CRectF{-50, -50, 50, 50});
        BringInside(huge, box);
        QCOMPARE(huge.GetRect().left, -20.0f);
        QCOMPARE(huge.GetRect().top, -20.0f);
        CSHLine inside({0, 0}, {10, 10});
        BringInside(inside, box);
        QCOMPARE(inside.GetRect(), (CRectF{0, 0, 10, 10}));
    }

    void resizingKeepsTheSideOppositeTheHandle() {
        const CRectF bounds{-10, -10, 10, 10};
        // Top-left handle dragged 5 left and 5 up: the bottom-right corner stays.
        CResize r = ResizeFor(bounds, 0, -5, -5);
        QCOMPARE(r.Apply({10, 10}), (CPointF{10, 10}));
        QCOMPARE(r.Apply({-10, -10}), (CPointF{-15, -15}));
        // The top handle leaves x alone.
        r = ResizeFor(bounds, 4, 7, -4);
        QCOMPARE(r.Apply({-10, -10}), (CPointF{-10, -14}));
        QCOMPARE(r.Apply({10, 10}), (CPointF{10, 10}));
        // A frame without width still follows the mouse.
        r = ResizeFor({0, 0, 0, 10}, 5, 6, 0);
        QVERIFY(std::isfinite(r.sx));
    }

    void resizingMovesPolygonPointsAndTextAnchors() {
        const CResize r = ResizeFor({0, 0, 10, 10}, 2, 10, 10);  // twice as large
        CSHPoly poly({{0, 0}, {10, 0}, {10, 10}});
        ResizeShape(poly, r);
        QCOMPARE(poly.GetPoints(), (std::vector<CPointF>{{0, 0}, {20, 0}, {20, 20}}));
        CSHText text;
        text.SetAnchor({10, 10});
        const int32_t height = text.GetHeight();
        ResizeShape(text, r);
        QCOMPARE(text.GetAnchor(), (CPointF{20, 20}));
        QCOMPARE(text.GetHeight(), height);
    }

    void handlesAreFoundTopmostShapeFirst() {
        CShapeList shapes;
        shapes.push_back(std::make_unique<CSHRRect>(CRectF{0, 0, 20, 20}));
        shapes.push_back(std::make_unique<CSHRRect>(CRectF{5, 5, 10, 10}));
        QCOMPARE(ShapeAt(shapes, {7, 7}, 0.5f), 1);
        QCOMPARE(ShapeAt(shapes, {15, 15}, 0.5f), 0);
        QCOMPARE(ShapeAt(shapes, {20.4f, 0}, 0.5f), 0);
        QCOMPARE(ShapeAt(shapes, {30, 30}, 0.5f), -1);
        QCOMPARE(HandleCentre({0, 0, 20, 10}, 5), (CPointF{20, 5}));
        QCOMPARE(HandleCentre({0, 0, 20, 10}, 3), (CPointF{0, 10}));
    }

    void terminalPlacesFollowABoxAwayFromTheOrigin() {
        CScriptedPrompts prompts;
        CLibraryData library(prompts);
        library.New("/nonexistent/KESTRO.LIB");
        auto element = CLibElement::MakeNew("OFFSET");
        element->SetRect({0, 0, 40, 20});
        element->GetOutputPoints() = {{0, 10}, {40, 10}, {0, 10}};
        const uint16_t id = library.AppendElement(std::move(element));
        CShapeDoc doc(library, *library.GetElement(id));
        QCOMPARE(doc.Candidates().size(), size_t(8));
        const int left = doc.CandidateAt({-4, 10});
        const int right = doc.CandidateAt({44, 10});
        QVERIFY(left >= 0 && right >= 0);
        QCOMPARE(doc.SideOf(size_t(left)), CShapeDoc::Side::Left);
        QCOMPARE(doc.MarkerRect(size_t(right)), (CRectF{40, 6, 48, 14}));
        QCOMPARE(doc.Marks()[size_t(left)], uint16_t(1));
        QCOMPARE(doc.Marks()[size_t(right)], uint16_t(2));
        // Two terminals in one place: the marker takes the warning look.
        QVERIFY(doc.IsMarkFlagged(size_t(left)));
        QVERIFY(!doc.IsMarkFlagged(size_t(right)));
        QCOMPARE(doc.CandidateAt({20, 10}), -1);
        QCOMPARE(doc.Title(), QString("Library : OFFSET"));
    }
};

QTEST_MAIN(ShapeGeometryTest)
#include "shape_geometry_test.moc"
