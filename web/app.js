// The page's state and what changes it: the service's answers and events, never a button alone.
import { Api, Refused, ServiceGone } from "./api.js";
import { kLanguages, Text } from "./texts.js";
import { PageView } from "./view.js";

const kLanguageKey = "hsq2600.language";
const kOutputBoards = ["K", "L"];

// The operator's own choice wins over the program's language flag.
const chosenLanguage = kLanguages.find((language) => language === localStorage.getItem(kLanguageKey));
const state = {
  language: chosenLanguage ?? "en",
  status: null,
  modes: {},
  current: {},
  signals: {},
  brightness: {},
  timers: [],
  busy: new Set(),
  serviceGone: false,
  tokenNeeded: false,
};

const byId = (id) => document.getElementById(id);
const view = new PageView({
  title: byId("title"), language: byId("language"), banner: byId("banner"),
  bannerText: byId("banner-text"), tokenButton: byId("token-button"), notes: byId("notes"),
  overview: byId("overview"), outputs: byId("outputs"), inputs: byId("inputs"), timers: byId("timers"),
}, { recall, setSource, setBrightness, timers: switchTimers });
const api = new Api(askToken);
const render = () => view.renderAll(state);

function askToken() {
  const dialog = byId("token-dialog");
  byId("token-prompt").textContent = Text(state.language, "tokenPrompt");
  byId("token-ok").textContent = Text(state.language, "ok");
  byId("token-cancel").textContent = Text(state.language, "cancel");
  byId("token-input").value = "";
  dialog.showModal();
  return new Promise((resolve) => {
    dialog.addEventListener("close", () => {
      resolve(dialog.returnValue === "ok" ? byId("token-input").value.trim() : null);
    }, { once: true });
  });
}

// Shows why a request failed: in the banner when the service is gone, else its own words.
function report(error) {
  if (error instanceof ServiceGone) {
    state.serviceGone = true;
    return;
  }
  if (!(error instanceof Refused)) throw error;
  state.serviceGone = false;
  state.tokenNeeded = error.status === 401;
  const message = error.body?.error?.[state.language]
    ?? Text(state.language, "requestFailed", error.status);
  view.notify(message, true);
}

async function loadAll() {
  try {
    const status = await api.get("/status");
    if (!state.status && !chosenLanguage && kLanguages.includes(status.language)) {
      state.language = status.language;
    }
    state.status = status;
    state.serviceGone = false;
    state.tokenNeeded = false;
    await Promise.all([loadModes(status), loadTimers()]);
  } catch (error) {
    report(error);
  }
  render();
}

async function loadModes(status) {
  const present = status.outputs.filter((board) => board.present && kOutputBoards.includes(board.board));
  state.modes = {};
  await Promise.all(present.map(async ({ board, displayMode }) => {
    state.current[board] = displayMode;
    try {
      state.modes[board] = await api.get(`/boards/${board}/modes`);
      state.current[board] = state.modes[board].current ?? displayMode;
    } catch (error) {
      report(error);
    }
  }));
}

async function loadTimers() {
  state.timers = (await api.get("/timers")).sections;
}

const refreshTimers = () => loadTimers().catch(report).then(render);

// Runs one command; `busyKey` keeps its controls disabled until the service answers.
async function command(busyKey, path, body, onConfirmed) {
  state.busy.add(busyKey);
  render();
  try {
    onConfirmed(await api.post(path, body));
    state.serviceGone = false;
  } catch (error) {
    report(error);
  }
  state.busy.delete(busyKey);
  render();
}

function recall(board, mode) {
  return command(`recall:${board}`, `/boards/${board}/recall`, { mode },
    (answer) => { state.current[answer.board] = answer.mode; });
}

function setSource(card, signal) {
  return command(`source:${card}`, `/inputs/${card}/source`, { signal },
    (answer) => { state.signals[answer.card] = answer.signal; });
}

function setBrightness(target, value) {
  const path = kOutputBoards.includes(target) ? `/boards/${target}/brightness`
    : `/inputs/${target}/brightness`;
  return command(`brightness:${target}`, path, { value }, (answer) => {
    state.brightness[answer.board ?? answer.card] = answer.value;
  });
}

function switchTimers(name, action) {
  return command(`timers:${name}`, `/timers/${name}/${action}`, undefined, (section) => {
    state.timers = state.timers.map((known) => (known.name === section.name ? section : known));
  });
}

const eventHandlers = {
  recall: ({ board, mode }) => { state.current[board] = mode; render(); },
  source: ({ card, signal }) => { state.signals[card] = signal; render(); },
  brightness: ({ board, value }) => { state.brightness[board] = value; render(); },
  health: ({ answering }) => {
    if (state.status) state.status.answering = answering;
    render();
  },
  timer: ({ text, confirmed }) => {
    view.notify(Text(state.language, confirmed ? "timerDone" : "timerNotConfirmed", text), !confirmed);
    refreshTimers();
  },
  timers: refreshTimers,
};

byId("language").addEventListener("click", () => {
  state.language = kLanguages.find((language) => language !== state.language);
  localStorage.setItem(kLanguageKey, state.language);
  render();
});

byId("token-button").addEventListener("click", async () => {
  const token = await askToken();
  if (!token) return;
  api.setToken(token);
  location.reload();
});

// Whatever happened while the event stream was down is read again when it comes back.
let streamLost = false;
const streamOpened = () => { if (streamLost) loadAll(); };
// A refusal (a token now asked for, say) is read by a request, which can tell why.
const streamBroke = (refused) => {
  streamLost = true;
  state.serviceGone = true;
  render();
  if (refused) loadAll();
};

render();
loadAll().then(() => {
  if (!state.tokenNeeded) api.listen(eventHandlers, streamOpened, streamBroke);
});
