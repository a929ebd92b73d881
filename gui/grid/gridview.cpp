#include "gui/grid/gridview.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <unordered_map>

#include "core/document/documentedits.h"
#include "gui/app/cp1252.h"
#include "gui/grid/gridmodel.h"
#include "gui/grid/gridparts.h"
#include "gui/grid/selectionframe.h"

namespace tw {

namespace {

constexpr int SmallestFontPoints = 4;
constexpr int LargestFontPoints = 96;

void SetUpHeaders(QTableView* view) {
    QHeaderView* columns = view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionsMovable(false);
    columns->setSectionsClickable(false); // a header click never selects or sorts
    columns->setHighlightSections(false);
    columns->setStretchLastSection(false);
    columns->setMinimumSectionSize(0);
    QHeaderView* rows = view->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
}

} // namespace

GridView::GridView(QWidget* parent) : QTableView(parent) {
    MainDelegate = new CellDelegate(this);
    FrozenDelegate = new CellDelegate(this);
    for (CellDelegate* delegate : {MainDelegate, FrozenDelegate}) {
        delegate->SelectAllOnEdit = &SelectAllOnEdit;
        delegate->EditorCreated = [this](QLineEdit* editor) { EditorCreated(editor); };
        delegate->MarkerAt = [this](const QModelIndex& index) {
            return CellMarked && TextGrid &&
                   CellMarked(GridModel::DisplayRowOf(index.row()),
                              TextGrid->DataColumnOf(index.column()));
        };
    }
    Model = new GridModel(this);
    Model->SetCellColor(&CellColor);
    setModel(Model);
    Frozen = new FrozenColumnsView(this);
    Frozen->setModel(Model);
    Frozen->setSelectionModel(selectionModel());
    Frozen->hide();
    viewport()->stackUnder(Frozen);

    setItemDelegate(MainDelegate);
    Frozen->setItemDelegate(FrozenDelegate);

    SetUpHeaders(this);
    SetUpHeaders(Frozen);
    // Editors open only through OpenEditorAt, which knows which view a cell belongs to.
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(true);

    Frozen->MousePress = [this](QMouseEvent* event) { FrozenMousePress(event); };
    Frozen->MouseRelease = [this](QMouseEvent* event) { MouseReleased(event, Frozen->viewport()); };
    Frozen->KeyPress = [this](QKeyEvent* event) { keyPressEvent(event); };
    Frozen->MoveCursor = [this](CursorAction action, Qt::KeyboardModifiers modifiers) {
        return moveCursor(action, modifiers);
    };
    horizontalHeader()->viewport()->installEventFilter(this);
    Frozen->horizontalHeader()->viewport()->installEventFilter(this);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (SyncingScroll)
            return;
        SyncingScroll = true;
        Frozen->verticalScrollBar()->setValue(value);
        SyncingScroll = false;
    });
    connect(Frozen->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (SyncingScroll)
            return;
        SyncingScroll = true;
        verticalScrollBar()->setValue(value);
        SyncingScroll = false;
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) { ColumnResizedByUser(col, size, false); });
    connect(Frozen->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) { ColumnResizedByUser(col, size, true); });
    connect(Model, &GridModel::TextRefused, this, &GridView::TextRefused);
    FocusWatch =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
            // A window losing the focus as a whole is no exit from the grid.
            if (inside(old) && now && !inside(now))
                emit GridExit();
            // The cell being edited is coloured only while the grid has the focus; an editor
            // opened while a closing box still held it (Find) takes its colour now.
            if (inside(now) && !inside(old))
                RefreshCells();
        });

    GridFont = QFont(QStringLiteral("Arial"), 8);
    ApplyFonts();
}

GridView::~GridView() {
    // The children outlive this object's members: nothing may reach them any more.
    disconnect(FocusWatch);
    Model->SetCellColor(nullptr);
    MainDelegate->MarkerAt = nullptr;
    FrozenDelegate->MarkerAt = nullptr;
}

QTableView* GridView::FrozenView() const {
    return Frozen;
}

void GridView::SetGrid(TTextGrid* grid) {
    EndCellEdit();
    TextGrid = grid;
    Model->SetGrid(grid);
    ApplyGridSizes();
    RestoreCurrentCell();
}

void GridView::SetDocument(EditorState* document) {
    Document = document;
    if (!document) {
        Model->CellWriter = nullptr;
        return;
    }
    SetGrid(&document->SG1());
    Model->CellWriter = [this](int dataCol, int row, const std::string& bytes) {
        return WriteDocumentCells({{dataCol, row, bytes}});
    };
}

