#!/usr/bin/env python3
"""PEST's side of a forward run, for the tests: fills a template and reads a model output file
through an instruction file, the way PEST does.

    pest_files.py fill TEMPLATE OUTPUT NAME=VALUE ...
    pest_files.py read INSTRUCTIONS MODEL_OUTPUT      (prints NAME VALUE lines)
"""
import re
import sys


def fill(template, output, values):
    text = open(template).read()
    header, body = text.split("\n", 1)
    assert header.startswith("ptf "), header
    delimiter = header[4]
    pattern = re.compile(re.escape(delimiter) + "([^" + re.escape(delimiter) + "\n]*)" +
                         re.escape(delimiter))

    def value(match):
        width = len(match.group(0))
        return "%*.*E" % (width, width - 8, values[match.group(1).strip()])

    with open(output, "w") as out:
        out.write(pattern.sub(value, body))


def read(instructions, model_output):
    ins = open(instructions).read().splitlines()
    out = open(model_output).read().splitlines()
    assert ins[0].startswith("pif "), ins[0]
    marker = ins[0][4]
    line, cursor, observations = -1, 0, []
    for instruction in ins[1:]:
        items = instruction.split()
        for k, item in enumerate(items):
            if item[0] == "l":
                line, cursor = line + int(item[1:]), 0
            elif item[0] == marker:
                at = out[line].index(item[1:-1], cursor)
                cursor = at + len(item) - 2
            elif item[0] == "!":
                text = out[line]
                start = len(text) - len(text[cursor:].lstrip())
                end = len(text)
                blank = re.search(r"\s", text[start:])
                if blank:
                    end = start + blank.start()
                if k + 1 < len(items) and items[k + 1][0] == marker:
                    found = text.find(items[k + 1][1:-1], start)
                    if found >= 0:
                        end = min(end, found)
                observations.append((item[1:-1], float(text[start:end])))
                cursor = end
            else:
                raise SystemExit("instruction not known here: " + item)
    for name, value in observations:
        print(name, repr(value))


if __name__ == "__main__":
    if sys.argv[1] == "fill":
        fill(sys.argv[2], sys.argv[3], {k: float(v) for k, v in (a.split("=") for a in sys.argv[4:])})
    else:
        read(sys.argv[2], sys.argv[3])
