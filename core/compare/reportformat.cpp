#include "core/compare/reportformat.h"

#include "core/app/codepage.h"
#include "core/compare/reportrecords.h"

namespace tw {

namespace {

std::string GridName(int slot) {
    return "SG" + std::to_string(slot);
}

bool ValidUtf8(std::string_view bytes) {
    size_t k = 0;
    while (k < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[k]);
        size_t length = lead < 0x80         ? 1
                        : (lead >> 5) == 6  ? 2
                        : (lead >> 4) == 14 ? 3
                        : (lead >> 3) == 30 ? 4
                                            : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || k + length > bytes.size())
            return false;
        for (size_t j = 1; j < length; ++j)
            if ((static_cast<unsigned char>(bytes[k + j]) >> 6) != 2)
                return false;
        k += length;
    }
    return true;
}

// Cells hold Windows-1252 bytes; json is Unicode text, written as UTF-8. A path is the
// system's bytes, taken as they are when they read as UTF-8.
void AppendJsonString(std::string& out, std::string_view bytes, bool path = false) {
    const bool keepBytes = path && ValidUtf8(bytes);
    out += '"';
    for (char byte : bytes) {
        const auto unit = static_cast<unsigned char>(byte);
        switch (byte) {
        case '"':
            out += "\\\"";
            continue;
        case '\\':
            out += "\\\\";
            continue;
        case '\n':
            out += "\\n";
            continue;
        case '\r':
            out += "\\r";
            continue;
        case '\t':
            out += "\\t";
            continue;
        default:
            break;
        }
        if (unit < 0x20 || unit == 0x7F) {
            static const char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[unit >> 4];
            out += hex[unit & 15];
            continue;
        }
        if (keepBytes) {
            out += byte;
            continue;
        }
        const char16_t code = Cp1252ToUnicode(unit);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    out += '"';
}

// Linear tsv: a backslash, TAB, LF and CR in a field are written \\, \t, \n and \r.
void AppendTsvField(std::string& out, std::string_view bytes) {
    for (char byte : bytes) {
        switch (byte) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += byte;
        }
    }
}

// The fields of a record, in the order of the tsv columns; a field that does not apply to
// the record's kind is absent (empty in tsv, null in json).
struct Fields {
    std::optional<int> Column, Row, Count;
    std::optional<std::string> Header, First, Other, Old, Line;
    bool HasEarlier = false;
};

Fields FieldsOf(const EditorState& state, const ReportRecord& record) {
    Fields f;
    if (NamesCell(record.Kind)) {
        f.Column = record.Column;
        f.Header = record.Header;
        f.First = record.First;
        f.Other = record.Other;
    }
    if (record.Kind == ReportKind::Conflict) {
        f.Old = record.Old;
        f.HasEarlier = true;
    }
    if (record.Row >= 1)
        f.Row = record.Row;
    if (record.Kind == ReportKind::DuplicateKey)
        f.Count = record.Count;
    else
        f.Line = ReportLine(state.Language, record);
    return f;
}

void AppendTsv(std::string& out, const EditorState& state, const ReportRecord& record) {
    const ReportRun& run = state.LastReport;
    const Fields f = FieldsOf(state, record);
    auto field = [&](const std::optional<std::string>& text) {
        out += '\t';
        if (text)
            AppendTsvField(out, *text);
    };
    auto number = [&](const std::optional<int>& value) {
        out += '\t';
        if (value)
            out += std::to_string(*value);
    };
    out += ReportKindName(record.Kind);
    field(GridName(record.Slot));
    field(run.FileOf(record.Slot));
    field(record.Key);
    number(f.Column);
    field(f.Header);
    field(f.First);
    field(f.Other);
    field(f.Old);
    out += '\t';
    for (size_t k = 0; k < record.Earlier.size(); ++k) {
        if (k > 0)
            out += ',';
        out += GridName(record.Earlier[k].Slot);
    }
    number(f.Row);
    number(f.Count);
    field(f.Line);
    out += '\n';
}

void AppendJson(std::string& out, const EditorState& state, const ReportRecord& record) {
    const ReportRun& run = state.LastReport;
    const Fields f = FieldsOf(state, record);
    auto text = [&](const char* name, const std::optional<std::string>& value, bool path = false) {
        out += ",\"";
        out += name;
        out += "\":";
        if (value)
            AppendJsonString(out, *value, path);
        else
            out += "null";
    };
    auto number = [&](const char* name, const std::optional<int>& value) {
        out += ",\"";
        out += name;
        out += "\":";
        out += value ? std::to_string(*value) : "null";
    };
    out += "{\"kind\":\"";
    out += ReportKindName(record.Kind);
    out += '"';
    text("grid", GridName(record.Slot));
    text("file", run.FileOf(record.Slot), true);
    text("key", record.Key);
    number("column", f.Column);
    text("header", f.Header);
    text("first", f.First);
    text("other", f.Other);
    text("old", f.Old);
    out += ",\"earlier\":";
    if (f.HasEarlier) {
        out += '[';
        for (size_t k = 0; k < record.Earlier.size(); ++k) {
            if (k > 0)
                out += ',';
            out += "{\"grid\":\"" + GridName(record.Earlier[k].Slot) + "\",\"value\":";
            AppendJsonString(out, record.Earlier[k].Value);
            out += '}';
        }
        out += ']';
    } else {
        out += "null";
    }
    number("row", f.Row);
    number("count", f.Count);
    text("line", f.Line);
    out += '}';
}

} // namespace

std::optional<ReportFormat> ReportFormatNamed(const std::string& name) {
    if (name == "text")
        return ReportFormat::Text;
    if (name == "tsv")
        return ReportFormat::Tsv;
    if (name == "json")
        return ReportFormat::Json;
    return std::nullopt;
}

std::string FormatReport(const EditorState& state, ReportFormat format, std::string_view version) {
    const ReportRun& run = state.LastReport;
    std::string out;
    switch (format) {
    case ReportFormat::Text:
        for (size_t k = 0; k < run.Count(); ++k) {
            if (!IsReportLine(run.KindOf(k)))
                continue;
            out += ReportLine(state.Language, run.Record(k));
            out += '\n';
        }
        break;
    case ReportFormat::Tsv:
        out +=
            "kind\tgrid\tfile\tkey\tcolumn\theader\tfirst\tother\told\tearlier\trow\tcount\tline\n";
        for (size_t k = 0; k < run.Count(); ++k)
            AppendTsv(out, state, run.Record(k));
        break;
    case ReportFormat::Json: {
        out += "{\"program\":\"tabwright-cli\",\"version\":";
        AppendJsonString(out, version);
        out += ",\"command\":";
        AppendJsonString(out, run.Mode);
        out += ",\"files\":[";
        bool first = true;
        for (const std::string& file : run.Files) {
            if (file.empty())
                continue;
            if (!first)
                out += ',';
            first = false;
            AppendJsonString(out, file, true);
        }
        out += "],\"records\":[";
        for (size_t k = 0; k < run.Count(); ++k) {
            out += k == 0 ? "\n" : ",\n";
            AppendJson(out, state, run.Record(k));
        }
        out += "\n]}\n";
        break;
    }
    }
    return out;
}

} // namespace tw
