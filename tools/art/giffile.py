"""A GIF89a writer for animations: one global colour table, full-size frames
that replace each other (no transparency, no disposal tricks, so every
decoder shows the same pictures), one delay for all frames and an endless
loop. Pixels are passed as top-down palette indices.
"""
import struct

MAX_CODE = 4095


class _BitPacker:
    """LZW codes packed least significant bit first, as GIF stores them."""

    def __init__(self):
        self.out = bytearray()
        self.buffer = 0
        self.count = 0

    def put(self, code, bits):
        self.buffer |= code << self.count
        self.count += bits
        while self.count >= 8:
            self.out.append(self.buffer & 0xFF)
            self.buffer >>= 8
            self.count -= 8

    def finish(self):
        if self.count:
            self.out.append(self.buffer & 0xFF)
        return bytes(self.out)


def lzw(indices, min_code_size):
    """The compressed image data. The code width grows one entry late, when
    the decoder (which adds each entry a code later) needs it to."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    packer = _BitPacker()
    state = {'bits': min_code_size + 1, 'next': end + 1}

    def emit(code):
        packer.put(code, state['bits'])
        if state['next'] >= 1 << state['bits'] and state['bits'] < 12:
            state['bits'] += 1

    emit(clear)
    table = {}
    prefix = indices[0]
    for index in indices[1:]:
        key = prefix << 8 | index
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        emit(prefix)
        prefix = index
        if state['next'] >= MAX_CODE:
            emit(clear)
            table.clear()
            state['bits'], state['next'] = min_code_size + 1, end + 1
        else:
            table[key] = state['next']
            state['next'] += 1
    emit(prefix)
    emit(end)
    return packer.finish()


def _sub_blocks(data):
    blocks = bytearray()
    for start in range(0, len(data), 255):
        chunk = data[start:start + 255]
        blocks.append(len(chunk))
        blocks += chunk
    return bytes(blocks) + b'\0'


def animated_gif(width, height, palette, frames, delay_hundredths):
    """palette: up to 256 (r, g, b); frames: sequences of width * height indices."""
    if not 1 <= len(palette) <= 256:
        raise ValueError('a GIF palette holds 1 to 256 colours')
    depth = max(2, (len(palette) - 1).bit_length())
    colours = list(palette) + [(0, 0, 0)] * ((1 << depth) - len(palette))
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', width, height, 0x80 | (depth - 1) << 4 | (depth - 1), 0, 0)
    out += b''.join(bytes(colour) for colour in colours)
    out += b'\x21\xff\x0bNETSCAPE2.0\x03\x01' + struct.pack('<H', 0) + b'\0'
    for frame in frames:
        if len(frame) != width * height:
            raise ValueError('a frame must hold width * height indices')
        # Graphic control: disposal "leave in place", no transparent colour.
        out += b'\x21\xf9\x04\x04' + struct.pack('<H', delay_hundredths) + b'\0\0'
        out += b'\x2c' + struct.pack('<HHHHB', 0, 0, width, height, 0)
        out.append(depth)
        out += _sub_blocks(lzw(frame, depth))
    out.append(0x3B)
    return bytes(out)
