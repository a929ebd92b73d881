#include "core/grid/textgrid.h"

#include <algorithm>
#include <cstring>

#include <unordered_map>

#include "core/grid/tabscan.h"

namespace tw {

GridProperties MainGridProperties() {
    GridProperties p;
    p.ColCount = 3;
    p.RowCount = 3;
    p.FixedRows = 1;
    p.FixedCols = 1;
    p.DefaultRowHeight = 24;
    p.GridLineWidth = 2;
    p.ColWidths = {40, 42, 37};
    return p;
}

GridProperties SecondaryGridProperties() {
    GridProperties p;
    p.ColCount = 2;
    p.RowCount = 5;
    p.FixedRows = 1;
    p.FixedCols = 0;
    p.DefaultRowHeight = 21;
    p.GridLineWidth = 2;
    p.ColWidths = {40, 89};
    return p;
}

// ---------------------------------------------------------------- GridRow

namespace {

// Bit counts and positions of the set bits of every byte value.
struct ByteBits {
    uint8_t Count[256];
    uint8_t Position[256][8]; // of the (k+1)-th set bit
};

constexpr ByteBits MakeByteBits() {
    ByteBits bits{};
    for (int value = 0; value < 256; ++value) {
        int count = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (value & (1 << bit))
                bits.Position[value][count++] = static_cast<uint8_t>(bit);
        bits.Count[value] = static_cast<uint8_t>(count);
    }
    return bits;
}

constexpr ByteBits TheByteBits = MakeByteBits();

// Writes where cells stride, 2 * stride, ... start (just past their TAB) into `starts`,
// which has room for text.size() / stride + 1 of them, and counts the TABs. Returns how
// many were written. A line has a TAB every three bytes or so: rather than visit each, the
// TABs are taken eight bytes at a time as one byte of a bit mask, whose count and k-th bit
// come from a table. With a stride of eight, one byte of the mask holds at most one start,
// and the start is among its eight bits.
template <uint32_t stride, typename Offset>
size_t CellStartsEvery(std::string_view text, Offset* starts, uint32_t& tabCount) {
    const char* data = text.data();
    const size_t size = text.size();
    size_t written = 0;
    uint32_t tabs = 0;
    size_t i = 0;
    // Without branches: whether a byte holds a start follows no pattern a processor could
    // predict. A byte without one writes a start that the next byte overwrites, at most one
    // place past the last start (`starts` has room for that). What a byte needs comes from
    // the running count of TABs alone, so the bytes do not wait for one another.
    auto takeByte = [&](unsigned maskByte, size_t base) {
        const uint32_t count = TheByteBits.Count[maskByte];
        const uint32_t need = stride - tabs % stride; // TABs to pass before the next start
        starts[written] = static_cast<Offset>(base + TheByteBits.Position[maskByte][need - 1] + 1);
        written += count >= need ? 1 : 0;
        tabs += count;
    };
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= size; i += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, tab)));
        if (mask == 0)
            continue;
        takeByte(mask & 0xFFu, i);
        takeByte(mask >> 8, i + 8);
    }
#endif
    for (; i < size; i += 8) {
        unsigned maskByte = 0;
        for (size_t k = 0; k < 8 && i + k < size; ++k)
            maskByte |= (data[i + k] == '\t' ? 1u : 0u) << k;
        takeByte(maskByte, i);
    }
    tabCount = tabs;
    return written;
}

} // namespace

uint32_t GridRow::Offset(size_t k) const {
    if (Narrow) {
        uint16_t value;
        std::memcpy(&value, Data.data() + k * sizeof value, sizeof value);
        return value;
    }
    uint32_t value;
    std::memcpy(&value, Data.data() + k * sizeof value, sizeof value);
    return value;
}

void GridRow::SetOffset(size_t k, size_t value) {
    if (Narrow) {
        auto v = static_cast<uint16_t>(value);
        std::memcpy(Data.data() + k * sizeof v, &v, sizeof v);
    } else {
        auto v = static_cast<uint32_t>(value);
        std::memcpy(Data.data() + k * sizeof v, &v, sizeof v);
    }
}

