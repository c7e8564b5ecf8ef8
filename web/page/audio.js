// What the child hears in the page: the game decides (bc_heard), the page
// plays sounds through Web Audio and says lines through speechSynthesis.
// Browsers let a page make sound only after a tap or a key, so the audio
// context starts on the first one; the line said before it is kept and said
// then, sounds from before it are let go.
export function createAudio(Module, call) {
  let context = null;
  let waitingLine = null;
  const buffers = new Map();

  function say(line) {
    if (!window.speechSynthesis) return;
    // A new line cuts off the one still speaking.
    window.speechSynthesis.cancel();
    const utterance = new SpeechSynthesisUtterance(line);
    // The lines come in the child's language, which the page is in.
    utterance.lang = document.documentElement.lang;
    utterance.rate = 0.9;
    window.speechSynthesis.speak(utterance);
  }

  function play(name) {
    const buffer = buffers.get(name);
    if (!context || !buffer) return;
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.start();
  }

  function start() {
    const Context = window.AudioContext || window.webkitAudioContext;
    // A finger's press does not yet let a page make sound, its lift does:
    // a context made on the press stays silent until it is resumed.
    if (context && context.state === 'suspended') context.resume().catch(() => {});
    if (context || !Context) return;
    context = new Context();
    const folder = '/resources/sounds';
    const names = Module.FS.analyzePath(folder).exists ? Module.FS.readdir(folder) : [];
    for (const file of names.filter((n) => n.endsWith('.ogg'))) {
      const bytes = Module.FS.readFile(`${folder}/${file}`);
      context.decodeAudioData(bytes.slice().buffer)
        .then((buffer) => buffers.set(file.slice(0, -4), buffer))
        .catch(() => console.warn(`buddycare: the sound ${file} could not be decoded and stays silent`));
    }
    if (waitingLine !== null) say(waitingLine);
    waitingLine = null;
  }

  function drain() {
    const { heard } = call('bc_heard');
    for (const h of heard || []) {
      if (h.sound) play(h.sound);
      else if (!context) waitingLine = h.say;
      else say(h.say);
    }
  }

  for (const type of ['pointerdown', 'pointerup']) document.addEventListener(type, start, { capture: true });
  document.addEventListener('keydown', start, { capture: true });
  return { drain };
}
