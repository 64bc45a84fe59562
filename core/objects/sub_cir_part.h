#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/objects/part.h"

namespace kestro {

class CCircuit;

// An instance of another sheet used as a subcircuit, drawn as that sheet's block
// symbol with one terminal per port number. The sheet document is shared by every
// instance that uses it (and by the document manager); the instance keeps it alive.
class CSubCirPart : public CPart {
public:
    explicit CSubCirPart(const CPartEnvironment& environment);
    ~CSubCirPart() override;

    // An instance of `sheet` at `position` (snapped to the grid).
    static std::unique_ptr<CSubCirPart> Create(const CPartEnvironment& environment,
                                               std::shared_ptr<CCircuit> sheet, CPointF position,
                                               int rotation);

    CCircuit* GetSheet() const { return m_sheet.get(); }
    const std::shared_ptr<CCircuit>& GetSheetShared() const { return m_sheet; }
    // Takes the sheet and its current interface (one empty terminal per port, bounds
    // from its symbol box). The instance must not be connected or on a sheet.
    void SetSheet(std::shared_ptr<CCircuit> sheet);
    // After the sheet's interface changed; the caller disconnects and reconnects.
    void UpdateInterface();
    // The sheet's file path (as last known).
    const std::string& GetPath() const { return m_path; }

    // Net number inside the sheet of the port at terminal `index` (-2 when none).
    int32_t GetInnerNetNumber(size_t index) const;
    bool HasInnerPort(size_t index) const;
    // Netlist line range of this instance's own elements (set by the netlist writer).
    int32_t GetFirstLine() const { return m_firstLine; }
    int32_t GetEndLine() const { return m_endLine; }
    void SetLineRange(int32_t first, int32_t end) {
        m_firstLine = first;
        m_endLine = end;
    }

    uint16_t GetTag() const override { return kTagSubCircuit; }
    std::string GetKindName() const override { return "Subcircuit"; }
    // The file name without folder and extension.
    std::string GetName() const override;
    int GetColorRole() const override { return 3; }
    CRectF GetSymbolRect() const override;
    CPointF GetTerminalPosition(size_t index) const override;
    void AppendShapes(CShapeList& shapes, CPointF origin) const override;
    void DrawWith(CCanvas& canvas, const CPlacement& placement) const override;
    // Common record; string path; string relative path; u16 port count, the port
    // positions, the symbol box. Reading obtains the sheet through the document manager.
    void Serialize(CRecordBuffer& buffer, CSerialContext& context) override;
    bool IsSubCircuit() const override { return true; }

private:
    void ReadSheet(CRecordBuffer& buffer, CSerialContext& context);

    std::shared_ptr<CCircuit> m_sheet;
    int32_t m_firstLine = 0;
    int32_t m_endLine = 0;
    std::string m_path;
};

// "dir/name.sch" -> "name"; both separators are accepted.
std::string FileTitle(const std::string& path);

}  // namespace kestro