std::string_view GridRow::Cell(int column) const {
    if (column < 0 || static_cast<uint32_t>(column) >= Count)
        return {};
    const std::string_view text = Text();
    auto index = static_cast<uint32_t>(column);
    if (!Joined) {
        size_t begin = index == 0 ? 0 : Offset(index - 1);
        return text.substr(begin, Offset(index) - begin);
    }
    size_t begin = index < Stride ? 0 : Offset(index / Stride - 1);
    const char* bytes = text.data();
    const size_t size = text.size();
    for (uint32_t skip = index % Stride; skip > 0; --skip) {
        while (bytes[begin] != '\t')
            ++begin; // a later cell exists, so its tab does too
        ++begin;
    }
    size_t end = begin;
    while (end < size && bytes[end] != '\t')
        ++end;
    return text.substr(begin, end - begin);
}

void GridRow::CellRange(int first, int count, std::vector<std::string_view>& cells) const {
    cells.clear();
    if (count <= 0)
        return;
    cells.reserve(static_cast<size_t>(count));
    first = std::max(first, 0);
    const int stored = std::min(first + count, StoredCount());
    if (first < stored) {
        std::string_view cell = Cell(first);
        cells.push_back(cell);
        if (Joined) {
            const std::string_view text = Text();
            size_t begin = static_cast<size_t>(cell.data() - text.data()) + cell.size() + 1;
            int c = first + 1;
            if (c < stored) {
                ForEachTab(text.substr(begin), [&, offset = begin](size_t at) {
                    cells.push_back(text.substr(begin, offset + at - begin));
                    begin = offset + at + 1;
                    return ++c < stored;
                });
                if (c < stored)
                    cells.push_back(text.substr(begin));
            }
        } else {
            for (int c = first + 1; c < stored; ++c)
                cells.push_back(Cell(c));
        }
    }
    cells.resize(static_cast<size_t>(count));
}

void GridRow::StoredCells(std::vector<std::string_view>& cells) const {
    cells.clear();
    cells.reserve(Count);
    const std::string_view text = Text();
    if (!Joined) {
        size_t begin = 0;
        for (uint32_t k = 0; k < Count; ++k) {
            size_t end = Offset(k);
            cells.push_back(text.substr(begin, end - begin));
            begin = end;
        }
        return;
    }
    if (Count == 0)
        return;
    size_t begin = 0;
    ForEachTab(text, [&](size_t at) {
        cells.push_back(text.substr(begin, at - begin));
        begin = at + 1;
        return true;
    });
    cells.push_back(text.substr(begin));
}

void GridRow::SetCell(int column, std::string_view text) {
    if (column < 0)
        return;
    auto index = static_cast<uint32_t>(column);
    if (index >= Count && text.empty())
        return;
    // The common edit, a cell of a joined row replaced by text without a tab, keeps the
    // row's shape: only the bytes and the offsets after the cell move.
    if (Joined && index < Count && (!text.empty() || index + 1 < Count) &&
        text.find('\t') == std::string_view::npos) {
        std::string_view old = Cell(column);
        // Unless the texts outgrow 16-bit offsets.
        if (!Narrow || Text().size() - old.size() + text.size() <= MaxNarrowText) {
            const size_t begin = static_cast<size_t>(old.data() - Data.data());
            const auto delta = static_cast<int64_t>(text.size()) - static_cast<int64_t>(old.size());
            const size_t size = Data.size() - old.size() + text.size();
            if (size <= Data.capacity()) {
                Data.replace(begin, old.size(), text);
            } else {
                // A growing string doubles its room; a table whose cells are edited one by
                // one would end up twice its size. The row gets room for a little more.
                std::string grown;
                grown.reserve(size + std::min<size_t>(size / 16, 64));
                grown.append(Data, 0, begin);
                grown.append(text);
                grown.append(Data, begin + old.size());
                Data = std::move(grown);
            }
            for (size_t k = index / Stride; k < TableSize() && delta != 0; ++k)
                SetOffset(k, static_cast<size_t>(static_cast<int64_t>(Offset(k)) + delta));
            return;
        }
    }
    std::vector<std::string_view> cells;
    StoredCells(cells);
    if (index >= cells.size())
        cells.resize(index + 1);
    cells[index] = text;
    GridRow rebuilt;
    rebuilt.Assign(cells); // the views point into this row's buffer, still intact here
    *this = std::move(rebuilt);
}

