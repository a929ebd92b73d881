// The Help menu: the help file of the active language, and the About window.

#include <exception>
#include <filesystem>
#include <system_error>

#include "gui/app/aboutbox.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"

namespace tw {

std::string TForm1::HelpFileName() const {
    // Built at each use, so a language change picks its own help file at once.
    const std::string& language = Editor.LanguageFile;
    return Editor.ExeFolder + "tabwright" + language.substr(0, language.find('.')) + ".chm";
}

void TForm1::Help2Click() {
    try {
        PrepareCommand();
        std::string path = HelpFileName();
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error))
            OpenDocument(path); // the viewer runs on its own; nothing waits for it
        else
            FeedbackShown->ShowMessage(Editor.Text(158));
    } catch (const std::exception&) {
        // A help viewer that cannot be started is not worth a message of its own.
    }
}

void TForm1::About1Click() {
    PrepareCommand();
    ExecModal(*AboutBox);
}

} // namespace tw
