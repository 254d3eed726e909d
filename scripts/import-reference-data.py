#!/usr/bin/env python3
"""Regenerate the dictionary source (data/dictionary/*.tsv) from reference data.

Usage: import-reference-data.py REFERENCE_DIR [--out DIR]

REFERENCE_DIR holds the reference tables (street_suffixes.tsv, given_names.tsv,
...; see data/dictionary/README.md for what each one feeds). The output folder
defaults to data/dictionary next to this script's folder. Every context file is
rewritten; nothing else in the folder is touched.

The reference tables are facts; the choices made while turning them into
dictionary entries (which rows are left out, which target a row gets, when the
exception flag is set) live in the one function per context below, with the
reason next to each. A summary of what was left out goes to standard error.
"""

import argparse
import os
import sys

HEADER = "source\ttarget\texception\tactive\tcomments\thidden"
MAX_TEXT = 40  # a record's text fields hold 40 characters plus a terminator

# A title that is also a common given name would swallow the first name of
# every such person at the start of a line (DEAN SMITH). The count is the
# number of SSA births, 1880-2020, under that name.
COMMON_GIVEN_NAME = 10000


# --------------------------------------------------------------------------
# Reading the reference tables


def read_table(ref_dir, name):
    """Rows of a reference TSV as dicts keyed by its header."""
    path = os.path.join(ref_dir, name)
    with open(path, encoding="utf-8", newline="") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    columns = lines[0].rstrip("\r").split("\t")
    rows = []
    for number, line in enumerate(lines[1:], start=2):
        fields = line.rstrip("\r").split("\t")
        if len(fields) != len(columns):
            raise SystemExit(f"{name}:{number}: expected {len(columns)} fields, "
                             f"found {len(fields)}")
        rows.append(dict(zip(columns, fields)))
    return rows


def yes(value):
    return value == "Y"


def given_name_totals(ref_dir):
    return {r["name"]: int(r["male_count"]) + int(r["female_count"])
            for r in read_table(ref_dir, "given_names.tsv")}


def street_suffix_words(ref_dir):
    """Every spelling the street-suffix context will hold."""
    words = set()
    for r in read_table(ref_dir, "street_suffixes.tsv"):
        words.add(r["common_abbreviation"])
        words.add(r["primary_name"])
    return words


# --------------------------------------------------------------------------
# Entries


class Entry:
    __slots__ = ("source", "target", "exception", "comments")

    def __init__(self, source, target, exception=False, comments=""):
        self.source = source
        self.target = target
        self.exception = exception
        self.comments = clip(comments)


def clip(remark):
    """A remark cut to the field at a word boundary. Only the state table's
    comments are read by the engine, and those always fit."""
    if len(remark) <= MAX_TEXT:
        return remark
    cut = remark[:MAX_TEXT + 1].rsplit(" ", 1)[0].rstrip(" ,;")
    return cut if cut else remark[:MAX_TEXT]


class Report:
    """Collects what was left out, per context file, for the summary."""

    def __init__(self):
        self.lines = []

    def skip(self, context, source, reason):
        line = f"{context}: left out {source!r}: {reason}"
        if line not in self.lines:
            self.lines.append(line)


def is_word(text):
    return " " not in text


# --------------------------------------------------------------------------
# One function per context. Each returns the entries in file order; the
# engine keeps the first entry of a key, so order decides duplicates.


# A unit word that stands alone is taken from anywhere in the line, so a
# spelled-out form that is a common street-name word would cut the street
# (N FRONT ST, OFFICE PARK DR, LAKE SIDE DR); FRNT and OFC stay and mean the
# same unit. UPPER and LOWER stay: the flats of a two-family house (31
# SPRUCE ST LOWER) outnumber the streets named Upper or Lower.
UNIT_WORDS_LEFT_OUT = {
    "SIDE": "also a street-name word (LAKE SIDE DR)",
    "FRONT": "also a street-name word (N FRONT ST, OCEAN FRONT)",
    "OFFICE": "also a street-name word (OFFICE PARK DR)",
}