bool GridView::WriteDocumentCells(const std::vector<CellText>& cells) {
    if (const auto refused = WriteCells(*Document, cells)) {
        emit CellTextRefused(FromCp1252(RefusalMessage(*Document, *refused)));
        return false;
    }
    return true;
}

void GridView::BeginGridChange() {
    if (ChangeDepth++ > 0)
        return;
    EndCellEdit();
    Model->BeginGridReset();
}

void GridView::EndGridChange() {
    if (ChangeDepth == 0 || --ChangeDepth > 0)
        return;
    Model->EndGridReset();
    ApplyGridSizes();
    RestoreCurrentCell();
}

void GridView::RefreshCells() {
    UpdateEditorColors();
    viewport()->update();
    Frozen->viewport()->update();
    horizontalHeader()->viewport()->update();
    Frozen->horizontalHeader()->viewport()->update();
}

int GridView::FixedColumnCount() const {
    if (!TextGrid)
        return 0;
    return std::clamp(TextGrid->FixedCols(), 0, Model->columnCount());
}

int GridView::FrozenWidth() const {
    int width = 0;
    for (int col = 0; col < FixedColumnCount(); ++col)
        width += columnWidth(col);
    return width;
}

void GridView::UpdateFrozenGeometry() {
    if (!Frozen)
        return; // setModel lays out before the overlay exists
    const int fixed = FixedColumnCount();
    if (fixed == 0) {
        Frozen->hide();
        return;
    }
    Frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    const QRect area = viewport()->geometry();
    Frozen->setGeometry(area.left(), frameWidth(), FrozenWidth(),
                        horizontalHeader()->height() + area.height());
    Frozen->show();
    Frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void GridView::ApplyGridSizes() {
    if (!TextGrid)
        return;
    ApplyingSizes = true;
    // Rows: the most common height becomes the headers' default, so only the rare
    // exceptions need a section of their own.
    const int rows = TextGrid->RowCount();
    int common = TextGrid->DefaultRowHeight();
    {
        std::unordered_map<int, int> counts;
        int best = 0;
        for (int row = 1; row < rows; ++row) {
            const int n = ++counts[TextGrid->RowHeight(row)];
            if (n > best) {
                best = n;
                common = TextGrid->RowHeight(row);
            }
        }
    }
    const int fixed = FixedColumnCount();
    for (QTableView* view : {static_cast<QTableView*>(this), static_cast<QTableView*>(Frozen)}) {
        QHeaderView* header = view->verticalHeader();
        header->setDefaultSectionSize(common);
        for (int row = 1; row < rows; ++row) {
            const int height = TextGrid->RowHeight(row);
            if (height != common)
                header->resizeSection(row - 1, height);
        }
        view->horizontalHeader()->setMinimumHeight(std::max(TextGrid->RowHeight(0), 1));
    }
    const int cols = Model->columnCount();
    for (int col = 0; col < cols; ++col) {
        const int width = TextGrid->ColWidth(col);
        setColumnWidth(col, width);
        if (col < fixed)
            Frozen->setColumnWidth(col, width);
    }
    ApplyingSizes = false;
    updateGeometries();
}

void GridView::ColumnResizedByUser(int col, int newSize, bool fromFrozen) {
    if (ApplyingSizes || !TextGrid)
        return;
    TextGrid->SetColWidth(col, newSize);
    ApplyingSizes = true;
    if (fromFrozen)
        setColumnWidth(col, newSize);
    else if (col < FixedColumnCount())
        Frozen->setColumnWidth(col, newSize);
    ApplyingSizes = false;
    UpdateFrozenGeometry();
}

void GridView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    UpdateFrozenGeometry();
}

void GridView::updateGeometries() {
    QTableView::updateGeometries();
    UpdateFrozenGeometry();
}

void GridView::RestoreCurrentCell() {
    if (!TextGrid || Model->rowCount() == 0 || Model->columnCount() == 0)
        return;
    const int row = std::clamp(TextGrid->Row(), 1, Model->rowCount());
    int col = std::clamp(TextGrid->Col(), 0, Model->columnCount() - 1);
    if (col < FixedColumnCount() && FixedColumnCount() < Model->columnCount())
        col = FixedColumnCount();
    SetCurrentCell(row, col);
}

bool GridView::GridHasFocus() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == this || isAncestorOf(focus));
}