void GridRow::Assign(const std::vector<std::string_view>& cells) {
    size_t stored = cells.size();
    while (stored > 0 && cells[stored - 1].empty())
        --stored;
    size_t textBytes = 0;
    bool tabInside = false;
    // Cells cut from one line lie in it one after another with a tab between: then the
    // row's bytes are that stretch of the line, copied at once, and one count of its tabs
    // tells whether a cell holds one.
    bool oneStretch = stored > 0;
    for (size_t i = 0; i + 1 < stored && oneStretch; ++i) {
        // An empty cell may have no buffer at all: then it lies in no line.
        const char* end = cells[i].data() + cells[i].size();
        oneStretch = end != nullptr && cells[i + 1].data() == end + 1 && *end == '\t';
    }
    if (oneStretch) {
        const char* begin = cells[0].data();
        const char* end = cells[stored - 1].data() + cells[stored - 1].size();
        textBytes = static_cast<size_t>(end - begin) - (stored - 1);
        tabInside = static_cast<size_t>(std::count(begin, end, '\t')) != stored - 1;
    } else {
        for (size_t i = 0; i < stored; ++i) {
            std::string_view cell = cells[i];
            textBytes += cell.size();
            if (!tabInside && !cell.empty() && std::memchr(cell.data(), '\t', cell.size()))
                tabInside = true;
        }
    }
    Count = static_cast<uint32_t>(stored);
    Joined = !tabInside;
    if (Joined && stored > 0)
        textBytes += stored - 1;
    Narrow = textBytes <= MaxNarrowText;
    const size_t tableBytes = TableSize() * OffsetBytes();
    Data.assign(tableBytes + textBytes, '\0');
    Data.shrink_to_fit();
    char* out = Data.data() + tableBytes;
    auto setOffset = [this](size_t k, size_t value) { SetOffset(k, value); };
    if (Joined && oneStretch)
        std::memcpy(out, cells[0].data(), textBytes);
    size_t at = 0;
    for (size_t i = 0; i < stored; ++i) {
        std::string_view cell = cells[i];
        if (Joined) {
            if (i > 0) {
                if (!oneStretch)
                    out[at] = '\t';
                ++at;
                if (i % Stride == 0)
                    setOffset(i / Stride - 1, at);
            }
            if (!oneStretch && !cell.empty())
                std::memcpy(out + at, cell.data(), cell.size());
            at += cell.size();
        } else {
            if (!cell.empty())
                std::memcpy(out + at, cell.data(), cell.size());
            at += cell.size();
            setOffset(i, at);
        }
    }
}

