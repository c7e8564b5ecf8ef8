// Places the game's frames as page elements: every control is a real element
// put where the frame description says, so the browser gives it focus, keys
// and a name for screen readers. Where things go, their colours, how far a
// slide has gone and how a text is broken all come with each frame; this
// keeps one layer per screen and changes only what a new frame changed.

function isClear(css) {
  return /,0(\.0*)?\)$/.test(css);
}

// Only what differs is written: a frame that changed nothing changes nothing in the page.
function setHidden(el, hidden) {
  if (el.hidden !== hidden) el.hidden = hidden;
}

function setAttr(el, name, value) {
  if (el.getAttribute(name) !== value) el.setAttribute(name, value);
}

function place(el, [x, y, w, h]) {
  el.style.left = `${x}px`;
  el.style.top = `${y}px`;
  el.style.width = `${w}px`;
  el.style.height = `${h}px`;
}

// A shape of the control's look: fill, corner, an edge just inside.
function paint(el, box) {
  el.style.backgroundColor = box.fill;
  el.style.setProperty('--pressed', box.pressed || box.fill);
  el.style.borderRadius = `${box.corner}px`;
  el.style.boxShadow = box.edgeWidth > 0 && !isClear(box.edge) ? `inset 0 0 0 ${box.edgeWidth}px ${box.edge}` : '';
}

// The parts drawn over a control (a switch's track and knob, a stepper's
// signs), one element each, in the order given.
function paintParts(el, parts) {
  const have = el.querySelectorAll(':scope > .part');
  for (let i = have.length; i < parts.length; i += 1) {
    el.append(Object.assign(document.createElement('span'), { className: 'part' }));
  }
  const all = el.querySelectorAll(':scope > .part');
  all.forEach((span, i) => {
    span.hidden = i >= parts.length;
    if (i >= parts.length) return;
    span.dataset.role = parts[i].role;
    place(span, parts[i].rect);
    paint(span, parts[i]);
  });
}

// A text on the lines the game broke it into, at the size it fitted.
function setText(el, fitted) {
  if (el.textContent !== fitted.lines) el.textContent = fitted.lines;
  el.style.fontSize = `${fitted.size}px`;
  el.style.lineHeight = `${fitted.lineHeight}px`;
  el.style.fontWeight = fitted.bold ? '700' : '400';
  el.style.color = fitted.color;
}

class Layer {
  constructor(screen, handlers, pictureUrl, words) {
    this.id = screen.id;
    this.className = screen.class;
    this.handlers = handlers;
    this.pictureUrl = pictureUrl;
    this.words = words;
    this.el = document.createElement('section');
    this.el.className = 'screen';
    this.el.dataset.screen = screen.class;
    this.el.dataset.id = String(screen.id);
    this.heading = document.createElement('h1');
    this.heading.className = 'sr-only';
    this.heading.tabIndex = -1;
    this.heading.id = `screen-${screen.id}-title`;
    this.el.setAttribute('aria-labelledby', this.heading.id);
    this.el.append(this.heading);
    this.controls = [];
    this.update(screen);
  }

  update(screen) {
    this.el.style.backgroundColor = screen.background;
    this.el.style.transform = screen.dx === 0 ? 'none' : `translateX(${screen.dx}px)`;
    if (this.heading.textContent !== screen.title) this.heading.textContent = screen.title || screen.class;
    for (const c of screen.controls) {
      let slot = this.controls[c.i];
      if (!slot) {
        slot = { el: this.create(c), last: '' };
        this.controls[c.i] = slot;
        this.el.append(slot.el);
      }
      const key = JSON.stringify(c);
      if (key !== slot.last) {
        slot.last = key;
        this.apply(slot.el, c);
      }
    }
    this.arrange(screen.tabs);
  }

  // Tab goes round the controls in reading order, as in the window, while
  // each keeps its place in the drawing order (its z-index). Only those out
  // of place move: a moved element loses the focus.
  arrange(tabs) {
    let previous = null;
    for (const i of tabs) {
      const { el } = this.controls[i];
      const follows = previous ? previous.compareDocumentPosition(el) & Node.DOCUMENT_POSITION_FOLLOWING : true;
      if (!follows) previous.after(el);
      previous = el;
    }
  }