# Words that introduce a secondary number on business and condominium mail
# and that no street uses: the lockbox file number of remittance addresses
# (PO BOX 60000 FILE 30580), a private mailbox written out, a condo unit.
EXTRA_UNIT_WORDS = [
    ("FILE", "FILE", "lockbox file number; added"),
    ("MAILBOX", "PMB", "private mailbox; added"),
    ("CONDO", "UNIT", "condominium unit; added"),
]


def unit_designators(ref_dir, report):
    """101 ap.srch.unit: unit word -> designator; exception = no number follows.

    The parser takes the first unit word it meets scanning from the end of
    the line, before it looks for the street suffix or directionals, so a
    variant spelling that is also a suffix (TRL, FLS) or a directional (NO)
    would eat the street. The official designators themselves are kept.
    The floor words carry the exception flag too: that starts the floor rule.
    """
    taken_elsewhere = street_suffix_words(ref_dir) | {
        r["word"] for r in read_table(ref_dir, "directionals.tsv")}
    entries = []
    for r in read_table(ref_dir, "unit_designators.tsv"):
        word, designator = r["name"], r["abbreviation"]
        if r["source"] == "VARIANT" and word in taken_elsewhere:
            report.skip("ap.srch.unit", word, "variant that is also a street suffix or directional")
            continue
        if word in UNIT_WORDS_LEFT_OUT:
            report.skip("ap.srch.unit", word, UNIT_WORDS_LEFT_OUT[word])
            continue
        # The parser writes NBR for a glued number sign (#5); the spelled
        # number signs give the same designator so # 5 and #5 agree.
        if designator == "#":
            designator = "NBR"
        stands_alone = not yes(r["requires_range"])
        floor = designator == "FL"
        kind = {"C2_NAME": "USPS C2 name", "C2_ABBREV": "USPS C2 abbreviation",
                "VARIANT": "variant"}[r["source"]]
        if stands_alone:
            kind += "; no number"
        elif floor:
            kind += "; floor"
        entries.append(Entry(word, designator, stands_alone or floor, kind))
    for word, designator, why in EXTRA_UNIT_WORDS:
        entries.append(Entry(word, designator, False, why))
    return entries


def surname_case(ref_dir, report, context, patterns=None):
    """Shared by the two last-name case contexts: surname -> written form.

    The converter replaces one word by one word, so a written form with a
    blank (St. John) cannot be an entry. The source is the surname as it is
    spelled; case conversion never adds or drops an apostrophe. The full
    list holds only forms that are not plain proper case (Mack and Odom come
    out right without an entry), and not the internal capitals
    that most families of that name do not use (Fitzgerald, Delong).
    """
    entries = []
    for r in read_table(ref_dir, "surname_case.tsv"):
        if patterns is not None and r["pattern"] not in patterns:
            continue
        if not is_word(r["written_form"]):
            report.skip(context, r["surname"], f"written form {r['written_form']!r} is two words")
            continue
        if patterns is None and r["written_form"] == r["surname"].capitalize():
            report.skip(context, r["surname"], "plain proper case, which the converter writes anyway")
            continue
        if patterns is None and "plain" in r["note"] and "more common" in r["note"]:
            report.skip(context, r["surname"], "the plain written form is the more common one")
            continue
        note = r["pattern"]
        if r["census1990_rank"]:
            note += f", 1990 rank {r['census1990_rank']}"
        entries.append(Entry(r["surname"], r["written_form"], False, note))
    return entries


def last_names_case(ref_dir, report):
    """201 cc.ln_full: every surname with a fixed written form."""
    return surname_case(ref_dir, report, "cc.ln_full")


def mac_names_case(ref_dir, report):
    """301 cc.ln_mac: the MAC surnames, split (MacDonald) or plain (Mack)."""
    return surname_case(ref_dir, report, "cc.ln_mac", {"MAC", "MAC_NO_SPLIT"})


