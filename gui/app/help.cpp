// The Help menu: the help file of the active language, and the About window.

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <exception>
#include <filesystem>
#include <system_error>

#include "gui/app/aboutbox.h"
#include "gui/app/guifeedback.h"
#include "gui/app/mainwindow.h"

namespace tw {

namespace {
std::string LanguagePart(const std::string& languageFile) {
    return languageFile.substr(0, languageFile.find('.'));
}
} // namespace

std::string TForm1::HelpFileName() const {
    // Built at each use, so a language change picks its own help file at once.
    return Editor.ExeFolder + "tabwright" + LanguagePart(Editor.LanguageFile) + ".chm";
}

std::string TForm1::HelpPagesFileName() const {
    return Editor.ExeFolder + "help/" + LanguagePart(Editor.LanguageFile) + "/index.html";
}

bool TForm1::HasApplicationFor(const std::string& path) {
    // Opening a file nobody handles fails silently on most desktops, so ask the desktop
    // first. Without xdg-mime the question cannot be asked; the answer is then no, since
    // a web page is the document some program is likeliest to open.
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QByteArray raw(path.data(), static_cast<qsizetype>(path.size()));
    const QString type = QMimeDatabase().mimeTypeForFile(QFile::decodeName(raw)).name();
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

void TForm1::Help2Click() {
    try {
        PrepareCommand();
        std::string path = HelpFileName();
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) {
            FeedbackShown->ShowMessage(Editor.Text(158));
            return;
        }
        // With no viewer for compiled help the same pages open in the browser, rather
        // than a click that does nothing.
        const std::string pages = HelpPagesFileName();
        if (!HasApplicationFor(path) && std::filesystem::is_regular_file(pages, error))
            path = pages;
        OpenDocument(path); // the viewer runs on its own; nothing waits for it
    } catch (const std::exception&) {
        // A help viewer that cannot be started is not worth a message of its own.
    }
}

void TForm1::About1Click() {
    PrepareCommand();
    ExecModal(*AboutBox);
}

} // namespace tw
