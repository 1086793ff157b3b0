#!/usr/bin/python3
"""Renders a user manual from Markdown to PDF.

    render-manual.py --lang en|ja --css STYLESHEET --out OUT.PDF SOURCE.md

The Markdown is converted with the extensions tables, attr_list, md_in_html, fenced_code and toc (a
"[TOC]" line becomes the table of contents), wrapped in an HTML page of the given language and
laid out by WeasyPrint with the stylesheet. Images are ordinary Markdown image links, resolved
relative to the source file; a paragraph that holds only an image becomes a figure whose
caption is the image's alt text. A missing image file leaves its figure out with a warning on
stderr, so a manual renders before its screenshots exist.

Every font family named in quotes in the stylesheet must be known to fontconfig: WeasyPrint
silently draws nothing for text whose font is missing, so the renderer refuses to start
instead. Set SOURCE_DATE_EPOCH for byte-identical output; the PDF carries no other date.

Run it with the system Python (/usr/bin/python3), which has the markdown and weasyprint
modules of the Debian packages.
"""

import argparse
import datetime
import html
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as etree

import markdown
import weasyprint
from markdown import util
from markdown.extensions import Extension
from markdown.extensions.toc import slugify_unicode
from markdown.inlinepatterns import BACKTICK_RE, BacktickInlineProcessor


class ExactCodeSpan(BacktickInlineProcessor):
    """A code span keeps its blanks: the manuals quote the programs' messages in code spans,
    and some messages begin with blanks ("  (N=2,3,..,20)") or a cell example ends in one."""

    def handleMatch(self, m, data):
        if m.group(3):
            element = etree.Element(self.tag)
            element.text = util.AtomicString(util.code_escape(m.group(3)))
            return element, m.start(0), m.end(0)
        return super().handleMatch(m, data)


class ExactCodeSpans(Extension):
    def extendMarkdown(self, md):
        md.inlinePatterns.register(ExactCodeSpan(BACKTICK_RE), "backtick", 190)


EXTENSIONS = ["tables", "attr_list", "md_in_html", "fenced_code", "toc", ExactCodeSpans()]

# A paragraph holding one image and nothing else, as python-markdown writes it.
FIGURE_PARAGRAPH = re.compile(r'<p>\s*(<img\b[^>]*>)\s*</p>')
IMAGE = re.compile(r'<img\b[^>]*>')
ATTRIBUTE = re.compile(r'\b(src|alt)="([^"]*)"')
FIRST_HEADING = re.compile(r'<h1\b[^>]*>(.*?)</h1>', re.S)
TAG = re.compile(r'<[^>]+>')
QUOTED_FAMILY = re.compile(r'font-family\s*:([^;}]*)')
# Japanese has no blanks between words: a source line break next to a Japanese character
# joins the lines without one. Preformatted blocks keep their lines.
CJK = '\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef'
CJK_LINE_BREAK = re.compile(f'(?<=[{CJK}])\n(?=\\S)|(?<=\\S)\n(?=[{CJK}])')
PREFORMATTED = re.compile(r'(<pre\b.*?</pre>)', re.S)


def warn(message):
    print(f"render-manual: {message}", file=sys.stderr)


def image_attributes(tag):
    return {name: html.unescape(value) for name, value in ATTRIBUTE.findall(tag)}


def image_exists(tag, base_dir):
    src = image_attributes(tag).get("src", "")
    if re.match(r'^[a-z]+:', src):  # a URL: left to WeasyPrint
        return True
    path = os.path.normpath(os.path.join(base_dir, src))
    if os.path.isfile(path):
        return True
    warn(f"image {src} not found ({path}); its figure is left out")
    return False


def place_images(body, base_dir):
    """Figures for lone images; images whose file is missing are dropped."""
    def figure(match):
        tag = match.group(1)
        if not image_exists(tag, base_dir):
            return ""
        caption = html.escape(image_attributes(tag).get("alt", ""))
        caption_html = f"<figcaption>{caption}</figcaption>" if caption else ""
        return f'<figure>{tag}{caption_html}</figure>'

    body = FIGURE_PARAGRAPH.sub(figure, body)
    # Images inside other text: keep or drop the image alone.
    return IMAGE.sub(lambda m: m.group(0) if image_exists(m.group(0), base_dir) else "", body)


