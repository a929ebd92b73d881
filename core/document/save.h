#pragma once
// Saving the open document: "&Save" writes it to its own folder under its real name;
// "&Save As" first names a new target.

#include <string>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"
#include "core/document/filesink.h"

namespace tw {

struct SaveResult {
    bool Ok = true;
    // The message the editor shows on failure: language text 99, a blank and the error
    // context (creating or writing, a blank and the document's name).
    std::string Message;
    std::string SystemError; // the system's reason, for the command-line tool
    std::string Target;      // the path that was (or was to be) written
};

// Where Save writes: the document's real folder and name.
std::string SaveTargetOf(const EditorState& state);

// Writes SG1 to its save target, replacing the file atomically; a failure leaves the
// previous file as it was and is returned, not shown. Shows the status texts and the
// progress. The caller has already shown all rows and columns of a chosen header set.
SaveResult SaveDocument(EditorState& state, Feedback& feedback);
// The same to another path (the command-line tool's output file).
SaveResult SaveDocumentTo(EditorState& state, const std::string& target, Feedback& feedback);
// The same through a writer the caller made (tests make one that fails).
SaveResult SaveDocumentWith(EditorState& state, AtomicFileWriter& writer, Feedback& feedback);

// "&Save As" in the file chooser: the document takes the name as typed (so "Protos.tab"
// does not get the protos.tab rules) and the chooser's folder; LoadExt stays.
void SetSaveAsTarget(EditorState& state, const std::string& folder, const std::string& typedName);

} // namespace tw