# Words whose reference written form is right in one place of a line but
# wrong in another; the converter looks at each word alone and would apply
# it everywhere, so the ordinary proper case is the safer result.
CASE_EXCEPTIONS_LEFT_OUT = {
    "A": "usually an initial (John A Smith)",
    "IN": "state code on the city line",
    "OR": "state code on the city line",
    "ON": "province code on the city line",
    "DE": "name particle, written De in US names; state code",
    "DEL": "name particle and given name (Del)",
    "LA": "name particle, written La in US names; state code",
    "LAS": "name particle and place-name word (Las Vegas)",
    "LOS": "name particle and place-name word (Los Angeles)",
    "SR": "the name suffix Sr far outnumbers State Route",
    "MS": "the title Ms far outnumbers the degree",
    "MA": "also a common surname (Ma)",
    "DO": "also a common surname (Do) and a word",
    "ANG": "also a common surname (Ang)",
    "PENG": "also a common surname (Peng)",
    "AN": "also a surname and given name (An)",
    "TOD": "also a given name (Tod)",
    "ASA": "also a given name (Asa)",
    "EDD": "also a given name (Edd)",
    "RIA": "also a given name (Ria)",
    "MARCH": "also the month",
    "MED": "also a word (Med Center)",
    "ARM": "also a word",
    "AS": "also a word",
    "SPA": "also a word (Day Spa)",
}


# Name particles written in lower case inside a name (Wernher von Braun,
# Leonardo da Vinci) that are next to never anything else in North-American
# names, streets or towns. Left capitalised: DE, DEL, LA, VAN (US usage
# writes De La Cruz and Van Buren; VAN and DEL are given names, DE and LA
# state codes), LE, DO, DAS, DU (common Vietnamese, Indian and Chinese
# surnames), Y and E (initials).
LOWER_CASE_PARTICLES = [
    ("VON", "German"),
    ("DER", "after VAN or VON"),
    ("DA", "Italian and Portuguese"),
    ("DI", "Italian, when written apart"),
    ("DOS", "Portuguese"),
]


def case_exceptions(ref_dir, report):
    """401 cc.exceptions: word -> fixed written form.

    Case conversion changes case only: a written form with other letters,
    a hyphen or a blank (PA-C for PAC, et al for ETAL) is no entry. Street
    suffix spellings (RD, PT) keep the proper case addresses expect (Rd).
    """
    suffixes = street_suffix_words(ref_dir)
    entries = []
    for r in read_table(ref_dir, "case_exceptions.tsv"):
        word, written = r["word"], r["written_form"]
        if word in CASE_EXCEPTIONS_LEFT_OUT:
            report.skip("cc.exceptions", word, CASE_EXCEPTIONS_LEFT_OUT[word])
            continue
        if written.upper() != word or not is_word(written):
            report.skip("cc.exceptions", word, f"written form {written!r} is not the same one word")
            continue
        if word in suffixes:
            report.skip("cc.exceptions", word, "also a street suffix spelling")
            continue
        entries.append(Entry(word, written, False, f"{r['context']} {r['position']}"))
    for word, why in LOWER_CASE_PARTICLES:
        entries.append(Entry(word, word.lower(), False, f"NAME particle; {why}"))
    return entries


def firm_words(ref_dir, report):
    """501 np.srch.firms: firm word -> canonical; exception = strong.

    A strong word makes a line a firm even when it starts with a given name.
    The short legal forms that are also initials, state codes or degrees
    (PA, CO, SC, PC) are strong only at the end of a line, which the firm
    test cannot see; they stay firm words but not strong ones, so JOHN
    SMITH PA is still a person.
    """
    entries = []
    for r in read_table(ref_dir, "firm_words.tsv"):
        strong = yes(r["strong"])
        note = r["category"]
        if strong and yes(r["ambiguous"]) and len(r["word"]) <= 3:
            strong = False
            note += ", strong at line end only"
        elif yes(r["ambiguous"]):
            note += ", ambiguous"
        entries.append(Entry(r["word"], r["canonical"], strong, note))
    return entries


# The words of ESTATE OF, which the lookups see one at a time: leading
# care-of words are taken together, so ESTATE OF JOHN SMITH keeps JOHN
# SMITH as the person. ESTATE after a name stays a suffix (JOHN SMITH
# ESTATE): the suffix step reads it there.
CARE_OF_PHRASE_WORDS = [
    ("ESTATE", "ESTATE OF", "ESTATE; first word of ESTATE OF"),
    ("OF", "ESTATE OF", "ESTATE; second word of ESTATE OF"),
]


