// The File menu's list of the files loaded last. A choice loads the file as if it had
// been picked in the File chooser, so "tabpath" and "lastfile" follow it too.

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

#include "core/document/recentfiles.h"
#include "gui/app/cp1252.h"
#include "gui/app/mainwindow.h"
#include "gui/app/windows.h"
#include "gui/grid/gridview.h"

namespace tw {

namespace {

QString PathText(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

void TForm1::BuildRecentFilesMenu() {
    RecentFiles1 = new QMenu(File1);
    RecentFiles1->setObjectName(QStringLiteral("RecentFiles1"));
    // Above the separator before "&Exit", after the menu's own items.
    QAction* before = nullptr;
    for (QAction* item : File1->actions())
        if (item->objectName() == QStringLiteral("N1"))
            before = item;
    File1->insertMenu(before, RecentFiles1)->setObjectName(QStringLiteral("RecentFiles1"));
    // Built when the menu opens: a file may have gone since the last look.
    connect(File1, &QMenu::aboutToShow, this, &TForm1::RefreshRecentFiles);
    RefreshRecentFiles();
}

void TForm1::RefreshRecentFiles() {
    RecentFiles1->setTitle(FromCp1252(Editor.Language.Added("recentfiles")));
    RecentFiles1->clear();
    const std::vector<std::string> files = ReadRecentFiles(Editor.Reg1);
    int number = 0;
    for (const std::string& path : files) {
        ++number;
        const QString shown = PathText(path);
        // The number is the accelerator; "&" in a name must not become one.
        QString caption =
            number < 10 ? QStringLiteral("&%1  ").arg(number) : QStringLiteral("1&0  ");
        caption += QString(shown).replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = RecentFiles1->addAction(caption);
        // A file that is gone stays in the list, greyed, so the user sees why it fails.
        item->setEnabled(QFileInfo(shown).isFile());
        connect(item, &QAction::triggered, this, [this, path] { RecentFileClick(path); });
    }
    if (files.empty()) {
        QAction* none = RecentFiles1->addAction(FromCp1252(Editor.Language.Added("recentnone")));
        none->setEnabled(false);
    }
}

void TForm1::RecentFileClick(const std::string& path) {
    SG1->EndCellEdit();
    const QFileInfo info(PathText(path));
    SetFileChooserFolder(Form3, QFile::encodeName(info.absolutePath()).toStdString());
    LoadSelected(path);
}

void TForm1::RememberRecentFile(const std::string& path) {
    WriteRecentFiles(Editor.Reg1, WithRecentFile(ReadRecentFiles(Editor.Reg1), path));
}

} // namespace tw
