#include "gui/grid/gridmodel.h"

#include <algorithm>

#include "core/grid/textgrid.h"
#include "gui/app/cp1252.h"

namespace tw {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {
    SetTextColors(Qt::black, Qt::black);
}

void GridModel::SetGrid(TTextGrid* grid) {
    beginResetModel();
    TextGrid = grid;
    endResetModel();
}

void GridModel::SetFonts(const QFont& /*gridFont*/, const QFont& fixedFont) {
    // The grid font is the views' own; only fixed cells need one of their own.
    FixedFontValue = fixedFont;
}

void GridModel::SetTextColors(const QColor& text, const QColor& fixedText) {
    TextColorValue = text;
    FixedTextColorValue = fixedText;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !TextGrid)
        return 0;
    return std::max(0, TextGrid->RowCount() - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !TextGrid)
        return 0;
    return TextGrid->ColCount();
}

QVariant GridModel::Background(int row, int dataCol) const {
    if (!CellColor || !*CellColor)
        return {};
    const QColor color = (*CellColor)(row, dataCol);
    return color.isValid() ? QVariant(color) : QVariant();
}

namespace {

constexpr size_t ShownCellBytes = 4096;

} // namespace

QVariant GridModel::data(const QModelIndex& index, int role) const {
    // Painting asks for many roles per cell; answer the unused ones before any lookup.
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::FontRole:
        break;
    default:
        return {};
    }
    if (!TextGrid || !index.isValid())
        return {};
    const int col = index.column();
    const bool fixed = col < TextGrid->FixedCols();
    switch (role) {
    case Qt::DisplayRole: {
        // A cell may hold megabytes, and every paint of it would convert and lay out all
        // of them; no column shows more than its first few thousand characters.
        std::string_view text =
            TextGrid->Cell(TextGrid->DataColumnOf(col), DisplayRowOf(index.row()));
        if (text.size() <= ShownCellBytes)
            return FromCp1252(text);
        return QString(FromCp1252(text.substr(0, ShownCellBytes)) + QChar(0x2026));
    }
    case Qt::EditRole:
        return FromCp1252(TextGrid->Cell(TextGrid->DataColumnOf(col), DisplayRowOf(index.row())));
    case Qt::BackgroundRole:
        return Background(DisplayRowOf(index.row()), TextGrid->DataColumnOf(col));
    case Qt::ForegroundRole:
        return fixed ? FixedTextColorValue : TextColorValue;
    default: // Qt::FontRole
        return fixed ? FixedFontValue : QVariant();
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !TextGrid || section < 0 ||
        section >= TextGrid->ColCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return FromCp1252(TextGrid->Cell(TextGrid->DataColumnOf(section), 0));
    case Qt::FontRole:
        return FixedFontValue;
    case Qt::ForegroundRole:
        return FixedTextColorValue;
    case Qt::BackgroundRole:
        return Background(0, TextGrid->DataColumnOf(section));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !TextGrid || !index.isValid())
        return false;
    std::string bytes;
    if (!ToCp1252(value.toString(), bytes)) {
        emit TextRefused();
        return false;
    }
    const int dataCol = TextGrid->DataColumnOf(index.column());
    const int row = DisplayRowOf(index.row());
    if (TextGrid->Cell(dataCol, row) == bytes)
        return true;
    if (CellWriter) {
        if (!CellWriter(dataCol, row, bytes))
            return false;
    } else {
        TextGrid->SetCell(dataCol, row, bytes);
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

void GridModel::InsertGridRows(int displayRow, int count) {
    if (!TextGrid || count <= 0 || displayRow < 1 || displayRow > TextGrid->RowCount())
        return;
    const int first = ModelRowOf(displayRow);
    beginInsertRows(QModelIndex(), first, first + count - 1);
    TextGrid->InsertRows(displayRow, count);
    endInsertRows();
}

void GridModel::DeleteGridRows(int displayRow, int count) {
    if (!TextGrid || displayRow < 1 || displayRow >= TextGrid->RowCount())
        return;
    count = std::min(count, TextGrid->RowCount() - displayRow);
    if (count <= 0)
        return;
    const int first = ModelRowOf(displayRow);
    beginRemoveRows(QModelIndex(), first, first + count - 1);
    TextGrid->DeleteRows(displayRow, count);
    endRemoveRows();
}

void GridModel::CellsChanged(int top, int left, int bottom, int right) {
    top = std::max(top, 1);
    if (bottom < top || right < left)
        return;
    emit dataChanged(index(ModelRowOf(top), left), index(ModelRowOf(bottom), right),
                     {Qt::DisplayRole, Qt::EditRole});
}

} // namespace tw
