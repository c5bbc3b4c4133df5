#!/usr/bin/env python3
"""Writes a Telvara data file of made-up but plausible contacts.

    tools/gen-contacts.py COUNT OUTPUT [SEED]

The same count and seed always give the same file.  Names repeat the way real
names do (a few very common, a long tail of rare ones), some fields are empty,
and some notes and addresses hold commas or double quotes, so they are written
in double quotes with their quotes doubled, as the program writes them.
"""

import os
import random
import sys

# Widths of the nine text fields, in characters (the record keeps one more
# byte for the terminator).
WIDTHS = (23, 19, 23, 49, 15, 2, 11, 39, 79)

FIRST_NAMES = """
Marie Jean Pierre Michel Louise Anne Sylvie Nathalie Julie Isabelle Martin
Luc Daniel Richard Robert Claude Andre Sophie Chantal Manon Lise Diane Francine
Alain Denis Marc Guy Yves Serge Stephane Eric Patrick Nicolas Alexandre Simon
Mathieu Catherine Genevieve Emilie Caroline Josee Mario Sebastien Francois
James John Robert Michael William David Mary Patricia Jennifer Linda Elizabeth
Barbara Susan Jessica Sarah Karen Nancy Lisa Betty Margaret Sandra Ashley
Kimberly Emily Donna Michelle Dorothy Carol Amanda Melissa Deborah Stephanie
Rebecca Sharon Laura Cynthia Kathleen Amy Shirley Angela Helen Anna Brenda
Thomas Charles Christopher Joseph Paul Mark Donald George Kenneth Steven Edward
Brian Ronald Anthony Kevin Jason Matthew Gary Timothy Jose Larry Jeffrey Frank
Scott Raymond Gregory Samuel Benjamin Patrick Jack Dennis Jerry Tyler Aaron
Henry Douglas Peter Adam Nathan Zachary Walter Kyle Harold Carl Jeremy Gerald
Keith Roger Arthur Terry Lawrence Sean Christian Ethan Austin Joe Albert Jesse
Willie Billy Bryan Bruce Noah Jordan Dylan Ralph Roy Alan Wayne Eugene Juan
Gabriel Louis Russell Randy Vincent Philip Logan Bobby Harry Johnny Howard
Olivia Emma Ava Isabella Mia Abigail Madison Chloe Ella Grace Victoria Hannah
Aubrey Zoe Lily Brooklyn Samantha Leah Audrey Claire Lucy Paisley Violet Stella
Wei Li Ming Hiroshi Yuki Kenji Priya Ravi Anil Sunita Fatima Ahmed Omar Aisha
Mohammed Ali Hassan Leila Giuseppe Giovanni Maria Rosa Carmen Miguel Javier
Sven Lars Ingrid Astrid Klaus Hans Greta Dieter Pavel Olga Ivan Natasha Dmitri
Anne-Marie Jean-Pierre Jean-Francois Marie-Claude Marie-Eve Pierre-Luc
Christopher-James Maximilian-Alexander
""".split() + ["H\xe9l\xe8ne", "Beno\xeet", "Ren\xe9e", "Val\xe9rie", "Fr\xe9d\xe9ric",
               "J\xe9r\xf4me", "St\xe9phanie", "Andr\xe9e", "Ga\xebl", "No\xebl",
               "Mary Ann", "Jo Ellen", "Dr. Paul", "Mr. & Mrs. Smith"]

