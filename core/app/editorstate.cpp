#include "core/app/editorstate.h"

namespace tw {

EditorState::EditorState()
    : Grids{TTextGrid(MainGridProperties()), TTextGrid(SecondaryGridProperties()),
            TTextGrid(SecondaryGridProperties()), TTextGrid(SecondaryGridProperties()),
            TTextGrid(SecondaryGridProperties())},
      Reg1(TRegpath::ForProgram()), HeaderSetNames(1), HeaderSetColumns(1), HeaderSetTypes(1),
      VariableListNames(1), VariableLists(1) {}

} // namespace tw
