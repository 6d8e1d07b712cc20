// What a window needs of a browse list it carries. The browse manager
// implements it; the window calls it at the points of its lifecycle:
//
//   Attach          SetSelecting(the window was called to select a record)
//   ArmKeys         ArmKeys
//   every event     OnEvent, then (with AUTOREFRESH) ResetNeeded, and when
//                   that says yes the window's Reset
//   Reset           ApplySortOrder(force) for every browse, then
//                   RefreshControls for every browse
//   gaining focus   NoteOutsideChanges, then the window's Reset
//   Update          RereadSelected (before calling another procedure)
//   Teardown        Teardown
//
// The browse belongs to the window's procedure and must outlive its
// attachment. Used from the GUI thread only.
#pragma once

namespace bb {

struct WindowEvent;

class WindowBrowse {
public:
    virtual ~WindowBrowse() = default;

    virtual void SetSelecting(bool selecting) = 0;
    virtual void ArmKeys() = 0;
    // Every event the window handles, after the window's own hooks.
    virtual void OnEvent(const WindowEvent& event) = 0;
    // Whether the list must be reloaded: its visible row count, its range
    // or one of its reset fields changed.
    virtual bool ResetNeeded() = 0;
    // When the data the list shows may have changed since it was loaded
    // (another station's change, or another window's), the next
    // ApplySortOrder reloads it. Reads no row.
    virtual void NoteOutsideChanges() = 0;
    virtual void ApplySortOrder(bool force) = 0;
    virtual void RefreshControls() = 0;
    // Re-reads the highlighted record, watched, so that a later write
    // notices another station's change.
    virtual void RereadSelected() = 0;
    virtual void Teardown() = 0;
};

}  // namespace bb
