#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (fuzz/corpus/<target>/) and dictionaries.

Every seed is made here, from nothing: hand-written texts, pictures assembled byte by byte, and
(when ImageMagick's convert and ffmpeg are installed) a tiny JPEG and three tiny sound files
generated from a test tone. Run it again after changing a reader's format; the results are
committed. The RTF seeds and dictionary are kept by hand and left alone.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(ROOT, '..', 'src')


def put(target, name, data):
    folder = os.path.join(ROOT, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode('utf-8')
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def dictionary(target, comment, words):
    with open(os.path.join(ROOT, target + '.dict'), 'w') as f:
        f.write('# ' + comment + '\n')
        for w in words:
            escaped = ''.join(c if 32 <= ord(c) < 127 and c not in '"\\' else '\\x%02X' % ord(c)
                              for c in w)
            f.write('"%s"\n' % escaped)


def cp1252(text):
    return text.encode('cp1252')


# Slide lines: file, flags, prompt, answers, time, audio.
LINES = [
    '\t\tBenvinguts\tUna presentació\t\t',
    'paisatge.jpg\tL\tPaisatge\tEl sol|i el llac\t\t',
    'mapa.png\tN1XPR*3x500y250\tOn és el far?\t*Al nord//*4|Al sud//Mira el mapa|A l\'est//<0,5\t12\tfar.mp3',
    'H\tHTArAcAs\tPregunta\tresposta//<-1.5\t\t',
    'text.rtf\tX\tEscriu\t&c&asa\t30\t',
    'programa.exe\tOC\tObre\t\t\t',
    'un\tdos',
]
for i, line in enumerate(LINES):
    put('slide_line', 'line%d.txt' % i, line)
dictionary('slide_line', 'Slide line markers and answer forms for fuzz_slide_line.',
           ['\t', 'H', 'L', 'T', 'R', 'B', 'N0', 'N1', 'N2', 'N3', 'X', 'P', 'Ar', 'Ac', 'As',
            '*', 'x', 'y', 'O', 'C', '|', '//', '//*', '//<', '&', '-1', '.jpg', '.rtf', '.mp3'])

put('slide_list', 'cp1252.sal', cp1252('\r\n'.join(LINES[:4]) + '\r\n'))
put('slide_list', 'utf8.sal', '\n'.join(LINES) + '\n')
put('slide_list', 'bom.sal', b'\xef\xbb\xbf' + '\r\n'.join(LINES[2:5]).encode('utf-8'))
put('slide_list', 'mixed.sal', b'a\tb\tc\td\te\tf\r' + cp1252('è\t\t\t\t\t\n') + b'\r\n\r\n')
dictionary('slide_list', 'Slide list markers and line ends for fuzz_slide_list.',
           ['\t', '\r\n', '\r', '\n', '\xef\xbb\xbf', 'N1', 'XPR', '*', '//<', '|'])

# Settings files.
keys = set()
for name in ('PresentationSettingsFile.cpp', 'ProgramOptionsFile.cpp', 'TModIniLS.cpp'):
    path = os.path.join(SRC, 'config', name)
    if os.path.exists(path):
        keys.update(re.findall(r'"([A-Z][A-Za-z0-9_]*)"', open(path, encoding='utf-8').read()))
INI = '''[Options]
ManualViewing=1
PresDRandom=2
RandomRangeInf=3
RandomRangeSup=1

[TitlePanel]
ColorStart=7360544
ColorEnd=0x00FF00
ColorBackGroundEffect=4
BmpForBackgroud=fons.bmp

[FontNote1]
Color=-2147483640
FontName=MS Sans Serif
FontSize=12
fsBold=1
'''
put('ini', 'settings.ini', INI.replace('\n', '\r\n'))
put('ini', 'odd.ini', '; comment\r\nbefore=1\r\n[A]\r\nnoequals\r\nx=$7F\r\n[a]\r\nX=0x\r\n[B\r\n=\r\n')
put('ini', 'cp1252.ini', cp1252('[Opcions]\r\nNom=Àlex\r\n'))
for name in ('Mostra.ini', 'Questionari.ini'):
    path = os.path.join(ROOT, '..', 'samples', name)
    if os.path.exists(path):
        put('settings', name, open(path, 'rb').read())
put('settings', 'settings.ini', INI.replace('\n', '\r\n'))
put('settings', 'options.ini', '[Options]\r\nActionEndIndex=3\r\nActionXIndex=99\r\n'
    '[WriteResults]\r\nWrite=1\r\nDir=/no/such/folder\r\n[Presentation]\r\nSalPath=a.sal\r\n')
ini_words = ['[', ']', '=', ';', '\r\n', '0x', '$', '-1', '1', '0', '2147483647'] + sorted(keys)
dictionary('ini', 'Section and key names of the settings files for fuzz_ini.', ini_words)
dictionary('settings', 'Section and key names of the settings files for fuzz_settings.', ini_words)

# Base64.
put('base64', 'line.txt', 'SG9sYSwgbcOzbi4=')
put('base64', 'broken.txt', 'QUJD\r\nRE=F\r\n*G H\r\n=')
put('base64', 'long.txt', '\r\n'.join(['QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVphYmNkZWZnaGlqa2xtbm9wcXJzdHV2d3h5ejAx'] * 3))
put('base64', 'plain.txt', 'No és Base64 del tot')

# Tables as text.
put('table_text', 'words.wml', cp1252('casa\tHabitatge\r\ngat\tAnimal domèstic\r\n'))
put('table_text', 'sounds.sml', 'far.png\t500\t250\tfar.mp3\tEl far\r\n\t\t\t\tSense fitxer\r\n')
put('table_text', 'kinds.txt', 'a\t12\t-7\t1\t1.5\t31/12/2024\t01/02/2003 04:05:06\r\n"q"\t\t\t0\r\n')
put('table_text', 'faulty.txt', 'a\tb\tc\td\te\tf\tg\th\r\n')
dictionary('table_text', 'Field separators and value forms for fuzz_table_text.',
           ['\t', '\r\n', '"', '1', '0', '-', '.', '/', ':', '31/12/2024', '23:59:59', '32767',
            '65536', '2147483648'])

# Users and domains: the first byte 0 says the rest are rows to encode, 1 that it is the file.
import base64
users_rows = 'Professors\tanna\tclau\t1\r\nAlumnes\tpere\t\t0\r\n'
put('users', 'rows.txt', b'\x00' + users_rows.encode('utf-8'))
put('users', 'file.txt', b'\x01' + base64.b64encode(cp1252(users_rows)))
put('users', 'domains.txt', b'\x00' + b'Escola\t/tmp\r\nAltre\t/no/such\r\n')
put('users', 'notbase64.txt', b'\x01' + b'\x00\x01\x02')
dictionary('users', 'Row separators and field forms for fuzz_users.',
           ['\t', '\r\n', '1', '0', '\x00', '\x01', '='])

# Recent-file list: the first byte also chooses the maximum.
put('recent', 'list.lru', '/home/anna/Mostra.sal\r\n/home/anna/Questionari.sal\r\n\r\nc.sal\r\n')
put('recent', 'cp1252.lru', cp1252('\x05Àlbum.sal\r\nb.sal\n'))

# Command lines, arguments separated by NUL.
for i, args in enumerate(['/A\0Mostra.sal', '/E:anna\0a.sal\0extra', '/l', '/Arxius/a.sal',
                          '/X:anna', '/L:ab']):
    put('command_line', 'args%d.txt' % i, args)
dictionary('command_line', 'Switches for fuzz_command_line.',
           ['/A', '/E', '/L', ':', '\x00', '.sal', '.wml', '.sml'])


# Pictures, assembled byte by byte.
def le16(v):
    return struct.pack('<H', v & 0xFFFF)


def bmp(width, height, bits=24):
    row = ((width * bits + 31) // 32) * 4
    palette = b''
    if bits == 8:
        palette = b''.join(bytes((i, 255 - i, i // 2, 0)) for i in range(4))
    pixels = bytes((x * 37 + y * 11) & (0xFF if bits == 24 else 3)
                   for y in range(height) for x in range(row))
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                         4 if bits == 8 else 0, 0)
    offset = 14 + len(header) + len(palette)
    return b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + header + palette + pixels


put('bmp', 'rgb.bmp', bmp(3, 2))
put('bmp', 'palette.bmp', bmp(5, 3, 8))
top_down = bytearray(bmp(2, 2))
struct.pack_into('<i', top_down, 22, -2)
put('bmp', 'topdown.bmp', bytes(top_down))


def ico(width, height):
    dib = bytearray(bmp(width, height)[14:])
    struct.pack_into('<i', dib, 8, height * 2)  # the mask's rows follow the colours'
    mask = bytes(((width + 31) // 32) * 4 * height)
    image = bytes(dib) + mask
    return (struct.pack('<HHH', 0, 1, 1) +
            struct.pack('<BBBBHHII', width, height, 0, 0, 1, 24, len(image), 22) + image)


put('ico', 'icon.ico', ico(4, 4))
put('ico', 'cursor.ico', b'\x00\x00\x02\x00' + ico(2, 2)[4:])


def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png(width, height, colour_type=2, depth=8, interlace=0, extra=b''):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row = (width * channels * depth + 7) // 8
    raw = b''.join(b'\x00' + bytes((x + y) & 0xFF for x in range(row)) for y in range(height))
    out = b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, depth,
                                                             colour_type, 0, 0, interlace))
    if colour_type == 3:
        out += png_chunk(b'PLTE', bytes(range(12)))
    out += extra + png_chunk(b'IDAT', zlib.compress(raw)) + png_chunk(b'IEND', b'')
    return out


put('png', 'rgb.png', png(3, 2))
put('png', 'palette.png', png(4, 4, 3, 2, extra=png_chunk(b'tRNS', b'\x00\x80')))
put('png', 'rgba16.png', png(2, 2, 6, 16))
put('png', 'interlaced.png', png(9, 9, 0, 8, 1, extra=png_chunk(b'gAMA', struct.pack('>I', 45455))))
dictionary('png', 'Chunk names for fuzz_png.',
           ['\x89PNG\r\n\x1a\n', 'IHDR', 'PLTE', 'IDAT', 'IEND', 'tRNS', 'gAMA', 'cHRM', 'sRGB',
            'iCCP', 'tEXt', 'zTXt', 'iTXt', 'bKGD', 'pHYs', 'sBIT', 'hIST', 'tIME', 'acTL', 'fcTL'])


def gif(width, height, frames, colours=4, extensions=b''):
    bits = max(1, (colours - 1).bit_length())
    out = b'GIF89a' + le16(width) + le16(height) + bytes((0x80 | (bits - 1), 0, 0))
    out += b''.join(bytes((i * 60, 255 - i * 60, i * 20)) for i in range(1 << bits))
    out += b'!\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00' + extensions
    for left, top, w, h, disposal in frames:
        out += b'!\xf9\x04' + bytes(((disposal << 2) | 1, 10, 0, 1, 0))
        out += b',' + le16(left) + le16(top) + le16(w) + le16(h) + b'\x00'
        min_code = max(2, bits)
        # Uncompressed LZW: a clear code before every pixel keeps the code width fixed.
        clear, end = 1 << min_code, (1 << min_code) + 1
        width_bits = min_code + 1
        codes = []
        for i in range(w * h):
            codes += [clear, i % colours]
        codes.append(end)
        acc = nbits = 0
        data = bytearray()
        for c in codes:
            acc |= c << nbits
            nbits += width_bits
            while nbits >= 8:
                data.append(acc & 0xFF)
                acc >>= 8
                nbits -= 8
        if nbits:
            data.append(acc & 0xFF)
        out += bytes((min_code,))
        for i in range(0, len(data), 255):
            piece = data[i:i + 255]
            out += bytes((len(piece),)) + piece
        out += b'\x00'
    return out + b';'


put('gif', 'one.gif', gif(3, 2, [(0, 0, 3, 2, 0)]))
put('gif', 'frames.gif', gif(6, 6, [(0, 0, 6, 6, 1), (2, 2, 3, 3, 2), (4, 4, 4, 4, 3)],
                             extensions=b'!\xfe\x02hi\x00'))
put('gif', 'truncated.gif', gif(4, 4, [(0, 0, 4, 4, 0)])[:-9])
dictionary('gif', 'Blocks and extensions for fuzz_gif.',
           ['GIF87a', 'GIF89a', '!\xf9\x04', '!\xfe', '!\xff\x0bNETSCAPE2.0', '!\x01', ',', ';',
            '\x00'])


# Metafiles: a placeable header, then records of (size in words, function, parameters).
def wmf(records, placeable=True):
    body = b''
    for fn, params in records:
        body += struct.pack('<IH', 3 + len(params), fn) + b''.join(le16(p) for p in params)
    body += struct.pack('<IH', 3, 0)
    header = struct.pack('<HHHIHIH', 1, 9, 0x0300, (18 + len(body)) // 2, 4, 10, 0)
    out = header + body
    if placeable:
        head = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, 0, 0, 100, 100, 1440, 0)
        checksum = 0
        for i in range(0, 20, 2):
            checksum ^= struct.unpack_from('<H', head, i)[0]
        out = head + le16(checksum) + out
    return out


shapes = [(0x020B, [0, 0]), (0x020C, [100, 100]), (0x02FC, [0, 0x00FF, 0]), (0x012D, [0]),
          (0x02FA, [0, 3, 0, 0, 255]), (0x012D, [1]), (0x041B, [80, 80, 10, 10]),
          (0x0418, [90, 90, 20, 20]), (0x0324, [3, 0, 0, 50, 90, 90, 10]),
          (0x0538, [2, 3, 3, 0, 0, 10, 0, 10, 10, 20, 20, 30, 20, 30, 30]),
          (0x081A, [0, 50, 50, 100, 100, 100, 0, 0]), (0x0521, [2, 0x4848, 10, 10]),
          (0x001E, []), (0x0127, [0xFFFF]), (0x0213, [5, 5]), (0x0214, [60, 70]),
          (0x01F0, [0])]
put('wmf', 'shapes.wmf', wmf(shapes))
put('wmf', 'plain.wmf', wmf(shapes[:8], placeable=False))
put('wmf', 'text.wmf', wmf([(0x020C, [50, 50]), (0x02FB, [12, 0, 0, 0, 400, 0, 0, 0, 0x4241]),
                            (0x012D, [0]), (0x0209, [0xFFFF, 0]), (0x0a32, [10, 10, 2, 0, 0x4241])]))
dictionary('wmf', 'Record functions for fuzz_wmf (little-endian words).',
           ['\xd7\xcd\xc6\x9a', '\x01\x00\x09\x00\x00\x03'] +
           [struct.pack('<H', fn).decode('latin-1') for fn in
            (0x020B, 0x020C, 0x02FC, 0x02FA, 0x02FB, 0x012D, 0x01F0, 0x041B, 0x0418, 0x0324,
             0x0538, 0x081A, 0x0521, 0x0A32, 0x001E, 0x0127, 0x0213, 0x0214, 0x0209, 0x0201,
             0x0102, 0x0106, 0x0104, 0x0F43, 0x0B41, 0x0940, 0x0142, 0x00F7, 0x0234, 0x0035)])


def generated(target, name, command):
    """Runs a generator that writes `out`; skipped when the tool is missing."""
    if not shutil.which(command[0]):
        print('no %s: %s/%s not made' % (command[0], target, name), file=sys.stderr)
        return
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, name)
        subprocess.run([a.replace('OUT', out) for a in command], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        put(target, name, open(out, 'rb').read())


JPEG_WRITER = r"""
#include <stdio.h>
#include <stdlib.h>
#include <jpeglib.h>
int main(int argc, char **argv)
{
    int w = atoi(argv[2]), h = atoi(argv[3]), components = atoi(argv[4]);
    struct jpeg_compress_struct c;
    struct jpeg_error_mgr e;
    FILE *f = fopen(argv[1], "wb");
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = w;
    c.image_height = h;
    c.input_components = components;
    c.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 40, TRUE);
    if (atoi(argv[5]))
        jpeg_simple_progression(&c);
    c.restart_interval = atoi(argv[6]);
    jpeg_start_compress(&c, TRUE);
    JSAMPLE row[64 * 3];
    while (c.next_scanline < c.image_height) {
        for (int i = 0; i < w * components; ++i)
            row[i] = (JSAMPLE)(i * 29 + c.next_scanline * 13);
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    fclose(f);
    return 0;
}
"""


def jpegs():
    cc = shutil.which('cc') or shutil.which('clang')
    if not cc:
        print('no C compiler: jpeg seeds not made', file=sys.stderr)
        return
    with tempfile.TemporaryDirectory() as tmp:
        source, program = os.path.join(tmp, 'w.c'), os.path.join(tmp, 'w')
        open(source, 'w').write(JPEG_WRITER)
        subprocess.run([cc, source, '-o', program, '-ljpeg'], check=True)
        for name, args in (('rgb.jpg', '16 8 3 0 0'), ('progressive.jpg', '9 9 3 1 0'),
                           ('grey-restart.jpg', '8 16 1 0 1')):
            out = os.path.join(tmp, name)
            subprocess.run([program, out] + args.split(), check=True)
            put('jpeg', name, open(out, 'rb').read())


jpegs()
dictionary('jpeg', 'Markers for fuzz_jpeg.',
           ['\xff\xd8', '\xff\xd9', '\xff\xc0', '\xff\xc2', '\xff\xc4', '\xff\xdb', '\xff\xda',
            '\xff\xdd', '\xff\xe0JFIF\x00', '\xff\xe1Exif\x00\x00', '\xff\xfe', '\xff\xd0'])
tone = ['ffmpeg', '-hide_banner', '-nostdin', '-y', '-f', 'lavfi', '-i',
        'sine=frequency=440:sample_rate=8000:duration=0.1', '-ac', '1',
        '-fflags', '+bitexact', '-flags:a', '+bitexact', '-map_metadata', '-1']
generated('audio_input', 'tone.mp3', tone + ['-c:a', 'libmp3lame', '-b:a', '8k', 'OUT'])
generated('audio_input', 'tone.ogg', tone + ['-c:a', 'libvorbis', '-q:a', '0', 'OUT'])
generated('audio_input', 'tone.wma', tone + ['-c:a', 'wmav2', '-b:a', '24k', 'OUT'])
dictionary('audio_input', 'Container and frame markers for fuzz_audio_input.',
           ['ID3', 'OggS', '\x01vorbis', '\x03vorbis', '\x05vorbis', '\xff\xfb', '\xff\xf3',
            'Xing', 'Info', '0&\xb2u\x8ef\xcf\x11\xa6\xd9\x00\xaa\x00b\xcel'])
