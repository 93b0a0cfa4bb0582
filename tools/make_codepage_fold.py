#!/usr/bin/env python3
"""Writes store/CodePageFold.inc: the nearest Windows-1250 letter of every
character the code page lacks, for Utf8ToAnsi. Run once when the table is to
change; the output is committed, so the build needs no Unicode library.

The rules, in order:
  1. By hand (HAND below): letters with no decomposition whose look has a
     clear nearest letter (ø to o, æ to a, œ to o, ð to đ, ł-like strokes),
     and typographic marks to their code-page forms (‐ to -, ― to —, ′ to ').
  2. Canonical decomposition: the character without its last accents, one
     at a time, until it is a letter of the code page (ḉ to ç, ǎ to a, Å to A).
  3. Compatibility decomposition to one character of the code page, the
     accents dropped as in 2 (fullwidth Ａ to A, ² to 2, ﬀ is two letters
     and stays out); a space only for a space.
Only letters lose accents in 2 and 3 (≠ stays out rather than become =), and
nothing becomes a control character or a slash or backslash (a look-alike
slash in a path box must not name another folder). What has no entry
becomes '?'.
Greek and Cyrillic letters are spelt in Latin letters first, then take the
nearest letter of the code page as above: Cyrillic by ISO 9 (ж to ž, щ to
ŝ and so s, я to â), Greek by ELOT 743 (the stress mark kept as an acute:
ά to á). Three Greek letters are two Latin ones (θ th, χ ch, ψ ps), and a
third table holds ELOT 743's pairs (ου ou, αυ av or af, γγ ng, ...).

A second table composes a base and a following combining accent into the
letter of the code page they make (a + U+0306 to ă), so that text in
decomposed form converts as its composed form does; s and t with a comma
below become the cedilla letters, as the composed ones do.
"""
import sys
import unicodedata

CP = 'cp1250'
# The code page's characters, with the five undefined bytes standing for the
# C1 controls of the same value, as store/CodePage.cpp has them.
code_page = {}
for b in range(256):
    try:
        ch = bytes([b]).decode(CP)
    except UnicodeDecodeError:
        ch = chr(b)
    code_page[ch] = b

COMMA_BELOW = {'\u0218': 'Ş', '\u0219': 'ş', '\u021A': 'Ţ', '\u021B': 'ţ'}

HAND = {
    'ø': 'o', 'Ø': 'O', 'æ': 'a', 'Æ': 'A', 'œ': 'o', 'Œ': 'O', 'ð': 'đ', 'Ð': 'Đ',
    'ħ': 'h', 'Ħ': 'H', 'ı': 'i', 'ŀ': 'l', 'Ŀ': 'L', 'ĸ': 'k', 'ŋ': 'n', 'Ŋ': 'N',
    'ŧ': 't', 'Ŧ': 'T', 'ƀ': 'b', 'Ɓ': 'B', 'ƈ': 'c', 'Ƈ': 'C', 'ƒ': 'f', 'Ƒ': 'F',
    'ǥ': 'g', 'Ǥ': 'G', 'ɨ': 'i', 'Ɨ': 'I', 'ƚ': 'l', 'Ƚ': 'L', 'ɍ': 'r', 'Ɍ': 'R',
    'ʉ': 'u', 'Ʉ': 'U', 'ȼ': 'c', 'Ȼ': 'C', 'ɇ': 'e', 'Ɇ': 'E', 'ɉ': 'j', 'Ɉ': 'J',
    'ſ': 's', 'ǝ': 'e', 'ə': 'e', 'Ə': 'E', 'ȷ': 'j',
    '\u2010': '-', '\u2011': '-', '\u2012': '-', '\u2015': '—', '\u2212': '-',
    '\u2043': '-', '\u2027': '·', '\u2219': '·',
    '\u201B': '‘', '\u201F': '“', '\u2032': "'", '\u2033': '"', '\u2035': '`',
    '\u02BC': '’', '\u02BB': '‘', '\u02B9': "'", '\u02BA': '"', '\u02C6': '^',
    '\u02DC': '~', '\u02C8': "'", '\u02CB': '`', '\u02CA': '´', '\u2039': '‹',
    '\u00B2': '2', '\u00B3': '3', '\u00B9': '1', '\u2022': '•', '\u2023': '•',
    '\u2043': '-', '\u25CF': '•', '\u00AA': 'a', '\u00BA': 'o', '\u00A1': '!',
    '\u2024': '.', '\u3000': ' ',
}


