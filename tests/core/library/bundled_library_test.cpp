// Checks the element library the build compiles from library/ into <build>/bin/KESTRO.LIB:
// what the editor, the element toolbar and the netlist rely on.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/library/library_data.h"
#include "core/platform/scripted_prompts.h"

namespace kestro {
namespace {

constexpr float kGrid = 10.0f;

bool OnGrid(float v) {
    return std::fabs(v / kGrid - std::round(v / kGrid)) < 1e-4f;
}

bool Same(float a, float b) {
    return std::fabs(a - b) < 1e-3f;
}

bool OnEdge(CPointF p, const CRectF& r) {
    const bool inX = p.x >= r.left - 1e-3f && p.x <= r.right + 1e-3f;
    const bool inY = p.y >= r.top - 1e-3f && p.y <= r.bottom + 1e-3f;
    return (inY && (Same(p.x, r.left) || Same(p.x, r.right))) ||
           (inX && (Same(p.y, r.top) || Same(p.y, r.bottom)));
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void CollectMenuCodes(const std::vector<CMenuItem>& items, std::vector<int>& codes) {
    for (const CMenuItem& item : items) {
        if (item.kind == CMenuItem::Kind::Element) codes.push_back(item.code);
        if (item.kind == CMenuItem::Kind::Popup) {
            EXPECT_FALSE(item.children.empty()) << "empty popup " << item.label;
            CollectMenuCodes(item.children, codes);
        }
    }
}

class BundledLibrary : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef KESTRO_HAS_BUNDLED_LIBRARY
        GTEST_SKIP() << "the bundled library is built only with the tools";
#endif
        ASSERT_TRUE(m_library.Open(KESTRO_BINARY_DIR "/bin/KESTRO.LIB")) << m_prompts.LastMessage();
        ASSERT_TRUE(m_library.LoadAllElements()) << m_prompts.LastMessage();
    }

    std::vector<CLibElement*> Regular() {
        std::vector<CLibElement*> all;
        for (uint32_t i = 0; i < m_library.GetElementCount(); ++i)
            all.push_back(m_library.GetElement(i));
        return all;
    }

    std::vector<CLibElement*> WithBuiltIns() {
        auto all = Regular();
        all.push_back(&m_library.GetControlElement());
        all.push_back(&m_library.GetPortElement());
        all.push_back(&m_library.GetLabelElement());
        return all;
    }