def care_of(ref_dir, report):
    """601 np.srch.care: care-of, attention, trust and alias words."""
    entries = [Entry(r["word"], r["standard"], False, r["type"])
               for r in read_table(ref_dir, "care_of.tsv")]
    for word, standard, why in CARE_OF_PHRASE_WORDS:
        entries.append(Entry(word, standard, False, why))
    return entries


# The most frequent US surnames, from general knowledge of the Census
# surname counts. The baby-name files list many of them as given names
# (SMITH, JOHNSON, DAVIS), rarely given; as given names they would turn
# SMITH JOHN into natural order and REV JOHNSON into a first name.
COMMON_SURNAMES = set("""
SMITH JOHNSON WILLIAMS BROWN JONES GARCIA MILLER DAVIS RODRIGUEZ MARTINEZ
HERNANDEZ LOPEZ GONZALEZ WILSON ANDERSON THOMAS TAYLOR MOORE JACKSON MARTIN
LEE PEREZ THOMPSON WHITE HARRIS SANCHEZ CLARK RAMIREZ LEWIS ROBINSON WALKER
YOUNG ALLEN KING WRIGHT SCOTT TORRES NGUYEN HILL FLORES GREEN ADAMS NELSON
BAKER HALL RIVERA CAMPBELL MITCHELL CARTER ROBERTS GOMEZ PHILLIPS EVANS
TURNER DIAZ PARKER CRUZ EDWARDS COLLINS REYES STEWART MORRIS MORALES MURPHY
COOK ROGERS GUTIERREZ ORTIZ MORGAN COOPER PETERSON BAILEY REED KELLY HOWARD
RAMOS KIM COX WARD RICHARDSON WATSON BROOKS CHAVEZ WOOD JAMES BENNETT GRAY
MENDOZA RUIZ HUGHES PRICE ALVAREZ CASTILLO SANDERS PATEL MYERS LONG ROSS
FOSTER JIMENEZ POWELL JENKINS PERRY RUSSELL SULLIVAN BELL COLEMAN BUTLER
HENDERSON BARNES GONZALES FISHER VASQUEZ SIMMONS ROMERO JORDAN PATTERSON
ALEXANDER HAMILTON GRAHAM REYNOLDS GRIFFIN WALLACE MORENO WEST COLE HAYES
BRYANT HERRERA GIBSON ELLIS TRAN MEDINA AGUILAR STEVENS MURRAY FORD CASTRO
MARSHALL OWENS HARRISON FERNANDEZ MCDONALD WOODS WASHINGTON KENNEDY WELLS
VARGAS HENRY CHEN FREEMAN WEBB TUCKER GUZMAN BURNS CRAWFORD OLSON SIMPSON
PORTER HUNTER GORDON MENDEZ SILVA SHAW SNYDER MASON DIXON MUNOZ HUNT HICKS
HOLMES PALMER WAGNER BLACK ROBERTSON BOYD ROSE STONE SALAZAR FOX WARREN
MILLS MEYER RICE SCHMIDT GARZA DANIELS FERGUSON NICHOLS STEPHENS SOTO WEAVER
RYAN GARDNER PAYNE GRANT DUNN KELLEY SPENCER HAWKINS ARNOLD PIERCE HANSEN
PETERS SANTOS HART BRADLEY KNIGHT ELLIOTT CUNNINGHAM DUNCAN ARMSTRONG
HUDSON CARROLL LANE RILEY ANDREWS ALVARADO RAY DELGADO BERRY PERKINS HOFFMAN
JOHNSTON MATTHEWS PENA RICHARDS CONTRERAS WILLIS CARPENTER LAWRENCE SANDOVAL
CLARKE DOE
""".split())

# A surname among the most frequent ones is dropped from the given names
# unless it is also common as a given name (JAMES, MARTIN, SCOTT).
COMMON_AS_GIVEN_NAME = 50000

# A name particle that starts a line is the start of a reversed last name
# (DE LA CRUZ JUAN) far more often than a rare given name (DE, LE, LA).
RARE_GIVEN_NAME = 2000


