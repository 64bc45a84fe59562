#pragma once

#include "gui/frames/document_frame.h"

namespace kestro {

// A library element window: one view of one element. Closing it never asks to save; the
// library as a whole is saved by its own command or at exit.
class CLibChildFrame : public CDocumentFrame {
    Q_OBJECT
public:
    // Without a view the window shows a placeholder.
    explicit CLibChildFrame(QWidget* view = nullptr, QWidget* parent = nullptr);

    FrameKind Kind() const override { return FrameKind::Library; }
    QWidget* ActiveView() const override { return widget(); }
    CDocumentFrame* CreateAnotherWindow() const override { return nullptr; }
};

}  // namespace kestro
