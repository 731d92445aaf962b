// What the page makes to keep: a film (the browser's own video encoder), a
// frame series (numbered PNGs in one ZIP, as the program writes
// FILE-0001.png ...) and the planisphere's two A4 pages. Each frame is a
// picture of the core's, stamped with when and where, drawn as the page
// draws its sky.
"use strict";

const planetariumKeep = ({drawList, step, paint, twipsPerPixel}) => {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const four = (n) => String(n).padStart(4, "0");

  // The frames' moments: the first as asked, then every `every` minutes by
  // the program's calendar; each frame its own picture (a fresh canvas
  // painted), handed to `use` in turn. Stops at the calendar's end with
  // the reason, or when `signal` is aborted.
  async function eachFrame(req, frames, every, use, signal) {
    const canvas = document.createElement("canvas");
    let at = req.at;
    for (let k = 1; k <= frames; ++k) {
      if (signal?.aborted) throw new DOMException("中止しました。", "AbortError");
      if (k > 1) at = step(at, every);
      paint(canvas, drawList({...req, at, stamp: true, seed: (req.seed ?? 1) + k - 1}), 1);
      await use(canvas, k, at);
    }
  }

  const NO_FILM = "このブラウザでは動画を作れません。「コマを保存（ZIP）」を使ってください。";

  // The best kind of film the browser can make: WebM where it can, MP4
  // (Safari) otherwise; nothing where it has no encoder for a canvas.
  function filmType() {
    if (typeof MediaRecorder === "undefined" || !HTMLCanvasElement.prototype.captureStream) return null;
    return ["video/webm;codecs=vp9", "video/webm;codecs=vp8", "video/webm", "video/mp4"].find((t) =>
      MediaRecorder.isTypeSupported(t)) ?? null;
  }

  // A film of `frames` pictures, `fps` a second, recorded as it is shown:
  // it takes frames / fps seconds to make. Resolves to a Blob.
  async function film(req, {frames, every, fps}, progress, signal) {
    const type = filmType();
    if (!type) throw new Error(NO_FILM);
    let recorder = null, stream = null, done = null;
    const chunks = [];
    await eachFrame(req, frames, every, async (canvas, k) => {
      if (!recorder) {
        // The stream sends a frame only when asked, so each picture is one
        // frame of the film however long it took to draw.
        stream = canvas.captureStream(0);
        recorder = new MediaRecorder(stream, {mimeType: type, videoBitsPerSecond: 4000000});
        recorder.ondataavailable = (e) => e.data.size && chunks.push(e.data);
        done = new Promise((resolve) => { recorder.onstop = resolve; });
        recorder.start();
      }
      const track = stream.getVideoTracks()[0];
      if (track.requestFrame) track.requestFrame();
      progress?.(k, frames);
      await sleep(1000 / fps);
    }, signal).finally(async () => {
      if (recorder && recorder.state !== "inactive") {
        recorder.stop();
        await done;
      }
      stream?.getTracks().forEach((t) => t.stop());
    });
    const blob = new Blob(chunks, {type: type.split(";")[0]});
    // An encoder that is offered but records nothing (a browser without its
    // video codecs) gives no file rather than an empty one.
    if (blob.size === 0) throw new Error("このブラウザでは動画を作れませんでした。「コマを保存（ZIP）」を使ってください。");
    return blob;
  }

  // The frames as PNGs in one ZIP (stored, not compressed: PNG is already).
  async function frameZip(req, {frames, every, base}, progress, signal) {
    const files = [];
    await eachFrame(req, frames, every, async (canvas, k) => {
      const blob = await new Promise((resolve) => canvas.toBlob(resolve, "image/png"));
      files.push({name: `${base}-${four(k)}.png`, bytes: new Uint8Array(await blob.arrayBuffer())});
      progress?.(k, frames);
    }, signal);
    return zip(files);
  }

  // A ZIP archive of stored files, names in UTF-8.
  const CRC = (() => {
    const t = new Uint32Array(256);
    for (let n = 0; n < 256; ++n) {
      let c = n;
      for (let k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
      t[n] = c >>> 0;
    }
    return t;
  })();
  function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) c = CRC[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  }
  function zip(files) {
    const parts = [], central = [];
    let offset = 0;
    const header = (size) => new DataView(new ArrayBuffer(size));
    for (const f of files) {
      const name = new TextEncoder().encode(f.name);
      const crc = crc32(f.bytes);
      const local = header(30);
      local.setUint32(0, 0x04034b50, true);
      local.setUint16(4, 20, true);
      local.setUint16(6, 0x0800, true);  // names in UTF-8
      local.setUint32(14, crc, true);
      local.setUint32(18, f.bytes.length, true);
      local.setUint32(22, f.bytes.length, true);
      local.setUint16(26, name.length, true);
      parts.push(local, name, f.bytes);
      const entry = header(46);
      entry.setUint32(0, 0x02014b50, true);
      entry.setUint16(4, 20, true);
      entry.setUint16(6, 20, true);
      entry.setUint16(8, 0x0800, true);
      entry.setUint32(16, crc, true);
      entry.setUint32(20, f.bytes.length, true);
      entry.setUint32(24, f.bytes.length, true);
      entry.setUint16(28, name.length, true);
      entry.setUint32(42, offset, true);
      central.push(entry, name);
      offset += 30 + name.length + f.bytes.length;
    }
    const centralSize = central.reduce((n, p) => n + p.byteLength, 0);
    const end = header(22);
    end.setUint32(0, 0x06054b50, true);
    end.setUint16(8, files.length, true);
    end.setUint16(10, files.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);
    return new Blob([...parts, ...central, end], {type: "application/zip"});
  }

  // The planisphere's pages as images at `dpi` for printing on A4.
  function planispherePages(answer, dpi) {
    return answer.pages.map((list) => {
      const canvas = document.createElement("canvas");
      // Twips are 1,440 an inch.
      paint(canvas, list, (dpi / 1440) * twipsPerPixel());
      return canvas;
    });
  }

  return {film, filmType, frameZip, planispherePages};
};
