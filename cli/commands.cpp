#include "cli/commands.h"

namespace tw::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"normalize", "normalize FILE [-o OUT]", {{"-o", true}}, RunNormalize},
        {"sort", "sort [--column N] FILE [-o OUT]", {{"-o", true}, {"--column", true}}, RunSort},
        {"compare",
         "compare [--format F] [--report FILE] [--exit-code] FILE1 FILE2 [FILE3 [FILE4 "
         "[FILE5]]]",
         {{"--format", true}, {"--report", true}, {"--exit-code", false}},
         RunCompare},
        {"combine",
         "combine [--no-remove-rows] [--show-messages] [--format F] [--report FILE] -o OUT "
         "FILE1 FILE2 [FILE3 [FILE4 [FILE5]]]",
         {{"-o", true},
          {"--no-remove-rows", false},
          {"--show-messages", false},
          {"--format", true},
          {"--report", true}},
         RunCombine},
    };
    return commands;
}

std::string UsageText() {
    std::string text = "usage:\n";
    for (const auto& command : Commands())
        text += "  tabwright-cli " + std::string(command.Usage) + "\n";
    text += "common: [--language LNG] [--show-col-numbers] [--help] [--version]\n";
    return text;
}

std::string VersionText() {
    return "tabwright-cli " TABWRIGHT_VERSION "\n";
}

std::string HelpText() {
    return UsageText() + R"(
Options may stand anywhere after the command; "--" ends them.

  normalize       load FILE as the editor loads it and write what Save would write
  sort            the same after "Sort By Column 0", or "Sort By Column #" with N
  compare         the report of "Compare Files" for FILE1 against the others
  combine         merge the files as "Combine Files" does; the merged FILE1 goes to OUT

  -o OUT          write to OUT instead of stdout (combine: required); when OUT is an
                  input file, that file is first copied to its backup as the editor does
  --column N      sort by column N
  --no-remove-rows  keep rows of FILE1 that a later file lacks
  --show-messages   also report every change the merge makes
  --format F      the report as text (the report lines, the default), tsv or json
  --report FILE   write the report to FILE (replaced whole) instead of stdout; it may not
                  name an input or OUT
  --exit-code     compare: exit 1 when there is any report line, 0 when none, 2 on any
                  trouble (as diff does)
  --language LNG  language file for the report texts and column names (a path, or a
                  name beside the program; default english.lng)
  --show-col-numbers  column names carry their numbers, as with "Show COL # AND
                  Descriptions"
  --help          this text
  --version       the program's version

Reports. text gives the lines the editor writes into its report area, one per line.
tsv gives a header line, then one line per record, the fields separated by TAB; a
backslash, TAB, LF and CR inside a field are written \\, \t, \n and \r; a field that
does not apply to the record is empty. json gives one object:
  {"program", "version", "command": "compare"|"combine", "files": [paths],
   "records": [one object per record]}
where a field that does not apply is null; texts are converted from Windows-1252.
Cell texts and language texts stay Windows-1252 bytes in text and tsv.

Fields of a record, in tsv column order:
  kind     cell-difference, only-in-other, only-in-first, only-in-other-text-key,
           only-in-first-text-key (compare); conflict, cell-changed, row-added,
           added-row-removed, row-removed, row-kept (combine); duplicate-key
  grid     SG2 to SG5: the grid of the other file the record is about (SG1 is FILE1);
           for duplicate-key the grid of the file that has the key, SG1 to SG5
  file     that grid's file as given
  key      the row's key (column 0)
  column   the column number of a cell record (cell-difference, conflict, cell-changed)
  header   FILE1's caption of that column
  first    FILE1's text of the cell (for combine: before this file's change)
  other    the other file's text of the cell
  old      conflict: the cell's text before the run's first change
  earlier  conflict: the earlier files whose values it contradicts; tsv lists their grids
           (SG2,SG3), json gives [{"grid", "value"}] with the values lower-cased
  row      the row of the merged or sorted FILE1 the record is about (1 is the first
           line of data), empty or null when FILE1 has no such row
  count    duplicate-key: on how many rows of its file the key stands
  line     the report line (text format) of the record; empty or null for duplicate-key

Duplicate keys: the walk pairs rows by their key, so the lines about a key that stands
on several rows of one file may mislead. Every such key is also named on stderr, one
line per key and file; the report lines themselves are unchanged.

Exit codes: 0 success; 1 a file could not be read or written (compare --exit-code:
the files differ); 2 a usage error (compare --exit-code: any trouble).
)";
}

} // namespace tw::cli
