#!/usr/bin/env python3
"""Makes the two sentence files tools/keystrokes.sh reads from Japanese texts.

Usage: kana_corpus.py PERSONAL TEST FILE...

Each FILE (UTF-8, ISO-2022-JP or EUC-JP) is split into sentences at 。！？ and at blank lines;
a sentence is kept when it holds no Latin letters or digits and is 4 to 60 characters long, and
is written in hiragana with MeCab's readings (mecab, mecab-ipadic-utf8), its punctuation left
out. Sentences alternate between PERSONAL and TEST, so both hold the same kind of text; a
sentence already written is not written again.
"""
import re
import subprocess
import sys

SHORTEST, LONGEST = 4, 60
JAPANESE = r'[\u3041-\u3096\u30a1-\u30fa\u30fc\u4e00-\u9fff々]+'


def decode(data):
    if b'\x1b$' in data:
        return data.decode('iso-2022-jp', errors='replace')
    for encoding in ('utf-8', 'euc-jp'):
        try:
            return data.decode(encoding)
        except UnicodeDecodeError:
            continue
    return data.decode('utf-8', errors='replace')


def hiragana(text):
    return ''.join(chr(ord(c) - 0x60) if 'ァ' <= c <= 'ヶ' else c for c in text)


def sentences(text):
    for paragraph in re.split(r'\n\s*\n', text):
        joined = ''.join(line.strip() for line in paragraph.splitlines()
                         if not line.lstrip().startswith((';', '>>', '!!', '==', '--')))
        for s in re.split(r'[。！？!?]', joined):
            s = re.sub(r'[\s「」『』（）()、，,・：:…]', '', s)
            if SHORTEST <= len(s) <= LONGEST and re.fullmatch(JAPANESE, s):
                yield s


def main():
    personal, test = sys.argv[1], sys.argv[2]
    found = []
    for path in sys.argv[3:]:
        with open(path, 'rb') as f:
            for s in sentences(decode(f.read())):
                if s not in found:
                    found.append(s)
    readings = subprocess.run(['mecab', '-Oyomi'], input='\n'.join(found) + '\n', text=True,
                              check=True, capture_output=True).stdout.splitlines()
    kana = [k for k in (hiragana(r) for r in readings) if re.fullmatch(r'[\u3041-\u3096ー]+', k)]
    with open(personal, 'w', encoding='utf-8') as p, open(test, 'w', encoding='utf-8') as t:
        for i, s in enumerate(kana):
            (p if i % 2 == 0 else t).write(s + '\n')
    print(f'{len(kana)} sentences', file=sys.stderr)


if __name__ == '__main__':
    main()
