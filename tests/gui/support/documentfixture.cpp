#include "documentfixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "gui/document/fileform.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

QString PathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

DocumentFixture::DocumentFixture() {
    Shell.WriteProgramFile("english.lng", NumberedLanguageBytes(170));
    // The language is known already: start-up opens no language window.
    Shell.Settings().WriteString("language", "english.lng");
}

TestForm& DocumentFixture::Start() {
    Window = std::make_unique<TestForm>(Shell, Prompts);
    Window->FormActivate();
    return *Window;
}

std::string DocumentFixture::Folder(const std::string& sub) const {
    std::string path = QFile::encodeName(Data.path()).toStdString();
    if (!sub.empty()) {
        path += "/" + sub;
        std::filesystem::create_directories(path);
    }
    return path;
}

std::string DocumentFixture::Write(const std::string& name, const std::string& bytes,
                                   const std::string& sub) const {
    const std::string path = Folder(sub) + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return path;
}

std::string DocumentFixture::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool DocumentFixture::Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

void DocumentFixture::Pick(const std::string& folder, const std::string& name) {
    TForm3* chooser = Window->Form3;
    QVERIFY(chooser->SetFolder(PathText(folder)));
    const QList<QListWidgetItem*> found = chooser->FL1->findItems(PathText(name), Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    chooser->FL1->setCurrentItem(found.first());
}

void DocumentFixture::LoadThroughChooser(const std::string& folder, const std::string& name) {
    TestForm& form = *Window;
    form.WhileModal = [&](QDialog&) {
        Pick(folder, name);
        form.Form3->BitBtn1Click();
    };
    form.Reload1Click();
    form.WhileModal = nullptr;
}

void DocumentFixture::RunWithSelected(QAction* command, const QStringList& names) {
    TestForm& form = *Window;
    form.WhileModal = [&](QDialog&) {
        for (int k = 1; k <= names.size(); ++k) {
            Pick(Folder(), names[k - 1].toStdString());
            form.Form3->SelectButtonClick(k);
        }
        form.Form3->Button6Click();
    };
    command->trigger();
    form.WhileModal = nullptr;
}

QStringList DocumentFixture::ColumnShown(int col) const {
    QStringList texts;
    const GridModel* model = Window->SG1->CellModel();
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->data(model->index(row, col)).toString();
    return texts;
}

QStringList DocumentFixture::HeaderShown() const {
    QStringList texts;
    const GridModel* model = Window->SG1->CellModel();
    for (int col = 0; col < model->columnCount(); ++col)
        texts << model->headerData(col, Qt::Horizontal).toString();
    return texts;
}

QString DocumentFixture::CellShown(int row, int col) const {
    const GridModel* model = Window->SG1->CellModel();
    return model->data(model->index(GridModel::ModelRowOf(row), col)).toString();
}

bool DocumentFixture::Edit(int row, int col, const QString& text) {
    GridModel* model = Window->SG1->CellModel();
    return model->setData(model->index(GridModel::ModelRowOf(row), col), text);
}

} // namespace tw