def given_names(ref_dir, report):
    """701 np.srch.genders: given name -> gender code (1 to 5) in the target."""
    particles = {r["particle"] for r in read_table(ref_dir, "name_particles.tsv")}
    entries = []
    for r in read_table(ref_dir, "given_names.tsv"):
        name = r["name"]
        total = int(r["male_count"]) + int(r["female_count"])
        if name in COMMON_SURNAMES and total < COMMON_AS_GIVEN_NAME:
            report.skip("np.srch.genders", name, f"frequent surname, rare given name ({total})")
            continue
        if name in particles and total < RARE_GIVEN_NAME:
            report.skip("np.srch.genders", name, f"name particle, rare given name ({total})")
            continue
        entries.append(Entry(name, r["gender_code"], False,
                             f"M {r['male_count']} F {r['female_count']}"))
    return entries


def professional_titles(ref_dir, report):
    """801 np.srch.prof: degree, licence or service letters -> written form."""
    return [Entry(r["title"], r["written_form"].upper(), False, r["meaning"])
            for r in read_table(ref_dir, "professional_titles.tsv")]


# A particle is never a middle name: the middle-name step stops at it. A
# particle that is a common given name would lose every such middle name
# (PAUL BEN CARTER); VAN and MAC stay, the parser guards them itself.
PARTICLES_LEFT_OUT = {
    "BEN": "common given name (PAUL BEN CARTER)",
}


def name_particles(ref_dir, report):
    """901 np.srch.compound_last: particles that join the next word.

    A single letter (O, Y, E) is far more often a middle initial; as a
    particle it would pull the initial into the last name (JOHN E SMITH).
    """
    entries = []
    for r in read_table(ref_dir, "name_particles.tsv"):
        if len(r["particle"]) == 1:
            report.skip("np.srch.compound_last", r["particle"], "single letter, usually an initial")
            continue
        if r["particle"] in PARTICLES_LEFT_OUT:
            report.skip("np.srch.compound_last", r["particle"], PARTICLES_LEFT_OUT[r["particle"]])
            continue
        entries.append(Entry(r["particle"], r["written_form"].upper(), False, r["language"]))
    return entries


# Titles that would take a word meaning something else more often in
# North-American name lines. SR after a name is Senior, and the reverse-order
# parse looks for titles before suffixes anywhere in the line (SMITH JOHN SR);
# Sister is written SISTER. DEL is a given name and a particle (DEL TORO)
# before it is a delegate. DUKE and BARON are given names here far more
# often than peerages.
TITLES_LEFT_OUT = {
    "SR": "the suffix Senior (SMITH JOHN SR)",
    "DEL": "given name and particle (DEL TORO)",
    "DUKE": "given name far more often than a peerage",
    "BARON": "given name far more often than a peerage",
}

# Two-word titles whose first word is an abbreviation are also written run
# together with periods (Lt.Col., Brig.Gen., Rt.Rev.).
JOINED_TITLE_HEADS = {"LT", "BRIG", "MAJ", "RT", "ASST", "ASSOC"}


# The couple's titles of a joint line (MR AND MRS JOHN SMITH, DR & MRS ...):
# as titles, the conjunction joins the two titles into one prefix instead of
# becoming the first name. A conjunction met alone between names is still a
# conjunction: the parser drops a title run that is only AND, & or OR.
TITLE_JOINERS = [
    ("AND", "AND", "joins two titles (MR AND MRS)"),
    ("&", "AND", "joins two titles (MR & MRS)"),
]

# THE before a name belongs to its title (THE REV, THE HONORABLE) or to a
# household line (THE SMITH FAMILY), which would otherwise be read last name
# first with THE as the last name. A firm that starts with THE then needs a
# strong firm word (THE BOEING COMPANY) to be taken for a firm.
TITLE_ARTICLES = [
    ("THE", "THE", "opens a title or a household line"),
]