    CScriptedPrompts m_prompts;
    CLibraryData m_library{m_prompts};
};

TEST_F(BundledLibrary, HasAtLeastAHundredElementsWithUniqueNamesIgnoringCase) {
    EXPECT_GE(m_library.GetElementCount(), 100u);
    std::set<std::string> names;
    for (CLibElement* e : Regular()) {
        ASSERT_NE(e, nullptr);
        EXPECT_FALSE(e->GetName().empty());
        EXPECT_TRUE(names.insert(Upper(e->GetName())).second) << "duplicate " << e->GetName();
    }
}

TEST_F(BundledLibrary, DefaultNamesOfDifferentElementsNeverMeet) {
    // A new instance is named prefix + a counter kept per element ("Q" + 11 and "Q1" + 1
    // would both give Q11), so prefixes differ and end in a non-digit.
    std::map<std::string, std::string> owners;
    for (CLibElement* e : Regular()) {
        if (e->IsGround()) continue;
        const std::string prefix = Upper(e->GetDefinition(0).GetValue().GetString());
        ASSERT_FALSE(prefix.empty()) << e->GetName();
        EXPECT_FALSE(prefix.back() >= '0' && prefix.back() <= '9') << e->GetName() << " " << prefix;
        const auto [it, added] = owners.emplace(prefix, e->GetName());
        EXPECT_TRUE(added) << e->GetName() << " and " << it->second << " share " << prefix;
    }
}

TEST_F(BundledLibrary, SymbolsSitOnTheGridWithTerminalsOnTheirRectangleEdge) {
    for (CLibElement* e : WithBuiltIns()) {
        const CRectF& r = e->GetRect();
        // Placing snaps the rectangle's corner to the grid; the terminals follow it.
        for (float v : {r.left, r.top, r.right, r.bottom})
            EXPECT_TRUE(OnGrid(v)) << e->GetName() << " rectangle corner " << v;
        EXPECT_LT(r.left, r.right) << e->GetName();
        EXPECT_LT(r.top, r.bottom) << e->GetName();
        for (const CPointF& p : e->GetOutputPoints()) {
            EXPECT_TRUE(OnGrid(p.x) && OnGrid(p.y))
                << e->GetName() << " terminal " << p.x << "," << p.y;
            EXPECT_TRUE(OnEdge(p, r)) << e->GetName() << " terminal " << p.x << "," << p.y;
        }
        // Shapes outside the rectangle would escape selection and repainting.
        for (const auto& shape : e->GetShapes()) {
            const CRectF b = shape->GetBounds();
            EXPECT_TRUE(b.left >= r.left - 0.5f && b.right <= r.right + 0.5f &&
                        b.top >= r.top - 0.5f && b.bottom <= r.bottom + 0.5f)
                << e->GetName() << " shape " << shape->GetTypeCode() << " at " << b.left << ","
                << b.top << "," << b.right << "," << b.bottom;
        }
    }
}

TEST_F(BundledLibrary, TerminalsOfAnElementNeverShareAPoint) {
    for (CLibElement* e : Regular()) {
        std::set<std::pair<long, long>> seen;
        for (const CPointF& p : e->GetOutputPoints())
            EXPECT_TRUE(seen.insert({std::lround(p.x), std::lround(p.y)}).second)
                << e->GetName() << " has two terminals at " << p.x << "," << p.y;
    }
}

TEST_F(BundledLibrary, ElementsAreDescribedAndListed) {
    for (CLibElement* e : Regular()) {
        EXPECT_FALSE(e->GetDescription().empty()) << e->GetName();
        EXPECT_FALSE(e->GetOutputPoints().empty()) << e->GetName();
        if (!e->IsGround()) {
            EXPECT_TRUE(e->GetFlags() & CLibElement::kShowInDialog) << e->GetName();
        }
    }
}

TEST_F(BundledLibrary, ElementZeroIsTheOnlyGround) {
    CLibElement* ground = m_library.GetElement(0);
    EXPECT_TRUE(ground->IsGround());
    EXPECT_EQ(ground->GetOutputPoints().size(), 1u);
    ASSERT_EQ(ground->GetDefinitionCount(), 1u);
    EXPECT_EQ(ground->GetDefinition(0).GetName(), "Name");
    for (uint32_t i = 1; i < m_library.GetElementCount(); ++i)
        EXPECT_FALSE(m_library.GetElement(i)->IsGround()) << m_library.GetElement(i)->GetName();
}

TEST_F(BundledLibrary, DefinitionsStartWithTheNameAndHaveDistinctIdentifiers) {
    for (CLibElement* e : Regular()) {
        ASSERT_GE(e->GetDefinitionCount(), 1u) << e->GetName();
        const CNetLine& name = e->GetDefinition(0);
        EXPECT_EQ(name.GetName(), "Name") << e->GetName();
        EXPECT_EQ(name.GetValue().GetType(), CGenType::String) << e->GetName();
        EXPECT_FALSE(name.GetValue().GetString().empty()) << e->GetName();
        // Stored values find their definition by identifier; two alike would mix them up.
        std::set<uint32_t> ids;
        for (const auto& d : e->GetDefinitions()) {
            EXPECT_EQ(d->GetId(), CNetLine::ComputeId(d->GetName(), d->GetValue().GetType()))
                << e->GetName() << "." << d->GetName();
            EXPECT_TRUE(ids.insert(d->GetId()).second) << e->GetName() << "." << d->GetName();
        }
        EXPECT_LE(e->GetDefinitionCount(), 33u) << e->GetName() << " values would not be stored";
    }
}

TEST_F(BundledLibrary, FloatDefaultsReadBackFromTheirDisplayText) {
    for (CLibElement* e : WithBuiltIns()) {
        for (const auto& d : e->GetDefinitions()) {
            const CGenType& value = d->GetValue();
            if (value.GetType() != CGenType::Float) continue;
            CGenType parsed;
            parsed.SetType(CGenType::Float);
            parsed.SetFromText(value.GetDisplayText());
            EXPECT_EQ(parsed.GetFloat(), value.GetFloat())
                << e->GetName() << "." << d->GetName() << " shows " << value.GetDisplayText();
            EXPECT_EQ(parsed.GetExponent(), value.GetExponent())
                << e->GetName() << "." << d->GetName();
        }
    }
}

TEST_F(BundledLibrary, ToolbarSlotsHoldTheirElements) {
    const std::map<uint32_t, std::string> slots = {
        {0, "GND"},   {7, "R"},     {5, "L"},      {6, "C"},       {12, "RL"},     {13, "RC"},
        {15, "RLC"},  {16, "MUT2"}, {17, "TFI"},   {19, "RLC3"},   {107, "DIODE"}, {71, "MOSFET"},
        {23, "VDC"},  {25, "VSIN"}, {24, "VSIN3"}, {26, "VP"},     {1, "VP2"},     {77, "IP"},
        {78, "AM"},   {79, "WM"},   {69, "ONOFF"}, {70, "GATING"}, {35, "SUM2"},   {36, "GAIN"},
        {39, "INT"},  {40, "PI"},   {38, "TFN"},   {97, "LIM"},    {49, "COMP"},   {57, "MULT"},
        {58, "CONST"}};
    for (const auto& [index, name] : slots) {
        ASSERT_LT(index, m_library.GetElementCount());
        EXPECT_EQ(m_library.GetElement(index)->GetName(), name) << "toolbar slot " << index;
    }
}

TEST_F(BundledLibrary, MenuEntriesNameExistingElementsAndReachEveryElement) {
    std::vector<int> codes;
    CollectMenuCodes(m_library.GetMenus().GetItems(), codes);
    std::set<int> reached;
    for (int code : codes) {
        EXPECT_TRUE(code >= 0 && static_cast<uint32_t>(code) < m_library.GetElementCount())
            << "menu entry " << code;
        EXPECT_TRUE(reached.insert(code).second) << "menu lists element " << code << " twice";
    }
    for (uint32_t i = 0; i < m_library.GetElementCount(); ++i)
        EXPECT_TRUE(reached.count(static_cast<int>(i)))
            << m_library.GetElement(i)->GetName() << " is not in the menu";
}

TEST_F(BundledLibrary, BuiltInSymbols) {
    CLibElement& control = m_library.GetControlElement();
    EXPECT_EQ(control.GetRect(), (CRectF{-20, -20, 20, 20}));
    EXPECT_TRUE(control.GetOutputPoints().empty());
    struct Expected {
        const char* name;
        CGenType value;
    };
    const Expected expected[] = {
        {"Name", CGenType::MakeString(".TIME")}, {"Tstep", CGenType::MakeFloat(1e-05)},
        {"Ttotal", CGenType::MakeFloat(0.01)},   {"Tprint", CGenType::MakeFloat(0)},
        {"Iprint", CGenType::MakeInteger(1)},    {"Iload", CGenType::MakeBoolean(false)},
        {"Isave", CGenType::MakeBoolean(false)}};
    ASSERT_EQ(control.GetDefinitionCount(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(control.GetDefinition(i).GetName(), expected[i].name);
        EXPECT_EQ(control.GetDefinition(i).GetUnit(), "");
        EXPECT_EQ(control.GetDefinition(i).GetValue(), expected[i].value) << expected[i].name;
    }
    EXPECT_EQ(m_library.GetPortElement().GetName(), "Port");
    EXPECT_EQ(m_library.GetPortElement().GetOutputPoints().size(), 1u);
    EXPECT_EQ(m_library.GetLabelElement().GetName(), "Label");
    EXPECT_EQ(m_library.GetLabelElement().GetOutputPoints().size(), 1u);
}

TEST_F(BundledLibrary, CarriesTheFourLibraryFonts) {
    EXPECT_EQ(m_library.GetFonts(), StartupLibraryFonts());
}

}  // namespace
}  // namespace kestro
