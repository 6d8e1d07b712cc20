// The rows of a notes list: each row's record fields, with the cells that a
// note's texts compute (its kind, its date or event) put in their columns.
// Made by a notes window's CreateBrowse; used from the GUI thread only.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/browse_manager.h"

namespace bb {

class NoteRows final : public BrowseManager {
public:
    // Row field `first` (from 0) shows what `second` computes from the
    // note in the buffers.
    using Computed = std::vector<std::pair<int, std::string (*)()>>;
    explicit NoteRows(Computed computed) : computed_(std::move(computed)) {}

    void FillRow() override;

private:
    Computed computed_;
};

}  // namespace bb
