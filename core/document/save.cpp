#include "core/document/save.h"

#include "core/app/text.h"
#include "core/document/fileformat.h"
#include "core/document/writer.h"

namespace tw {

std::string SaveTargetOf(const EditorState& state) {
    // A name set without a load (the start-up's "lastfile") has no real name beside it.
    const std::string& name =
        state.DocumentRealName.empty() ? state.DocumentFileName : state.DocumentRealName;
    const std::string& folder =
        state.DocumentRealFolder.empty() ? state.DocumentFolder : state.DocumentRealFolder;
    return folder + name;
}

SaveResult SaveDocument(EditorState& state, Feedback& feedback) {
    return SaveDocumentTo(state, SaveTargetOf(state), feedback);
}

SaveResult SaveDocumentTo(EditorState& state, const std::string& target, Feedback& feedback) {
    AtomicFileWriter writer(target);
    return SaveDocumentWith(state, writer, feedback);
}

SaveResult SaveDocumentWith(EditorState& state, AtomicFileWriter& writer, Feedback& feedback) {
    SaveResult result;
    result.Target = writer.TargetPath();
    feedback.EndCellEdit();
    feedback.SetBusy(true);
    const std::string& name = state.DocumentFileName;
    auto fail = [&](const std::string& reason, bool fromSystem = true) {
        writer.Discard();
        feedback.SetBusy(false);
        result.Ok = false;
        result.SystemError = reason;
        result.Message = state.Text(99) + " " + state.ErrorContext;
        if (fromSystem)
            result.Message = WithSystemReason(result.Message, reason);
        return result;
    };

    state.ErrorContext = state.Text(95) + " " + name;
    // Nothing loaded yet: there is no file to write.
    if (name.empty())
        return fail("no document name", false);
    if (!writer.Open())
        return fail(writer.SystemError());

    const FileFormat& format = DocumentFormat(state);
    state.FieldSeparator = format.FieldSeparator();
    state.OpenMark = std::string(format.OpenMark());

    state.ErrorContext = state.Text(96) + " " + name;
    feedback.SetStatus(state.Text(97) + " " + name);
    feedback.Refresh();
    if (!WriteDocument(state, writer, feedback))
        return fail(writer.SystemError());
    if (!writer.Commit())
        return fail(writer.SystemError());

    state.History.MarkSaved();
    feedback.SetStatus(state.Text(98) + " " + name);
    feedback.SetProgress(0);
    feedback.SetBusy(false);
    return result;
}

void SetSaveAsTarget(EditorState& state, const std::string& folder, const std::string& typedName) {
    std::string withSlash = folder;
    if (!withSlash.empty() && withSlash.back() != '/')
        withSlash.push_back('/');
    state.DocumentFileName = typedName;
    state.DocumentFolder = withSlash;
    state.DocumentExt = ExtensionPart(typedName);
    state.DocumentRealName = typedName;
    state.DocumentRealFolder = withSlash;
}

} // namespace tw
