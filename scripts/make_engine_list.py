#!/usr/bin/env python3
"""Writes data/vq_search.eng, the engine list shipped with the program.

The table below is the list's source; the file is generated from it so that
a change is a reviewable diff of this table. Regenerate after editing:

    scripts/make_engine_list.py            # writes data/vq_search.eng
    scripts/make_engine_list.py --check    # exit 1 when the file is stale
    scripts/make_engine_list.py OUT        # writes OUT instead

The file is Shift_JIS (cp932) with CR LF line ends: marker, header, folder
count, folder lines, engine count, engine lines (docs/formats/
shipped-engine-list.md). Raise LIST_VERSION whenever the list changes: a
data directory keeps its list until one with a higher version arrives.

Each search URL is the address the site's own search box leads to. Keywords
go in as $0 (the whole keyword) or $1-$9 (its words); the encoding says how
the site wants them percent-encoded. When a site changes its address, fix the
row here, raise LIST_VERSION and regenerate.
"""

import os
import sys

LIST_VERSION = 100  # shown as 1.0.0
PUBLISHED = "2026/12/07"

MARKER = "@@SearchEngineList@@"

# Keyword encodings.
NONE, SJIS, EUC, UTF8 = 0, 1, 2, 3

# Categories: (ID, name). All sit at the top level. IDs 100-199 belong to the
# user's own categories, so the shipped ones start at 1000.
FOLDERS = [
    (1010, "総合通販"),
    (1021, "価格比較"),
    (1030, "家電・パソコン"),
    (1040, "本・CD・DVD・ゲーム"),
    (1050, "中古・オークション"),
    (1060, "ファッション"),
    (1070, "日用品・工具"),
    (9901, "ウェブ検索"),
    (9902, "調べもの"),
]

AMAZON = "https://www.amazon.co.jp/"


def amazon(alias):
    """Amazon's search limited to one of its departments."""
    return "https://www.amazon.co.jp/s?k=$0&i=" + alias


