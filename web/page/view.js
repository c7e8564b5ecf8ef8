// Draws the game's frames as page elements: every control is a real element
// placed on the 375x667 stage, so the browser gives it focus, keys and a name
// for screen readers. It keeps one layer per screen and changes only what a
// new frame changed.

const CANVAS_WIDTH = 375;
const EASE_OUT = 'cubic-bezier(0.33, 1, 0.68, 1)';

function isClear(css) {
  return /,0(\.0*)?\)$/.test(css);
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
  el.style.setProperty('--pressed', box.pressed);
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

function textStyle(el, text) {
  el.style.fontSize = `${text.font}px`;
  el.style.fontWeight = text.bold ? '700' : '400';
  el.style.color = text.color;
}

// As in the window: a text longer than its area wraps (the style sheet lets
// it), then shrinks a step at a time, never below the smallest readable size.
// Only a laid-out box can be measured: off the page or hidden, every size
// reads zero and any text would seem to fit. Says whether the text was fitted.
const SMALLEST_TEXT = 14;
function shrinkToFit(el, text, overflows) {
  const key = `${text.font}|${el.textContent}|${el.style.width}|${el.style.height}`;
  if (el.dataset.fitted !== key) {
    if (!el.isConnected || el.getClientRects().length === 0) {
      delete el.dataset.fitted;
      return false;
    }
    let size = text.font;
    for (; size > Math.min(text.font, SMALLEST_TEXT) && overflows(); size -= 1) el.style.fontSize = `${size - 1}px`;
    el.dataset.fitted = key;
    el.dataset.fittedSize = String(size);
  }
  el.style.fontSize = `${el.dataset.fittedSize}px`;
  return true;
}

