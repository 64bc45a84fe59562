#pragma once

#include "gui/attributes/attrib_base_dlg.h"

class QLabel;

namespace kestro {

// The information page: one message ("No selection", "Ground Element", a label's name
// and occurrences); it edits nothing.
class CDefaultAttribute : public CAttribBaseDlg {
    Q_OBJECT
public:
    explicit CDefaultAttribute(CKestroAttributes& window);

    void SetText(const QString& text);
    QString Text() const;
    QSize PageSize() const override;
    void LoadPage() override {}

private:
    QLabel* m_text;
};

}  // namespace kestro