# Engines: (ID, folder, name, tab name, short name, top page, search URL,
# encoding). ID = folder * 1000 + n. The default tabs use 1010001, 1010002,
# 1010003, 1021001 and 9901001, so those must stay what they are.
ENGINES = [
    # 総合通販
    (1010001, 1010, "Amazon.co.jp", "Amazon", "アマゾン", AMAZON,
     "https://www.amazon.co.jp/s?k=$0", UTF8),
    (1010002, 1010, "楽天市場", "楽天市場", "楽天", "https://www.rakuten.co.jp/",
     "https://search.rakuten.co.jp/search/mall/$0/", UTF8),
    (1010003, 1010, "Yahoo!ショッピング", "Yahoo!ショッピング", "Yショッピング",
     "https://shopping.yahoo.co.jp/", "https://shopping.yahoo.co.jp/search?p=$0", UTF8),
    # 価格比較
    (1021001, 1021, "価格.com", "価格.com", "価格", "https://kakaku.com/",
     "https://kakaku.com/search_results/$0/", SJIS),
    (1021002, 1021, "Googleショッピング", "Googleショッピング", "Gショッピング",
     "https://shopping.google.com/", "https://www.google.co.jp/search?tbm=shop&q=$0", UTF8),
    (1021003, 1021, "Amazon.co.jp(安い順)", "Amazon安い順", "アマゾン安", AMAZON,
     "https://www.amazon.co.jp/s?k=$0&s=price-asc-rank", UTF8),
    (1021004, 1021, "楽天市場(安い順)", "楽天安い順", "楽天安", "https://www.rakuten.co.jp/",
     "https://search.rakuten.co.jp/search/mall/$0/?s=2", UTF8),
    (1021005, 1021, "Yahoo!ショッピング(安い順)", "Yahoo!安い順", "Yショッピング安",
     "https://shopping.yahoo.co.jp/", "https://shopping.yahoo.co.jp/search?p=$0&X=2", UTF8),
    # 家電・パソコン
    (1030001, 1030, "ヨドバシ.com", "ヨドバシ", "ヨドバシ", "https://www.yodobashi.com/",
     "https://www.yodobashi.com/?word=$0", UTF8),
    (1030002, 1030, "Amazon 家電&カメラ", "Amazon家電", "アマゾン家電", AMAZON,
     amazon("electronics"), UTF8),
    (1030003, 1030, "Amazon パソコン・周辺機器", "AmazonPC", "アマゾンPC", AMAZON,
     amazon("computers"), UTF8),
    # 本・CD・DVD・ゲーム
    (1040001, 1040, "Amazon 本", "Amazon本", "アマゾン本", AMAZON, amazon("stripbooks"), UTF8),
    (1040002, 1040, "Amazon Kindleストア", "Kindle", "Kindle", AMAZON, amazon("digital-text"),
     UTF8),
    (1040003, 1040, "Amazon ミュージック", "Amazon音楽", "アマゾン音楽", AMAZON,
     amazon("popular"), UTF8),
    (1040004, 1040, "Amazon DVD", "AmazonDVD", "アマゾンDVD", AMAZON, amazon("dvd"), UTF8),
    (1040005, 1040, "Amazon ゲーム", "Amazonゲーム", "アマゾンゲーム", AMAZON,
     amazon("videogames"), UTF8),
    (1040006, 1040, "楽天ブックス", "楽天ブックス", "楽天本", "https://books.rakuten.co.jp/",
     "https://books.rakuten.co.jp/search?sitem=$0", UTF8),
    (1040007, 1040, "セブンネットショッピング", "セブンネット", "7net", "https://7net.omni7.jp/",
     "https://7net.omni7.jp/search/?keyword=$0", UTF8),
    (1040008, 1040, "タワーレコード オンライン", "タワレコ", "タワレコ", "https://tower.jp/",
     "https://tower.jp/search/item/$0", UTF8),
    # 中古・オークション
    (1050001, 1050, "ヤフオク!", "ヤフオク!", "ヤフオク", "https://auctions.yahoo.co.jp/",
     "https://auctions.yahoo.co.jp/search/search?p=$0&ei=UTF-8", UTF8),
    (1050002, 1050, "メルカリ", "メルカリ", "メルカリ", "https://jp.mercari.com/",
     "https://jp.mercari.com/search?keyword=$0", UTF8),
    (1050003, 1050, "楽天ラクマ", "ラクマ", "ラクマ", "https://fril.jp/",
     "https://fril.jp/s?query=$0", UTF8),
    (1050004, 1050, "駿河屋", "駿河屋", "駿河屋", "https://www.suruga-ya.jp/",
     "https://www.suruga-ya.jp/search?search_word=$0", UTF8),
    (1050005, 1050, "ブックオフ公式オンラインストア", "ブックオフ", "ブックオフ",
     "https://shopping.bookoff.co.jp/", "https://shopping.bookoff.co.jp/search/keyword/$0",
     UTF8),
    # ファッション
    (1060001, 1060, "ユニクロ", "ユニクロ", "ユニクロ", "https://www.uniqlo.com/jp/ja/",
     "https://www.uniqlo.com/jp/ja/search?q=$0", UTF8),
    (1060002, 1060, "Amazon ファッション", "Amazon服", "アマゾン服", AMAZON, amazon("fashion"),
     UTF8),
    # 日用品・工具
    (1070001, 1070, "モノタロウ", "モノタロウ", "モノタロウ", "https://www.monotaro.com/",
     "https://www.monotaro.com/s/?c=&q=$0", UTF8),
    (1070002, 1070, "Amazon ドラッグストア", "Amazon薬", "アマゾン薬", AMAZON, amazon("hpc"),
     UTF8),
    (1070003, 1070, "Amazon ホーム&キッチン", "Amazonキッチン", "アマゾン台所", AMAZON,
     amazon("kitchen"), UTF8),
    (1070004, 1070, "Amazon 食品・飲料・お酒", "Amazon食品", "アマゾン食品", AMAZON,
     amazon("grocery"), UTF8),
    (1070005, 1070, "Amazon DIY・工具・ガーデン", "AmazonDIY", "アマゾンDIY", AMAZON,
     amazon("diy"), UTF8),
    # ウェブ検索
    (9901001, 9901, "Google", "Google", "グーグル", "https://www.google.co.jp/",
     "https://www.google.co.jp/search?q=$0&ie=UTF-8", UTF8),
    (9901002, 9901, "Yahoo! JAPAN", "Yahoo!", "ヤフー", "https://www.yahoo.co.jp/",
     "https://search.yahoo.co.jp/search?p=$0&ei=UTF-8", UTF8),
    (9901003, 9901, "Bing", "Bing", "ビング", "https://www.bing.com/",
     "https://www.bing.com/search?q=$0", UTF8),
    (9901004, 9901, "DuckDuckGo", "DuckDuckGo", "DDG", "https://duckduckgo.com/",
     "https://duckduckgo.com/?q=$0&kl=jp-jp", UTF8),
    (9901005, 9901, "Google 画像検索", "Google画像", "G画像", "https://www.google.co.jp/imghp",
     "https://www.google.co.jp/search?tbm=isch&q=$0", UTF8),
    (9901006, 9901, "Yahoo! 画像検索", "Yahoo!画像", "Y画像", "https://search.yahoo.co.jp/image",
     "https://search.yahoo.co.jp/image/search?p=$0&ei=UTF-8", UTF8),
    # 調べもの
    (9902001, 9902, "Wikipedia", "Wikipedia", "ウィキ", "https://ja.wikipedia.org/",
     "https://ja.wikipedia.org/wiki/Special:Search?search=$0", UTF8),
    (9902002, 9902, "YouTube", "YouTube", "YouTube", "https://www.youtube.com/",
     "https://www.youtube.com/results?search_query=$0", UTF8),
    (9902003, 9902, "Yahoo!知恵袋", "知恵袋", "知恵袋", "https://chiebukuro.yahoo.co.jp/",
     "https://chiebukuro.yahoo.co.jp/search?p=$0", UTF8),
    (9902004, 9902, "Yahoo!ニュース", "Yahoo!ニュース", "Yニュース", "https://news.yahoo.co.jp/",
     "https://news.yahoo.co.jp/search?p=$0&ei=utf-8", UTF8),
    (9902005, 9902, "Googleニュース", "Googleニュース", "Gニュース",
     "https://news.google.com/?hl=ja&gl=JP&ceid=JP:ja",
     "https://news.google.com/search?q=$0&hl=ja&gl=JP&ceid=JP:ja", UTF8),
    (9902006, 9902, "Googleマップ", "Googleマップ", "地図", "https://www.google.co.jp/maps",
     "https://www.google.com/maps/search/?api=1&query=$0", UTF8),
]


