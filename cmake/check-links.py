"""Fails when a relative link in README.md or docs/*.md names a file or a heading that does
not exist, or when a page of docs/ is linked from no other page. Headings are matched the
way GitHub makes their anchors. Run with the source directory as the argument."""
import os
import re
import sys
from urllib.parse import unquote

source = sys.argv[1]
pages = ["README.md"] + sorted("docs/" + name for name in os.listdir(os.path.join(source, "docs")) if name.endswith(".md"))
failures = []


def read(page):
    with open(os.path.join(source, page), encoding="utf-8") as file:
        return file.read()


def without_code(text):
    """The text without fenced blocks and inline code, where brackets are no links."""
    text = re.sub(r"^```.*?^```", "", text, flags=re.S | re.M)
    return re.sub(r"`[^`\n]*`", "", text)


def anchors(page):
    """GitHub's anchors of a page's headings: lower case, punctuation dropped, blanks as '-',
    a repeated one numbered."""
    seen = {}
    out = set()
    for heading in re.findall(r"^#{1,6} +(.+?) *#*$", re.sub(r"^```.*?^```", "", read(page), flags=re.S | re.M), re.M):
        slug = re.sub(r"[^\w\- ]", "", heading.strip().lower()).replace(" ", "-")
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        out.add(slug if count == 0 else f"{slug}-{count}")
    return out


linked = set()
for page in pages:
    for target in re.findall(r"\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)", without_code(read(page))):
        if re.match(r"[a-z][a-z0-9+.-]*:", target):
            continue  # http:, mailto: and the like
        path, _, anchor = unquote(target).partition("#")
        resolved = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
        if not os.path.exists(os.path.join(source, resolved)):
            failures.append(f"{page}: the link {target} names a file that does not exist")
            continue
        if resolved != page:
            linked.add(resolved)
        if anchor and resolved.endswith(".md") and anchor not in anchors(resolved):
            failures.append(f"{page}: the link {target} names a heading that {resolved} does not have")
for page in pages[1:]:
    if page not in linked:
        failures.append(f"{page} is linked from no other page")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(pages)} pages, {len(failures)} failures")
sys.exit(1 if failures else 0)