int GridRow::AssignTabLine(std::string_view line) {
    if (line.empty()) {
        Clear();
        return 0;
    }
    // Trailing empty cells are not stored: nor are the TABs that end the line.
    size_t end = line.size();
    while (end > 0 && line[end - 1] == '\t')
        --end;
    const auto trailing = static_cast<int>(line.size() - end);
    line = line.substr(0, end);
    // One sweep finds the TABs and keeps where every eighth cell starts.
    static_assert(Stride == 8, "CellStartsEvery reads a start from one byte of the TAB mask");
    // The offsets are written straight in their stored width.
    const bool narrow = line.size() <= MaxNarrowText;
    thread_local std::vector<uint16_t> narrowStarts;
    thread_local std::vector<uint32_t> wideStarts;
    uint32_t tabs = 0;
    const char* table = nullptr;
    size_t tableBytes = 0;
    if (narrow) {
        narrowStarts.resize(std::max(narrowStarts.size(), line.size() / Stride + 1));
        tableBytes = CellStartsEvery<Stride>(line, narrowStarts.data(), tabs) * sizeof(uint16_t);
        table = reinterpret_cast<const char*>(narrowStarts.data());
    } else {
        wideStarts.resize(std::max(wideStarts.size(), line.size() / Stride + 1));
        tableBytes = CellStartsEvery<Stride>(line, wideStarts.data(), tabs) * sizeof(uint32_t);
        table = reinterpret_cast<const char*>(wideStarts.data());
    }
    std::string fresh;
    fresh.reserve(tableBytes + line.size());
    fresh.append(table, tableBytes);
    fresh.append(line);
    Data = std::move(fresh);
    Count = line.empty() ? 0 : tabs + 1;
    Joined = true;
    Narrow = narrow;
    return static_cast<int>(tabs) + trailing + 1;
}

void GridRow::Clear() {
    std::string().swap(Data);
    Count = 0;
    Joined = true;
    Narrow = true;
}

void GridRow::Truncate(int columnCount) {
    if (columnCount < 0)
        columnCount = 0;
    if (columnCount >= StoredCount())
        return;
    std::vector<std::string_view> cells;
    StoredCells(cells);
    cells.resize(static_cast<size_t>(columnCount));
    GridRow rebuilt;
    rebuilt.Assign(cells);
    *this = std::move(rebuilt);
}

// ---------------------------------------------------------------- TTextGrid

TTextGrid::TTextGrid(const GridProperties& properties)
    : FixedRowCount(properties.FixedRows), FixedColCount(properties.FixedCols),
      DefaultHeight(properties.DefaultRowHeight), DefaultWidth(properties.DefaultColWidth),
      LineWidth(properties.GridLineWidth) {
    SetColCount(properties.ColCount);
    for (size_t i = 0; i < properties.ColWidths.size() && i < DataColWidths.size(); ++i)
        DataColWidths[i] = properties.ColWidths[i];
    SetRowCount(properties.RowCount);
}

std::string_view TTextGrid::Cell(int dataCol, int row) const {
    if (row < 0 || row >= RowCount() || dataCol < 0 || dataCol >= DataColumnCount())
        return {};
    return Rows[static_cast<size_t>(row)].Cells.Cell(dataCol);
}

void TTextGrid::SetCell(int dataCol, int row, std::string_view text) {
    if (row < 0 || row >= RowCount() || dataCol < 0 || dataCol >= DataColumnCount())
        return;
    Rows[static_cast<size_t>(row)].Cells.SetCell(dataCol, text);
}

void TTextGrid::RowCells(int row, std::vector<std::string_view>& cells) const {
    if (row < 0 || row >= RowCount()) {
        cells.clear();
        return;
    }
    Rows[static_cast<size_t>(row)].Cells.StoredCells(cells);
    if (static_cast<int>(cells.size()) > DataColumnCount())
        cells.resize(static_cast<size_t>(DataColumnCount()));
}

void TTextGrid::RowCellRange(int row, int firstDataCol, int lastDataCol,
                             std::vector<std::string_view>& cells) const {
    lastDataCol = std::min(lastDataCol, DataColumnCount() - 1);
    if (row < 0 || row >= RowCount() || firstDataCol < 0 || lastDataCol < firstDataCol) {
        cells.clear();
        return;
    }
    Rows[static_cast<size_t>(row)].Cells.CellRange(firstDataCol, lastDataCol - firstDataCol + 1,
                                                   cells);
}

int TTextGrid::StoreTabLine(int row, std::string_view line) {
    if (row < 0 || row >= RowCount() || line.empty())
        return 0;
    return Rows[static_cast<size_t>(row)].Cells.AssignTabLine(line);
}

