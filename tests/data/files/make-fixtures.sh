#!/usr/bin/env bash
# Makes the availability probe's fixtures: real, tiny files of every kind the suite opens, and
# the broken ones (renamed, truncated, empty, header-less, hostile). Not run by CI; run it again
# after changing it and commit the files it writes here.
set -euo pipefail
cd "$(dirname "$0")"
command -v ffmpeg >/dev/null || apt-get install -y --no-install-recommends ffmpeg
command -v python3 >/dev/null || apt-get install -y --no-install-recommends python3

ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
tone=(-f lavfi -i sine=frequency=440:duration=0.2)
bars=(-f lavfi -i testsrc=size=32x24:rate=5:duration=0.4)

# Sound and video containers
ff "${tone[@]}" -b:a 32k song.mp3
ff "${tone[@]}" -c:a aac -b:a 24k tune.m4a
ff "${tone[@]}" -ar 8000 -ac 1 sound.wav
ff "${tone[@]}" -c:a wmav2 -b:a 32k talk.wma
ff "${bars[@]}" -c:v wmv2 -b:v 50k talk.wmv
ff "${bars[@]}" -c:v mpeg4 -b:v 50k clip.avi
ff "${bars[@]}" -c:v mpeg4 -b:v 50k clip.mov
ff "${bars[@]}" -c:v mpeg4 -b:v 50k clip.mp4
ff "${bars[@]}" -c:v mpeg1video -r 25 -b:v 100k -f vob clip.mpeg

# Pictures
ff -f lavfi -i color=c=red:size=16x16 -frames:v 1 picture.png
ff -f lavfi -i color=c=blue:size=16x16 -frames:v 1 photo.jpg
ff -f lavfi -i color=c=green:size=16x16 -frames:v 1 -pix_fmt bgr24 image.bmp
cat >drawing.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="red"/></svg>
SVG

python3 - <<'PY'
import struct, zlib, zipfile

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

# Declares 16000 x 16000 RGBA pixels (a gigabyte once decoded) in about 31 KB: the pixel data
# stops after the first few hundred rows.
width = height = 16000
rows = zlib.compressobj(9)
data = b""
while len(data) < 31000:
    data += rows.compress(b"\0" * (width * 4 + 1))
data += rows.flush(zlib.Z_SYNC_FLUSH)
with open("huge.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", data) + chunk(b"IEND", b""))

# A minimal, valid PDF with one empty page.
objects = [b"<< /Type /Catalog /Pages 2 0 R >>", b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
           b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>"]
out, offsets = b"%PDF-1.4\n", []
for number, body in enumerate(objects, 1):
    offsets.append(len(out))
    out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
xref = len(out)
out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
open("report.pdf", "wb").write(out)
# The same document after a leading line that is not the header.
open("noheader.pdf", "wb").write(b"garbage before the header\n" + out)

# Office documents are zip archives.
def office(name, main, content_type):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml",
                   '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="xml" ContentType="application/xml"/>'
                   '<Override PartName="/%s" ContentType="%s"/></Types>' % (main, content_type))
        z.writestr(main, '<?xml version="1.0"?><document/>')
office("notes.docx", "word/document.xml",
       "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml")
office("lesson.pptx", "ppt/presentation.xml",
       "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml")
PY

# A mutation of report.pdf (found by random byte edits, kept here verbatim) on which
# libmediainfo 23.04 dies with SIGSEGV in its PDF parser.
base64 -d >crash.pdf <<'B64'
JVBERi0xLjQKMSAwIG9iago8PCAvVHlwZSAvQ2F0YWxvZyAvMiBQYWdlcyAyIDAgUiA+PgplbmRv
YmoKMiAwIG9iago8PCAvVHlwZSAvUGFnZXMgL0tpZHMgWzMgMCBSXSAvQ291bnQgMSA+PgplbmRv
YmoKMyAvWFJlZlN0bTAgb2JqCjw8IC9UeXBlIC9QYWdlIC9QYXJlbnQgMiAwIFIgL01lZGlhQm94
IFswIDAgMjBqCnhyZWYKMCA0CjAwMDAwMDAwMDAgNjU1MzUgZiAKMDAwMDAwMDAwOSAwMDAwMCBu
IAowMDAwMDAwMDU4IDAwMDAwIG4gCjAwMDAwMDAxMTUgMDAwMDAgbiAKdHJhaWxlcgo8PCAvU2kK
PDx6ZSA0IC9Sb290IDEgMCBSIFw+CnN0YXJ0eHJlZgoxODYKJSVFT0YK
B64

# Broken and mislabelled files
cp lesson.pptx lesson-renamed.mp4      # zip content, a video name
cp song.mp3 song-renamed.png           # sound content, a picture name
cp picture.png picture-renamed.jpg     # PNG content, a JPEG name
head -c 40 picture.png >truncated.png  # PNG signature and header, no pixels
head -c 100 report.pdf >truncated.pdf
printf '%%pdf-1.7\n' >lowerheader.pdf  # a header the probe accepts, a signature MediaInfo does not
: >empty.mp3
printf 'just some text\n' >readme.txt
python3 -c 'import random, sys; random.seed(9); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range(2000)))' >headerless.wav
printf '<svg this is not\n' >broken.svg
ls -l
