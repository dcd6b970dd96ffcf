#!/usr/bin/env python3
"""Writes the seed inputs of the image, audio and video harnesses from small
files made by the ffmpeg command line (run from the source folder)."""
import os, struct, subprocess, tempfile

def ffmpeg(*args):
    subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-y", *args], check=True)

def riff_streams(path):
    """(type, handler, format, [(chunk, key)]) of each stream of an AVI or WAV file."""
    data = open(path, "rb").read()
    wav = data[8:12] == b"WAVE"
    streams = [["auds", 0, b"", []]] if wav else []
    index = []
    def walk(begin, end):
        pos = begin
        while pos + 8 <= end:
            cid, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
            body = pos + 8
            if cid in (b"LIST", b"RIFF"):
                if data[body:body + 4] == b"strl":
                    streams.append(["", 0, b"", []])
                walk(body + 4, body + size)
            elif cid == b"strh":
                streams[-1][0] = data[body:body + 4].decode()
                streams[-1][1] = struct.unpack("<I", data[body + 4:body + 8])[0]
            elif cid in (b"strf", b"fmt "):
                streams[-1][2] = data[body:body + size]
            elif cid == b"data" and wav:
                streams[0][3].append((data[body:body + size], True))
            elif cid == b"idx1":
                index.extend(struct.unpack("<4sI", data[e:e + 8]) for e in range(body, body + size, 16))
            elif not wav and cid[:2].isdigit() and cid[2:] != b"ix":
                n = int(cid[:2])
                if n < len(streams):
                    streams[n][3].append((data[body:body + size], True))
            pos = body + size + (size & 1)
    walk(12, len(data))
    seen = {}
    for cid, flags in index:
        if cid[:2].isdigit():
            n = int(cid[:2]); k = seen.get(n, 0)
            if n < len(streams) and k < len(streams[n][3]):
                streams[n][3][k] = (streams[n][3][k][0], bool(flags & 0x10)); seen[n] = k + 1
    return streams

def video_seed(avi, output, limit):
    kind, handler, fmt, chunks = next(s for s in riff_streams(avi) if s[0] == "vids")
    out = bytes([output]) + struct.pack("<IH", handler, len(fmt)) + fmt
    for chunk, key in chunks[:limit]:
        out += struct.pack("<H", len(chunk) | (0 if key else 0x8000)) + chunk
    return out

def audio_seed(fmt, chunks):
    out = struct.pack("<H", len(fmt)) + fmt
    for chunk in chunks:
        out += struct.pack("<H", len(chunk)) + chunk
    return out

def main():
    root = os.path.dirname(os.path.abspath(__file__))
    tmp = tempfile.mkdtemp()
    f = lambda name: os.path.join(tmp, name)
    def write(harness, name, data):
        with open(os.path.join(root, harness, "corpus", name), "wb") as out:
            out.write(data)

    # Video: the widths whose rows the converter overran, every output depth.
    video = [("mpeg4-1017", "1017x2", ["-c:v", "mpeg4"], 0, 2), ("mpeg4-330", "330x8", ["-c:v", "mpeg4"], 2, 2),
             ("wmv2-1018", "1018x2", ["-c:v", "wmv2"], 1, 1), ("mjpeg422-1016", "1016x2", ["-c:v", "mjpeg", "-pix_fmt", "yuvj422p", "-q:v", "20"], 2, 1),
             ("mjpeg422-1017", "1017x2", ["-c:v", "mjpeg", "-pix_fmt", "yuvj422p", "-q:v", "20"], 1, 1),
             ("h264-reorder", "32x16", ["-c:v", "libx264", "-bf", "2", "-g", "8", "-pix_fmt", "yuv420p"], 3, 6),
             ("utvideo", "17x4", ["-c:v", "utvideo", "-pix_fmt", "gbrp"], 3, 2),
             ("raw-bottom-up", "7x3", ["-c:v", "rawvideo", "-pix_fmt", "bgr24"], 2, 2)]
    for name, size, codec, output, limit in video:
        ffmpeg("-f", "lavfi", "-i", f"testsrc=size={size}:rate=10", "-t", "0.6", *codec, f(name + ".avi"))
        write("video", name, video_seed(f(name + ".avi"), output, limit))

    # Audio.
    sine = ["-f", "lavfi", "-i", "sine=frequency=440:sample_rate=8000:duration=0.5", "-ac", "1"]
    ffmpeg(*sine, "-c:a", "libmp3lame", "-b:a", "8k", f("mp3.wav"))
    fmt, mp3 = riff_streams(f("mp3.wav"))[0][2], riff_streams(f("mp3.wav"))[0][3][0][0]
    write("audio", "mp3", audio_seed(fmt, [mp3[:300], mp3[300:600]]))
    # A header claiming 1 kHz: two seconds of output are 4000 bytes, and one
    # chunk fills the source buffer to its last byte (the parser read on).
    low = fmt[:4] + struct.pack("<I", 1000) + fmt[8:]
    write("audio", "mp3-full-source", audio_seed(low, [(mp3 * 8)[:4000]]))
    # A rate whose byte count wrapped in 32 bits.
    huge = fmt[:4] + struct.pack("<I", (1 << 30) + 11025) + fmt[8:]
    write("audio", "mp3-huge-rate", audio_seed(huge, [mp3[:600]]))
    ffmpeg(*sine, "-c:a", "adpcm_ms", "-t", "0.1", f("adpcm.wav"))
    s = riff_streams(f("adpcm.wav"))[0]
    write("audio", "adpcm-ms", audio_seed(s[2], [s[3][0][0][:700]]))
    ffmpeg(*sine, "-c:a", "ac3", "-b:a", "64k", f("ac3.wav"))
    s = riff_streams(f("ac3.wav"))[0]
    write("audio", "ac3", audio_seed(s[2], [s[3][0][0][:600]]))
    ffmpeg("-f", "lavfi", "-i", "testsrc=size=16x16:rate=1", "-f", "lavfi", "-i", "sine=sample_rate=8000:duration=0.5",
           "-t", "0.5", "-c:v", "mjpeg", "-c:a", "aac", "-b:a", "16k", f("aac.avi"))
    s = next(x for x in riff_streams(f("aac.avi")) if x[0] == "auds")
    write("audio", "aac-raw", audio_seed(s[2], [c for c, _ in s[3][:3]]))

    # Images: the first byte picks the name (see image.cpp).
    ext = ["png", "jpg", "bmp", "gif", "tif", "webp", "ico", "tga", "jxl"]
    for e, args in [("png", ["-pix_fmt", "rgba"]), ("jpg", []), ("bmp", ["-pix_fmt", "bgra"]), ("gif", []),
                    ("tif", ["-pix_fmt", "rgba"]), ("webp", ["-c:v", "libwebp", "-lossless", "1"]),
                    ("ico", []), ("tga", ["-pix_fmt", "bgra"])]:
        ffmpeg("-f", "lavfi", "-i", "testsrc=size=6x5", "-frames:v", "1", *args, f("picture." + e))
        write("image", e, bytes([ext.index(e)]) + open(f("picture." + e), "rb").read())
    write("image", "one-byte-jxl", bytes([ext.index("jxl"), 0xFF]))

if __name__ == "__main__":
    main()