LAST_NAMES = """
Tremblay Gagnon Roy Bouchard Gauthier Morin Lavoie Fortin Gagne Ouellet Pelletier
Belanger Levesque Bergeron Leblanc Paquette Girard Simard Boucher Caron Beaulieu
Cloutier Dube Poirier Fournier Lapointe Leclerc Lefebvre Poulin Thibault St-Pierre
Nadeau Martin Landry Martel Bedard Grenier Lessard Bernier Richard Michaud Hebert
Desjardins Couture Turcotte Lachance Parent Blais Gosselin Savard Proulx Beaudoin
Demers Perreault Boudreau Lemieux Cyr Perron Dufour Dion Mercier Bolduc Berube
Smith Johnson Williams Brown Jones Garcia Miller Davis Rodriguez Martinez
Hernandez Lopez Gonzalez Wilson Anderson Thomas Taylor Moore Jackson Lee Perez
Thompson White Harris Sanchez Clark Ramirez Lewis Robinson Walker Young Allen
King Wright Scott Torres Nguyen Hill Flores Green Adams Nelson Baker Hall Rivera
Campbell Mitchell Carter Roberts Gomez Phillips Evans Turner Diaz Parker Cruz
Edwards Collins Reyes Stewart Morris Morales Murphy Cook Rogers Gutierrez Ortiz
Morgan Cooper Peterson Bailey Reed Kelly Howard Ramos Kim Cox Ward Richardson
Watson Brooks Chavez Wood James Bennett Gray Mendoza Ruiz Hughes Price Alvarez
Castillo Sanders Patel Myers Long Ross Foster Jimenez Powell Jenkins Perry
Russell Sullivan Bell Coleman Butler Henderson Barnes Gonzales Fisher Vasquez
Simmons Romero Jordan Patterson Alexander Hamilton Graham Reynolds Griffin
Wallace Moreno West Cole Hayes Bryant Herrera Gibson Ellis Tran Medina Aguilar
Stevens Murray Ford Castro Marshall Owens Harrison Fernandez McDonald Woods
Washington Kennedy Wells Vargas Henry Chen Freeman Webb Tucker Guzman Burns
Crawford Olson Simpson Porter Hunter Gordon Mendez Silva Shaw Snyder Mason
Wang Zhang Liu Yang Huang Zhao Wu Zhou Xu Sun Tanaka Suzuki Takahashi Watanabe
Singh Kumar Sharma Gupta Khan Ahmed Hussain Rossi Russo Ferrari Esposito Bianchi
Muller Schmidt Schneider Fischer Weber Meyer Wagner Becker Schulz Hoffmann
Johansson Andersson Karlsson Nilsson Eriksson Larsson Ivanov Smirnov Kuznetsov
O'Brien O'Connor O'Neill MacDonald McCarthy Van-der-Berg De-la-Cruz
Featherstonehaugh Wolfeschlegelstein Montgomery-Smythe
""".split() + ["C\xf4t\xe9", "L\xe9vesque", "B\xe9langer", "Gagn\xe9", "B\xe9dard",
               "Dub\xe9", "H\xe9bert", "Th\xe9riault", "B\xe9rub\xe9", "Pr\xe9vost",
               "St. John", "de la Fontaine", "van Dyke", "Smith, Jr.", "Jones \"Jr\""]

# Rarer names are made of these pieces: the long tail of a real phone book,
# where most names are uncommon.
SURNAME_HEADS = """
Ber Bou Char Dan Des Du Fer Gal Gir Her Jac Lam Lan Mar Mon Nor Pel Pou Ric Ros
Sau Thi Val Vil Ab Al Bar Bren Cal Dal Ed Far Gar Hal Har Kel Lin Mac Mor Nel
Pat Ram Sal Sch Sten War Wil Wolf Zim Kow Nov Sz Ost Lund Berg Holm Bj Kr
""".split()
SURNAME_MIDDLES = ["", "", "a", "e", "i", "o", "u", "an", "el", "er", "in", "on", "ri",
                   "ta", "vo", "ch", "ll", "rr", "sk", "st"]
SURNAME_TAILS = """
ault eau ier ette ard in on ot ois y son sen ton ley man mann berg stein ski sky
ova enko elli ini ez es ovic quist strom dahl ford field wood well more ock ham
""".split()
FIRST_HEADS = ["Al", "An", "Ber", "Cam", "Da", "El", "Fa", "Ga", "Ja", "Ka", "Le", "Ma",
               "Na", "Ol", "Ra", "Sa", "Ta", "Vi", "Ya", "Zo", "Jo", "Li", "Mi", "Ro"]