  create(c) {
    let el;
    switch (c.kind) {
      case 'image':
        el = document.createElement('img');
        el.className = 'image';
        el.draggable = false;
        el.decoding = 'sync';
        break;
      case 'label':
        el = document.createElement('div');
        el.className = 'label';
        el.append(Object.assign(document.createElement('span'), { className: 'text' }));
        break;
      case 'button':
        el = document.createElement('button');
        el.type = 'button';
        el.className = 'button';
        el.addEventListener('click', (event) => this.activated(event, c.i));
        break;
      case 'switch': {
        el = document.createElement('button');
        el.type = 'button';
        el.className = 'switch';
        el.setAttribute('role', 'switch');
        el.addEventListener('click', (event) => this.activated(event, c.i));
        break;
      }
      case 'stepper': {
        el = document.createElement('div');
        el.className = 'stepper';
        el.setAttribute('role', 'group');
        const minus = Object.assign(document.createElement('button'), { type: 'button', className: 'minus' });
        const plus = Object.assign(document.createElement('button'), { type: 'button', className: 'plus' });
        minus.addEventListener('click', (event) => this.activated(event, c.i, false));
        plus.addEventListener('click', (event) => this.activated(event, c.i, true));
        el.addEventListener('keydown', (event) => {
          const up = event.key === 'ArrowRight' || event.key === 'ArrowUp';
          const down = event.key === 'ArrowLeft' || event.key === 'ArrowDown';
          if (up || down) {
            event.preventDefault();
            this.handlers.key(this.id, c.name, up ? 'up' : 'down');
          }
        });
        el.append(minus, plus);
        break;
      }
      default:
        el = document.createElement('div');
        el.className = 'view';
        el.setAttribute('aria-hidden', 'true');
    }
    el.dataset.name = c.name;
    el.dataset.kind = c.kind;
    el.style.zIndex = String(c.i + 1);
    // The keyboard reaching a control moves the game's focus there, which says its name.
    el.addEventListener('focusin', (event) => {
      if (event.target.matches(':focus-visible')) this.handlers.focus(this.id, c.name);
    });
    return el;
  }

  // A finger or the mouse taps through the game's rules of press and
  // release (the stage hands those on); a click of no pointer comes from a
  // key or a screen reader, and works the control at once.
  activated(event, index, up) {
    if (this.handlers.byPointer(event)) return;
    if (up === undefined) this.handlers.tap(this.id, index);
    else this.handlers.step(this.id, index, up);
  }

  apply(el, c) {
    const look = c.look;
    place(el, c.frame);
    el.hidden = c.hidden;
    el.classList.toggle('pressed', c.pressed);
    paint(el, look.body);
    paintParts(el, look.parts);
    switch (c.kind) {
      case 'image': {
        el.classList.toggle('cover', look.cover);
        el.classList.toggle('contain', !look.cover);
        el.alt = c.label || '';
        if (c.picture) {
          const url = this.pictureUrl(c.picture);
          if (el.getAttribute('src') !== url) {
            el.src = url;
            el.setAttribute('elementtiming', c.picture);
          }
          el.dataset.picture = c.picture;
        } else {
          el.removeAttribute('src');
          delete el.dataset.picture;
          if (isClear(look.body.fill)) el.hidden = true;
        }
        break;
      }
      case 'label': {
        const [, , w] = c.frame;
        const [x, , aw] = look.text.area;
        el.style.textAlign = look.text.align;
        el.style.paddingLeft = `${x}px`;
        el.style.paddingRight = `${Math.max(0, w - x - aw)}px`;
        const text = el.querySelector('.text');
        setText(text, c.fitted);
        // The words that say what a number is come first for a screen reader.
        let prefix = el.querySelector('.sr-only');
        if (c.label && c.label !== c.text) {
          if (!prefix) {
            prefix = Object.assign(document.createElement('span'), { className: 'sr-only' });
            el.prepend(prefix);
          }
          prefix.textContent = `${c.label}: `;
        } else if (prefix) {
          prefix.remove();
        }
        el.dataset.text = c.text;
        break;
      }
      case 'button':
        this.applyButton(el, c);
        break;
      case 'switch':
        el.setAttribute('aria-checked', String(c.on));
        el.setAttribute('aria-label', c.says);
        el.disabled = !c.enabled;
        break;
      case 'stepper': {
        const name = c.says;
        el.setAttribute('aria-label', name);
        const [minus, plus] = el.querySelectorAll('button');
        minus.setAttribute('aria-label', `${name}: ${this.words.minus}`);
        plus.setAttribute('aria-label', `${name}: ${this.words.plus}`);
        minus.setAttribute('aria-disabled', String(c.value <= c.min));
        plus.setAttribute('aria-disabled', String(c.value >= c.max));
        el.dataset.value = String(c.value);
        break;
      }
    }
  }

