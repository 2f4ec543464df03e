// Talks to the service: JSON requests with the access token, and the stream of its events.
const kTokenKey = "hsq2600.token";
const kEventNames = ["recall", "source", "brightness", "health", "timer", "timers"];
const kReconnectMs = 3000;
const kMaxRetryAfterS = 5;

// Thrown when the service cannot be reached at all.
export class ServiceGone extends Error {}

// An answer other than 2xx; `body` holds the service's JSON when it sent any.
export class Refused extends Error {
  constructor(status, body) {
    super(`HTTP ${status}`);
    this.status = status;
    this.body = body;
  }
}

export class Api {
  // askToken() resolves to a token the operator typed, or null when they declined.
  constructor(askToken) {
    this.askToken = askToken;
    this.token = localStorage.getItem(kTokenKey);
    this.askedOnce = false;
  }

  get(path) {
    return this.request("GET", path);
  }

  post(path, body) {
    return this.request("POST", path, body);
  }

  async request(method, path, body) {
    let response = await this.send(method, path, body);
    if (response.status === 429) {
      // Refused before it reached the processor, so sending it again later is safe.
      await pause(retryAfterMs(response));
      response = await this.send(method, path, body);
    }
    if (response.status === 401 && (await this.renewToken())) {
      response = await this.send(method, path, body);
    }
    const json = await response.json().catch(() => null);
    if (!response.ok) throw new Refused(response.status, json);
    return json;
  }

  async send(method, path, body) {
    const headers = {};
    if (this.token) headers.Authorization = `Bearer ${this.token}`;
    if (body !== undefined) headers["Content-Type"] = "application/json";
    try {
      return await fetch(`/api/v1${path}`, {
        method,
        headers,
        body: body === undefined ? undefined : JSON.stringify(body),
        cache: "no-store",
      });
    } catch {
      throw new ServiceGone();
    }
  }

  // The operator is asked once per page load; a wrong token answers 401 again and is shown.
  async renewToken() {
    if (this.askedOnce) return false;
    this.askedOnce = true;
    const token = await this.askToken();
    if (!token) return false;
    this.setToken(token);
    return true;
  }

  setToken(token) {
    this.token = token;
    localStorage.setItem(kTokenKey, token);
  }

  // Calls handlers[name](data) for each event, onOpen() when the stream (re)starts and
  // onLost(refused) when it breaks. A browser cannot put a header on an event stream, hence
  // the query.
  listen(handlers, onOpen, onLost) {
    const query = this.token ? `?token=${encodeURIComponent(this.token)}` : "";
    const source = new EventSource(`/api/v1/events${query}`);
    source.onopen = onOpen;
    source.onerror = () => {
      // The browser retries a broken stream itself, but not one the service refused.
      const refused = source.readyState === EventSource.CLOSED;
      onLost(refused);
      if (refused) setTimeout(() => this.listen(handlers, onOpen, onLost), kReconnectMs);
    };
    for (const name of kEventNames) {
      source.addEventListener(name, (event) => {
        const data = parseJson(event.data);
        if (data) handlers[name](data);
      });
    }
  }
}

function retryAfterMs(response) {
  const seconds = Number(response.headers.get("Retry-After"));
  return Math.min(Number.isFinite(seconds) && seconds > 0 ? seconds : 1, kMaxRetryAfterS) * 1000;
}

function pause(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

function parseJson(text) {
  try {
    return JSON.parse(text);
  } catch {
    return null;
  }
}