FIRST_TAILS = ["na", "ne", "ra", "lie", "nie", "vin", "ric", "bert", "nard", "mon",
               "ton", "dre", "sha", "lia", "ya", "no", "ro", "do", "la", "ssa"]


# Cities, their state or province, and the area codes used there.
CITIES = [
    ("Gatineau", "QC", ("819", "873")), ("Hull", "QC", ("819",)),
    ("Aylmer", "QC", ("819",)), ("Chelsea", "QC", ("819",)),
    ("Buckingham", "QC", ("819",)), ("Wakefield", "QC", ("819",)),
    ("Montreal", "QC", ("514", "438")), ("Laval", "QC", ("450", "579")),
    ("Quebec", "QC", ("418", "581")), ("Sherbrooke", "QC", ("819", "873")),
    ("Trois-Rivieres", "QC", ("819",)), ("Saint-Jerome", "QC", ("450",)),
    ("Ottawa", "ON", ("613", "343")), ("Kanata", "ON", ("613",)),
    ("Toronto", "ON", ("416", "647")), ("Mississauga", "ON", ("905", "289")),
    ("Kingston", "ON", ("613",)), ("Sudbury", "ON", ("705",)),
    ("Vancouver", "BC", ("604", "778")), ("Calgary", "AB", ("403", "587")),
    ("Halifax", "NS", ("902",)), ("Moncton", "NB", ("506",)),
    ("New York", "NY", ("212", "646", "718")), ("Buffalo", "NY", ("716",)),
    ("Boston", "MA", ("617", "857")), ("Springfield", "MA", ("413",)),
    ("Burlington", "VT", ("802",)), ("Portland", "ME", ("207",)),
    ("Chicago", "IL", ("312", "773")), ("Detroit", "MI", ("313",)),
    ("Los Angeles", "CA", ("213", "310", "323")), ("San Francisco", "CA", ("415",)),
    ("San Diego", "CA", ("619", "858")), ("Sacramento", "CA", ("916",)),
    ("Seattle", "WA", ("206",)), ("Miami", "FL", ("305", "786")),
    ("Orlando", "FL", ("407",)), ("Houston", "TX", ("713", "832")),
    ("Dallas", "TX", ("214", "972")), ("Austin", "TX", ("512",)),
    ("Denver", "CO", ("303", "720")), ("Phoenix", "AZ", ("602", "480")),
    ("Atlanta", "GA", ("404", "678")), ("Philadelphia", "PA", ("215", "267")),
    ("Pittsburgh", "PA", ("412",)), ("Cleveland", "OH", ("216",)),
    ("Minneapolis", "MN", ("612",)), ("Saint-Lambert-de-Lauzon", "QC", ("418",)),
]

STREETS = """
Main Maple Oak Pine Cedar Elm Church Park Mill King Queen Victoria Wellington
Laurier Principale St-Joseph Montcalm Champlain Taschereau Saint-Laurent Sherbrooke
Bank Elgin Rideau Somerset Albert Bronson Carling Merivale Hunt-Club Baseline
Lake River Hill Forest Sunset Highland Washington Lincoln Jefferson Madison
""".split()
STREET_KINDS = ["St", "Ave", "Rd", "Blvd", "Dr", "Cres", "Way", "Lane", "Ct", "Pl"]
FRENCH_KINDS = ["rue", "boul.", "ch.", "av.", "montee"]
DOMAINS = ["gmail.com", "yahoo.ca", "hotmail.com", "videotron.ca", "bell.net",
           "sympatico.ca", "outlook.com", "rogers.com", "uqo.ca", "gc.ca",
           "example.org", "aol.com", "icloud.com", "cgocable.ca"]