void GridView::SyncGridCurrent(const QModelIndex& index) {
    if (!TextGrid || !index.isValid())
        return;
    TextGrid->SetRow(GridModel::DisplayRowOf(index.row()));
    TextGrid->SetCol(index.column());
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!Frozen) { // setModel announces a current cell before the overlay exists
        QTableView::currentChanged(current, previous);
        return;
    }
    const bool wasEditing = EditorActive() || Frozen->ClosingFocusedEditor();
    // The overlay would close its own editor only after this view has opened the next
    // one; close it first, so a fixed cell can follow a fixed cell.
    FrozenDelegate->CommitAndClose();
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    SyncGridCurrent(current);
    if (wasEditing || GridHasFocus())
        OpenEditorAt(current);
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    // The frame runs along the edge of the whole range, which moves with every change.
    viewport()->update();
    if (Frozen)
        Frozen->viewport()->update();
}

void GridView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    QPainter painter(viewport());
    PaintSelectionFrame(*this, painter);
}

bool GridView::OpenEditorAt(const QModelIndex& index) {
    if (!index.isValid() || ChangeDepth > 0)
        return false;
    if (IsLongCell(index)) {
        EndCellEdit();
        return false;
    }
    bool opened;
    CellDelegate* delegate;
    if (index.column() < FixedColumnCount()) {
        MainDelegate->CommitAndClose();
        opened = Frozen->OpenEditor(index);
        delegate = FrozenDelegate;
    } else {
        FrozenDelegate->CommitAndClose();
        opened = QTableView::edit(index, AllEditTriggers, nullptr);
        delegate = MainDelegate;
    }
    // The view selects the whole text of a new editor itself; "Auto Select All" decides.
    if (opened && delegate->TakeFreshEditor()) {
        if (QLineEdit* editor = delegate->Editor()) {
            if (SelectAllOnEdit) {
                editor->selectAll();
            } else {
                editor->deselect();
                editor->end(false);
            }
        }
    }
    if (opened)
        UpdateEditorColors();
    return opened;
}

void GridView::UpdateEditorColors() {
    // The editor covers its cell, so it wears the cell's colours (the colour handler
    // gives the cell being edited a colour of its own).
    QLineEdit* editor = CellEditor();
    if (!editor)
        return;
    const QModelIndex index = currentIndex();
    QPalette colors = palette();
    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.canConvert<QColor>() && background.value<QColor>().isValid())
        colors.setColor(QPalette::Base, background.value<QColor>());
    const bool fixed = index.column() < FixedColumnCount();
    colors.setColor(QPalette::Text, fixed ? FixedTextColor : TextColor);
    editor->setPalette(colors);
    editor->setFont(fixed ? FixedFont : GridFont);
}

bool GridView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // Fixed cells lie under the overlay and are edited there; the current cell's open
    // editor needs no second one.
    if (index.isValid() && index == currentIndex() &&
        (index.column() < FixedColumnCount() || MainDelegate->Editor()))
        return true;
    if (index.isValid() && index.column() < FixedColumnCount())
        return false;
    return QTableView::edit(index, trigger, event);
}

void GridView::EndCellEdit() {
    MainDelegate->CommitAndClose();
    FrozenDelegate->CommitAndClose();
}

void GridView::BeginCellEdit() {
    OpenEditorAt(currentIndex());
}

bool GridView::EditorActive() const {
    return CellEditor() != nullptr;
}

QLineEdit* GridView::CellEditor() const {
    if (QLineEdit* editor = MainDelegate->Editor())
        return editor;
    return FrozenDelegate->Editor();
}

void GridView::SetCurrentCell(int row, int col, CellScroll scroll) {
    if (!TextGrid || row < 1 || row > Model->rowCount() || col < 0 || col >= Model->columnCount())
        return;
    const QModelIndex index = Model->index(GridModel::ModelRowOf(row), col);
    const bool hidden = scroll == CentreWhenHidden && !CellWhollyVisible(row, col);
    if (index != currentIndex())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    SyncGridCurrent(index);
    scrollTo(index);
    if (hidden) {
        // Sideways the nearest edge is enough; only the row moves to the middle.
        QScrollBar* vertical = verticalScrollBar();
        const int top = rowViewportPosition(index.row()) + vertical->value();
        vertical->setValue(top + rowHeight(index.row()) / 2 - viewport()->height() / 2);
    }
}

bool GridView::CellWhollyVisible(int row, int col) const {
    if (!TextGrid || row < 1 || row > Model->rowCount() || col < 0 || col >= Model->columnCount())
        return false;
    const int modelRow = GridModel::ModelRowOf(row);
    const int top = rowViewportPosition(modelRow);
    if (top < 0 || top + rowHeight(modelRow) > viewport()->height())
        return false;
    if (col < FixedColumnCount())
        return true;
    const int left = columnViewportPosition(col);
    const int overlay = Frozen->isHidden() ? 0 : FrozenWidth();
    return left >= overlay && left + columnWidth(col) <= viewport()->width();
}

