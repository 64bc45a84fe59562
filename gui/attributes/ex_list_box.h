#pragma once

#include <QListWidget>
#include <cstdint>

namespace kestro {

// A list whose horizontal scroll range reaches its longest line, and that can be locked:
// a locked list returns to its previous selection.
class CExListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr uint16_t kLocked = 0x1;

    explicit CExListBox(QWidget* parent = nullptr);

    void SetLocked(bool locked);
    bool IsLocked() const { return (m_options & kLocked) != 0; }
    // Adds a line, widening the scroll range to it when it is the longest so far.
    void AddString(const QString& text);
    // The width of the longest line in pixels.
    int HorizontalExtent() const { return m_extent; }
    int LastSelection() const { return m_last; }

private:
    void OnSelectionChanged(int row);

    uint16_t m_options = 0;
    int m_last = -1;
    int m_extent = 0;
    bool m_returning = false;
};

}  // namespace kestro