void TTextGrid::TakeRows(RowBatch& batch) {
    std::vector<RowSlot>& slots = batch.Slots;
    const size_t first = batch.First;
    const size_t end = slots.size();
    // A row that was there keeps its height, as when its cells are written.
    for (size_t k = first; k < end; ++k)
        slots[k].Height = k < Rows.size() ? Rows[k].Height : DefaultHeight;
    // The batch's list becomes the grid's: the grid's rows before `first` move into the
    // room kept for them, its rows past the batch go after it.
    for (size_t k = 0; k < first; ++k)
        slots[k] = k < Rows.size() ? std::move(Rows[k]) : RowSlot{GridRow(), DefaultHeight};
    for (size_t k = end; k < Rows.size(); ++k)
        slots.push_back(std::move(Rows[k]));
    Rows = std::move(slots);
    batch.Slots.clear();
    batch.Slots.resize(first);
    if (CurrentRow >= RowCount())
        CurrentRow = std::max(0, RowCount() - 1);
}

const GridRow& TTextGrid::StoredRow(int row) const {
    static const GridRow empty;
    if (row < 0 || row >= RowCount())
        return empty;
    return Rows[static_cast<size_t>(row)].Cells;
}

void TTextGrid::AssignRow(int row, const std::vector<std::string_view>& cells) {
    if (row < 0 || row >= RowCount())
        return;
    auto& target = Rows[static_cast<size_t>(row)].Cells;
    if (static_cast<int>(cells.size()) <= DataColumnCount()) {
        target.Assign(cells);
    } else {
        std::vector<std::string_view> cut(cells.begin(), cells.begin() + DataColumnCount());
        target.Assign(cut);
    }
}

void TTextGrid::ClearCells() {
    for (auto& slot : Rows)
        slot.Cells.Clear();
}

std::string TTextGrid::CurrentCellText() const {
    return CellText(DataColumnOf(Col()), Row());
}

void TTextGrid::SetRowCount(int count) {
    if (count < 0)
        count = 0;
    auto target = static_cast<size_t>(count);
    if (target < Rows.size()) {
        Rows.resize(target);
    } else {
        Rows.reserve(target);
        while (Rows.size() < target)
            Rows.push_back(RowSlot{GridRow(), DefaultHeight});
    }
    if (CurrentRow >= count)
        CurrentRow = std::max(0, count - 1);
}

void TTextGrid::SetColCount(int count) {
    if (count < 0)
        count = 0;
    if (count > VisibleColCount) {
        int add = count - VisibleColCount;
        ColumnHidden.resize(ColumnHidden.size() + static_cast<size_t>(add), 0);
        DataColWidths.resize(DataColWidths.size() + static_cast<size_t>(add), DefaultWidth);
        VisibleColCount = count;
    } else if (count < VisibleColCount) {
        // Columns go from the right end of the data columns; hidden ones met on the way go too.
        while (VisibleColCount > count && !ColumnHidden.empty()) {
            if (ColumnHidden.back())
                --HiddenColCount;
            else
                --VisibleColCount;
            ColumnHidden.pop_back();
            DataColWidths.pop_back();
        }
        int dataColumns = DataColumnCount();
        for (auto& slot : Rows)
            slot.Cells.Truncate(dataColumns);
        for (auto& record : Hidden)
            record.Cells.Truncate(dataColumns);
    }
    if (CurrentCol >= VisibleColCount)
        CurrentCol = std::max(0, VisibleColCount - 1);
    RebuildColumnMap();
}

bool TTextGrid::SetFixedCols(int count) {
    if (count < 0 || count >= ColCount())
        return false;
    FixedColCount = count;
    return true;
}

void TTextGrid::SetRow(int row) {
    if (row >= 0 && row < RowCount())
        CurrentRow = row;
}

void TTextGrid::SetCol(int col) {
    if (col >= 0 && col < ColCount())
        CurrentCol = col;
}

