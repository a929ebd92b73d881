#include "shellfixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gui/app/cp1252.h"

namespace tw {

std::string NumberedLanguageBytes(int lineCount, const std::string& prefix) {
    std::string bytes;
    for (int i = 0; i < lineCount; ++i)
        bytes += prefix + std::to_string(i) + "\r\n";
    return bytes;
}

ShellFixture::ShellFixture() {
    HadSettings = qEnvironmentVariableIsSet("TABWRIGHT_SETTINGS");
    PreviousSettings = qgetenv("TABWRIGHT_SETTINGS");
    qputenv("TABWRIGHT_SETTINGS",
            QFile::encodeName(Folder.filePath(QStringLiteral("settings/tabwright.reg"))));
    // The user's own language files of the machine running the tests stay out of them.
    HadDataHome = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    PreviousDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(Folder.filePath(QStringLiteral("user-data"))));
}

ShellFixture::~ShellFixture() {
    if (HadSettings)
        qputenv("TABWRIGHT_SETTINGS", PreviousSettings);
    else
        qunsetenv("TABWRIGHT_SETTINGS");
    if (HadDataHome)
        qputenv("XDG_DATA_HOME", PreviousDataHome);
    else
        qunsetenv("XDG_DATA_HOME");
}

std::string ShellFixture::UserLanguageFolder() const {
    return ProgramFolder() + "user-data/tabwright/";
}

void ShellFixture::WriteUserFile(const std::string& name, const std::string& bytes) const {
    std::filesystem::create_directories(UserLanguageFolder());
    std::ofstream out(UserLanguageFolder() + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ShellFixture::ProgramFolder() const {
    QByteArray path = QFile::encodeName(Folder.path());
    return std::string(path.constData(), static_cast<size_t>(path.size())) + "/";
}

void ShellFixture::WriteProgramFile(const std::string& name, const std::string& bytes) const {
    const auto slash = name.rfind('/');
    if (slash != std::string::npos)
        std::filesystem::create_directories(ProgramFolder() + name.substr(0, slash));
    std::ofstream out(ProgramFolder() + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void ShellFixture::RemoveProgramFile(const std::string& name) const {
    std::remove((ProgramFolder() + name).c_str());
}

void ShellFixture::CopyShippedLanguage(const std::string& name) const {
    // The build puts the program's language files beside every program, tests included.
    QByteArray folder = QFile::encodeName(QCoreApplication::applicationDirPath());
    std::ifstream in(std::string(folder.constData()) + "/" + name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WriteProgramFile(name, bytes);
}

TRegpath ShellFixture::Settings() const {
    return TRegpath::ForProgram();
}

std::string ShellFixture::SettingsText() const {
    std::ifstream in(Settings().FilePath, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int TestForm::ExecModal(QDialog& window) {
    ModalWindows.push_back(window.objectName());
    if (WhileModal)
        WhileModal(window);
    return QDialog::Rejected;
}

void TestForm::OpenPopupMenu(QMenu& menu, QPoint globalPosition) {
    Popups.push_back(menu.objectName());
    LastPopupPosition = globalPosition;
    if (RealPopups)
        TForm1::OpenPopupMenu(menu, globalPosition);
}

bool TestForm::LoadIntoMainGrid(const std::string& path) {
    Loads.push_back(path);
    return RealLoads && TForm1::LoadIntoMainGrid(path);
}

QString CaptionOf(const std::string& bytes) {
    return FromCp1252(bytes);
}

} // namespace tw
