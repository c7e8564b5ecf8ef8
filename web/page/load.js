// Fetches the game's code and pictures as soon as the page is read, while
// the scripts that run them still load, and fills the loading bar as they
// arrive. Each download ends whole, or with an error that says what went
// wrong with the file.
const loadingBar = document.getElementById('loading-bar');

// The bundle's own sizes, written when it was laid out: the loading bar's
// whole, whatever encoding the server chose.
const SIZES = (() => {
  try {
    return JSON.parse(document.querySelector('meta[name="buddycare-sizes"]').content);
  } catch {
    return {};
  }
})();
const STALL_MS = 5000;
const received = new Map();

function showProgress() {
  const names = Object.keys(SIZES);
  const whole = names.reduce((sum, name) => sum + SIZES[name], 0);
  if (whole > 0) loadingBar.value = 0.9 * Math.min(1, names.reduce((sum, name) => sum + (received.get(name) || 0), 0) / whole);
}

// A file of the game, whole, or an error that says what went wrong with it.
// `alongside` is handed a copy of the bytes as they arrive; `compile` the
// response itself, while these are counted from a copy of it.
async function download(name, alongside, compile) {
  const abort = new AbortController();
  let stalled = setTimeout(() => abort.abort(), STALL_MS);
  const restart = () => {
    clearTimeout(stalled);
    stalled = setTimeout(() => abort.abort(), STALL_MS);
  };
  try {
    const response = await fetch(name, { signal: abort.signal }).catch((error) => {
      throw new Error(abort.signal.aborted ? `${name} did not arrive` : `${name} could not be fetched (${error.message})`);
    });
    if (!response.ok) throw new Error(`${name} is missing (HTTP ${response.status})`);
    const plain = !response.headers.get('Content-Encoding');
    const expected = SIZES[name] || (plain && Number(response.headers.get('Content-Length'))) || 0;
    let body = response.body;
    if (compile) {
      body = response.clone().body;
      compile(response);
    }
    if (alongside) {
      const [own, copy] = body.tee();
      body = own;
      alongside(copy);
    }
    const reader = body.getReader();
    const chunks = [];
    let got = 0;
    for (;;) {
      const { done, value } = await reader.read().catch(() => {
        throw new Error(abort.signal.aborted ? `${name} stopped arriving` : `${name} was cut off`);
      });
      if (done) break;
      restart();
      chunks.push(value);
      got += value.length;
      received.set(name, got);
      showProgress();
    }
    if (expected && got !== expected) throw new Error(`${name} is cut short (${got} of ${expected} bytes)`);
    const whole = new Uint8Array(got);
    let at = 0;
    for (const chunk of chunks) {
      whole.set(chunk, at);
      at += chunk.length;
    }
    return whole;
  } finally {
    clearTimeout(stalled);
  }
}

function started(name, alongside, compile) {
  const whole = download(name, alongside, compile);
  // Failing before the game asks for it is no stray error: the game says why.
  whole.catch(() => {});
  return whole;
}

// The code compiles while it downloads, from the response itself (the
// network's or the service worker's), so that the browser can keep the
// compiled code for the next visit; a copy of the bytes only counts them.
// A download that fails says why before the compiler does.
let compiling = null;
const wasm = started('buddycare.wasm', null, (response) => {
  compiling = WebAssembly.compileStreaming ? WebAssembly.compileStreaming(response) : null;
  if (compiling) compiling.catch(() => {});
});
const compiled = wasm.then((bytes) => (compiling || WebAssembly.compile(bytes)).catch((error) => {
  throw new Error(`buddycare.wasm is damaged (${error.message})`);
}));
compiled.catch(() => {});

export const downloads = { wasm, compiled, data: started('buddycare.data') };

// The scripts that run the game say themselves why it could not start; when
// one of them did not come, nothing else would.
Promise.allSettled(Object.values(downloads)).then(() => setTimeout(() => {
  // The first frame may be up (first.js), but without the game's scripts nothing answers it.
  if (window.buddycare && window.buddycare.ready) return;
  document.getElementById('loading').hidden = false;
  document.getElementById('loading').classList.add('problem');
  loadingBar.hidden = true;
  document.getElementById('loading-text').textContent =
    'The game could not start: its scripts did not load. Please reload the page.';
}, 3000));