// What a screen reader calls a control: the words the interface description
// gives it, else what it shows, else its name in code.
export function accessibleName(c) {
  if (c.label) return c.label;
  if (c.kind === 'button' && c.title) return c.title;
  if (c.kind === 'label' && c.text) return c.text;
  return c.outlet || c.name;
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
    // Texts that could not be measured yet, each with what fits it.
    this.unfitted = new Map();
    this.update(screen);
  }

  fit(el, text, overflows) {
    if (shrinkToFit(el, text, overflows)) this.unfitted.delete(el);
    else this.unfitted.set(el, () => shrinkToFit(el, text, overflows));
  }

  // Once the layer is on the page, or the page has changed size.
  fitWaiting() {
    for (const [el, fit] of this.unfitted) if (fit()) this.unfitted.delete(el);
  }

  update(screen) {
    this.el.style.backgroundColor = screen.background;
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
        el.addEventListener('click', () => this.handlers.tap(this.id, c.i));
        break;
      case 'switch': {
        el = document.createElement('button');
        el.type = 'button';
        el.className = 'switch';
        el.setAttribute('role', 'switch');
        el.addEventListener('click', () => this.handlers.tap(this.id, c.i));
        break;
      }
      case 'stepper': {
        el = document.createElement('div');
        el.className = 'stepper';
        el.setAttribute('role', 'group');
        const minus = Object.assign(document.createElement('button'), { type: 'button', className: 'minus' });
        const plus = Object.assign(document.createElement('button'), { type: 'button', className: 'plus' });
        minus.addEventListener('click', () => this.handlers.step(this.id, c.i, false));
        plus.addEventListener('click', () => this.handlers.step(this.id, c.i, true));
        el.addEventListener('keydown', (event) => {
          const up = event.key === 'ArrowRight' || event.key === 'ArrowUp';
          const down = event.key === 'ArrowLeft' || event.key === 'ArrowDown';
          if (up || down) {
            event.preventDefault();
            this.handlers.step(this.id, c.i, up);
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
    return el;
  }

  apply(el, c) {
    const look = c.look;
    place(el, c.frame);
    el.hidden = c.hidden;
    paint(el, look.body);
    paintParts(el, look.parts);
    switch (c.kind) {
      case 'image': {
        el.classList.toggle('cover', look.cover);
        el.classList.toggle('contain', !look.cover);
        el.alt = c.label || '';
        if (c.picture) {
          const url = this.pictureUrl(c.picture);
          if (el.getAttribute('src') !== url) el.src = url;
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
        textStyle(el, look.text);
        el.style.textAlign = look.text.align;
        el.style.paddingLeft = `${x}px`;
        el.style.paddingRight = `${Math.max(0, w - x - aw)}px`;
        const text = el.querySelector('.text');
        text.textContent = c.text;
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
        this.fit(el, look.text, () => text.offsetHeight > el.clientHeight + 1 || text.scrollWidth > text.clientWidth + 1);
        break;
      }
      case 'button':
        this.applyButton(el, c);
        break;
      case 'switch':
        el.setAttribute('aria-checked', String(c.on));
        el.setAttribute('aria-label', accessibleName(c));
        el.disabled = !c.enabled;
        break;
      case 'stepper': {
        const name = accessibleName(c);
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
      el.setAttribute('aria-label', accessibleName(c));
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
    title.textContent = c.title;
    title.hidden = !look.text || !c.title;
    if (look.text) {
      textStyle(title, look.text);
      place(title, look.text.area);
      this.fit(title, look.text,
        () => title.scrollHeight > title.clientHeight + 1 || title.scrollWidth > title.clientWidth + 1);
      title.style.opacity = String(look.opacity);
    }
    if (icon) {
      const url = this.pictureUrl(c.icon);
      if (icon.getAttribute('src') !== url) icon.src = url;
      place(icon, look.picture);
      icon.style.opacity = String(look.opacity);
    }
  }

  // What the screen's labels say now, by control, for announcing changes.
  labelTexts() {
    const out = new Map();
    this.controls.forEach((slot, i) => {
      if (slot && slot.el.dataset.kind === 'label' && !slot.el.hidden) {
        const c = JSON.parse(slot.last);
        out.set(i, { name: accessibleName({ ...c, text: '' }), text: c.text });
      }
    });
    return out;
  }

  focusableCount() {
    return this.el.querySelectorAll('button:not([disabled])').length;
  }
}

function canKeepFocus(el) {
  return el !== null && el !== document.body && el.isConnected && !el.disabled && !el.closest('[hidden], [inert]');
}

export class Renderer {
  // handlers: tap(screenId, index), step(screenId, index, up), back()
  constructor(stage, handlers, pictureUrl, words) {
    this.stage = stage;
    this.words = words;
    this.screens = stage.querySelector('#screens');
    this.bar = stage.querySelector('#bar');
    this.barBack = stage.querySelector('#bar-back');
    this.barTitle = stage.querySelector('#bar-title');
    this.handlers = handlers;
    this.pictureUrl = pictureUrl;
    this.layers = new Map();
    this.top = 0;
    this.slideKey = '';
    this.barHidden = null;
    this.reducedMotion = window.matchMedia('(prefers-reduced-motion: reduce)');
    this.barBack.addEventListener('click', () => handlers.back());
    // A page that starts hidden (a phone held sideways) lays its texts out when turned.
    window.addEventListener('resize', () => {
      for (const layer of this.layers.values()) layer.fitWaiting();
    });
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

  layer(id) {
    return this.layers.get(id);
  }

  topLayer() {
    return this.layers.get(this.top);
  }

  render(frame) {
    const first = this.top === 0;
    const hadFocus = this.stage.contains(document.activeElement);
    const keep = new Set(frame.screens.map((screen) => screen.id));
    // Gone screens leave first: moving a layer that stays would drop its focus.
    for (const [id, layer] of this.layers) {
      if (!keep.has(id)) {
        layer.el.remove();
        this.layers.delete(id);
      }
    }
    let previous = null;
    const arrived = [];
    for (const screen of frame.screens) {
      let layer = this.layers.get(screen.id);
      if (!layer) {
        layer = new Layer(screen, this.handlers, this.pictureUrl, this.words);
        this.layers.set(screen.id, layer);
        arrived.push(layer);
      } else {
        layer.update(screen);
      }
      // Drawing order: later screens over earlier ones.
      const want = previous ? previous.el.nextSibling : this.screens.firstChild;
      if (layer.el !== want) this.screens.insertBefore(layer.el, want);
      previous = layer;
    }
    for (const layer of arrived) layer.fitWaiting();
    this.slide(frame.slide);
    this.renderBar(frame.bar, first);
    this.stage.classList.toggle('busy', frame.animating);
    this.stage.setAttribute('aria-busy', String(frame.animating));

    const topChanged = frame.top !== this.top;
    this.top = frame.top;
    // A control that the keyboard was on and that went away (a "Buy" spent
    // the coins) leaves the keyboard on the screen, not outside the page.
    if ((topChanged && !first) || (hadFocus && !canKeepFocus(document.activeElement))) this.focusTop();
  }

  // Keyboard and screen-reader users land on the new screen's name.
  focusTop() {
    const active = document.activeElement;
    const inStage = active === document.body || active === null || this.stage.contains(active) || !active.isConnected;
    const layer = this.topLayer();
    if (inStage && layer) layer.heading.focus({ preventScroll: true });
  }

  slide(slide) {
    if (!slide) {
      this.slideKey = '';
      for (const layer of this.layers.values()) {
        layer.el.inert = false;
        layer.el.style.transition = 'none';
        layer.el.style.transform = 'none';
      }
      return;
    }
    const key = `${slide.from}>${slide.to}:${slide.push}`;
    if (key === this.slideKey) return;
    this.slideKey = key;
    const from = this.layers.get(slide.from);
    const to = this.layers.get(slide.to);
    if (!from || !to) return;
    const w = CANVAS_WIDTH;
    const moves = slide.push
      ? [[from, 0, -w], [to, w, 0]]
      : [[from, 0, w], [to, -w, 0]];
    const remaining = this.reducedMotion.matches ? 0 : Math.max(0, slide.duration - slide.elapsed);
    const done = remaining === 0 ? 1 : slide.elapsed / slide.duration;
    // The leaving screen takes no focus and no taps while it goes.
    from.el.inert = true;
    to.el.inert = false;
    for (const [layer, start, end] of moves) {
      layer.el.style.transition = 'none';
      layer.el.style.transform = `translateX(${start + (end - start) * done}px)`;
    }
    // Start from the first position before moving, or nothing animates.
    void this.screens.offsetWidth;
    for (const [layer, , end] of moves) {
      layer.el.style.transition = remaining > 0 ? `transform ${remaining}s ${EASE_OUT}` : 'none';
      layer.el.style.transform = `translateX(${end}px)`;
    }
  }

  renderBar(bar, first) {
    if (first) {
      const root = document.documentElement.style;
      for (const [name, colour] of Object.entries(bar.look)) root.setProperty(`--${name}`, colour);
    }
    this.barTitle.textContent = bar.title;
    if (this.barBack.getAttribute('aria-label') !== bar.backTitle) {
      this.barBack.setAttribute('aria-label', bar.backTitle);
      this.barBack.firstElementChild.textContent = `\u2039\u00a0${bar.backTitle}`;
    }
    this.barBack.hidden = !bar.back;
    if (bar.hidden === this.barHidden) return;
    this.barHidden = bar.hidden;
    const instant = first || !bar.fade || this.reducedMotion.matches;
    this.bar.classList.toggle('instant', instant);
    this.bar.classList.toggle('bar-hidden', bar.hidden);
  }
}
