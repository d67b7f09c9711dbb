#!/usr/bin/env python3
"""Writes the registry export fixtures of this folder (except exported/, see README.md).

Hex lists are wrapped exactly as regedit wraps them: at 80 columns, continued with "  ".
"""
import os
import random

def hexvalue(prefix, data):
    lines = []
    line = prefix
    n = len(data)
    for i, b in enumerate(data):
        piece = "%02x" % b + ("," if i < n - 1 else "")
        if i < n - 1 and len(line) + len(piece) + 1 > 80:
            lines.append(line + "\\")
            line = "  "
        elif i == n - 1 and len(line) + len(piece) > 80:
            lines.append(line + "\\")
            line = "  "
        line += piece
    lines.append(line)
    return lines

def esc(s):
    return s.replace('\\', '\\\\').replace('"', '\\"')

def sz(name, text):
    return '"%s"="%s"' % (esc(name), esc(text)) if name is not None else '@="%s"' % esc(text)

def hexv(name, typ, data):
    t = 'hex:' if typ is None else 'hex(%x):' % typ
    return hexvalue(('"%s"=' % esc(name) if name is not None else '@=') + t, data)

def utf16z(s):
    return s.encode('utf-16-le') + b'\0\0'

def multi(strings, enc='utf-16-le'):
    z = b'\0\0' if enc == 'utf-16-le' else b'\0'
    return b''.join(s.encode(enc) + z for s in strings) + z

D = os.path.dirname(os.path.abspath(__file__)) + '/'
U5 = 'Windows Registry Editor Version 5.00'

def write(path, lines, enc, eol='\r\n', bom=b'', final=True):
    text = eol.join(lines) + (eol if final else '')
    with open(D + path, 'wb') as f:
        f.write(bom + text.encode(enc))

def utf16(path, lines):
    write(path, lines, 'utf-16-le', bom=b'\xff\xfe')

# UTF-8 with byte-order mark, CRLF
write('utf8-bom.reg', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\课堂助手]',
    sz('InstallPath', 'D:\\教学软件\\课堂助手\\'),
    sz('StartShellPath', 'D:\\教学软件\\课堂助手\\助手.exe'),
    sz('CurrentVersion', '3.1.0'),
    *hexv('DataFolder', 2, utf16z('%APPDATA%\\课堂助手')),
    '',
    r'[HKEY_CURRENT_USER\Software\Tesvari\课堂助手\最近]',
    sz('文件1', 'D:\\课件\\第一课.pptx'),
    ''], 'utf-8', bom=b'\xef\xbb\xbf')

# UTF-8 without byte-order mark, LF, as edited on Linux
write('utf8.reg', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Recorder]',
    '@="Screen recorder"',
    sz('InstallPath', '/opt/tesvari/recorder'),
    *hexv('Formats', 7, multi(['mp4', 'webm'])),
    *hexv('Codec', 7, multi(['h264'])),
    *hexv('MaxSize', 0xb, (8589934592).to_bytes(8, 'little')),
    '"Retries"=dword:0000000a',
    ''], 'utf-8', eol='\n')

# UTF-16LE whose byte-order mark was lost
write('utf16le-nobom.reg', [U5, '',
    r'[HKEY_CURRENT_USER\Software\Tesvari\OrvoKiv6\Settings]',
    sz('Language', 'zh_CN'),
    sz('Theme', 'dark'),
    ''], 'utf-16-le')

# UTF-16BE, with a byte-order mark and without one
for path, bom, eol in (('utf16be.reg', b'\xfe\xff', '\r\n'), ('utf16be-nobom.reg', b'', '\n')):
    write(path, [U5, '',
        r'[HKEY_CURRENT_USER\Software\Tesvari\课堂助手]',
        sz('Folder', 'D:\\教学软件\\课堂助手'),
        ''], 'utf-16-be', eol=eol, bom=bom)

# REGEDIT4 saved as UTF-8 on Linux, with CR line ends
write('regedit4-utf8.reg', ['REGEDIT4', '',
    r'[HKEY_CURRENT_USER\Software\Tesvari\课堂助手]',
    sz('Folder', 'D:\\教学软件\\课堂助手'),
    ''], 'utf-8', eol='\r')

# REGEDIT4 in the ANSI code page: strings as text, expand and multi strings as ANSI bytes
write('regedit4-gbk.reg', ['REGEDIT4', '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Tesvari\电子白板]',
    sz('InstPath', 'D:\\教学软件\\电子白板'),
    sz('DisplayIcon', 'D:\\教学软件\\电子白板\\白板.exe,0'),
    *hexv('DataFolder', 2, '%APPDATA%\\电子白板'.encode('gbk') + b'\0'),
    *hexv('Subjects', 7, multi(['语文', '数学'], 'gbk')),
    *hexv('Grade', 7, multi(['初中'], 'gbk')),
    '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\电子白板]',
    sz('InstallPath', 'D:\\教学软件\\电子白板\\'),
    ''], 'gbk')