# ISO 9: one Latin letter, with its accents, per Cyrillic letter.
ISO9 = {
    'а': 'a', 'б': 'b', 'в': 'v', 'г': 'g', 'д': 'd', 'е': 'e', 'ё': 'ë', 'ж': 'ž', 'з': 'z', 'и': 'i',
    'й': 'j', 'к': 'k', 'л': 'l', 'м': 'm', 'н': 'n', 'о': 'o', 'п': 'p', 'р': 'r', 'с': 's', 'т': 't',
    'у': 'u', 'ф': 'f', 'х': 'h', 'ц': 'c', 'ч': 'č', 'ш': 'š', 'щ': 'ŝ', 'ъ': '\u02BA', 'ы': 'y',
    'ь': '\u02B9', 'э': 'è', 'ю': 'û', 'я': 'â', 'ґ': 'g\u0300', 'є': 'ê', 'і': 'ì', 'ї': 'ï', 'ў': 'ǔ',
    'ђ': 'đ', 'ѓ': 'ǵ', 'ѕ': 'ẑ', 'ј': 'ǰ', 'љ': 'l\u0302', 'њ': 'n\u0302', 'ћ': 'ć', 'ќ': 'ḱ',
    'џ': 'd\u0302', 'ѐ': 'è', 'ѝ': 'ì',
}
# ELOT 743, letter by letter; the stress mark and the diaeresis are kept as
# accents and fold like any other.
ELOT743 = {
    'α': 'a', 'β': 'v', 'γ': 'g', 'δ': 'd', 'ε': 'e', 'ζ': 'z', 'η': 'i', 'θ': 'th', 'ι': 'i', 'κ': 'k',
    'λ': 'l', 'μ': 'm', 'ν': 'n', 'ξ': 'x', 'ο': 'o', 'π': 'p', 'ρ': 'r', 'σ': 's', 'ς': 's', 'τ': 't',
    'υ': 'y', 'φ': 'f', 'χ': 'ch', 'ψ': 'ps', 'ω': 'o',
}
# ELOT 743's pairs: before a voiceless letter or at a word's end αυ, ευ,
# ηυ end in f, else in v.
ELOT743_PAIRS = {
    ('ο', 'υ'): ('ou', 'ou'), ('ο', 'ύ'): ('oú', 'oú'), ('ό', 'υ'): ('óu', 'óu'),
    ('α', 'υ'): ('av', 'af'), ('α', 'ύ'): ('áv', 'áf'), ('ε', 'υ'): ('ev', 'ef'), ('ε', 'ύ'): ('év', 'éf'),
    ('η', 'υ'): ('iv', 'if'), ('η', 'ύ'): ('ív', 'íf'),
    ('γ', 'γ'): ('ng', 'ng'), ('γ', 'ξ'): ('nx', 'nx'), ('γ', 'χ'): ('nch', 'nch'),
}
GREEK_VOICELESS = 'θκξπστφχψς'


def spelt(ch):
    """The Latin spelling of a Greek or Cyrillic letter, accents composed;
    None for any other character."""
    lower = ch.lower()
    if lower in ISO9:
        latin = ISO9[lower]
    else:
        decomposed = unicodedata.normalize('NFD', lower)
        if decomposed[0] not in ELOT743:
            return None
        latin = ELOT743[decomposed[0]] + decomposed[1:]
    latin = unicodedata.normalize('NFC', latin)
    if ch != lower:
        latin = latin[0].upper() + latin[1:]
    return latin


def fold_word(text):
    """Each character of text as the code page holds it; None when one has
    no letter there."""
    out = []
    for ch in text:
        if ch in code_page:
            out.append(code_page[ch])
        else:
            target = nearest(ch)
            if target is None:
                return None
            out.append(code_page[target])
    return bytes(out)


def strip_to_code_page(decomposed, strip):
    """The longest start of a decomposition, composed, that is one character
    of the code page, accents dropped only when strip; None when none is."""
    for end in range(len(decomposed), 0 if strip else len(decomposed) - 1, -1):
        composed = unicodedata.normalize('NFC', decomposed[:end])
        if len(composed) == 1 and composed in code_page:
            rest = decomposed[end:]
            if all(unicodedata.combining(c) for c in rest):
                return composed
    return None


