#!/usr/bin/python3
# Reads an exported vCard file with vobject, as another program would, and
# compares each card, field by field, with the contact on the same row of a
# data file.  Writes "ok", or what differs, to REPORT: a Unix program started
# from Wine does not hand back its exit code.
#
# Usage: read-vcards.py VCF DATA_FILE REPORT
import csv, os, sys

try:
    import vobject
    cards = list(vobject.readComponents(open(sys.argv[1], encoding="utf-8", newline="").read()))
    rows = [r for r in csv.reader(open(sys.argv[2], encoding="cp1252", newline="")) if r and r[0][:1] != ";"]
    problems = [] if len(cards) == len(rows) else ["%d cards for %d contacts" % (len(cards), len(rows))]
    for i, (card, (first, last, tel, street, city, state, code, email, note, _)) in enumerate(zip(cards, rows)):
        n, lines = card.n.value, lambda name: [(l.params, l.value) for l in card.contents.get(name, [])]
        found = [card.version.value, (n.family, n.given, n.additional, n.prefix, n.suffix), card.fn.value,
                 lines("tel"), [(p, (a.box, a.extended, a.street, a.city, a.region, a.code, a.country))
                                for p, a in lines("adr")], lines("email"), lines("note")]
        one = lambda kind, value: [({"TYPE": [kind]} if kind else {}, value)] if value else []
        wanted = ["3.0", (last, first, "", "", ""), (first + " " + last).strip(" \t"), one("VOICE", tel),
                  one("HOME", street + city + state + code and ("", "", street, city, state, code, "")),
                  one("INTERNET", email), one(None, note)]
        problems += ["card %d: %r, not %r" % (i, f, w) for f, w in zip(found, wanted) if f != w]
except Exception as e:  # the report says why, whatever it was
    problems = ["cannot read: %r" % e]
open(sys.argv[3] + ".tmp", "w").write("\n".join(problems) or "ok")
os.replace(sys.argv[3] + ".tmp", sys.argv[3])
