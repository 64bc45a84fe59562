#pragma once

namespace kestro {

class CKestroView;

// The commands a schematic view handles for the editing: the mode commands (Select, the
// elements 5000-5999, Text, Wire, Label, Simulation Control, Place Port, New and Load
// Subcircuit, Zoom in Selected, Paste) and the edit commands (Rotate, Flip, Cut, Copy,
// Delete, Undo Delete, Select All, Tab, Find, the bitmap copies, help on the selection),
// each with its update rule.
void RegisterEditingCommands(CKestroView& view);

// The two halves, in files of their own.
void RegisterModeCommands(CKestroView& view);
void RegisterEditCommands(CKestroView& view);

}  // namespace kestro