def nearest(ch):
    if ch in HAND:
        return HAND[ch]
    # Only a letter loses its accents: a symbol with a stroke means another
    # thing than without (≠ is not =).
    strip = unicodedata.category(ch).startswith('L')
    found = strip_to_code_page(unicodedata.normalize('NFD', ch), strip)
    if found is None:
        found = strip_to_code_page(unicodedata.normalize('NFKD', ch), strip)
        if found == ' ' and unicodedata.category(ch) != 'Zs':
            found = None
    # No control character, and no path separator: a look-alike slash
    # typed into a path box must not reach another folder.
    if found is not None and (unicodedata.category(found).startswith('C') or found in '/\\'):
        found = None
    return found


fold = []
spell = []
for cp in range(0xA0, 0x30000):
    ch = chr(cp)
    if ch in code_page or ch in COMMA_BELOW or 0xD800 <= cp <= 0xDFFF:
        continue
    latin = spelt(ch)
    if latin is not None:
        folded = fold_word(latin)
        if folded is None:
            continue
        if len(folded) == 1:
            fold.append((cp, folded[0], unicodedata.name(ch, '')))
        else:
            spell.append((cp, folded, fold_word(latin.upper()), unicodedata.name(ch, '')))
        continue
    target = nearest(ch)
    if target is not None:
        fold.append((cp, code_page[target], unicodedata.name(ch, '')))

pairs = []
for (first, second), (voiced, voiceless) in ELOT743_PAIRS.items():
    for f, s2, v, vl in ((first, second, voiced, voiceless),
                         (first.upper(), second.upper(), voiced.upper(), voiceless.upper()),
                         (first.upper(), second, voiced[0].upper() + voiced[1:], voiceless[0].upper() + voiceless[1:])):
        pairs.append((ord(f), ord(s2), fold_word(v), fold_word(vl), f + s2))
pairs.sort()


def c_bytes(b):
    return '"' + ''.join('\\x%02X' % x for x in b) + '"'


compose = []
for ch, b in code_page.items():
    if b < 0x80:
        continue
    decomposed = unicodedata.normalize('NFD', ch)
    if len(decomposed) < 2:
        continue
    base = unicodedata.normalize('NFC', decomposed[:-1])
    if len(base) == 1:
        compose.append((ord(base), ord(decomposed[-1]), b, unicodedata.name(ch)))
for base, letter in (('S', 'Ş'), ('s', 'ş'), ('T', 'Ţ'), ('t', 'ţ')):
    compose.append((ord(base), 0x0326, code_page[letter], 'comma below as cedilla: ' + letter))
compose.sort()

out = sys.stdout
out.write('// Generated by tools/make_codepage_fold.py from the Unicode %s tables;\n'
          '// edit the script, not this file.\n\n' % unicodedata.unidata_version)
out.write('// The nearest Windows-1250 byte of each character the code page lacks.\n')
out.write('constexpr FoldEntry kFold[] = {\n')
for cp, b, name in fold:
    out.write('    {0x%05X, 0x%02X},  // %s\n' % (cp, b, name.lower()))
out.write('};\n\n')
out.write('// Greek letters spelt with two or three Latin ones: as in a word of small\n'
          '// letters, then as in a word of capitals.\n')
out.write('constexpr SpellEntry kSpell[] = {\n')
for cp, mixed, caps, name in spell:
    out.write('    {0x%05X, %s, %s},  // %s\n' % (cp, c_bytes(mixed), c_bytes(caps), name.lower()))
out.write('};\n\n')
out.write('// Greek pairs spelt together: before a letter of kVoiceless or at the end\n'
          '// of a word the second spelling.\n')
out.write('constexpr PairEntry kPair[] = {\n')
for first, second, voiced, voiceless, text in pairs:
    out.write('    {0x%04X, 0x%04X, %s, %s},\n' % (first, second, c_bytes(voiced), c_bytes(voiceless)))
out.write('};\n\n')
out.write('constexpr char16_t kVoiceless[] = {%s};\n\n' % ', '.join(
    '0x%04X' % ord(c) for c in sorted(set(GREEK_VOICELESS + GREEK_VOICELESS.upper()))))
out.write('// A letter and the combining accent after it, composed.\n')
out.write('constexpr ComposeEntry kCompose[] = {\n')
for base, mark, b, name in compose:
    out.write('    {0x%04X, 0x%04X, 0x%02X},  // %s\n' % (base, mark, b, name.lower()))
out.write('};\n')