NOTES = [
    "Work", "Cell", "Home", "Fax", "Office", "Pager", "Cottage", "Neighbour",
    "Dentist", "Plumber", "Electrician", "Mechanic - Garage Tremblay",
    "Birthday March 3", "Birthday Oct 21", "Call after 6 pm",
    "Work, ext 1234", "Cell 819-555-0147, evenings only",
    "Ask for Paul, not Peter", "Closed Mondays, Tuesdays",
    "Back door code 4711#", "Owes me $20, lunch", "Met at the conference, 1998",
    "Says \"call anytime\"", "The \"good\" plumber", "Nickname \"Bud\", old friend",
    "Fax 9,613-555-0188", "Pager 1-800-555-0123;ext 44",
    "Spouse: Lise; kids Marc, Julie and Eve",
    "Gate code \"2580\", then buzz 12, 3rd floor",
    "Prefers French", "Speaks English only", "Accountant (taxes)",
    "Do not call before 9 am on weekends, he works nights at the hospital",
    "Extension 22", "Main switchboard", "Emergency only",
]


def cut(text, width):
    return text[:width]


def quote(text):
    """The writer's rule: a field with a comma or a double quote is quoted."""
    if "," in text or '"' in text:
        return '"' + text.replace('"', '""') + '"'
    return text


def weighted_choice(rng, items, cumulative):
    """Picks with weights falling as 1/rank, so a few names are very common."""
    x = rng.random() * cumulative[-1]
    lo, hi = 0, len(cumulative) - 1
    while lo < hi:
        mid = (lo + hi) // 2
        if cumulative[mid] < x:
            lo = mid + 1
        else:
            hi = mid
    return items[lo]


def zipf_table(items, exponent=1.0):
    total = 0.0
    table = []
    for rank in range(len(items)):
        total += 1.0 / (rank + 1) ** exponent
        table.append(total)
    return table


def phone(rng, area):
    exchange = rng.randint(200, 999)
    line = rng.randint(0, 9999)
    style = rng.random()
    if style < 0.55:
        return "%s-%03d-%04d" % (area, exchange, line)
    if style < 0.70:
        return "(%s) %03d-%04d" % (area, exchange, line)
    if style < 0.78:
        return "%03d-%04d" % (exchange, line)
    if style < 0.84:
        return "1-%s-%03d-%04d" % (area, exchange, line)
    if style < 0.88:
        return "1-800-%03d-%04d" % (exchange, line)
    if style < 0.92:
        return "%s-%03d-%04d x%d" % (area, exchange, line, rng.randint(1, 999))
    if style < 0.95:
        return "9,%s-%03d-%04d" % (area, exchange, line)
    if style < 0.97:
        return '1-800-"FLOWERS"'
    return "%s %03d %04d" % (area, exchange, line)


def address(rng, french):
    number = rng.randint(1, 12000)
    street = rng.choice(STREETS)
    if french:
        text = "%d %s %s" % (number, rng.choice(FRENCH_KINDS), street)
    else:
        text = "%d %s %s" % (number, street, rng.choice(STREET_KINDS))
    r = rng.random()
    if r < 0.10:
        text = "Apt %d, %s" % (rng.randint(1, 40), text)
    elif r < 0.15:
        text = "%s, Suite %d" % (text, rng.randint(100, 999))
    elif r < 0.17:
        text = "PO Box %d" % rng.randint(1, 9999)
    elif r < 0.18:
        text = "%s (back entrance, \"B\" door)" % text
    return text


def zip_code(rng, state):
    if state in ("QC", "ON", "BC", "AB", "NS", "NB"):
        letters = "ABCEGHJKLMNPRSTVXY"
        first = {"QC": "GHJ", "ON": "KLMNP", "BC": "V", "AB": "T", "NS": "B", "NB": "E"}[state]
        return "%s%d%s %d%s%d" % (rng.choice(first), rng.randint(0, 9), rng.choice(letters),
                                  rng.randint(0, 9), rng.choice(letters), rng.randint(0, 9))
    if rng.random() < 0.2:
        return "%05d-%04d" % (rng.randint(1000, 99999), rng.randint(0, 9999))
    return "%05d" % rng.randint(1000, 99999)


