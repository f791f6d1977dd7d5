#!/usr/bin/env python3
"""Writes the program's language files, Language/NAME.lng, from scripts/languages/NAME.txt.

A source is UTF-8 text that reads like the language file it becomes: one entry per line,
"NNNN=text" with the four-digit identifier, lines starting with ";" are comments. Every
identifier of the string table (src/lang/LngDefId.cpp, 0 to 167) must be there exactly once.
The script refuses to write a file when an entry is missing, doubled or out of range, when a
text loses or reorders the "%" placeholders of its English default, or when it has a
different number of menu accelerators ("&" before a letter) than the English text.

The output is what the reader expects: UTF-16 little-endian after the mark FF FE, lines ended
by CR LF, a comment header, then for every identifier the English default as a comment and
the entry. A text that the reader would trim or take as quoted (blanks at either end, a
leading '"' or '=') is written in quotes, with '"' doubled inside.

Usage: scripts/make-languages.py [NAME ...]   (default: every source in scripts/languages)
Running it again gives the same bytes.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCES = os.path.join(ROOT, 'scripts', 'languages')
TARGET = os.path.join(ROOT, 'Language')
DEFAULTS = os.path.join(ROOT, 'src', 'lang', 'LngDefId.cpp')
COUNT = 168

ENTRY = re.compile(r'^(\d{4})=(.*)$')
DEFAULT = re.compile(r'/\*\s*(\d+)\s*\*/\s*"((?:[^"\\]|\\.)*)",')
# The specifiers the texts are formatted with: %s with its optional index, justification,
# width and precision; "%%" is a percent sign and no placeholder.
PLACEHOLDER = re.compile(r'%(?:\d+:)?-?\d*(?:\.\d*)?[A-Za-z]')
ACCELERATOR = re.compile(r'&[^&\s]')


def english_defaults():
    with open(DEFAULTS, encoding='utf-8') as f:
        found = {int(i): bytes(t, 'utf-8').decode('unicode_escape')
                 for i, t in DEFAULT.findall(f.read())}
    if sorted(found) != list(range(COUNT)):
        sys.exit('make-languages: %s does not hold ids 0..%d' % (DEFAULTS, COUNT - 1))
    return found


def placeholders(text):
    return PLACEHOLDER.findall(text.replace('%%', ''))


def accelerators(text):
    return len(ACCELERATOR.findall(text.replace('&&', '')))


def read_source(path, english):
    entries, errors = {}, []
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if not line.strip() or line.lstrip().startswith(';'):
                continue
            where = '%s:%d' % (os.path.relpath(path, ROOT), number)
            m = ENTRY.match(line)
            if not m:
                errors.append('%s: not an entry: %r' % (where, line))
                continue
            ident, text = int(m.group(1)), m.group(2).strip()
            if ident >= COUNT:
                errors.append('%s: id %d is outside 0..%d' % (where, ident, COUNT - 1))
            elif ident in entries:
                errors.append('%s: id %d appears twice' % (where, ident))
            elif not text:
                errors.append('%s: id %d is empty' % (where, ident))
            elif '\r' in text:
                errors.append('%s: id %d holds a CR' % (where, ident))
            elif placeholders(text) != placeholders(english[ident]):
                errors.append('%s: id %d has placeholders %s, English %s' % (
                    where, ident, placeholders(text), placeholders(english[ident])))
            elif accelerators(text) != accelerators(english[ident]):
                errors.append('%s: id %d has %d accelerators, English %d' % (
                    where, ident, accelerators(text), accelerators(english[ident])))
            else:
                entries[ident] = text
    missing = [i for i in range(COUNT) if i not in entries and not any(
        ' id %d ' % i in e for e in errors)]
    if missing:
        errors.append('%s: missing ids %s' % (os.path.relpath(path, ROOT), missing))
    return entries, errors


def value(text):
    if text != text.strip() or text[0] in '"=' or ord(text[0]) <= 32:
        return '"%s"' % text.replace('"', '""')
    return text


def comment(text):
    # A comment ends at the line's end like any entry; a lone CR cannot occur in the table.
    return '; ' + text


def write(name, entries, english):
    lines = [
        '; Zelkit Chat language file: %s (%s).' % (entries[0], entries[1]),
        '; Written by scripts/make-languages.py from scripts/languages/%s.txt; edit that' % name,
        '; file and run the script again. Each entry: NNNN=text, the English text above it.',
        '',
    ]
    for ident in range(COUNT):
        lines.append(comment(english[ident]))
        lines.append('%04d=%s' % (ident, value(entries[ident])))
    data = b'\xff\xfe' + '\r\n'.join(lines + ['']).encode('utf-16-le')
    os.makedirs(TARGET, exist_ok=True)
    with open(os.path.join(TARGET, name + '.lng'), 'wb') as f:
        f.write(data)


def main(names):
    english = english_defaults()
    if not names:
        names = sorted(n[:-4] for n in os.listdir(SOURCES) if n.endswith('.txt'))
    failed = False
    for name in names:
        entries, errors = read_source(os.path.join(SOURCES, name + '.txt'), english)
        for e in errors:
            print('make-languages: ' + e, file=sys.stderr)
        if errors:
            failed = True
            continue
        write(name, entries, english)
        print('make-languages: Language/%s.lng, %d texts' % (name, len(entries)),
              file=sys.stderr)
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main(sys.argv[1:])