def check_table():
    """Refuses a table that would make a file the program reads wrongly."""
    folder_ids = [f[0] for f in FOLDERS]
    if len(set(folder_ids)) != len(folder_ids):
        raise SystemExit("duplicate folder ID")
    ids = [e[0] for e in ENGINES]
    if len(set(ids)) != len(ids):
        raise SystemExit("duplicate engine ID")
    for fid, name in FOLDERS:
        if 100 <= fid <= 199 or fid <= 0:
            raise SystemExit(f"folder {fid}: ID reserved for the user's categories")
    for eid, folder, name, tab, short, url, search, encoding in ENGINES:
        where = f"engine {eid}"
        if folder not in folder_ids:
            raise SystemExit(f"{where}: no folder {folder}")
        if eid // 1000 != folder:
            raise SystemExit(f"{where}: ID does not start with its folder {folder}")
        if 100000 <= eid <= 100999:
            raise SystemExit(f"{where}: ID reserved for the user's engines")
        for text in (name, tab, short, url, search):
            if not text or text != text.strip() or any(c in text for c in "\t\r\n"):
                raise SystemExit(f"{where}: empty field, or white space at an end or inside")
            text.encode("cp932")  # raises on a character Shift_JIS lacks
        if not url.startswith("https://") or not search.startswith("https://"):
            raise SystemExit(f"{where}: addresses must be https://")
        if "$0" not in search and "$1" not in search:
            raise SystemExit(f"{where}: search URL has no keyword placeholder")
        if encoding not in (NONE, SJIS, EUC, UTF8):
            raise SystemExit(f"{where}: encoding {encoding}")
    for fid, _ in FOLDERS:
        if fid not in {e[1] for e in ENGINES}:
            raise SystemExit(f"folder {fid} is empty")


def render():
    lines = [MARKER, f"0\t{LIST_VERSION}\t\t{PUBLISHED}", str(len(FOLDERS))]
    lines += [f"{fid}\t{name}\t0" for fid, name in FOLDERS]
    lines.append(str(len(ENGINES)))
    for eid, folder, name, tab, short, url, search, encoding in ENGINES:
        # Id, FolderId, Name, TabName, ShortName, Url, TopUrl, SearchUrl,
        # PostData, Extra9, Extra10, Encoding: the encoding comes last, so
        # no line ends in an empty field.
        fields = [str(eid), str(folder), name, tab, short, url, "", search, "", "", "",
                  str(encoding)]
        lines.append("\t".join(fields))
    return "".join(line + "\r\n" for line in lines).encode("cp932")


def main(argv):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    default_out = os.path.join(root, "data", "vq_search.eng")
    args = argv[1:]
    check = "--check" in args
    args = [a for a in args if a != "--check"]
    out = args[0] if args else default_out

    check_table()
    data = render()
    if check:
        try:
            with open(out, "rb") as f:
                current = f.read()
        except OSError as e:
            print(f"{out}: {e}", file=sys.stderr)
            return 1
        if current != data:
            print(f"{out} is stale: run scripts/make_engine_list.py", file=sys.stderr)
            return 1
        return 0
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "wb") as f:
        f.write(data)
    print(f"{out}: {len(FOLDERS)} categories, {len(ENGINES)} engines, version {LIST_VERSION}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
