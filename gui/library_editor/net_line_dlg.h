#pragma once

#include <QDialog>

#include "core/library/net_line.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kestro {

class CExEditCtrl;

// "Attribute Definition": edits one attribute definition of a library element (a copy,
// or a new one). A new definition can only be added ("&Add as New"); an existing one is
// changed with "OK" or added once more as a new definition. Changing the type converts
// the default value at once. Enter neither accepts nor closes: a name or value is often
// typed with a last Enter out of habit.
class CNetLineDlg : public QDialog {
    Q_OBJECT
public:
    // Type list positions.
    enum TypeIndex { kFloatIndex, kBooleanIndex, kStringIndex, kIntegerIndex };
    // Flags the dialog owns; the others are kept as they were.
    static constexpr uint32_t kDialogFlags = 0x1702;

    CNetLineDlg(CNetLine definition, bool isNew, QWidget* parent = nullptr);

    // After acceptance: the definition as saved (identifier computed) and whether it is
    // to be added as a new one.
    const CNetLine& Definition() const { return m_definition; }
    bool IsNew() const { return m_new; }

    // The default value text converted to another type (what a change of the type list
    // shows).
    static QString ConvertText(const QString& text, int toIndex);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void LoadDialog();
    void SaveDialog();
    void OnTypeChanged(int index);
    void UpdateEnabling();
    void AddAsNew();
    void Accept();

    CNetLine m_definition;
    bool m_new;
    int m_typeIndex = kFloatIndex;
    QLineEdit* m_name = nullptr;
    QComboBox* m_type = nullptr;
    QLineEdit* m_unit = nullptr;
    CExEditCtrl* m_value = nullptr;
    QCheckBox* m_hidden = nullptr;
    QCheckBox* m_primary = nullptr;
    QCheckBox* m_textLink = nullptr;
    QCheckBox* m_linkAtPlacement = nullptr;
    QCheckBox* m_noQuotation = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_addAsNew = nullptr;
};

// The type list position of a value type (Float for anything unknown), and back.
int TypeIndexOf(uint16_t type);
uint16_t TypeOfIndex(int index);

}  // namespace kestro