# Inputs regedit accepts although it never writes them
write('quirks.reg', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Quirks] ; a comment after the closing bracket',
    '"Split"=hex:\\',
    '  01,02,03',
    '"EmptyDword"=dword:',
    '"EmptyMulti"=hex(7):',
    '"Twice"="first"',
    '"TWICE"="second"',
    '"Spaced" = "x"',
    '  "Indented"="y"',
    '"Commented"="z" ; note',
    r'"Escapes"="a\\b\"c\nd"',
    '"Continued"=hex(2):41,00,\\',
    '; a comment between the lines of a hex list',
    '',
    '  42,00,00,00',
    '"LastWins"=dword:1',
    '"LastWins"="text"',
    '@="default"',
    '"Removed"="gone"',
    '"Removed"=-',
    '"Big"=dword:ffffffff',
    '"Short"=dword: 7 ;seven',
    '"Binary"=hex:de,ad,be,ef',
    '"NoTerminator"=hex(1):41,00,42,00',
    '"Embedded"=hex(1):41,00,00,00,42,00,00,00',
    '"OddBytes"=hex(2):41,00,42',
    '"FirstOfMany"=hex(7):41,00,00,00,00,00,42,00,00,00,00,00',
    '"ShortDword"=hex(4):01,02',
    '"LeDword"=hex(4):01,02,00,00',
    '"BigEndian"=hex(5):00,00,01,02',
    '"Custom"=hex(100):01,02',
    '"ShortQword"=hex(b):01,02',
    '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Quirks\Doomed]',
    '"x"="1"',
    r'[-HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Quirks\Doomed]',
    '"Orphan"="after a deletion"',
    '',
    r'[HKLM\SOFTWARE\Tesvari\Quirks\\Alias\]',
    '"v"="alias"',
    '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Quirks\a/b]',
    '"v"="slash"',
    '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Quirks\Bracket]x]',
    '"v"="last bracket"',
    ''], 'utf-8')

# Lines regedit rejects, mixed with good ones. Line numbers matter to the tests.
write('malformed.reg', [U5,                                         # 1
    '',                                                             # 2
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Malformed]',             # 3
    '"Good1"="kept"',                                               # 4
    'this line is not registry syntax',                             # 5 bad
    '"NoEquals" "x"',                                               # 6 bad
    '"TooLong"=dword:123456789',                                    # 7 bad
    '"BadHex"=hex:01,zz,03',                                        # 8 bad
    '"BadType"=str:"x"',                                            # 9 bad
    '"Trailing"="x" junk',                                          # 10 bad
    '"Unterminated="x',                                             # 11 bad
    '"Good2"="kept too"',                                           # 12
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Malformed\Open',         # 13 bad
    '"Lost"="not in any key"',                                      # 14 bad
    r'[HKEY_NOWHERE\Tesvari]',                                      # 15 bad
    '"Lost2"="x"',                                                  # 16 bad
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Malformed\Second]',      # 17
    '"Dangling"=hex:01,02,\\',                                      # 18 bad
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Malformed\Third]',       # 19
    '"Good3"="third"',                                              # 20
    r'"Escape"="C:\Temp"',                                          # 21 logged, kept
    '"Wrapped"=hex:01,\\',                                          # 22
    '  02 ,03',                                                     # 23 bad
    '"Good4"=hex(2):41,00,00,00',                                   # 24
    '#not a comment in a registry export',                          # 25 bad
    '"Good5"=dword:00000005',                                       # 26
    r'[-HKEY_LOCAL_MACHINE]',                                       # 27 bad
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Malformed\Fourth]',      # 28
    r'"Tw\o"="esc\apes"',                                           # 29 logged once, kept
    r'"Bad\qname"="x" junk',                                        # 30 bad, logged once
    '"Cut"=hex(2):41,00,\\',                                        # 31 the file ends in the list
    ''], 'utf-8', eol='\n')

# A regedit export cut off in the middle of a line, at an odd byte
src = open(D + 'exported/tesvari.reg', 'rb').read()
open(D + 'truncated-utf16.reg', 'wb').write(src[:1501])

# Bytes that are no text at all
rnd = random.Random(20240611)
open(D + 'garbage.reg', 'wb').write(bytes(rnd.randrange(256) for _ in range(4096)))

# No bytes at all
write('empty.reg', [], 'utf-8', final=False)

# A header regedit refuses, so nothing of the file is read
write('bad-header.reg', ['REGEDIT5', '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\BadHeader]',
    '"v"="never read"', ''], 'utf-8')

# A folder read in name order, later files winning
os.makedirs(D + 'layered', exist_ok=True)
utf16('layered/10-base.reg', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered]',
    sz('Kept', 'base'), sz('Overridden', 'base'), sz('Removed', 'base'), sz('Again', 'base'), '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered\Gone]', sz('v', 'base'), '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered\Gone\Child]', sz('v', 'base'), '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered\Reborn]', sz('Old', 'base'), ''])
write('layered/20-site.reg', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered]',
    sz('Overridden', 'site'), '"Removed"=-', '"Again"=-', sz('Again', 'site'), '',
    r'[-HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered\Gone]',
    r'[-HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered\Reborn]', '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered\Reborn]', sz('New', 'site'), '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\TESVARI\LAYERED\added]', sz('v', 'site'), ''], 'utf-8')
write('layered/30-LOCAL.REG', ['REGEDIT4', '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\TESVARI\layered]', sz('OVERRIDDEN', 'local'), ''], 'ascii')
write('layered/notes.txt', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered]', sz('Kept', 'notes.txt'), ''], 'utf-8')
write('layered/.hidden.reg', [U5, '',
    r'[HKEY_LOCAL_MACHINE\SOFTWARE\Tesvari\Layered]', sz('Hidden', '.hidden.reg'), ''], 'utf-8')
