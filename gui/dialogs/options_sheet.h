#pragma once

#include <QDialog>
#include <QWidget>
#include <array>

#include "core/platform/settings.h"
#include "gui/dialogs/font_choice.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace kestro {

class CColorComboBox;
class CPrompts;

inline constexpr double kOptionsMinZoomFactor = 1.05;
inline constexpr double kOptionsMaxZoomFactor = 5.0;
inline constexpr const char* kZoomFactorRange = "Please enter a number between 1.05 and 5.0.";

// "Standard" (template 176): grid (1049), print page borders (1051), print page legend
// (1052), print page position (1045), zoom factor (1053) and the default text font
// (1055), which is stored as soon as it is picked; then the autosave interval in seconds
// ("Off" at 0).
class COptionsPage_1 : public QWidget {
    Q_OBJECT
public:
    COptionsPage_1(CSettings& settings, CFontChooser chooser, QWidget* parent = nullptr);

    // False when the zoom factor is not a number from 1.05 to 5.0.
    bool Validate(double& zoomFactor) const;
    void Store(double zoomFactor);
    void ChangeDefaultFont();

private:
    CSettings& m_settings;
    CFontChooser m_chooser;
    QCheckBox* m_grid;
    QCheckBox* m_borders;
    QCheckBox* m_legend;
    QComboBox* m_position;
    QLineEdit* m_zoom;
    QSpinBox* m_autosave;
};

// "Colors" (template 177): one colour list per drawing role, 1056 to 1063.
class COptionsPage_2 : public QWidget {
    Q_OBJECT
public:
    // The lists in control order and the role each sets.
    static constexpr std::array<int, 8> kRoles = {kRoleGrid, kRoleElements, kRoleSubcircuit,
                                                  kRolePort, kRoleWire,     kRoleText,
                                                  kRoleNode, kRoleLabel};
    static constexpr int kFirstListId = 1056;

    explicit COptionsPage_2(CSettings& settings, QWidget* parent = nullptr);
    void Store();

private:
    CSettings& m_settings;
    std::array<CColorComboBox*, 8> m_lists{};
};

// "Options": the two pages over the live settings. OK checks and stores both pages
// (a zoom factor out of range is refused with a message and the sheet stays open);
// Cancel stores nothing, though a default text font picked meanwhile stays.
class COptionsSheet : public QDialog {
    Q_OBJECT
public:
    enum Page { kStandard = 0, kColors = 1 };

    COptionsSheet(CSettings& settings, CPrompts& prompts, CFontChooser chooser, Page first,
                  QWidget* parent = nullptr);

    QTabWidget* Pages() const { return m_pages; }
    void accept() override;

private:
    CPrompts& m_prompts;
    QTabWidget* m_pages;
    COptionsPage_1* m_standard;
    COptionsPage_2* m_colors;
};

// A drop-down list of swatches of the eight drawing colours whose index is the colour's.
CColorComboBox* MakeColorList(QWidget* parent);

}  // namespace kestro
