#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "core/platform/geometry.h"
#include "gui/commands/command_map.h"

namespace kestro {

class CLibElement;
class CLibraryData;

// The element of a library window. The library owns the element; the document keeps the
// places around the element's box where terminals may go (candidates, 10 units apart along
// each side, never on a corner) and which terminal, numbered from 1, sits on each.
class CShapeDoc : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    // A marker reaches this far out from the box and this far to each side of its place.
    static constexpr float kMarkerDepth = 8.0f;
    static constexpr float kMarkerHalfWidth = 4.0f;

    enum class Side { Left, Top, Right, Bottom };

    CShapeDoc(CLibraryData& library, CLibElement& element, QObject* parent = nullptr);

    CLibraryData& Library() const { return m_library; }
    CLibElement& Element() const { return m_element; }
    // "Library : " and the element's name.
    QString Title() const;

    const std::vector<CPointF>& Candidates() const { return m_candidates; }
    // 0: free; otherwise the number of the terminal on candidate i.
    const std::vector<uint16_t>& Marks() const { return m_marks; }
    Side SideOf(size_t candidate) const;
    // The marker of candidate i, just outside the box.
    CRectF MarkerRect(size_t candidate) const;
    // True for a terminal that shares its place with another one.
    bool IsMarkFlagged(size_t candidate) const;
    // The candidate whose marker holds p, or -1.
    int CandidateAt(CPointF p) const;

    // A click on candidate i: the next terminal goes there. False (nothing changes) for a
    // candidate that has a terminal already.
    bool MarkTerminal(size_t candidate);
    // Every terminal removed; the library is marked modified even when there was none.
    void ResetOutputs();
    // The box resized about its centre to width and height tens of units; the terminals go.
    void SetSize(int width, int height);
    // The box as it is now, in whole tens: the Set Size dialog's first choice.
    int WidthInTens() const;
    int HeightInTens() const;

    // Tells the views that the element changed (they repaint).
    void NotifyChanged() { emit Changed(); }
    // The element was put back to another state as a whole (undo, redo): its box and
    // terminals are read again.
    void Reload();

signals:
    void Changed();

private:
    void ComputeCandidates();
    void ReadMarks();
    void RegisterCommands();

    CLibraryData& m_library;
    CLibElement& m_element;
    std::vector<CPointF> m_candidates;
    std::vector<uint16_t> m_marks;
};

}  // namespace kestro
