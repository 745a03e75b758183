#!/usr/bin/env python3
"""Writes the base word list: the commonest Japanese words of a unigram language model, in kana.

Usage: make_basewords.py MODEL_DIR OUT.tsv

MODEL_DIR holds a sorted unigram model: data.1gram.index, a trie of "reading/surface" keys, and
data.1gram, six bytes per key id whose first little-endian 16 bits are the word's cost (a scaled
negative log probability: lower is commoner). The trie is read with the marisa tools. Each line
of OUT is "text<TAB>cost", best first: the surface where it is all kana, the reading otherwise,
kept when the reading is all hiragana and at least two characters long.
"""
import struct
import subprocess
import sys

KEEP = 60000
RARE_COST = 45000  # words seen once or twice in the model's corpus predict nothing


def is_hiragana(text):
    return all('\u3041' <= c <= '\u3096' or c == '\u30fc' for c in text)


def is_kana(text):
    return all('\u3041' <= c <= '\u3096' or '\u30a1' <= c <= '\u30fa' or c == '\u30fc'
               for c in text)


def main():
    model, out = sys.argv[1], sys.argv[2]
    index = model + '/data.1gram.index'
    keys = subprocess.run(['marisa-dump', index], check=True, capture_output=True).stdout
    ids = subprocess.run(['marisa-lookup', index], input=keys, check=True,
                         capture_output=True).stdout.decode('utf-8').splitlines()
    with open(model + '/data.1gram', 'rb') as f:
        costs = f.read()
    best = {}
    for line in ids:
        number, _, key = line.partition('\t')
        reading, slash, surface = key.partition('/')
        if not slash or len(reading) < 2 or not is_hiragana(reading) or int(number) < 0:
            continue
        cost = struct.unpack_from('<H', costs, int(number) * 6)[0]
        if cost >= RARE_COST:
            continue
        text = surface if is_kana(surface) else reading
        best[text] = min(cost, best.get(text, cost))
    ranked = sorted(best.items(), key=lambda item: (item[1], item[0]))[:KEEP]
    with open(out, 'w', encoding='utf-8') as f:
        for text, cost in ranked:
            f.write(f'{text}\t{cost}\n')


if __name__ == '__main__':
    main()
