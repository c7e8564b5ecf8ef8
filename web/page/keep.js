// The game kept on this device once a grown-up switches "Remember on this
// device" on: one entry of the page's storage holding the same JSON as the
// window's file. The game decides what is kept; this only carries it across.
const ENTRY = 'buddycare-progress';
const ASIDE = `${ENTRY}.damaged`;

let warned = false;

function storage() {
  try {
    return window.localStorage;
  } catch {
    return null; // storage turned off for the site: the game plays without remembering
  }
}

// Far more than the game writes; a longer entry is handed over cut, which the
// game refuses as too large (and so sets aside) without copying it whole.
const MOST = 64 * 1024 + 1;

// What the entry held at start, or null.
export function keptProgress() {
  try {
    const kept = storage()?.getItem(ENTRY) ?? null;
    return kept === null ? null : kept.slice(0, MOST);
  } catch {
    return null;
  }
}

// Applies what the game did to its kept progress since it was last asked.
export function storeProgress(call) {
  const store = storage();
  const changes = call('bc_progress');
  for (const change of Array.isArray(changes) ? changes : []) {
    try {
      if (!store) throw new Error('the page may not use storage');
      if (typeof change.put === 'string') {
        store.setItem(ENTRY, change.put);
      } else if (change.remove) {
        store.removeItem(ENTRY);
      } else if (change.aside) {
        // A second damaged copy replaces the first, as the window's file does.
        const damaged = store.getItem(ENTRY);
        if (damaged !== null) store.setItem(ASIDE, damaged);
        store.removeItem(ENTRY);
      }
    } catch (error) {
      if (!warned) console.warn(`buddycare: warning: the game cannot be remembered here (${error.message})`);
      warned = true;
    }
  }
}
