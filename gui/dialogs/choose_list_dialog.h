#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace kestro {

// The generic choice list (template 169): a title set by the caller, a list 1023, OK and
// Cancel. OK or a double click gives the selected row.
class CChooseListDialog : public QDialog {
    Q_OBJECT
public:
    CChooseListDialog(const QString& title, const QStringList& items, int initial,
                      QWidget* parent = nullptr);

    // The chosen row, or -1 when cancelled or nothing is selected.
    int Chosen() const;
    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
};

}  // namespace kestro