def name_titles(ref_dir, report):
    """1001 np.srch.prefix: title -> its standard key (MISTER -> MR)."""
    counts = given_name_totals(ref_dir)
    entries, phrases = [], []
    for r in read_table(ref_dir, "name_titles.tsv"):
        title = r["title"]
        if counts.get(title, 0) >= COMMON_GIVEN_NAME:
            report.skip("np.srch.prefix", title,
                        f"common given name ({counts[title]} SSA births)")
            continue
        if title in TITLES_LEFT_OUT:
            report.skip("np.srch.prefix", title, TITLES_LEFT_OUT[title])
            continue
        note = r["category"] + (f" {r['gender']}" if r["gender"] else "")
        entries.append(Entry(title, r["standard"], False, note))
        # Periods vanish before the lookup, so Lt.Col. reads LTCOL.
        words = title.split()
        if len(words) == 2 and words[0] in JOINED_TITLE_HEADS:
            entries.append(Entry("".join(words), r["standard"], False, note + ", joined"))
        if len(words) > 1:
            phrases.append(title)
    for word, standard, why in TITLE_JOINERS + TITLE_ARTICLES:
        entries.append(Entry(word, standard, False, why))
    # The parser takes a run of titles, so a phrase whose words are all
    # titles is read whole (RT REV, REAR ADM): the words that are no title of
    # their own are added, unless one is a common given name (JUSTICE).
    known = {e.source for e in entries}
    for title in phrases:
        for word in title.split():
            if word not in known and counts.get(word, 0) < COMMON_GIVEN_NAME \
                    and word not in TITLES_LEFT_OUT:
                entries.append(Entry(word, word, False, f"word of the title {title}"))
                known.add(word)
    return entries


def name_suffixes(ref_dir, report):
    """1101 np.srch.suffix: suffix -> written form; exception = family word.

    Family and occupant words (FAMILY, HOUSEHOLD, RESIDENT) turn the line
    into a household. The single letters I, V, X are left out: after a first
    name they are middle initials far more often than generations.
    """
    entries = []
    for r in read_table(ref_dir, "name_suffixes.tsv"):
        if len(r["suffix"]) == 1:
            report.skip("np.srch.suffix", r["suffix"], "single letter, usually an initial")
            continue
        family = yes(r["is_family"])
        note = r["type"] + (", family word" if family else "")
        entries.append(Entry(r["suffix"], r["written_form"].upper(), family, note))
    return entries


def po_box_words(ref_dir, report):
    """1201 ap.srch.pobox: words that introduce a PO box number.

    Only the PO box rows: a box word followed by a number becomes the box,
    and the box is taken before the unit, so PMB (a unit) and the military
    words (UNIT 5, PSC 1234 BOX 5) would take numbers that are not boxes.
    """
    entries = []
    for r in read_table(ref_dir, "po_box_words.tsv"):
        if r["type"] != "PO_BOX":
            report.skip("ap.srch.pobox", r["word"], f"{r['type']} word, not a box word")
            continue
        entries.append(Entry(r["word"], r["standard"], False, r["type"]))
    return entries


# A route word followed by a number is taken as the route wherever it stands
# past the third word, so a word that mostly names a road steals the road's
# number (1234 W COUNTY RD 5, 1234 N OLD SR 44). The spaced R D of rural
# delivery is already read as RR before any lookup; SR (star route) has been
# HC for decades and now means state route.
ROUTE_WORDS_LEFT_OUT = {
    "RD": "mostly ROAD; the spaced R D already reads as RR",
    "SR": "mostly STATE ROUTE; star routes are written HC or STAR",
}


def route_words(ref_dir, report):
    """1301 ap.srch.routes: rural-route and highway-contract words.

    BOX belongs to the box context: as a route word it would be swept out
    of the line whenever a route is found.
    """
    entries = []
    for r in read_table(ref_dir, "route_words.tsv"):
        if r["type"] == "BOX":
            report.skip("ap.srch.routes", r["word"], "box word, not a route word")
            continue
        if r["word"] in ROUTE_WORDS_LEFT_OUT:
            report.skip("ap.srch.routes", r["word"], ROUTE_WORDS_LEFT_OUT[r["word"]])
            continue
        entries.append(Entry(r["word"], r["standard"], False, r["type"]))
    return entries


def zip_ranges_comment(state, report):
    """The state's ZIP ranges as 12-character slots: 'FROM-TO ' each, at most 3.

    A ZIP that belongs to the state inside another state's block becomes a
    range of its own while a slot is free.
    """
    ranges = [tuple(part.split("-")) for part in state["zip_ranges"].split(";") if part]
    for zip_code in filter(None, state["exception_zips"].split(";")):
        if len(ranges) < 3:
            ranges.append((zip_code, zip_code))
        else:
            report.skip("cp.std.state_abbrv", f"{state['abbreviation']} {zip_code}",
                        "exception ZIP; all three range slots are in use")
    if len(ranges) > 3:
        raise SystemExit(f"states.tsv: {state['abbreviation']} has more than 3 ZIP ranges")
    return "".join(f"{low}-{high} " for low, high in ranges)