bool GridView::SetFixedCols(int count) {
    if (!TextGrid)
        return false;
    const bool wasEditing = EditorActive();
    EndCellEdit();
    if (!TextGrid->SetFixedCols(count)) {
        if (wasEditing)
            BeginCellEdit();
        return false;
    }
    ApplyingSizes = true;
    for (int col = 0; col < FixedColumnCount(); ++col)
        Frozen->setColumnWidth(col, columnWidth(col));
    ApplyingSizes = false;
    UpdateFrozenGeometry();
    RefreshCells();
    if (currentIndex().isValid())
        scrollTo(currentIndex());
    if (wasEditing)
        BeginCellEdit();
    return true;
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    QScrollBar* horizontal = horizontalScrollBar();
    if (index.column() < FixedColumnCount()) {
        // Fixed columns never scroll sideways; only the row needs to come into view.
        const int keep = horizontal->value();
        QTableView::scrollTo(index, hint);
        horizontal->setValue(keep);
        return;
    }
    QTableView::scrollTo(index, hint);
    const int overlay = Frozen->isHidden() ? 0 : FrozenWidth();
    const int left = visualRect(index).left();
    if (left < overlay)
        horizontal->setValue(horizontal->value() - (overlay - left));
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    const int rows = Model->rowCount();
    const int cols = Model->columnCount();
    if (rows == 0 || cols == 0)
        return {};
    const int fixed = std::min(FixedColumnCount(), cols - 1);
    QModelIndex next;
    if (action == MoveNext || action == MovePrevious) {
        int row = current.isValid() ? current.row() : 0;
        int col = current.isValid() ? current.column() : fixed;
        if (action == MoveNext) {
            if (col < cols - 1) {
                col = std::max(col + 1, fixed);
            } else if (row < rows - 1) {
                ++row;
                col = fixed;
            }
        } else if (col > fixed) {
            --col;
        } else if (row > 0 && col == fixed) {
            --row;
            col = cols - 1;
        }
        next = Model->index(row, col);
    } else {
        next = QTableView::moveCursor(action, modifiers);
        // The keyboard does not walk into the fixed columns.
        if (next.isValid() && next.column() < fixed &&
            (!current.isValid() || next.column() != current.column()))
            next = Model->index(next.row(), fixed);
    }
    if (next.isValid() && next != current) {
        const int oldRow = current.isValid() ? GridModel::DisplayRowOf(current.row()) : -1;
        const int oldCol = current.isValid() ? current.column() : -1;
        emit CellChanging(oldRow, oldCol, GridModel::DisplayRowOf(next.row()), next.column());
    }
    return next;
}

void GridView::SetAutoSelectAll(bool on) {
    SelectAllOnEdit = on;
}

void GridView::SetAllowInsertDeleteRows(bool on) {
    AllowRowKeys = on;
}

void GridView::ApplyFonts() {
    FixedFont = GridFont;
    FixedFont.setBold(true);
    setFont(GridFont);
    Frozen->setFont(GridFont);
    horizontalHeader()->setFont(FixedFont);
    Frozen->horizontalHeader()->setFont(FixedFont);
    Model->SetFonts(GridFont, FixedFont);
    GridMetrics = QFontMetrics(GridFont);
    FixedMetrics = QFontMetrics(FixedFont);
    RefreshCells();
    updateGeometries();
}

void GridView::SetFontPointSize(int points) {
    if (points <= 0) {
        points = QApplication::font().pointSize();
        if (points <= 0)
            points = 8;
    }
    GridFont.setPointSize(std::clamp(points, SmallestFontPoints, LargestFontPoints));
    ApplyFonts();
}

void GridView::SetTextColor(const QColor& color) {
    TextColor = color;
    Model->SetTextColors(TextColor, FixedTextColor);
    RefreshCells();
}

void GridView::SetFixedTextColor(const QColor& color) {
    FixedTextColor = color;
    Model->SetTextColors(TextColor, FixedTextColor);
    RefreshCells();
}

TextMeasure GridView::Measure() const {
    TextMeasure m;
    m.Width = [this](std::string_view text, bool fixedFont) {
        return (fixedFont ? FixedMetrics : GridMetrics).horizontalAdvance(FromCp1252(text));
    };
    m.LineHeight = [this](bool fixedFont) {
        return (fixedFont ? FixedMetrics : GridMetrics).height();
    };
    return m;
}

} // namespace tw
