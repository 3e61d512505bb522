#!/usr/bin/env python3
"""Opens the page brindle writes for a listing file in headless Chromium and checks what
the browser made of it: one link per listing, in title order, each pointing at its
address, with its description beside it.

    browser_check.py BRINDLE LISTING_FILE

Exits 77 (skipped) where Chromium is missing, unless CI is set.
"""
import html
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77


def read_listings(path):
    """The listings of a plain listing file: every three non-empty lines."""
    with open(path, "rb") as listing_file:
        text = listing_file.read().replace(b"\r", b"").decode("utf-8")
    lines = [line for line in text.split("\n") if line != ""]
    return [tuple(lines[i:i + 3]) for i in range(0, len(lines) - 2, 3)]


def shown(listing):
    """What a reader of the page sees of a listing: its title, address and description."""
    title, address, description = listing
    if description.startswith("*"):
        description = ""
    as_text = lambda markup: html.unescape(re.sub(r"<[^>]*>", "", markup)).strip()
    return as_text(title), html.unescape(address), as_text(description)


class Links(html.parser.HTMLParser):
    """Collects each link of a page with the text that follows it up to the next link
    or <dt>."""

    def __init__(self):
        super().__init__()
        self.links = []
        self.in_link = False

    def handle_starttag(self, tag, attrs):
        if tag == "a":
            self.links.append([dict(attrs).get("href", ""), "", ""])
            self.in_link = True
        elif tag == "dt":
            self.in_link = None

    def handle_endtag(self, tag):
        if tag == "a":
            self.in_link = False

    def handle_data(self, data):
        if self.links and self.in_link is not None:
            self.links[-1][1 if self.in_link else 2] += data


def find_chromium():
    for name in ("chromium", "chromium-browser"):
        if shutil.which(name):
            return shutil.which(name)
    return None


def main():
    brindle, listing_path = sys.argv[1], os.path.abspath(sys.argv[2])
    chromium = find_chromium()
    if chromium is None:
        print("Chromium is not installed")
        return 1 if os.environ.get("CI") else SKIPPED

    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([brindle, listing_path, "page"], cwd=scratch, check=True,
                       stderr=subprocess.DEVNULL)
        dom = subprocess.run(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu",
             "--disable-background-networking", "--disable-component-update",
             "--no-first-run", f"--user-data-dir={scratch}/profile", "--dump-dom",
             f"file://{scratch}/page.html"],
            check=True, capture_output=True, text=True, timeout=90).stdout

    parser = Links()
    parser.feed(dom)
    seen = [(title.strip(), href, description.strip()) for href, title, description in parser.links]
    listings = sorted(read_listings(listing_path), key=lambda listing: listing[0].encode().upper())
    expected = [shown(listing) for listing in listings]
    if seen != expected:
        print("The browser shows:")
        for link in seen:
            print("  ", link)
        print("Expected:")
        for link in expected:
            print("  ", link)
        return 1
    print(f"Chromium shows {len(seen)} links in title order, with their descriptions")
    return 0


if __name__ == "__main__":
    sys.exit(main())
