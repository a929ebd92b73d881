#!/usr/bin/env python3
"""Writes the synthetic sample game data under samples/data and the document sections
of the two shipped language files (everything after their 160 fixed text lines).

Everything here is invented for trying the editor out. The output is the same on every
run (a fixed linear congruential generator, no clock, no system random source), so the
committed files can be checked with:  python3 samples/generate.py && git diff --exit-code
"""

import os

ROOT = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(ROOT, "data")
LANGUAGE_FOLDER = os.path.join(os.path.dirname(ROOT), "data")
FIXED_LINES = 160
CRLF = "\r\n"


class Lcg:
    """A small deterministic generator, independent of the Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state >> 8

    def below(self, n):
        return self.next() % n

    def pick(self, items):
        return items[self.below(len(items))]

    def chance(self, percent):
        return self.below(100) < percent


# ---------------------------------------------------------------- the prototype table

TYPES = ["armor", "pc", "npc", "weapon", "ammo", "bag", "container", "food",
         "generic", "key", "money", "portal", "projectile", "scenery", "scroll", "written"]

# (English name, German name) of each of the 40 columns; the number is the position.
COLUMNS = [
    ("Prototype", "Prototyp"),
    ("Type", "Typ"),
    ("Description", "Beschreibung"),
    ("Internal Name", "Interner Name"),
    ("Object Flags", "Objekt-Flags"),
    ("Weight", "Gewicht"),
    ("Worth", "Wert"),
    ("Material", "Material"),
    ("Size", "Größe"),
    ("Hit Points", "Trefferpunkte"),
    ("Art Number", "Grafiknummer"),
    ("Sound", "Klang"),
    ("Light Radius", "Lichtradius"),
    ("Category", "Kategorie"),
    ("Armor Bonus", "Rüstungsbonus"),
    ("Armor Max Dex", "Rüstung max. Gesch."),
    ("Armor Check Penalty", "Rüstungsmalus"),
    ("Spell Failure", "Zauberpatzer"),
    ("Damage Dice", "Schadenswürfel"),
    ("Critical Range", "Kritischer Bereich"),
    ("Critical Multiplier", "Kritischer Faktor"),
    ("Weapon Range", "Reichweite"),
    ("Ammo Type", "Munitionsart"),
    ("Description Number", "Beschreibungsnummer"),
    ("Lock DC", "Schloss-SG"),
    ("Capacity", "Fassungsvermögen"),
    ("Key Id", "Schlüsselnummer"),
    ("Quantity", "Anzahl"),
    ("Portal Flags", "Portal-Flags"),
    ("Spell", "Zauber"),
    ("Food Effect", "Nahrungswirkung"),
    ("Level", "Stufe"),
    ("Race", "Volk"),
    ("Gender", "Geschlecht"),
    ("Strength", "Stärke"),
    ("Dexterity", "Geschicklichkeit"),
    ("Faction", "Fraktion"),
    ("Script", "Skript"),
    ("Projectile Speed", "Geschossgeschwindigkeit"),
    ("Notes", "Notizen"),
]

MATERIALS = ["mat_cloth", "mat_leather", "mat_iron", "mat_steel", "mat_wood", "mat_glass",
             "mat_stone", "mat_gold", "mat_paper", "mat_flesh"]
SIZES = ["size_tiny", "size_small", "size_medium", "size_large", "size_huge"]
FLAGS = ["OF_NONE", "OF_FLAT", "OF_NO_BLOCK", "OF_INVULNERABLE", "OF_DONTDRAW",
         "OF_NO_HEIGHT", "OF_RANDOM_SIZE"]
RACES = ["race_human", "race_elf", "race_dwarf", "race_halfling", "race_orc", "race_gnome"]
GENDERS = ["gender_male", "gender_female"]
FACTIONS = ["0", "1", "4", "7", "12"]
DICE = ["1d4", "1d6", "1d8", "1d10", "1d12", "2d4", "2d6"]
AMMO = ["ammo_arrow", "ammo_bolt", "ammo_stone", "ammo_dart"]
SPELLS = ["spell_light", "spell_sleep", "spell_shield", "spell_haste", "spell_heal"]
FOOD = ["food_heal_1", "food_heal_2", "food_sober", "food_poison"]
PORTALS = ["PF_NONE", "PF_LOCKED", "PF_JAMMED", "PF_MAGICALLY_HELD"]

# Words that make up the descriptions of each type.
NOUNS = {
    "armor": ["Padded Vest", "Leather Jerkin", "Ring Shirt", "Scale Coat", "Plate Harness",
              "Round Shield", "Tower Shield", "Iron Helm", "Riding Boots", "Silk Gloves"],
    "pc": ["Adventurer"],
    "npc": ["Innkeeper", "Stable Hand", "Town Guard", "Miller", "Smith", "Hermit",
            "Bandit", "River Troll", "Wolf", "Giant Spider", "Fisherwoman", "Priestess"],
    "weapon": ["Dagger", "Short Sword", "Long Sword", "Hand Axe", "War Hammer", "Spear",
               "Quarterstaff", "Short Bow", "Crossbow", "Sling", "Mace", "Flail"],
    "ammo": ["Arrows", "Bolts", "Sling Stones", "Darts"],
    "bag": ["Belt Pouch", "Satchel", "Backpack", "Quiver"],
    "container": ["Chest", "Barrel", "Crate", "Cupboard", "Sarcophagus", "Strongbox"],
    "food": ["Bread", "Cheese", "Apple", "Ale", "Wine", "Dried Fish", "Honey Cake"],
    "generic": ["Candle", "Rope", "Lantern", "Whetstone", "Ring", "Amulet", "Goblet"],
    "key": ["Iron Key", "Brass Key", "Skeleton Key", "Silver Key"],
    "money": ["Copper Pieces", "Silver Pieces", "Gold Pieces", "Platinum Pieces"],
    "portal": ["Wooden Door", "Iron Gate", "Trapdoor", "Secret Door"],
    "projectile": ["Fire Bolt", "Frost Ray", "Thrown Rock", "Acid Splash"],
    "scenery": ["Well", "Anvil", "Statue", "Signpost", "Campfire", "Altar", "Tree Stump"],
    "scroll": ["Scroll of Light", "Scroll of Sleep", "Scroll of Shielding"],
    "written": ["Letter", "Journal", "Wanted Poster", "Map Fragment", "Ledger"],
}
ADJECTIVES = ["Old", "Fine", "Worn", "Masterwork", "Dwarven", "Elven", "Rusty", "Gilded",
              "Plain", "Heavy", "Light", "Blessed", "Cursed", "Caf\u00e9-Owner's"]

# Rows per type and the first prototype number of each type.
ROWS_PER_TYPE = {"armor": 30, "pc": 6, "npc": 36, "weapon": 36, "ammo": 12, "bag": 10,
                 "container": 18, "food": 20, "generic": 30, "key": 12, "money": 8,
                 "portal": 16, "projectile": 10, "scenery": 24, "scroll": 12, "written": 16}
FIRST_NUMBER = {t: 1000 * (i + 1) for i, t in enumerate(TYPES)}


def prototype_rows(lcg):
    rows = []
    descriptions = {}
    next_description = 10000
    for type_name in TYPES:
        for k in range(ROWS_PER_TYPE[type_name]):
            cells = [""] * len(COLUMNS)
            number = FIRST_NUMBER[type_name] + k
            cells[0] = str(number)
            # A few rows carry their type in capitals, as hand-edited tables do.
            cells[1] = "obj_t_" + type_name
            if lcg.chance(4):
                cells[1] = cells[1].upper()
            noun = NOUNS[type_name][k % len(NOUNS[type_name])]
            text = noun if k < len(NOUNS[type_name]) else lcg.pick(ADJECTIVES) + " " + noun
            # Most prototypes have a description line of their own; some share one.
            if descriptions and lcg.chance(8):
                cells[23] = lcg.pick(sorted(descriptions))
            else:
                cells[23] = str(next_description)
                descriptions[cells[23]] = text
                next_description += 1
            cells[3] = type_name + "_" + noun.lower().replace(" ", "_").replace("'", "") + "_" + str(k)
            cells[4] = lcg.pick(FLAGS)
            cells[10] = str(20000 + lcg.below(5000))
            cells[11] = str(lcg.below(300)) if lcg.chance(40) else ""
            if type_name in ("pc", "npc"):
                cells[9] = str(4 + lcg.below(90))
                cells[31] = str(1 + lcg.below(12))
                cells[32] = lcg.pick(RACES)
                cells[33] = lcg.pick(GENDERS)
                cells[34] = str(6 + lcg.below(13))
                cells[35] = str(6 + lcg.below(13))
                cells[36] = lcg.pick(FACTIONS) if type_name == "npc" else "0"
                cells[37] = str(100 + lcg.below(900)) if lcg.chance(50) else ""
                cells[8] = "size_medium" if lcg.chance(80) else lcg.pick(SIZES)
            elif type_name in ("portal", "scenery", "projectile"):
                cells[7] = lcg.pick(MATERIALS)
                cells[8] = lcg.pick(SIZES)
                cells[9] = str(10 + lcg.below(200))
                cells[12] = str(lcg.below(8)) if lcg.chance(30) else ""
                if type_name == "portal":
                    cells[24] = str(10 + lcg.below(20)) if lcg.chance(40) else ""
                    cells[26] = str(lcg.below(12)) if lcg.chance(30) else ""
                    cells[28] = lcg.pick(PORTALS)
                if type_name == "projectile":
                    cells[38] = str(5 + lcg.below(20))
                cells[37] = str(100 + lcg.below(900)) if lcg.chance(25) else ""
            else:
                cells[5] = str(lcg.below(400))
                cells[6] = str(1 + lcg.below(5000))
                cells[7] = lcg.pick(MATERIALS)
                cells[8] = lcg.pick(SIZES)
                cells[9] = str(1 + lcg.below(40))
                cells[13] = str(lcg.below(6))
            if type_name == "armor":
                cells[14] = str(1 + lcg.below(8))
                cells[15] = str(lcg.below(8))
                cells[16] = str(-lcg.below(7))
                cells[17] = str(5 * lcg.below(8))
            elif type_name == "weapon":
                cells[18] = lcg.pick(DICE)
                cells[19] = str(18 + lcg.below(3))
                cells[20] = str(2 + lcg.below(3))
                cells[21] = str(lcg.pick([0, 0, 10, 30, 60]))
                cells[22] = lcg.pick(AMMO) if cells[21] != "0" else ""
            elif type_name == "ammo":
                cells[22] = lcg.pick(AMMO)
                cells[27] = str(10 * (1 + lcg.below(5)))
            elif type_name in ("bag", "container"):
                cells[25] = str(10 * (1 + lcg.below(20)))
                if type_name == "container":
                    cells[24] = str(10 + lcg.below(20)) if lcg.chance(40) else ""
                    cells[37] = str(100 + lcg.below(900)) if lcg.chance(20) else ""
            elif type_name == "key":
                cells[26] = str(k)
            elif type_name == "money":
                cells[27] = str(1 + lcg.below(250))
            elif type_name == "scroll":
                cells[29] = lcg.pick(SPELLS)
            elif type_name == "food":
                cells[30] = lcg.pick(FOOD)
            if lcg.chance(6):
                cells[39] = "check in game"
            # Tables written by hand often stop after the last filled field.
            while len(cells) > 24 and cells[-1] == "" and lcg.chance(50):
                cells.pop()
            rows.append(cells)
    return rows, descriptions


def write_bytes(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(text.encode("cp1252"))


def write_prototypes(lcg):
    rows, descriptions = prototype_rows(lcg)
    write_bytes(os.path.join(DATA, "rules", "protos.tab"),
                "".join("\t".join(cells) + CRLF for cells in rows))
    lines = ["// Descriptions of the sample prototypes: {number}{text}", ""]
    lines += ["{%s}{%s}" % (number, text) for number, text in sorted(descriptions.items())]
    write_bytes(os.path.join(DATA, "mes", "description.mes"), CRLF.join(lines) + CRLF)


# ---------------------------------------------------------------- message and dialog files

QUESTS = [
    ("// Quest log of the sample village.", None),
    ("// Each quest has a title line and a line per state.", None),
    ("", None),
    ("// The lost ring", None),
    (100, "The Lost Ring"),
    (101, "The innkeeper's wife lost her wedding ring near the mill."),
    (102, "You returned the ring. The innkeeper was grateful."),
    (103, "You kept the ring for yourself."),
    ("", None),
    ("// Wolves at the pasture", None),
    (110, "Wolves at the Pasture"),
    (111, "The stable hand wants the wolves driven off."),
    (112, "The wolves will trouble the pasture no more."),
    ("", None),
    ("// The hermit's journal", None),
    (120, "The Hermit's Journal"),
    (121, "A journal was stolen from the hermit by bandits."),
    (122, "The journal is back with the hermit. He speaks of a caf\u00e9 in the capital."),
    (123, "You read the journal before returning it. // spoilers inside"),
    ("", None),
    ("// Unused entries, kept for later", None),
    (190, ""),
    (191, "Placeholder"),
]

# {line}{text}{female text}{intelligence}{condition}{next line}{effect}
DIALOG = [
    (1, "Welcome to the Sleeping Fox, traveller. What can I get you?",
     "Welcome to the Sleeping Fox, my lady. What can I get you?", "", "", "", ""),
    (2, "A room for the night.", "", "1", "pc.money_get() >= 500", "10", ""),
    (3, "Just an ale, thanks.", "", "1", "", "20", "pc.money_adj(-100)"),
    (4, "I hear you have trouble.", "", "8", "game.quests[100].state == qs_unknown", "30", ""),
    (5, "I found your wife's ring.", "", "1", "pc.item_find(9004) != OBJ_HANDLE_NULL", "40", ""),
    (6, "Farewell.", "", "1", "", "0", ""),
    (7, "Me want drink.", "", "-7", "", "20", ""),
    (10, "That will be five silver. Up the stairs, second door.", "", "", "", "", ""),
    (11, "Thank you.", "", "1", "", "0", "pc.money_adj(-500)"),
    (20, "Here you are. Best ale in the valley.", "", "", "", "", ""),
    (21, "[drink]", "", "1", "", "1", ""),
    (30, "My wife lost her ring by the mill. Would you look for it?", "", "", "", "", ""),
    (31, "I will find it.", "", "1", "", "0",
     "game.quests[100].state = qs_accepted"),
    (32, "Not my problem.", "", "1", "", "0", ""),
    (40, "You found it! Take this for your trouble.", "", "", "", "", ""),
    (41, "Glad to help.", "", "1", "", "0",
     "pc.item_transfer_to(npc, 9004); pc.money_adj(2000); game.quests[100].state = qs_completed"),
]


def write_messages():
    lines = []
    for key, text in QUESTS:
        lines.append(key if text is None else "{%d}{%s}" % (key, text))
    write_bytes(os.path.join(DATA, "mes", "quests.mes"), CRLF.join(lines) + CRLF)
    lines = ["".join("{%s}" % field for field in row) for row in DIALOG]
    write_bytes(os.path.join(DATA, "dlg", "00001innkeeper.dlg"), CRLF.join(lines) + CRLF)


# ---------------------------------------------------------------- document sections

SET_NAMES = {
    "english": ["Armor", "PC", "NPC", "Weapon", "Ammo", "Bag", "Container", "Food", "Generic",
                "Key", "Money", "Portal", "Projectile", "Scenery", "Scroll", "Written"],
    "deutsch": ["R\u00fcstung", "SC", "NSC", "Waffe", "Munition", "Beutel", "Beh\u00e4lter",
                "Nahrung", "Allgemein", "Schl\u00fcssel", "Geld", "Portal", "Projektil",
                "Szenerie", "Schriftrolle", "Schriftst\u00fcck"],
}

# Columns of each header set, in the order of the object types.
SET_COLUMNS = [
    [2, 3, 4, 5, 6, 7, 8, 9, 14, 15, 16, 17, 23],   # armor
    [2, 3, 8, 9, 31, 32, 33, 34, 35, 36, 37],        # pc
    [2, 3, 8, 9, 31, 32, 33, 34, 35, 36, 37],        # npc
    [2, 3, 5, 6, 7, 9, 18, 19, 20, 21, 22, 23],      # weapon
    [2, 3, 5, 6, 22, 23, 27],                        # ammo
    [2, 3, 5, 6, 8, 23, 25],                         # bag
    [2, 3, 5, 6, 7, 8, 23, 24, 25, 37],              # container
    [2, 3, 5, 6, 23, 30],                            # food
    [2, 3, 4, 5, 6, 7, 8, 9, 13, 23],                # generic
    [2, 3, 5, 6, 23, 26],                            # key
    [2, 3, 5, 6, 23, 27],                            # money
    [2, 3, 4, 7, 9, 23, 24, 26, 28, 37],             # portal
    [2, 3, 7, 8, 10, 12, 23, 38],                    # projectile
    [2, 3, 4, 7, 8, 9, 10, 12, 23, 37],              # scenery
    [2, 3, 5, 6, 23, 29],                            # scroll
    [2, 3, 5, 6, 23, 39],                            # written
]

VARIABLE_LISTS = {
    "english": [
        ("Object types", ["obj_t_" + t for t in TYPES]),
        ("Materials (column 7)", MATERIALS),
        ("Sizes (column 8)", SIZES),
        ("Object flags (column 4)", FLAGS),
        ("Damage dice (column 18)", DICE),
        ("Races and genders (columns 32, 33)", RACES + GENDERS),
        ("Spells and food (columns 29, 30)", SPELLS + FOOD),
    ],
    "deutsch": [
        ("Objekttypen", ["obj_t_" + t for t in TYPES]),
        ("Materialien (Spalte 7)", MATERIALS),
        ("Gr\u00f6\u00dfen (Spalte 8)", SIZES),
        ("Objekt-Flags (Spalte 4)", FLAGS),
        ("Schadensw\u00fcrfel (Spalte 18)", DICE),
        ("V\u00f6lker und Geschlechter (Spalten 32, 33)", RACES + GENDERS),
        ("Zauber und Nahrung (Spalten 29, 30)", SPELLS + FOOD),
    ],
}

MES_TEXTS = {
    "english": {
        "number": "Number", "text": "Text", "comment": "Comment", "description": "Description",
        "quest_list": ("Quest states",
                       ["qs_unknown", "qs_mentioned", "qs_accepted", "qs_completed",
                        "qs_botched", "// lines beginning with two slashes are comments"]),
        "entry_list": ("Entry format", ["{number}{text}", "{number}{} leaves the text empty"]),
        "dialog_list": ("Innkeeper line numbers",
                        ["1-7 greeting and choices", "10-11 a room", "20-21 an ale",
                         "30-32 the lost ring", "40-41 the ring returned"]),
    },
    "deutsch": {
        "number": "Nummer", "text": "Text", "comment": "Kommentar", "description": "Beschreibung",
        "quest_list": ("Questzust\u00e4nde",
                       ["qs_unknown", "qs_mentioned", "qs_accepted", "qs_completed",
                        "qs_botched", "// Zeilen mit zwei Schr\u00e4gstrichen sind Kommentare"]),
        "entry_list": ("Eintragsformat", ["{Nummer}{Text}", "{Nummer}{} l\u00e4sst den Text leer"]),
        "dialog_list": ("Zeilennummern des Wirts",
                        ["1-7 Begr\u00fc\u00dfung und Auswahl", "10-11 ein Zimmer",
                         "20-21 ein Bier", "30-32 der verlorene Ring",
                         "40-41 der Ring zur\u00fcck"]),
    },
}


# Each section file ends up appended to its language file, so it keeps that file's line ends.
SECTION_LINE_ENDS = {"english": CRLF, "deutsch": "\n"}


def sections(language):
    names = 0 if language == "english" else 1
    texts = MES_TEXTS[language]
    lines = ["[protos.tab]"]
    lines += ["%03d%s" % (i, column[names]) for i, column in enumerate(COLUMNS)]
    lines.append("[protos.tabcombovar]")
    lines += ["%s: %s" % (name, "\t".join(items)) for name, items in VARIABLE_LISTS[language]]
    lines.append("[protos.tabcombobox]")
    lines += SET_NAMES[language]
    for name, columns in zip(SET_NAMES[language], SET_COLUMNS):
        lines.append("[protos.tab%s]" % name)
        lines.append("".join("%d," % c for c in columns))
    lines += ["[quests.mes]", "000" + texts["number"], "001" + texts["text"],
              "002" + texts["comment"]]
    name, items = texts["quest_list"]
    lines += ["[quests.mescombovar]", "%s: %s" % (name, "\t".join(items))]
    name, items = texts["entry_list"]
    lines.append("%s: %s" % (name, "\t".join(items)))
    lines += ["[description.mes]", "000" + texts["number"], "001" + texts["description"]]
    name, items = texts["dialog_list"]
    lines += ["[00001innkeeper.dlgcombovar]", "%s: %s" % (name, "\t".join(items))]
    eol = SECTION_LINE_ENDS[language]
    return eol.join(lines) + eol


def main():
    write_prototypes(Lcg(20240601))
    write_messages()
    for language in ("english", "deutsch"):
        write_language_sections(language)


def write_language_sections(language):
    """Keeps the fixed text lines and the program texts of the language file and replaces the
    document sections between them."""
    path = os.path.join(LANGUAGE_FOLDER, language + ".lng")
    with open(path, "rb") as f:
        data = f.read()
    end = 0
    for _ in range(FIXED_LINES):
        end = data.index(b"\n", end) + 1
    # The program's own texts close the file and are kept as they are.
    added = data.find(b"\n[/program texts]")
    kept = data[added + 1:] if added >= 0 else b""
    with open(path, "wb") as f:
        f.write(data[:end] + sections(language).encode("cp1252") + kept)


if __name__ == "__main__":
    main()
