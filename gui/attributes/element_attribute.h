#pragma once

#include <QGroupBox>
#include <vector>

#include "gui/attributes/attrib_base_dlg.h"
#include "gui/attributes/control_model.h"

class QLabel;
class QPushButton;

namespace kestro {

class CExButton;
class CExComboBoxCtrl;
class CExEditCtrl;
class CExStatic;
class CSimPart;

// The page of a placed library element: its name and one row per further attribute
// (a label, a value control by the value's type, and a "Display" box when the value may
// be shown on the sheet), twelve rows to a column, as many columns as the element needs.
// Row i edits attribute i; its value control is "id<1400 + i>" and its box "id<1500 + i>".
class CElementAttribute : public CAttribBaseDlg {
    Q_OBJECT
public:
    static constexpr int kRowsPerColumn = 12;
    static constexpr int kFirstValueId = 1400;
    static constexpr int kFirstDisplayId = 1500;

    explicit CElementAttribute(CKestroAttributes& window);

    QSize PageSize() const override { return m_pageSize; }
    void LoadPage() override;
    bool ApplyPage() override;

    // What LoadPage built, for those who look at the page.
    int RowCount() const { return int(m_rows.size()); }
    int ColumnCount() const;
    const CControlModels& Models() const { return m_models; }

private:
    struct CRow {
        CExStatic* label = nullptr;
        CExStatic* unit = nullptr;        // after the value, when it has one
        CExEditCtrl* edit = nullptr;      // Float, Integer, String
        CExComboBoxCtrl* list = nullptr;  // Boolean
        CExButton* display = nullptr;     // only for values that may be shown on the sheet
        QWidget* Value() const;
    };
    // Positions of one layout: the template's measures for this element's names.
    struct CMeasures {
        int labelWidth = 0;
        int valueWidth = 0;
        int unitWidth = 0;  // with its gap; 0 when no value has a unit
        int editHeight = 0;
        int labelHeight = 0;
        int checkWidth = 0;
        int rowPitch = 0;
        int columnPitch = 0;
        int boxWidth = 0;
        int rowsTop = 0;
    };

    void CreateTemplate();
    void DestroyRows();
    CSimPart* SelectedElement() const;
    CMeasures Measure(const CSimPart& element) const;
    int LayOutHeader(const CMeasures& m, int columns);
    void AddRow(CSimPart& element, size_t index, const CMeasures& m);
    void PlaceNameRow(const CSimPart& element, const CMeasures& m);
    void PlaceBoxes(const CMeasures& m, int columns, int firstColumnBottom);
    QRect RowRect(const CMeasures& m, size_t index, int x, int width, int height) const;
    bool HasChanges() const;
    void ReadBack(CSimPart& element);
    void ClearMarks();
    void OnDisplayClicked(size_t index, bool checked);

    CControlModels m_models;
    QLabel* m_description = nullptr;
    CExStatic* m_nameLabel = nullptr;
    CExEditCtrl* m_nameEdit = nullptr;
    CExButton* m_nameDisplay = nullptr;
    CExComboBoxCtrl* m_modelList = nullptr;
    QPushButton* m_help = nullptr;
    // 1040, 1041, then one more for every further column.
    std::vector<QGroupBox*> m_boxes;
    std::vector<CRow> m_rows;
    QSize m_pageSize;
};

}  // namespace kestro
