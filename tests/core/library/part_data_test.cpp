#include <gtest/gtest.h>

#include "core/library/library_data.h"
#include "core/library/part_data.h"
#include "core/platform/record_buffer.h"
#include "core/platform/scripted_prompts.h"

namespace kestro {
namespace {

class PartValues : public ::testing::Test {
protected:
    void SetUp() override {
        m_library.New("/nonexistent/KESTRO.LIB");
        auto element = CLibElement::MakeNew("R");
        element->AddDefinition(CNetLine("R", "Ohm", CGenType::MakeFloat(1000, 3), 0x700));
        element->AddDefinition(CNetLine("Model", "", CGenType::MakeString("m"), 0));
        m_id = m_library.AppendElement(std::move(element));
    }

    CLibElement& Element() { return *m_library.GetElement(m_id); }

    CRecordBuffer Stored(const CPartData& values, uint16_t major = 3, uint16_t minor = 30) {
        CRecordBuffer out;
        out.SetVersion(major, minor);
        CPartData copy = values;
        copy.Serialize(out, m_library, m_id);
        out.StartReading();
        return out;
    }

    CPartData Loaded(CRecordBuffer& in) {
        CPartData values;
        values.Serialize(in, m_library, m_id);
        return values;
    }

    CScriptedPrompts m_prompts;
    CLibraryData m_library{m_prompts};
    uint16_t m_id = 0;
};

TEST_F(PartValues, StartFromTheDefaultsAndRoundTrip) {
    CPartData values;
    values.InitFromElementId(m_library, m_id);
    ASSERT_EQ(values.GetCount(), 3u);
    EXPECT_EQ(values.GetValue(1), CGenType::MakeFloat(1000, 3));
    values.GetValue(0) = CGenType::MakeString("R7");
    values.GetValue(1) = CGenType::MakeFloat(2200, 3);
    CRecordBuffer record = Stored(values);
    // One nested item: its length, then the count and three (identifier, value) pairs.
    EXPECT_EQ(record.Get<uint32_t>(), record.Length() - 4);
    EXPECT_EQ(record.Get<int16_t>(), 3);
    record.StartReading();
    const CPartData back = Loaded(record);
    EXPECT_EQ(back.GetValues(), values.GetValues());
    EXPECT_EQ(back.GetElement(), &Element());
}

TEST_F(PartValues, ARenamedOrRetypedDefinitionDropsTheStoredValue) {
    CPartData values;
    values.InitFromElementId(m_library, m_id);
    values.GetValue(1) = CGenType::MakeFloat(5, 0);
    values.GetValue(2) = CGenType::MakeString("changed");
    CRecordBuffer record = Stored(values);

    CNetLine& renamed = Element().GetDefinition(1);
    renamed.SetName("Resistance");
    renamed.ComputeId();
    CNetLine& retyped = Element().GetDefinition(2);
    retyped.SetValue(CGenType::MakeInteger(4));
    retyped.ComputeId();
    const CPartData back = Loaded(record);
    EXPECT_EQ(back.GetValue(1), CGenType::MakeFloat(1000, 3));
    EXPECT_EQ(back.GetValue(2), CGenType::MakeInteger(4));
}

TEST_F(PartValues, MovedDefinitionsAreFoundByIdentifier) {
    CPartData values;
    values.InitFromElementId(m_library, m_id);
    values.GetValue(2) = CGenType::MakeString("moved");
    CRecordBuffer record = Stored(values);
    std::swap(Element().GetDefinitions()[1], Element().GetDefinitions()[2]);
    const CPartData back = Loaded(record);
    EXPECT_EQ(back.GetValue(1), CGenType::MakeString("moved"));
    EXPECT_EQ(back.GetValue(2), CGenType::MakeFloat(1000, 3));
}

TEST_F(PartValues, OlderFilesMatchValuesBySlotAndType) {
    CPartData values;
    values.InitFromElementId(m_library, m_id);
    values.GetValue(2) = CGenType::MakeString("slot");
    CRecordBuffer record = Stored(values, 3, 20);
    Element().GetDefinition(2).SetName("Other");  // identifiers are not consulted
    Element().GetDefinition(2).ComputeId();
    EXPECT_EQ(Loaded(record).GetValue(2), CGenType::MakeString("slot"));
}

TEST_F(PartValues, ElementsWithMoreThan33DefinitionsKeepEveryValue) {
    for (int i = 0; i < 40; ++i)
        Element().AddDefinition(CNetLine("P" + std::to_string(i), "", CGenType::MakeInteger(i), 0));
    CPartData values;
    values.InitFromElementId(m_library, m_id);
    ASSERT_EQ(values.GetCount(), 43u);
    values.GetValue(42) = CGenType::MakeInteger(-1);
    CRecordBuffer record = Stored(values);
    EXPECT_EQ(Loaded(record).GetValue(42), CGenType::MakeInteger(-1));
}

TEST_F(PartValues, RecordsHoldingOnlyACountReadAsDefaults) {
    // Files written before values of large elements were kept: a count of 43 and nothing else.
    CRecordBuffer nested;
    nested.Put<int16_t>(43);
    CRecordBuffer record;
    record.Nested(nested);
    record.StartReading();
    const CPartData back = Loaded(record);
    EXPECT_EQ(back.GetValue(1), CGenType::MakeFloat(1000, 3));
    CRecordBuffer negative;
    CRecordBuffer count;
    count.Put<int16_t>(-1);
    negative.Nested(count);
    negative.StartReading();
    EXPECT_EQ(Loaded(negative).GetCount(), 3u);
}

TEST_F(PartValues, SetValueByIdReportsUnknownIdentifiersAndKeepsTypes) {
    CPartData values;
    values.InitFromElementId(m_library, m_id);
    const uint32_t rId = Element().GetDefinition(1).GetId();
    EXPECT_EQ(values.SetValueById(0, CGenType::MakeFloat(3, 0), rId), 1);
    EXPECT_EQ(values.GetValue(1), CGenType::MakeFloat(3, 0));
    EXPECT_EQ(values.SetValueById(1, CGenType::MakeString("x"), rId), 1);
    EXPECT_EQ(values.GetValue(1), CGenType::MakeFloat(3, 0));
    EXPECT_EQ(values.SetValueById(9, CGenType::MakeFloat(4, 0), 0xDEAD), 0);
}

TEST_F(PartValues, AnElementTheLibraryLacksGivesNoValues) {
    CPartData values;
    values.InitFromElementId(m_library, 900);
    EXPECT_EQ(values.GetCount(), 0u);
    EXPECT_EQ(values.GetElement(), nullptr);
}

}  // namespace
}  // namespace kestro