int TTextGrid::ColWidth(int displayCol) const {
    if (displayCol < 0 || displayCol >= ColCount())
        return DefaultWidth;
    return DataColWidths[static_cast<size_t>(DataColumnOf(displayCol))];
}

void TTextGrid::SetColWidth(int displayCol, int width) {
    if (displayCol < 0 || displayCol >= ColCount())
        return;
    DataColWidths[static_cast<size_t>(DataColumnOf(displayCol))] = width;
}

int TTextGrid::RowHeight(int row) const {
    if (row < 0 || row >= RowCount())
        return DefaultHeight;
    return Rows[static_cast<size_t>(row)].Height;
}

void TTextGrid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= RowCount())
        return;
    Rows[static_cast<size_t>(row)].Height = height;
}

// ---------------------------------------------------------------- hidden rows

namespace {
// Number of hidden records whose data index is below `dataRow`.
int HiddenBelow(const std::vector<HiddenRowRecord>& hidden, int dataRow) {
    auto it = std::lower_bound(hidden.begin(), hidden.end(), dataRow,
                               [](const HiddenRowRecord& r, int d) { return r.DataRow < d; });
    return static_cast<int>(it - hidden.begin());
}
} // namespace

void TTextGrid::HideRow(int dataRow) {
    int below = HiddenBelow(Hidden, dataRow);
    if (below < static_cast<int>(Hidden.size()) &&
        Hidden[static_cast<size_t>(below)].DataRow == dataRow)
        return;
    int p = dataRow - below;
    if (dataRow < 0 || p < 0 || p >= RowCount())
        return;
    auto& slot = Rows[static_cast<size_t>(p)];
    HiddenRowRecord record{dataRow, std::move(slot.Cells), slot.Height};
    Hidden.insert(Hidden.begin() + below, std::move(record));
    Rows.erase(Rows.begin() + p);
    if (CurrentRow >= RowCount())
        CurrentRow = std::max(0, RowCount() - 1);
}

void TTextGrid::HideRows(const std::vector<int>& dataRows) {
    if (dataRows.empty())
        return;
    const int total = RowCount() + static_cast<int>(Hidden.size());
    std::vector<uint8_t> hide(static_cast<size_t>(std::max(total, 0)), 0);
    bool any = false;
    for (int d : dataRows)
        if (d >= 0 && d < total)
            hide[static_cast<size_t>(d)] = 1, any = true;
    if (!any)
        return;
    std::vector<RowSlot> rows;
    rows.reserve(Rows.size());
    std::vector<HiddenRowRecord> hidden;
    hidden.reserve(Hidden.size() + dataRows.size());
    size_t nextHidden = 0;
    size_t nextRow = 0;
    // Walk the data indices in order; a record that is already hidden stays as it is.
    for (int d = 0; d < total; ++d) {
        if (nextHidden < Hidden.size() && Hidden[nextHidden].DataRow == d) {
            hidden.push_back(std::move(Hidden[nextHidden++]));
            continue;
        }
        if (nextRow >= Rows.size())
            break;
        auto& slot = Rows[nextRow++];
        if (hide[static_cast<size_t>(d)])
            hidden.push_back(HiddenRowRecord{d, std::move(slot.Cells), slot.Height});
        else
            rows.push_back(std::move(slot));
    }
    // Records whose data index lies beyond the rows (possible after deletions) stay hidden.
    while (nextHidden < Hidden.size())
        hidden.push_back(std::move(Hidden[nextHidden++]));
    while (nextRow < Rows.size())
        rows.push_back(std::move(Rows[nextRow++]));
    Rows = std::move(rows);
    Hidden = std::move(hidden);
    if (CurrentRow >= RowCount())
        CurrentRow = std::max(0, RowCount() - 1);
}

