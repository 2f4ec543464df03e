// Builds the page's sections from the page's state. It decides nothing: each control calls one
// of the actions given to it.
import { LayoutPicture } from "./layout_svg.js";
import { Text } from "./texts.js";

const kSignals = [["sdi", "SDI"], ["dvi", "DVI"], ["vga", "VGA"], ["video", "Video"]];
const kInputBrightnessMax = 100;
const kOutputBrightnessMax = 32;

function el(tag, properties = {}, ...children) {
  const element = document.createElement(tag);
  const { className, text, on, ...attributes } = properties;
  if (className) element.className = className;
  if (text !== undefined) element.textContent = text;
  for (const [key, value] of Object.entries(attributes)) {
    if (value !== false && value !== undefined) element.setAttribute(key, value === true ? "" : value);
  }
  for (const [name, handler] of Object.entries(on ?? {})) element.addEventListener(name, handler);
  element.append(...children);
  return element;
}

export class PageView {
  constructor(parts, actions) {
    this.parts = parts;
    this.actions = actions;
  }

  renderAll(state) {
    const t = (key, ...values) => Text(state.language, key, ...values);
    document.documentElement.lang = state.language === "zh" ? "zh-CN" : "en";
    document.title = t("title");
    this.parts.title.textContent = t("title");
    this.parts.language.textContent = t("otherLanguage");
    this.parts.tokenButton.textContent = t("enterToken");
    this.renderBanner(state);
    if (!state.status) return;
    this.parts.overview.replaceChildren(...this.overview(state, t));
    this.parts.outputs.replaceChildren(...this.outputs(state, t));
    this.parts.inputs.replaceChildren(...this.inputs(state, t));
    this.parts.timers.replaceChildren(...this.timers(state, t));
  }

  renderBanner(state) {
    const key = state.serviceGone ? "goneBanner"
      : state.tokenNeeded ? "tokenBanner"
      : state.status && !state.status.answering ? "silentBanner" : null;
    this.parts.banner.hidden = key === null;
    this.parts.bannerText.textContent = key ? Text(state.language, key) : "";
    this.parts.tokenButton.hidden = key !== "tokenBanner";
  }

  // A short message at the foot of the screen, gone after a while.
  notify(message, isError) {
    const note = el("p", { className: isError ? "note error" : "note", text: message });
    this.parts.notes.append(note);
    setTimeout(() => note.remove(), isError ? 8000 : 5000);
  }

  overview(state, t) {
    const status = state.status;
    const health = el("p", {
      className: status.answering ? "health ok" : "health bad",
      text: t(status.answering ? "answering" : "silent"),
    });
    const facts = [health];
    if (status.resolution) {
      facts.push(el("p", { className: "format",
        text: t("outputFormat", status.resolution.width, status.resolution.height) }));
    }
    const cards = [
      ...status.inputs.map((card) => this.cardTile(t("inputCard", card.card), card, t)),
      ...status.outputs.map((board) => this.cardTile(t("outputBoard", board.board), board, t)),
    ];
    return [el("h2", { text: t("cards") }), el("div", { className: "facts" }, ...facts),
      el("ul", { className: "tiles" }, ...cards)];
  }

  cardTile(name, card, t) {
    const details = [t(card.present ? "present" : "absent")];
    if (card.present && card.version) details.push(card.version);
    return el("li", { className: card.present ? "tile present" : "tile absent" },
      el("span", { className: "name", text: name }),
      el("span", { className: "details", text: details.join(" · ") }));
  }

  outputs(state, t) {
    const boards = state.status.outputs.filter((board) => board.present);
    if (boards.length === 0) return [el("p", { className: "empty", text: t("noCards") })];
    return boards.map(({ board }) => el("section", { className: "panel", "data-board": board },
      el("h2", { text: t("outputBoard", board) }),
      this.brightness(state, t, board, kOutputBrightnessMax),
      el("h3", { text: t("displayModes") }),
      this.modeButtons(state, t, board)));
  }

  modeButtons(state, t, board) {
    const bank = state.modes[board];
    if (!bank) return el("p", { className: "empty", text: t("noModes") });
    return el("div", { className: "modes" }, ...bank.modes.map((mode) => {
      const inForce = state.current[board] === mode.mode;
      const busy = state.busy.has(`recall:${board}`);
      const label = el("span", { className: "label" },
        el("span", { className: "caption", text: mode.caption }));
      if (inForce) label.append(el("span", { className: "badge", text: t("inForce") }));
      return el("button", {
        className: "mode", type: "button", title: mode.caption, "data-mode": mode.mode,
        "aria-pressed": inForce ? "true" : "false", disabled: busy,
        on: { click: () => this.actions.recall(board, mode.mode) },
      }, LayoutPicture(mode, bank.outputWidth, bank.outputHeight), label);
    }));
  }

  inputs(state, t) {
    const cards = state.status.inputs.filter((card) => card.present);
    if (cards.length === 0) return [el("p", { className: "empty", text: t("noCards") })];
    return cards.map(({ card }) => el("section", { className: "panel", "data-card": card },
      el("h2", { text: t("inputCard", card) }),
      el("h3", { text: t("signal") }),
      this.signalButtons(state, card),
      this.brightness(state, t, card, kInputBrightnessMax)));
  }

  signalButtons(state, card) {
    const busy = state.busy.has(`source:${card}`);
    return el("div", { className: "signals" }, ...kSignals.map(([signal, label]) => el("button", {
      className: "signal", type: "button", text: label, "data-signal": signal,
      "aria-pressed": state.signals[card] === signal ? "true" : "false", disabled: busy,
      on: { click: () => this.actions.setSource(card, signal) },
    })));
  }

  // The slider sends its value when released; the number beside it is the processor's.
  brightness(state, t, target, max) {
    const confirmed = state.brightness[target];
    const shown = el("output", { text: confirmed ?? t("unknown") });
    const slider = el("input", {
      type: "range", min: 0, max, step: 1, value: confirmed ?? Math.round(max / 2),
      "aria-label": `${t("brightness")} ${target}`, disabled: state.busy.has(`brightness:${target}`),
      on: {
        input: (event) => { shown.textContent = event.target.value; shown.className = "pending"; },
        change: (event) => this.actions.setBrightness(target, Number(event.target.value)),
      },
    });
    return el("label", { className: "brightness" },
      el("span", { text: t("brightness") }), slider, shown);
  }

  timers(state, t) {
    return [el("h2", { text: t("timers") }),
      el("div", { className: "timer-sections" }, ...state.timers.map((section) => {
        const busy = state.busy.has(`timers:${section.name}`);
        const entries = section.pending ?? [];
        const pending = entries.length === 0
          ? [el("li", { className: "empty", text: t("nothingPending") })]
          : entries.map((entry) => el("li", {},
            el("time", { text: entry.time }), el("span", { text: entry.text })));
        return el("section", { className: "panel timer", "data-section": section.name },
          el("h3", { text: t(`timerSection_${section.name}`) }),
          el("p", { className: section.running ? "state running" : "state",
            text: t(section.running ? "running" : "stopped") }),
          el("div", { className: "actions" },
            el("button", { type: "button", text: t("start"), disabled: busy || section.running,
              on: { click: () => this.actions.timers(section.name, "start") } }),
            el("button", { type: "button", text: t("stop"), disabled: busy || !section.running,
              on: { click: () => this.actions.timers(section.name, "stop") } })),
          el("ul", { className: "pending" }, ...pending));
      }))];
  }
}
