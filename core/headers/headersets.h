#pragma once
// Header sets: named views of the main grid that show a chosen subset of its columns and,
// for the prototype table, only the rows of one object type.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/editorstate.h"
#include "core/app/feedback.h"

namespace tw {

// Bound by position to header sets 1 to 16; the language file only names the sets.
inline constexpr std::array<const char*, 16> ObjectTypeNames = {
    "Armor",   "PC",  "NPC",   "Weapon", "Ammo",       "Bag",     "Container", "Food",
    "Generic", "Key", "Money", "Portal", "Projectile", "Scenery", "Scroll",    "Written"};

// The only document whose rows a header set filters.
inline constexpr const char* PrototypeTableName = "protos.tab";

// The column numbers of a column list such as "2,3,7,": each number counts only when a
// comma follows it, so text after the last comma is ignored; entries that are not
// numbers are skipped.
std::vector<int> ParseColumnList(std::string_view list);

// The data rows between the header row and the spare last row whose column-1 text is not
// "obj_t_" + `typeName` (letters A to Z compared without case), in ascending order. The
// grid must have no hidden rows, so display and data rows coincide.
std::vector<int> RowsOfOtherTypes(const TTextGrid& grid, std::string_view typeName);

// The progress step of the row filter: the bar moves only when the row index has run
// more than four steps ahead of it.
int HeaderSetProgressStep(int rowCount);

// Shows every row and column of SG1, then, for item `index` of the header-set list above
// the prompt, hides the columns outside the set's list (unless NeverHide is on) and, for
// the prototype table, the rows of other object types. Clears the marks. An index outside
// the list does nothing. Returns false after a failure, which is also shown as a message.
bool ApplyHeaderSet(EditorState& state, int index, Feedback& feedback);

} // namespace tw
