#!/usr/bin/env python3
"""Writes a program folder for the benchmarks: Talk.txt with N sample sentences of
realistic kana and kanji lengths (every kana-row group represented) and day.txt with a
diary of D dated entries, both in code page 932 with CR LF, as the program writes them; and,
given L, learned.txt with L learned words and runs of 2 to 12 kana as the strip keeps them
("text<TAB>uses<TAB>last<TAB>passed" lines, also code page 932 with CR LF)."""
import datetime
import random
import sys
from pathlib import Path

KANA = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
KATA = "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"
VOICED = "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ"
KANJI = "今日明天気元病院薬食事水飲寝起痛頭手足家族友達先生電話会話時間朝昼夜"
FIRST = KANA + KATA + VOICED + "1OK"


def sentence(rng: random.Random) -> str:
    length = rng.choice([3, 5, 8, 12, 16, 24, 40])
    body = "".join(rng.choice(KANA + KANJI + KATA) for _ in range(length - 1))
    return rng.choice(FIRST) + body


def main() -> None:
    folder = Path(sys.argv[1])
    samples = int(sys.argv[2])
    diary_days = int(sys.argv[3]) if len(sys.argv) > 3 else 3650
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(20261207)
    lines = ['"ああああ日記ダミー消さないでね！"'] + [f'"{sentence(rng)}"' for _ in range(samples)]
    (folder / "Talk.txt").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))
    today = datetime.date(2026, 12, 7)
    entries = []
    for d in range(diary_days):
        day = today - datetime.timedelta(days=d)
        entries.append(f'"{day:%y.%m.%d} {sentence(rng)}"')
    (folder / "day.txt").write_bytes(("\r\n".join(entries) + "\r\n").encode("cp932"))
    learned_count = int(sys.argv[4]) if len(sys.argv) > 4 else 0
    if learned_count:
        write_learned(folder / "learned.txt", learned_count, rng)


def write_learned(path: Path, count: int, rng: random.Random) -> None:
    texts = set()
    while len(texts) < count:
        texts.add("".join(rng.choice(KANA + VOICED) for _ in range(rng.randint(2, 12))))
    lines = [f"{text}\t{rng.randint(1, 9)}\t{rng.randint(1, count)}\t{rng.choice([0, 0, 0, 1, 2])}"
             for text in sorted(texts)]
    path.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))


if __name__ == "__main__":
    main()