def join_japanese_lines(body):
    parts = PREFORMATTED.split(body)
    return "".join(part if part.startswith("<pre") else CJK_LINE_BREAK.sub("", part)
                   for part in parts)


def check_links(body):
    """Every link inside the manual must lead to a heading or element of it."""
    ids = set(re.findall(r'\bid="([^"]+)"', body))
    for target in re.findall(r'href="#([^"]+)"', body):
        if html.unescape(target) not in ids and target not in ids:
            warn(f"link to #{target} leads nowhere")


def check_fonts(css_text):
    """Every quoted family of the stylesheet must be installed."""
    families = set()
    for declaration in QUOTED_FAMILY.findall(css_text):
        families.update(re.findall(r'"([^"]+)"', declaration))
    missing = []
    for family in sorted(families):
        try:
            found = subprocess.run(["fc-list", family, "family"], capture_output=True,
                                   text=True, check=False).stdout.strip()
        except OSError:
            warn("fc-list (fontconfig) is not available; fonts not checked")
            return
        if not found:
            missing.append(family)
    if missing:
        sys.exit("render-manual: fonts not installed: " + ", ".join(missing) +
                 " (Debian packages fonts-ipaexfont, fonts-dejavu-core)")


def page_html(body, lang, title):
    metadata = ""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch:
        stamp = datetime.datetime.fromtimestamp(int(epoch), datetime.timezone.utc)
        iso = stamp.strftime("%Y-%m-%dT%H:%M:%SZ")
        metadata = (f'<meta name="dcterms.created" content="{iso}">'
                    f'<meta name="dcterms.modified" content="{iso}">')
    return (f'<!DOCTYPE html><html lang="{lang}"><head><meta charset="utf-8">'
            f'<title>{html.escape(title)}</title>{metadata}</head>'
            f'<body>{body}</body></html>')


def main():
    parser = argparse.ArgumentParser(description="Render a Markdown manual to PDF.")
    parser.add_argument("source", help="the Markdown source")
    parser.add_argument("--out", required=True, help="the PDF to write")
    parser.add_argument("--css", required=True, help="the stylesheet")
    parser.add_argument("--lang", required=True, choices=["en", "ja"])
    args = parser.parse_args()

    with open(args.source, encoding="utf-8") as f:
        text = f.read()
    with open(args.css, encoding="utf-8") as f:
        css_text = f.read()
    check_fonts(css_text)

    body = markdown.markdown(text, extensions=EXTENSIONS,
                             extension_configs={"toc": {"slugify": slugify_unicode,
                                                        "title": ""}})
    base_dir = os.path.dirname(os.path.abspath(args.source))
    body = place_images(body, base_dir)
    if args.lang == "ja":
        body = join_japanese_lines(body)
    check_links(body)
    heading = FIRST_HEADING.search(body)
    title = html.unescape(TAG.sub("", heading.group(1))).strip() if heading else ""

    document = weasyprint.HTML(string=page_html(body, args.lang, title),
                               base_url=base_dir + os.sep)
    stylesheet = weasyprint.CSS(string=css_text, base_url=os.path.abspath(args.css))

    # Written beside the target and renamed, so an interrupted build leaves no half PDF.
    out_dir = os.path.dirname(os.path.abspath(args.out))
    handle, temporary = tempfile.mkstemp(dir=out_dir, suffix=".part")
    os.close(handle)
    umask = os.umask(0)
    os.umask(umask)
    try:
        document.write_pdf(temporary, stylesheets=[stylesheet])
        os.chmod(temporary, 0o666 & ~umask)  # an ordinary file, not mkstemp's private one
        os.replace(temporary, args.out)
    finally:
        if os.path.exists(temporary):
            os.unlink(temporary)


if __name__ == "__main__":
    main()