  applyButton(el, c) {
    const look = c.look;
    el.disabled = !c.enabled;
    if (c.label || !c.title) {
      el.setAttribute('aria-label', c.says);
    } else {
      el.removeAttribute('aria-label');
    }
    el.dataset.title = c.title;

    let icon = el.querySelector('.icon');
    let title = el.querySelector('.title');
    if (look.picture && c.icon && !icon) {
      icon = Object.assign(document.createElement('img'), { className: 'icon', alt: '', draggable: false });
      el.prepend(icon);
    } else if (!(look.picture && c.icon) && icon) {
      icon.remove();
      icon = null;
    }
    if (!title) {
      title = Object.assign(document.createElement('span'), { className: 'title' });
      el.append(title);
    }
    title.hidden = !look.text || !c.title;
    if (look.text) {
      setText(title, c.fitted);
      place(title, look.text.area);
      title.style.opacity = String(look.opacity);
    } else {
      title.textContent = c.title;
    }
    if (icon) {
      const url = this.pictureUrl(c.icon);
      if (icon.getAttribute('src') !== url) icon.src = url;
      place(icon, look.picture);
      icon.style.opacity = String(look.opacity);
    }
  }
}

function canKeepFocus(el) {
  return el !== null && el !== document.body && el.isConnected && !el.disabled && !el.closest('[hidden], [inert]');
}

export class Renderer {
  // handlers: tap(screenId, index), step(screenId, index, up), key(screenId,
  // name, key), focus(screenId, name), back(), pointer(kind, x, y), canvas({ width, height })
  constructor(stage, handlers, pictureUrl, words) {
    this.stage = stage;
    this.words = words;
    this.screens = stage.querySelector('#screens');
    this.bar = stage.querySelector('#bar');
    this.barBack = stage.querySelector('#bar-back');
    this.barTitle = stage.querySelector('#bar-title');
    this.barHighlight = Object.assign(document.createElement('span'), { className: 'highlight' });
    this.barHairline = Object.assign(document.createElement('span'), { className: 'hairline' });
    this.bar.prepend(this.barHairline);
    this.barBack.prepend(this.barHighlight);
    this.ring = Object.assign(document.createElement('div'), { id: 'ring' });
    this.ring.setAttribute('aria-hidden', 'true');
    this.ring.append(document.createElement('span'), document.createElement('span'));
    stage.append(this.ring);
    this.announcer = document.getElementById('announcer');
    this.announced = 0;
    this.pictureUrl = pictureUrl;
    this.layers = new Map();
    this.top = 0;
    this.canvas = null;
    this.lastRelease = -Infinity;
    // The click that follows a press and release the game has already had.
    const byPointer = (event) => event.detail !== 0 && event.timeStamp - this.lastRelease < 1000;
    this.handlers = { ...handlers, byPointer };
    this.barBack.addEventListener('click', (event) => { if (!byPointer(event)) handlers.back(); });
    this.barBack.addEventListener('focusin', () => {
      if (this.barBack.matches(':focus-visible')) handlers.focus(this.top, '');
    });
    this.listenForPointers();
    // Focus moving to a control off the canvas (on a sliding screen) must not
    // scroll the canvas itself: everything would stay shifted.
    stage.addEventListener('scroll', (event) => {
      const target = event.target;
      if (target instanceof Element && (target.scrollTop !== 0 || target.scrollLeft !== 0)) {
        target.scrollTop = 0;
        target.scrollLeft = 0;
      }
    }, true);
  }

  // Presses, moves and releases go to the game in its points, wherever on the
  // stage they land: the game decides what is a tap, as in the window.
  listenForPointers() {
    const at = (event) => {
      const box = this.stage.getBoundingClientRect();
      const width = this.canvas ? this.canvas.width : box.width;
      const scale = box.width > 0 ? width / box.width : 1;
      return [(event.clientX - box.left) * scale, (event.clientY - box.top) * scale];
    };
    const kinds = { pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3 };
    let held = null;
    for (const [type, kind] of Object.entries(kinds)) {
      this.stage.addEventListener(type, (event) => {
        if (!event.isPrimary || (type === 'pointerdown' && event.button !== 0)) return;
        if (type === 'pointerdown') {
          held = event.pointerId;
          // The release is heard even off the stage.
          if (this.stage.setPointerCapture) {
            try { this.stage.setPointerCapture(event.pointerId); } catch { /* the pointer is already gone */ }
          }
        } else if (held !== event.pointerId) {
          return;
        }
        if (type === 'pointerup' || type === 'pointercancel') {
          held = null;
          this.lastRelease = event.timeStamp;
        }
        this.handlers.pointer(kind, ...at(event));
      });
    }
  }

  layer(id) {
    return this.layers.get(id);
  }

  topLayer() {
    return this.layers.get(this.top);
  }