void TTextGrid::UnhideRow(int dataRow) {
    int below = HiddenBelow(Hidden, dataRow);
    if (below >= static_cast<int>(Hidden.size()) ||
        Hidden[static_cast<size_t>(below)].DataRow != dataRow)
        return;
    int p = std::clamp(dataRow - below, 0, RowCount());
    auto& record = Hidden[static_cast<size_t>(below)];
    Rows.insert(Rows.begin() + p, RowSlot{std::move(record.Cells), record.Height});
    Hidden.erase(Hidden.begin() + below);
}

void TTextGrid::UnhideAllRows() {
    if (Hidden.empty())
        return;
    std::vector<RowSlot> rows;
    rows.reserve(Rows.size() + Hidden.size());
    size_t nextRow = 0;
    for (auto& record : Hidden) {
        // Every record goes back to its data position: shown rows fill the places before it.
        while (static_cast<int>(rows.size()) < record.DataRow && nextRow < Rows.size())
            rows.push_back(std::move(Rows[nextRow++]));
        rows.push_back(RowSlot{std::move(record.Cells), record.Height});
    }
    while (nextRow < Rows.size())
        rows.push_back(std::move(Rows[nextRow++]));
    Rows = std::move(rows);
    Hidden.clear();
}

void TTextGrid::DiscardHiddenRows() {
    Hidden.clear();
}

// ---------------------------------------------------------------- hidden columns

void TTextGrid::HideColumns(int first, int last) {
    bool changed = false;
    for (int c = std::max(first, 0); c <= last && c < DataColumnCount(); ++c) {
        if (ColumnHidden[static_cast<size_t>(c)] || ColCount() <= 1)
            continue;
        ColumnHidden[static_cast<size_t>(c)] = 1;
        ++HiddenColCount;
        --VisibleColCount;
        changed = true;
    }
    if (changed) {
        RebuildColumnMap();
        CurrentCol = std::min(CurrentCol, std::max(0, ColCount() - 1));
    }
}

void TTextGrid::UnhideColumns(int first, int last) {
    bool changed = false;
    for (int c = std::max(first, 0); c <= last && c < DataColumnCount(); ++c) {
        if (!ColumnHidden[static_cast<size_t>(c)])
            continue;
        ColumnHidden[static_cast<size_t>(c)] = 0;
        --HiddenColCount;
        ++VisibleColCount;
        changed = true;
    }
    if (changed)
        RebuildColumnMap();
}

void TTextGrid::UnhideAllColumns() {
    UnhideColumns(0, DataColumnCount());
}

bool TTextGrid::IsColumnHidden(int dataCol) const {
    return dataCol >= 0 && dataCol < DataColumnCount() &&
           ColumnHidden[static_cast<size_t>(dataCol)];
}

void TTextGrid::RebuildColumnMap() {
    DisplayToData.clear();
    DisplayToData.reserve(static_cast<size_t>(VisibleColCount));
    for (int c = 0; c < DataColumnCount(); ++c)
        if (!ColumnHidden[static_cast<size_t>(c)])
            DisplayToData.push_back(c);
}

// ---------------------------------------------------------------- index mappings

int TTextGrid::DataRowOf(int displayRow) const {
    int result = displayRow;
    for (const auto& record : Hidden) {
        if (record.DataRow <= result)
            ++result;
        else
            break;
    }
    return result;
}

int TTextGrid::DataColumnOf(int displayCol) const {
    if (HiddenColCount == 0 || displayCol < 0)
        return displayCol;
    if (displayCol < static_cast<int>(DisplayToData.size()))
        return DisplayToData[static_cast<size_t>(displayCol)];
    return 0;
}

int TTextGrid::DisplayColumnOf(int dataCol) const {
    if (HiddenColCount == 0 || dataCol <= 0)
        return dataCol;
    auto it = std::lower_bound(DisplayToData.begin(), DisplayToData.end(), dataCol);
    // Every data column below dataCol that is not in the visible list is hidden.
    int visibleBelow = static_cast<int>(it - DisplayToData.begin());
    int below = std::min(dataCol, DataColumnCount());
    int hiddenBelow = below - visibleBelow;
    return dataCol - hiddenBelow;
}

