#pragma once

#include <QString>

#include "core/platform/geometry.h"

namespace kestro {

class CKestroView;

// The wait cursor and the status text "Processing, Please wait..." while it lives;
// "Ready" and the normal cursor after.
class CBusyStatus {
public:
    explicit CBusyStatus(CKestroView& view);
    ~CBusyStatus();
    CBusyStatus(const CBusyStatus&) = delete;
    CBusyStatus& operator=(const CBusyStatus&) = delete;

private:
    CKestroView& m_view;
};

// Tidies the wires where the view's selection is (one edit step, joining one that is
// open), then empties the selection and repaints its frame away, as every command that
// selects anew does first. Returns the first selected object that the tidying left on the
// sheet, or null.
class CPart;
CPart* DropSelection(CKestroView& view);

// The help keyword of an object: the element reference's entry of its element (ports,
// labels and the simulation control have theirs), or the help part of its kind.
QString HelpKeyword(const CPart& part);

// True when the point (sheet units) lies inside the view's selection frame.
bool InsideSelection(const CKestroView& view, const CPointF& point);

}  // namespace kestro