def email(rng, first, last):
    def plain(s):
        out = []
        for ch in s.lower():
            if ch.isascii() and (ch.isalnum() or ch in ".-"):
                out.append(ch)
            elif ch in "\xe9\xe8\xea\xeb":
                out.append("e")
            elif ch in "\xf4":
                out.append("o")
            elif ch in "\xee\xef":
                out.append("i")
        return "".join(out) or "x"
    f, l = plain(first), plain(last)
    style = rng.random()
    if style < 0.4:
        user = "%s.%s" % (f, l)
    elif style < 0.6:
        user = "%s%s" % (f[0], l)
    elif style < 0.75:
        user = "%s%d" % (f, rng.randint(1, 99))
    else:
        user = "%s_%s%d" % (f, l, rng.randint(50, 99))
    return "%s@%s" % (user, rng.choice(DOMAINS))


def rare_surname(rng):
    return rng.choice(SURNAME_HEADS) + rng.choice(SURNAME_MIDDLES) + rng.choice(SURNAME_TAILS)


def rare_first_name(rng):
    return rng.choice(FIRST_HEADS) + rng.choice(FIRST_TAILS)


def record(rng, firsts, first_table, lasts, last_table):
    # The common names make up most first names and half the last names;
    # the rest are rarer ones.
    if rng.random() < 0.85:
        first = weighted_choice(rng, firsts, first_table)
    else:
        first = rare_first_name(rng)
    if rng.random() < 0.5:
        last = weighted_choice(rng, lasts, last_table)
    else:
        last = rare_surname(rng)
    city, state, areas = rng.choice(CITIES)
    r = rng.random()
    if r < 0.02:
        first = ""  # a business or a surname-only entry
    elif r < 0.03:
        last = ""
    number = phone(rng, rng.choice(areas)) if rng.random() >= 0.03 else ""
    has_address = rng.random() < 0.7
    fields = [
        first,
        last,
        number,
        address(rng, state == "QC" and rng.random() < 0.6) if has_address else "",
        city if has_address or rng.random() < 0.3 else "",
        state if has_address or rng.random() < 0.3 else "",
        zip_code(rng, state) if has_address and rng.random() < 0.85 else "",
        email(rng, first or "info", last or "office") if rng.random() < 0.55 else "",
        rng.choice(NOTES) if rng.random() < 0.3 else "",
    ]
    toll = 1 if (number.startswith("1-") or rng.random() < 0.1) else 0
    parts = [quote(cut(f, w)) for f, w in zip(fields, WIDTHS)]
    parts.append(str(toll))
    return ",".join(parts)


def main():
    if len(sys.argv) not in (3, 4):
        sys.stderr.write("usage: gen-contacts.py COUNT OUTPUT [SEED]\n")
        return 2
    count = int(sys.argv[1])
    path = sys.argv[2]
    seed = int(sys.argv[3]) if len(sys.argv) == 4 else 331
    rng = random.Random(seed * 10000019 + count)
    firsts = list(FIRST_NAMES)
    lasts = list(LAST_NAMES)
    # Which names are common is itself drawn from the seed.
    rng.shuffle(firsts)
    rng.shuffle(lasts)
    first_table = zipf_table(firsts, 0.7)
    last_table = zipf_table(lasts, 0.6)
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="latin-1", newline="") as out:
        out.write("; Data for Telvara.exe\r\n; V300\r\n")
        batch = []
        for _ in range(count):
            batch.append(record(rng, firsts, first_table, lasts, last_table))
            if len(batch) == 10000:
                out.write("\r\n".join(batch))
                out.write("\r\n")
                batch = []
        if batch:
            out.write("\r\n".join(batch))
            out.write("\r\n")
    os.replace(tmp, path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