def states(ref_dir, report):
    """1401 cp.std.state_abbrv: code -> FIPS code and name; ZIP ranges in comments.

    The target is the two-digit FIPS code followed directly by the name
    (36NEW YORK). The military codes have no FIPS code; 00 keeps the
    two-digit layout and is no state's code.
    """
    entries = []
    for r in read_table(ref_dir, "states.tsv"):
        fips = r["fips"] or "00"
        if len(fips) != 2 or not fips.isdigit():
            raise SystemExit(f"states.tsv: {r['abbreviation']} has FIPS code {fips!r}")
        if len(r["name"]) > 30:
            raise SystemExit(f"states.tsv: {r['abbreviation']} name is longer than 30 characters")
        comment = zip_ranges_comment(r, report)
        entries.append(Entry(r["abbreviation"], fips + r["name"], False, comment))
    return entries


# One-word state spellings that are also the whole name of a town (IDA, MI)
# would turn a city line without a state code into a state.
STATE_SPELLINGS_LEFT_OUT = {
    "IDA": "also a town and a given name",
}


def state_names(ref_dir, report):
    """1501 cp.std.state: one-word spelling of a state -> its code.

    The city parser looks up only the last word, and only when it is not two
    letters long (those go to the code table directly): spellings of several
    words and the two-letter codes themselves could never be found.
    """
    entries = []
    for r in read_table(ref_dir, "state_names.tsv"):
        word = r["spelling"]
        if not is_word(word):
            report.skip("cp.std.state", word, "several words; the city parser looks up one")
        elif len(word) == 2:
            report.skip("cp.std.state", word, "two letters go to the code table, never here")
            # The city parser keeps periods, so N.Y. and D.C are words of
            # their own: reachable here, and read as the code.
            for dotted in (f"{word[0]}.{word[1]}.", f"{word[0]}.{word[1]}"):
                entries.append(Entry(dotted, r["abbreviation"], False, "USPS_CODE with periods"))
        elif word in STATE_SPELLINGS_LEFT_OUT:
            report.skip("cp.std.state", word, STATE_SPELLINGS_LEFT_OUT[word])
        else:
            entries.append(Entry(word, r["abbreviation"], False, r["form"]))
    return entries


# Spellings still written in address files although the table no longer
# lists them, kept where they collide with nothing (CR and LA are county
# roads and Louisiana, PK is left out for the same caution), and street
# types in common use that the table lacks and that no street uses as a
# name word before another suffix (HILLVIEW TURN, HARGROVE GRADE, GRAND
# CONCOURSE). They have no standard abbreviation; they stand for themselves.
EXTRA_STREET_SUFFIXES = [
    ("CRT", "CT", "COURT, older form"),
    ("HGTS", "HTS", "HEIGHTS, older form"),
    ("HAVN", "HVN", "HAVEN, older form"),
    ("TURN", "TURN", "street type outside the table"),
    ("GRADE", "GRADE", "street type outside the table"),
    ("CONCOURSE", "CONCOURSE", "street type outside the table"),
]


def street_suffixes(ref_dir, report):
    """1601 ap.srch.street_suffix: every suffix spelling -> USPS standard.

    A spelling that is itself the standard of another suffix maps to itself
    (MDW, listed under MEADOWS, is the standard for MEADOW). A primary name
    the table does not list among its spellings (HEIGHTS, PLACE) is added
    after its group.
    """
    rows = read_table(ref_dir, "street_suffixes.tsv")
    standards = {r["usps_standard"] for r in rows}
    listed = {r["common_abbreviation"] for r in rows}
    entries = []
    for i, r in enumerate(rows):
        word, standard, primary = r["common_abbreviation"], r["usps_standard"], r["primary_name"]
        note = primary + ("" if yes(r["in_c1"]) else ", standard added")
        if word in standards and word != standard:
            note = f"{primary} lists it; standard of its own"
            standard = word
        entries.append(Entry(word, standard, False, note))
        last_of_group = i + 1 == len(rows) or rows[i + 1]["primary_name"] != primary
        if last_of_group and primary not in listed:
            entries.append(Entry(primary, r["usps_standard"], False, primary + ", primary name"))
            listed.add(primary)
    for word, standard, why in EXTRA_STREET_SUFFIXES:
        if word in listed:
            raise SystemExit(f"street_suffixes.tsv now lists {word}; drop it from the extra list")
        entries.append(Entry(word, standard, False, why))
    return entries


