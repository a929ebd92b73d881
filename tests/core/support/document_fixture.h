#pragma once
// Loading and saving documents in a temporary folder with an editor state of their own.
// Language text N reads "TN", so a test sees which text an operation showed.

#include <gtest/gtest.h>

#include <string>

#include "core/app/editorstate.h"
#include "core/document/loader.h"
#include "core/document/save.h"
#include "recording_feedback.h"
#include "temp_folder.h"

namespace tw {

inline std::string NumberedLanguageTexts() {
    std::string bytes;
    for (int n = 0; n < MinimumLanguageEntries; ++n)
        bytes += "T" + std::to_string(n) + "\n";
    return bytes;
}

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() {
        State.Language.SetFromBytes(NumberedLanguageTexts());
        State.ExeFolder = Folder.Path() + "program/";
        // A load into SG1 ends by reading the document sections of the language file.
        Folder.Write("program/" + State.LanguageFile, NumberedLanguageTexts());
    }

    LoadResult Load(const std::string& relative, const std::string& bytes, int slot = 1) {
        return LoadTable(State, Folder.Write(relative, bytes), slot, Shown);
    }

    // Saves SG1 to its own target and gives the bytes written.
    std::string SaveAndRead() {
        SaveResult saved = SaveDocument(State, Shown);
        EXPECT_TRUE(saved.Ok) << saved.Message << " / " << saved.SystemError;
        return TempFolder::Read(saved.Target);
    }

    TempFolder Folder; // first: it points the settings file into the folder
    EditorState State;
    RecordingFeedback Shown;
};

} // namespace tw
