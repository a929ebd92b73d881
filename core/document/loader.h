#pragma once
// Loading a data file into one of the five grids: the main grid (slot 1) becomes the open
// document; slots 2 to 5 hold further files for compare and combine.

#include <string>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/grid/gridlimits.h"

namespace tw {

struct LoadOptions {
    // The editor copies every file it loads to a backup once; the command-line tool
    // only does so when it is about to overwrite its input.
    bool MakeBackup = true;
    // The command-line tool leaves the settings alone ("protopath").
    bool WriteSettings = true;
    // protos.tab in the main grid gets its descriptions unless a batch run is loading.
    bool ReadDescriptions = true;
    // What a grid holds; a file past it is refused as a whole. Tests set smaller ones.
    size_t MaxLines = MaxGridLines;
    size_t MaxLineBytes = tw::MaxLineBytes;
};

struct LoadResult {
    bool Ok = true;
    // The message shown, and the system's reason when the file could not be read.
    std::string Message;
    std::string SystemError;
};

// Reads `path` into the grid of `slot` (1 to 5) with every step of the editor's load:
// backup, the per-kind split, the spare last row, descriptions, captions, the document
// sections and the dialog step. Failures are shown through `feedback` and returned.
LoadResult LoadTable(EditorState& state, const std::string& path, int slot, Feedback& feedback,
                     const LoadOptions& options = {});

} // namespace tw
