#!/usr/bin/python3
"""Writes the site a static host serves, from the build's staged files.

    finish_site.py STAGE SITE SOURCE ICON.svg

- Every file that never changes under its name (the deferred scripts, the
  wasm, the fonts, the pictures, the voice and sounds) gets its content's
  hash in its name, so a host may keep it for a year; the page names its
  scripts so, and finds the others through Module.file.
- The home-screen icons are drawn from the game's own icon (rsvg-convert).
- The page gets its Content-Security-Policy: its inline scripts by their
  hashes, script files and everything else from this site only.
- The service worker gets the list of every file and a cache named by the
  hash of them all, so two builds never share a cache.
- Every text file and the wasm get a .br and a .gz beside them.
"""
import base64
import gzip
import hashlib
import json
import os
import re
import subprocess
import sys

import brotli

HASHED = re.compile(r"^([\w-]+\.js|tobble\.wasm|fonts/.*\.woff2|art/.*\.svg|audio/.*)$")
COMPRESSED = (".html", ".js", ".css", ".svg", ".json", ".webmanifest", ".wasm")
BACKGROUND = "#3a6e8f"  # the page's own (tobble.css), also the manifest's colours
CSP = ("default-src 'self'; script-src 'self' {scripts} 'wasm-unsafe-eval'; style-src 'self' 'unsafe-inline'; "
       "img-src 'self'; font-src 'self'; media-src 'self'; connect-src 'self'; worker-src 'self'; "
       "manifest-src 'self'; object-src 'none'; base-uri 'none'; form-action 'none'")


def digest(data):
    return hashlib.sha256(data).hexdigest()


def write(path, data):
    """Writes only what changed, so that what is unchanged keeps its time."""
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def staged(stage):
    files = {}
    for folder, _, names in os.walk(stage):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, stage).replace(os.sep, "/")] = f.read()
    return files


def hashed_name(name, data):
    stem, dot, ext = name.rpartition(".")
    return f"{stem}.{digest(data)[:10]}.{ext}"


def icons(svg, site):
    """The pig on the page's colour, as the home screens of tablets and phones ask."""
    drawn = {}
    # name: (size, picture's size within it, background)
    wanted = {"icons/icon-192.png": (192, 192, None), "icons/icon-512.png": (512, 512, None),
              # A maskable icon is cut to any shape within its middle 80 %.
              "icons/maskable-512.png": (512, 340, BACKGROUND),
              "icons/apple-touch-icon.png": (180, 148, BACKGROUND)}
    for name, (size, inner, background) in wanted.items():
        out = os.path.join(site, name)
        if not (os.path.exists(out) and os.path.getmtime(out) >= os.path.getmtime(svg)):
            os.makedirs(os.path.dirname(out), exist_ok=True)
            margin = (size - inner) // 2
            command = ["rsvg-convert", "-w", str(inner), "-h", str(inner), "--page-width", str(size),
                       "--page-height", str(size), "--left", str(margin), "--top", str(margin), "-o", out, svg]
            if background:
                command[1:1] = ["-b", background]
            subprocess.run(command, check=True)
        with open(out, "rb") as f:
            drawn[name] = f.read()
    return drawn


def page(html, names):
    """The page with the hashed names and its policy."""
    rename = lambda m: names.get(m.group(0), m.group(0))
    html = re.sub(r'\b(?:art|fonts)/[\w.-]+\.(?:svg|woff2)|(?<=src=")[\w-]+\.js(?=")', rename, html)
    # Data, not code, at the end of the page: nothing to run before the
    # first paint, and only each name's hash (place.js, Module.file).
    hashes = {name: hashed.rsplit(".", 2)[1] for name, hashed in names.items()}
    files = ('<script type="application/json" id="files">'
             + json.dumps(hashes, sort_keys=True, separators=(",", ":")) + "</script>\n")
    html = html.replace("</body>", files + "</body>", 1)
    scripts = re.findall(r"<script(?! type=\"application/json\")[^>]*>(.*?)</script>", html, flags=re.S)
    hashes = sorted({"'sha256-" + base64.b64encode(hashlib.sha256(s.encode()).digest()).decode() + "'"
                     for s in scripts if s.strip()})
    policy = CSP.format(scripts=" ".join(hashes))
    meta = f'<meta http-equiv="Content-Security-Policy" content="{policy}">'
    if "<!-- policy -->" not in html:
        sys.exit("index.html: no <!-- policy --> to put the Content-Security-Policy at")
    return html.replace("<!-- policy -->", meta, 1)


def compress(site, name, data):
    out = {}
    if not name.endswith(COMPRESSED):
        return out
    for ext, pack in ((".br", lambda d: brotli.compress(d, quality=11)),
                      (".gz", lambda d: gzip.compress(d, compresslevel=9, mtime=0))):
        path = os.path.join(site, name + ext)
        source = os.path.join(site, name)
        if os.path.exists(path) and os.path.getmtime(path) >= os.path.getmtime(source):
            with open(path, "rb") as f:
                out[name + ext] = f.read()
        else:
            out[name + ext] = pack(data)
            write(path, out[name + ext])
    return out


def main():
    if len(sys.argv) != 5:
        sys.exit("usage: finish_site.py STAGE SITE SOURCE ICON.svg")
    stage, site, source, icon = sys.argv[1:]
    files = staged(stage)
    # The scripts and styles the page carries in its head (draw_first_screen.js)
    # are not served on their own.
    template = files["index.html"].decode()
    for name in [name for name in files if re.fullmatch(r"[\w-]+\.(?:js|css)", name) and f'"{name}"' not in template]:
        del files[name]
    names = {name: hashed_name(name, data) for name, data in files.items() if HASHED.match(name)}
    out = {names.get(name, name): data for name, data in files.items() if name != "index.html"}
    out["index.html"] = page(files["index.html"].decode(), names).encode()
    with open(os.path.join(source, "manifest.webmanifest"), "rb") as f:
        out["manifest.webmanifest"] = f.read()
    out.update(icons(icon, site))

    # The service worker: every file, by the name the page asks for it.
    listed = sorted("./" if name == "index.html" else name for name in out)
    build = digest("".join(f"{name} {digest(out[name])}\n" for name in sorted(out)).encode())[:16]
    with open(os.path.join(source, "sw.js"), encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace("'@BUILD@'", json.dumps(build)).replace("['@FILES@']", json.dumps(listed, indent=0))
    out["sw.js"] = worker.encode()

    for name, data in out.items():
        write(os.path.join(site, name), data)
    for name, data in list(out.items()):
        out.update(compress(site, name, data))

    # Files of an earlier build that this one has not.
    for folder, _, found in os.walk(site, topdown=False):
        for file in found:
            path = os.path.join(folder, file)
            if os.path.relpath(path, site).replace(os.sep, "/") not in out:
                os.remove(path)
        if folder != site and not os.listdir(folder):
            os.rmdir(folder)


if __name__ == "__main__":
    main()
