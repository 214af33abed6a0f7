#!/usr/bin/python3
"""Writes the site's index.html with its scripts and styles inline.

    bundle_page.py TEMPLATE OUT FOLDER...

Every <script src="NAME"> and <link rel="stylesheet" href="NAME"> of the
template whose file is found in one of the folders is replaced by the file's
text (others stay as they are), so that the page needs nothing but the wasm,
the fonts and the pictures before its first paint. A script marked
data-after-paint is kept as text, for first_paint.js to run after the
first paint.
"""
import os
import re
import sys


def find(name, folders):
    for folder in folders:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            with open(path, encoding="utf-8") as f:
                return f.read()
    return None


def main():
    if len(sys.argv) < 4:
        sys.exit("usage: bundle_page.py TEMPLATE OUT FOLDER...")
    template, out, folders = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(template, encoding="utf-8") as f:
        html = f.read()
    # A closing tag inside the inlined text would end the element early.
    def script(m):
        text = find(m.group(1), folders)
        if text is None:
            return m.group(0)
        opening = '<script type="text/plain" data-after-paint>' if m.group(2) else "<script>"
        return opening + "\n" + text.replace("</script", "<\\/script") + "</script>"

    def style(m):
        text = find(m.group(1), folders)
        return m.group(0) if text is None else "<style>\n" + text.replace("</style", "<\\/style") + "</style>"

    html = re.sub(r'<script src="([^"]+)"( data-after-paint)?></script>', script, html)
    html = re.sub(r'<link rel="stylesheet" href="([^"]+)">', style, html)
    with open(out, "w", encoding="utf-8") as f:
        f.write(html)


if __name__ == "__main__":
    main()