// ---------------------------------------------------------------- rows

void TTextGrid::InsertRows(int row, int count) {
    if (count <= 0)
        return;
    row = std::clamp(row, 0, RowCount());
    std::vector<RowSlot> fresh(static_cast<size_t>(count));
    for (auto& slot : fresh)
        slot.Height = DefaultHeight;
    Rows.insert(Rows.begin() + row, std::make_move_iterator(fresh.begin()),
                std::make_move_iterator(fresh.end()));
}

void TTextGrid::DeleteRows(int row, int count) {
    if (row < 0 || count <= 0 || row >= RowCount())
        return;
    int removed = std::min(count, RowCount() - row);
    int dataRow = DataRowOf(row);
    Rows.erase(Rows.begin() + row, Rows.begin() + row + removed);
    for (auto& record : Hidden)
        if (record.DataRow > dataRow)
            record.DataRow -= removed;
    if (CurrentRow >= RowCount())
        CurrentRow = std::max(0, RowCount() - 1);
}

void TTextGrid::MoveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= RowCount() || to >= RowCount() || from == to)
        return;
    // Heights stay with their positions: only the cells travel.
    GridRow moving = std::move(Rows[static_cast<size_t>(from)].Cells);
    if (from < to) {
        for (int k = from; k < to; ++k)
            Rows[static_cast<size_t>(k)].Cells = std::move(Rows[static_cast<size_t>(k) + 1].Cells);
    } else {
        for (int k = from; k > to; --k)
            Rows[static_cast<size_t>(k)].Cells = std::move(Rows[static_cast<size_t>(k) - 1].Cells);
    }
    Rows[static_cast<size_t>(to)].Cells = std::move(moving);
}

void TTextGrid::PermuteRows(int first, const std::vector<int>& order) {
    std::vector<GridRow> cells;
    cells.reserve(order.size());
    for (int source : order)
        cells.push_back(std::move(Rows[static_cast<size_t>(source)].Cells));
    for (size_t k = 0; k < cells.size(); ++k)
        Rows[static_cast<size_t>(first) + k].Cells = std::move(cells[k]);
}

// ---------------------------------------------------------------- sizing

void TTextGrid::AutoSizeColumn(int displayCol, const TextMeasure& measure) {
    if (!measure.Width || displayCol < 0 || displayCol >= ColCount())
        return;
    int dataCol = DataColumnOf(displayCol);
    bool fixedColumn = displayCol < FixedCols();
    // Most cells repeat a handful of texts; measure each distinct text once per font.
    std::unordered_map<std::string_view, int> normalWidths, fixedWidths;
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        std::string_view text = Cell(dataCol, r);
        if (text.empty())
            continue;
        bool fixedFont = fixedColumn || r < FixedRows();
        auto& cache = fixedFont ? fixedWidths : normalWidths;
        auto it = cache.find(text);
        int w = it != cache.end() ? it->second : (cache[text] = measure.Width(text, fixedFont));
        widest = std::max(widest, w);
    }
    int width = std::max(widest + 2 * LineWidth + 8, 10);
    SetColWidth(displayCol, width);
}

void TTextGrid::AutoSizeRow(int row, const TextMeasure& measure) {
    if (!measure.LineHeight || row < 0 || row >= RowCount() || ColCount() <= 0)
        return;
    bool fixedRow = row < FixedRows();
    int tallest = 0;
    bool anyFixed = fixedRow || FixedCols() > 0;
    bool anyNormal = !fixedRow && FixedCols() < ColCount();
    if (anyFixed)
        tallest = std::max(tallest, measure.LineHeight(true) + 2 * LineWidth + 6);
    if (anyNormal)
        tallest = std::max(tallest, measure.LineHeight(false) + 2 * LineWidth + 6);
    SetRowHeight(row, std::max(tallest, DefaultHeight));
}

} // namespace tw
