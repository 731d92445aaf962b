// ふりがな: ruby over every kanji word a reader may not know yet, in the
// page's controls, panels, cards and sentences, kept up as the page changes.
// The readings are the core's (the "ruby" request): `ask(texts, grade)`
// answers one list of pieces a text, a plain piece as a string and a piece
// with ruby as [text, reading].
"use strict";

const planetariumFurigana = (ask) => {
  // Where no ruby goes: code, the pictures, ruby itself, what was already
  // done, and the words kept for a screen reader.
  const SKIP = "script,style,noscript,textarea,canvas,rt,rp,ruby,.fg,.unseen";
  const KANJI = /[\u3400-\u9fff\uf900-\ufaff々]/;
  // The 小学生 setting's choice of words, where the page has one: the
  // control's whole text, said as a 4th grader says it.
  const EASY = {
    "再生": "動かす", "一時停止": "止める", "拡大": "大きく", "縮小": "小さく", "閉じる": "とじる",
    "探す": "さがす", "全画面": "画面いっぱい", "全画面を終わる": "もどる", "数値": "数の表",
    "星座の一覧": "星座のリスト", "高度・方位線": "高さ・方角の線",
  };
  // Requests stay well inside the core's limit on a request's length.
  const BATCH_CHARS = 16000;
  let grade = null;  // null: no ruby; 0: every kanji word; 1..6: beyond that grade
  const pending = new Set();
  let scheduled = false;

  const observer = new MutationObserver((records) => {
    for (const r of records) {
      if (r.type === "characterData") queue(r.target);
      for (const n of r.addedNodes) queue(n);
    }
  });
  function queue(node) {
    pending.add(node);
    if (!scheduled) {
      scheduled = true;
      queueMicrotask(flush);
    }
  }

  function skipped(element) {
    return !element || element.closest(SKIP) !== null;
  }
  // The text nodes (and options, which hold no markup) under `node` that
  // may need ruby.
  function collect(node, texts, options) {
    if (!node.isConnected) return;
    if (node.nodeType === Node.TEXT_NODE) {
      const parent = node.parentElement;
      if (parent && parent.tagName === "OPTION") return collect(parent, texts, options);
      if (!skipped(parent) && KANJI.test(node.data)) texts.push(node);
      return;
    }
    if (node.nodeType !== Node.ELEMENT_NODE || skipped(node)) return;
    if (node.tagName === "OPTION") {
      if (node.dataset.plain === undefined && KANJI.test(node.text)) options.push(node);
      return;
    }
    for (const child of [...node.childNodes]) collect(child, texts, options);
  }

  function pieceNodes(pieces) {
    return pieces.map((p) => {
      if (typeof p === "string") return document.createTextNode(p);
      const ruby = document.createElement("ruby");
      const rt = document.createElement("rt");
      rt.textContent = p[1];
      ruby.append(p[0], rt);
      return ruby;
    });
  }

  function flush() {
    scheduled = false;
    const texts = [], options = [];
    for (const node of pending) collect(node, texts, options);
    pending.clear();
    if (grade === null || texts.length + options.length === 0) return;
    const easy = grade > 0;
    const sources = [...texts.map((t) => t.data), ...options.map((o) => o.text)].map((s) =>
      easy && EASY[s.trim()] ? s.replace(s.trim(), EASY[s.trim()]) : s);
    const answers = [];
    for (let start = 0; start < sources.length;) {
      let end = start, chars = 0;
      while (end < sources.length && (end === start || chars + sources[end].length < BATCH_CHARS)) chars += sources[end++].length;
      answers.push(...ask(sources.slice(start, end), grade));
      start = end;
    }
    texts.forEach((node, i) => {
      const pieces = answers[i];
      if (sources[i] === node.data && pieces.every((p) => typeof p === "string")) return;
      const span = document.createElement("span");
      span.className = "fg";
      span.dataset.plain = node.data;
      span.append(...pieceNodes(pieces));
      node.replaceWith(span);
    });
    options.forEach((option, k) => {
      const pieces = answers[texts.length + k];
      const text = pieces.map((p) => (typeof p === "string" ? p : `${p[0]}（${p[1]}）`)).join("");
      if (text === option.text) return;
      option.dataset.plain = option.text;
      option.text = text;
    });
  }

  // Every ruby and choice of words taken back out.
  function undo(root) {
    for (const span of root.querySelectorAll("span.fg")) span.replaceWith(span.dataset.plain);
    for (const option of root.querySelectorAll("option[data-plain]")) {
      option.text = option.dataset.plain;
      delete option.dataset.plain;
    }
    root.normalize();
  }

  return {
    // level: "" (なし), "school" (小学生: beyond the 4th grade) or "all" (すべて).
    set(level) {
      observer.disconnect();
      pending.clear();
      undo(document.body);
      grade = level === "school" ? 4 : level === "all" ? 0 : null;
      if (grade === null) return;
      observer.observe(document.body, {subtree: true, childList: true, characterData: true});
      queue(document.body);
      flush();
    },
  };
};