def directionals(ref_dir, report):
    """1701 ap.srch.directionals: direction word -> one or two letters."""
    entries = []
    for r in read_table(ref_dir, "directionals.tsv"):
        note = r["language"] + (", USPS" if yes(r["usps_pub28"]) else "")
        entries.append(Entry(r["word"], r["standard"], False, note))
    return entries


def street_name_words(ref_dir, report):
    """1801 ap.std.street_name: word inside a street name -> standard form.

    I (for INTERSTATE) is left out: every word of a street name is
    standardised, and a lone I is the lettered street of I ST far more often.
    """
    entries = []
    for r in read_table(ref_dir, "street_name_std.tsv"):
        if r["word"] == "I":
            report.skip("ap.std.street_name", "I", "single letter, usually a lettered street")
            continue
        entries.append(Entry(r["word"], r["standard"], False, r["context"]))
    return entries


CONTEXTS = [
    (101, "ap.srch.unit", unit_designators),
    (201, "cc.ln_full", last_names_case),
    (301, "cc.ln_mac", mac_names_case),
    (401, "cc.exceptions", case_exceptions),
    (501, "np.srch.firms", firm_words),
    (601, "np.srch.care", care_of),
    (701, "np.srch.genders", given_names),
    (801, "np.srch.prof", professional_titles),
    (901, "np.srch.compound_last", name_particles),
    (1001, "np.srch.prefix", name_titles),
    (1101, "np.srch.suffix", name_suffixes),
    (1201, "ap.srch.pobox", po_box_words),
    (1301, "ap.srch.routes", route_words),
    (1401, "cp.std.state_abbrv", states),
    (1501, "cp.std.state", state_names),
    (1601, "ap.srch.street_suffix", street_suffixes),
    (1701, "ap.srch.directionals", directionals),
    (1801, "ap.std.street_name", street_name_words),
]

# Only these contexts read the exception flag; elsewhere it is written as 0.
EXCEPTION_CONTEXTS = {101, 501, 1101}


# --------------------------------------------------------------------------
# Writing


def check_text(context, column, text):
    if any(c in text for c in "\t\n\r\0"):
        raise SystemExit(f"{context}: {column} {text!r} holds a tab, line break or NUL")


def rows_for(context_id, name, entries, report):
    """TSV lines for one context: first entry of a key wins, texts fit 40."""
    seen = {}
    lines = [HEADER]
    for e in entries:
        if len(e.source) > MAX_TEXT or len(e.target) > MAX_TEXT:
            report.skip(name, e.source, "longer than 40 characters")
            continue
        if not is_word(e.source):
            report.skip(name, e.source, "several words; every lookup sees one word")
            continue
        key = e.source.upper()
        if key in seen:
            report.skip(name, e.source,
                        f"duplicate; the first entry (target {seen[key]!r}) is kept")
            continue
        seen[key] = e.target
        for column, text in (("source", e.source), ("target", e.target),
                             ("comments", e.comments)):
            check_text(name, column, text)
        exception = "1" if e.exception and context_id in EXCEPTION_CONTEXTS else "0"
        lines.append("\t".join([e.source, e.target, exception, "1", e.comments, "0"]))
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("reference_dir", help="folder with the reference tables")
    default_out = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                               os.pardir, "data", "dictionary")
    parser.add_argument("--out", default=os.path.normpath(default_out),
                        help="folder to write the context files to (default: %(default)s)")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    report = Report()
    for context_id, name, build in CONTEXTS:
        lines = rows_for(context_id, name, build(args.reference_dir, report), report)
        path = os.path.join(args.out, name + ".tsv")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")
        print(f"{name}.tsv: {len(lines) - 1} entries", file=sys.stderr)
    for line in report.lines:
        print(line, file=sys.stderr)


if __name__ == "__main__":
    main()
