#pragma once

#include <QDialog>

class QLineEdit;

namespace kestro {

// "Create New Text" (template 179): one line of text, "Enter Text" (1046), OK and Cancel.
// A given title replaces the dialog's own ("Label" uses it for net names).
class CTextEntryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTextId = 1046;

    CTextEntryDlg(const QString& title, const QString& prompt, const QString& initial,
                  QWidget* parent = nullptr);

    QString Text() const;

private:
    QLineEdit* m_text;
};

}  // namespace kestro
