#include "core/headers/dialoglists.h"

#include <exception>
#include <string>
#include <vector>

namespace tw {

namespace {

// A list line is either a language text (so the wording follows the language) or a
// snippet of script that reads the same in every language.
struct ListLine {
    int TextIndex;
    const char* Snippet;
};
constexpr ListLine Language(int index) {
    return {index, nullptr};
}
constexpr ListLine Literal(const char* snippet) {
    return {-1, snippet};
}

const std::vector<ListLine>& DialogNotesLines() {
    static const std::vector<ListLine> lines = {
        Language(75), Literal(""),  Language(76), Language(77), Literal(" "), Language(78),
        Language(79), Language(80), Language(81), Language(82), Language(83), Language(84),
        Language(85), Language(86), Language(87), Language(88), Language(89),
    };
    return lines;
}

const std::vector<ListLine>& IntelligenceLines() {
    static const std::vector<ListLine> lines = {
        Language(90),
        Language(91),
    };
    return lines;
}

const std::vector<ListLine>& ConditionLines() {
    static const std::vector<ListLine> lines = {
        Language(92),
        Literal(" "),
        Language(93),
        Literal(" "),
        Literal("anyone( pc.group_list(), \"has_follower\", # ) "),
        Literal("anyone( pc.group_list(), \"has_item\", # ) "),
        Literal("anyone( pc.group_list(), \"item_find\", # )"),
        Literal("anyone( pc.group_list(), \"has_wielded\", # )"),
        Literal("find_container_near(npc,#) != OBJ_HANDLE_NULL //must include utilities.py"),
        Literal("game.areas[#] == 1   "),
        Literal("game.global_flags[#] == 1 "),
        Literal("game.global_vars[#] == # "),
        Literal("game.party_npc_size() == #  "),
        Literal("game.party_pc_size() == #   "),
        Literal("game.quests[#].state == qs_unknown //qs_accepted, qs_mentioned, qs_botched, "
                "qs_completed "),
        Literal("game.story_state == #  "),
        Literal("is_daytime() == 1 "),
        Literal("npc.area == #  "),
        Literal("npc.has_met(pc)"),
        Literal("npc.item_find(#) == OBJ_HANDLE_NULL "),
        Literal("npc.leader_get() == OBJ_HANDLE_NULL  "),
        Literal("npc.map == #"),
        Literal("pc.d20_query(Q_IsFallenPaladin) == 1 "),
        Literal("pc.follower_atmax()"),
        Literal("pc.has_feat(feat_slippery_mind) "),
        Literal("pc.has_wielded(#) "),
        Literal("pc.money_get() == # "),
        Literal("pc.skill_level_get(npc, skill_gather_information) == #"),
        Literal("pc.stat_level_get( stat_deity ) == # "),
        Literal("pc.stat_level_get( stat_gender ) == gender_male //gender_female"),
        Literal("pc.stat_level_get(stat_alignment) == LAWFUL_GOOD"),
        Literal("pc.stat_level_get(stat_level_paladin) == #"),
        Literal("pc.stat_level_get(stat_level_wizard) == #"),
        Literal("pc.stat_level_get(stat_race) == race_orc"),
        Literal("pc.stat_level_get(stat_strength) >= #"),
    };
    return lines;
}

// The effect list opens with the same fourteen lines as the condition list.
const std::vector<ListLine>& EffectOwnLines() {
    static const std::vector<ListLine> lines = {
        Literal("run_off(npc,pc)"),
        Literal(""),
        Literal("Actual Functions: Those with an * in front are known to work directly from dialog "
                "execute field. I will not restate variables shown in prior post."),
        Literal(""),
        Literal("* create_item_in_inventory( #, obj ) //must include utilities.py   "),
        Literal("critter_is_unconscious(obj) : //must include utilities.py "),
        Literal("find_npc_near( obj, name ) : //must include utilities.py OBJ_HANDLE_NULL "),
        Literal("find_container_near( obj, name ) : //must include utilities.py  "),
        Literal("game.brawl( triggerer, attachee ) // when ending it runs def brawl_end "),
        Literal("game.char_ui_hide()"),
        Literal("game.combat_is_active()"),
        Literal("game.encounter_queue.append(#)  "),
        Literal("game.fade(#,#,#,1) // 2nd usually 0, 3rd is used for movies "),
        Literal("* game.fade_and_teleport( time#, #, #, map#, x#, y# ) "),
        Literal("game.leader.begin_dialog( attachee, line# )"),
        Literal("* game.map_flags( #, #, # )"),
        Literal("game.moviequeue_add( # )"),
        Literal("game.moviequeue_play_end_game()"),
        Literal("game.new_sid = #"),
        Literal("game.obj_create( #, loc )"),
        Literal("game.particles( \"ef-MinoCloud\", obj )"),
        Literal("game.party_alignment == NEUTRAL_EVIL"),
        Literal("game.party[0].prestige_class_add[#]"),
        Literal("game.party[0].reputation_add( # )"),
        Literal("game.party[0].reputation_has( # )"),
        Literal("game.party_pc_size() == # "),
        Literal("* game.quests[#].unbotch() "),
        Literal("game.random_range(#,#)"),
        Literal("game.sleep_status_update()"),
        Literal("game.timevent_add( function, ( obj, obj ), time#) //7200000 = 2 hours "),
        Literal("game.tutorial_is_active():"),
        Literal("game.tutorial_show_topic( TAG_TUT_MEMORIZE_SPELLS ) "),
        Literal("game.tutorial_toggle() "),
        Literal("* game.worldmap_travel_by_dialog(#)"),
        Literal("group_average_level( obj ) : //must include utilities.py "),
        Literal("group_percent_hp( obj ) : //must include utilities.py "),
        Literal("is_safe_to_talk(speaker,listener): //must include utilities.py "),
        Literal("location_from_axis( x#, y# ) : //must include utilities.py  "),
        Literal("location_to_axis( loc ) : //must include utilities.py"),
        Literal("obj.ai_shitlist_remove( pc ) "),
        Literal("* obj.attack(obj)"),
        Literal("* obj.attacks(obj) "),
        Literal("obj.begin_dialog( obj, # ) //second is npc speaker "),
        Literal("* obj.cast_spell( spell_, obj )"),
        Literal("obj.concealed_set( 1 )"),
        Literal("obj.condition_add_with_args( \"Invisible\", #, # ) //Fallen_Paladin   "),
        Literal("obj.critter_flags_set( OCF_MUTE )  "),
        Literal("obj. damage(OBJ_HANDLE_NULL,D20DT_SUBDUAL,damage#,D20DA "),
        Literal("P_NORMAL)  "),
        Literal("* obj.destroy() "),
        Literal("obj.distance_to(obj) "),
        Literal("obj.dominate( obj ) //first is dominated by second obj "),
        Literal("obj.float_line(360,triggerer) "),
        Literal("obj.float_mesfile_line( 'mes\\\\spell.mes', 30002 )"),
        Literal("obj.follower_add(obj) "),
        Literal("obj.follower_remove(obj)"),
        Literal("obj.get_deity()  "),
        Literal("obj.has_follower(#)"),
        Literal("obj.has_met(obj)"),
        Literal("obj.has_los(obj)"),
        Literal("obj.has_wielded(#):"),
        Literal("obj.heal( OBJ_HANDLE_NULL, # ) "),
        Literal("obj.healsubdual( OBJ_HANDLE_NULL, # ) "),
        Literal("obj.is_category_type( mc_type_undead ): "),
        Literal("obj.is_friendly(obj)"),
        Literal("obj_is_item( obj ) : //must include utilities.py "),
        Literal("obj.item_find(#) != OBJ_HANDLE_NULL"),
        Literal("* obj.item_transfer_to(obj, #)"),
        Literal("* obj.item_transfer_to_by_proto(obj,#)"),
        Literal("obj.item_wield_best_all()  "),
        Literal("obj.leader_get() != OBJ_HANDLE_NULL "),
        Literal("obj.location == loc "),
        Literal("obj.move( location_from_axis( 491, 541 ) ) "),
        Literal("obj.money_get() == #  "),
        Literal("obj.name == #    "),
        Literal("* obj.object_flag_set(OF_OFF)"),
        Literal("obj.object_flag_unset(OF_OFF) "),
        Literal("obj_percent_hp( obj ) : //must include utilities.py "),
        Literal("* obj.reaction_adj( obj, #) "),
        Literal("obj.reaction_get( obj )  "),
        Literal("obj.reaction_set( obj, # )"),
        Literal("obj.reflex_save_and_damage( trap.obj, 20, D20_Save_Reduction_Half, "
                "D20STD_F_SPELL_DESCRIPTOR_ACID, damage, damagetype, D20DAP_NORMAL )"),
        Literal("obj.reputation_has[#] == 1 "),
        Literal("obj.resurrect( CRITTER_R_CUTHBERT_RESURRECT, 0 ) "),
        Literal("obj.rotation == rot "),
        Literal("obj.runoff(obj.location-3)"),
        Literal("obj.saving_throw( 15, D20_Save_Fortitude, D20STD_F_POISON, trap.obj )"),
        Literal("* obj.spells_pending_to_memorized() "),
        Literal("obj.spell == spell_heal "),
        Literal("obj.spell_damage( spell.caster, D20DT_FORCE, damage, D20DAP_UNSPECIFIED, "
                "D20A_CAST_SPELL, spell.id ) "),
        Literal("obj.standpoint_set( STANDPOINT_NIGHT, # ) "),
        Literal("obj.standpoint_set( STANDPOINT_DAY, # ) "),
        Literal(" obj.steal_from(obj) "),
        Literal("obj.type == obj_t_pc "),
        Literal(" obj.turn_towards(attachee)  "),
        Literal("obj.unconceal()   "),
        Literal("party_transfer_to( target, oname ) : //must include utilities.py  "),
        Literal("* pc.barter(npc)   "),
        Literal(" * pc.follower_add(npc)  "),
        Literal("* pc.follower_remove(npc) "),
        Literal("* pc.has_atoned()    "),
        Literal("pc.item_get( item )  "),
        Literal("* pc.money_adj(#)   "),
        Literal("* pc.prestige_class_add[#] "),
        Literal("* pc.reputation_add( # ) "),
        Literal("pc.reputation_remove( # ) "),
        Literal("set_join_slides( attachee, triggerer ) : //must include utilities.py  "),
        Literal("should_heal_hp_on( obj ) : //must include utilities.py   "),
        Literal("should_heal_disease_on( obj ) : //must include utilities.py "),
        Literal(" should_heal_poison_on( obj ) : //must include utilities.py  "),
        Literal("should_resurrect_on( obj ) : //must include utilities.py "),
        Literal(" "),
        Literal("some looping statement examples:"),
        Literal("for pc in game.party: "),
        Literal("for obj in game.obj_list_vicinity(attachee.location,OLC_PC):"),
        Literal("for obj in obj.group_list():"),
        Literal("while (attachee.item_find(#) != OBJ_HANDLE_NULL):"),
    };
    return lines;
}

constexpr size_t SharedConditionLines = 14;

// Appends the lines to `text`, CR LF between them, so a failure half-way leaves the list
// as far as it got.
void AppendLines(std::string& text, const EditorState& state, const std::vector<ListLine>& lines,
                 size_t count, bool& first) {
    for (size_t i = 0; i < count && i < lines.size(); ++i) {
        if (!first)
            text += "\r\n";
        first = false;
        const ListLine& line = lines[i];
        text += line.Snippet ? std::string(line.Snippet) : state.Text(line.TextIndex);
    }
}

} // namespace

void ApplyDialogStep(EditorState& state) {
    TTextGrid& grid = state.SG1();
    const int captions[] = {68, 69, 70, 71, 72, 73};
    try {
        grid.SetCell(0, 0, "#");
    } catch (const std::exception&) {
    }
    for (int column = 1; column <= 6; ++column) {
        try {
            grid.SetCell(column, 0, state.Text(captions[column - 1]));
        } catch (const std::exception&) {
        }
    }

    size_t first = state.VariableListNames.size();
    state.VariableListNames.push_back(state.Text(74));
    state.VariableListNames.push_back(state.Text(70));
    state.VariableListNames.push_back(state.Text(71));
    state.VariableListNames.push_back(state.Text(73));
    state.VariableLists.resize(state.VariableListNames.size());

    auto build = [&](size_t item, auto fill) {
        try {
            std::string& text = state.VariableLists[first + item];
            text.clear();
            bool firstLine = true;
            fill(text, firstLine);
        } catch (const std::exception&) {
        }
    };
    build(0, [&](std::string& text, bool& firstLine) {
        AppendLines(text, state, DialogNotesLines(), DialogNotesLines().size(), firstLine);
    });
    build(1, [&](std::string& text, bool& firstLine) {
        AppendLines(text, state, IntelligenceLines(), IntelligenceLines().size(), firstLine);
    });
    build(2, [&](std::string& text, bool& firstLine) {
        AppendLines(text, state, ConditionLines(), ConditionLines().size(), firstLine);
    });
    build(3, [&](std::string& text, bool& firstLine) {
        AppendLines(text, state, ConditionLines(), SharedConditionLines, firstLine);
        AppendLines(text, state, EffectOwnLines(), EffectOwnLines().size(), firstLine);
    });
}

} // namespace tw