  render(frame) {
    const first = this.top === 0;
    const hadFocus = this.stage.contains(document.activeElement);
    this.size(frame.canvas);
    const keep = new Set(frame.screens.map((screen) => screen.id));
    // Gone screens leave first: moving a layer that stays would drop its focus.
    for (const [id, layer] of this.layers) {
      if (!keep.has(id)) {
        layer.el.remove();
        this.layers.delete(id);
      }
    }
    let previous = null;
    for (const screen of frame.screens) {
      let layer = this.layers.get(screen.id);
      if (!layer) {
        layer = new Layer(screen, this.handlers, this.pictureUrl, this.words);
        this.layers.set(screen.id, layer);
      } else {
        layer.update(screen);
      }
      // The leaving screen takes no focus and no taps while it goes.
      layer.el.inert = Boolean(frame.slide) && screen.id === frame.slide.from;
      // Drawing order: later screens over earlier ones.
      const want = previous ? previous.el.nextSibling : this.screens.firstChild;
      if (layer.el !== want) this.screens.insertBefore(layer.el, want);
      previous = layer;
    }
    this.renderBar(frame.bar, first);
    this.renderRing(frame.focus);
    this.focused = frame.focus ? (frame.focus.onBar ? '' : frame.focus.name) : null;
    // Said to assistive technology (and read by the tests); the game alone refuses input meanwhile.
    this.stage.classList.toggle('busy', frame.animating);
    setAttr(this.stage, 'aria-busy', String(frame.animating));
    if (frame.announce.count !== this.announced) {
      this.announced = frame.announce.count;
      this.announcer.textContent = frame.announce.text;
    }

    const topChanged = frame.top !== this.top;
    this.top = frame.top;
    // A control that the keyboard was on and that went away (a "Buy" spent
    // the coins) leaves the keyboard on the screen, not outside the page.
    if ((topChanged && !first) || (hadFocus && !canKeepFocus(document.activeElement))) this.focusTop();
  }

  size(canvas) {
    if (this.canvas && this.canvas.width === canvas.width && this.canvas.height === canvas.height) return;
    this.canvas = canvas;
    const root = document.documentElement.style;
    root.setProperty('--canvas-width', `${canvas.width}px`);
    root.setProperty('--canvas-height', `${canvas.height}px`);
    root.setProperty('--surround', canvas.surround);
    this.handlers.canvas(canvas);
  }

  // Keyboard and screen-reader users land on the new screen's name.
  focusTop() {
    const active = document.activeElement;
    const inStage = active === document.body || active === null || this.stage.contains(active) || !active.isConnected;
    const layer = this.topLayer();
    if (inStage && layer) layer.heading.focus({ preventScroll: true });
  }

  // The game's ring where the game has the focus, while the browser shows
  // that the keyboard is on a control.
  renderRing(focus) {
    const active = document.activeElement;
    const on = (el) => (el === this.barBack ? '' : el.closest('[data-name]')?.dataset.name);
    const shown = Boolean(focus) && active !== null && this.stage.contains(active) && active.matches(':focus-visible') &&
      on(active) === (focus.onBar ? '' : focus.name);
    setHidden(this.ring, !shown);
    if (!shown) return;
    [focus.inner, focus.outer].forEach((band, i) => {
      const span = this.ring.children[i];
      place(span, band.rect);
      span.style.borderRadius = `${band.corner}px`;
      span.style.border = `${band.edgeWidth}px solid ${band.edge}`;
    });
  }

  renderBar(bar, first) {
    if (first) {
      const root = document.documentElement.style;
      for (const [name, colour] of Object.entries(bar.look)) root.setProperty(`--${name}`, colour);
    }
    setHidden(this.bar, bar.shown === 0);
    place(this.bar, bar.body.rect);
    paint(this.bar, bar.body);
    const [, barY] = bar.body.rect;
    const within = (rect) => [rect[0], rect[1] - barY, rect[2], rect[3]];
    place(this.barHairline, within(bar.hairline.rect));
    paint(this.barHairline, bar.hairline);
    if (bar.title) {
      place(this.barTitle, within(bar.title.area));
      setText(this.barTitle, bar.title);
    } else {
      this.barTitle.textContent = '';
    }
    setHidden(this.barBack, !bar.back);
    place(this.barBack, within(bar.backRect));
    setAttr(this.barBack, 'aria-label', bar.backSays);
    if (bar.backLabel) {
      const label = this.barBack.querySelector('.label');
      const [bx, by] = bar.backRect;
      const [x, y, w, h] = bar.backLabel.area;
      place(label, [x - bx, y - by, w, h]);
      setText(label, bar.backLabel);
    }
    setHidden(this.barHighlight, !bar.backHighlight);
    if (bar.backHighlight) {
      const [bx, by] = bar.backRect;
      const [x, y, w, h] = bar.backHighlight.rect;
      place(this.barHighlight, [x - bx, y - by, w, h]);
      paint(this.barHighlight, bar.backHighlight);
    }
  }
}
