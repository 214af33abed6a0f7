// The settings for grown-ups: a small link in the page's corner, outside the
// game's panels, that opens a form for the pace, scanning, contrast and the
// two volumes. A child's random taps must not reach it, so the link first
// asks a sum that a grown-up answers at once and a tap cannot; a screen
// reader or a keyboard reaches it like any form. The settings are kept in
// localStorage as the address's words (pace=0.5&contrast=high) and read by
// the core at start-up (main.cpp), so saving starts the game again with them;
// the address's own words win for that visit.
'use strict';

(() => {
  const KEY = 'tobble-settings';
  const FIELDS = [
    { name: 'pace', label: 'Pace (1 is the game\'s own, 0.1 ten times slower)', min: 0.1, max: 1, step: 0.05, value: 1 },
    { name: 'scan', label: 'Scanning step in seconds (0 is off, else 1 to 5)', min: 0, max: 5, step: 0.5, value: 0 },
    { name: 'contrast', label: 'Text contrast', choices: ['normal', 'high'], value: 'normal' },
    { name: 'voice-volume', label: 'Voice volume (0 to 100)', min: 0, max: 100, step: 1, value: 100 },
    { name: 'effects-volume', label: 'Effects volume (0 to 100)', min: 0, max: 100, step: 1, value: 100 },
  ];

  function stored() {
    try { return localStorage.getItem(KEY) || ''; } catch (e) { return ''; }
  }

  function make(tag, props, parent) {
    const e = Object.assign(document.createElement(tag), props);
    if (parent) parent.appendChild(e);
    return e;
  }

  const link = make('a', { id: 'grownups', href: '#grownups', textContent: 'For grown-ups' }, document.body);
  const dialog = make('dialog', { id: 'grownups-dialog' }, document.body);
  dialog.setAttribute('aria-labelledby', 'grownups-title');
  // The game's keys (Tab, Space, Enter, M) stay in the form while it is open.
  dialog.addEventListener('keydown', (e) => e.stopPropagation());

  function open(event) {
    event.preventDefault();
    dialog.replaceChildren();
    make('h2', { id: 'grownups-title', textContent: 'Settings for grown-ups' }, dialog);
    const a = 3 + Math.floor(Math.random() * 7);
    const b = 3 + Math.floor(Math.random() * 7);
    const gate = make('form', { method: 'dialog', className: 'gate' }, dialog);
    make('label', { htmlFor: 'grownups-sum', textContent: `To open them, what is ${a} + ${b}?` }, gate);
    const answer = make('input', { id: 'grownups-sum', type: 'text', inputMode: 'numeric', autocomplete: 'off' }, gate);
    const wrong = make('p', { className: 'wrong' }, gate);
    wrong.setAttribute('role', 'status');
    const row = make('p', { className: 'buttons' }, gate);
    make('button', { type: 'submit', textContent: 'Open' }, row);
    make('button', { type: 'button', textContent: 'Cancel', onclick: () => dialog.close() }, row);
    gate.addEventListener('submit', (e) => {
      e.preventDefault();
      if (Number(answer.value.trim()) === a + b) showForm();
      else wrong.textContent = 'That is not it.';
    });
    dialog.showModal();
    answer.focus();
  }

  function showForm() {
    dialog.querySelector('.gate').remove();
    const current = new URLSearchParams(stored());
    const form = make('form', { method: 'dialog', className: 'settings' }, dialog);
    make('p', { textContent: 'Kept in this browser. Saving starts the game again with them.' }, form);
    for (const f of FIELDS) {
      const id = 'grownups-' + f.name;
      make('label', { htmlFor: id, textContent: f.label }, form);
      const value = current.get(f.name) ?? String(f.value);
      if (f.choices) {
        const select = make('select', { id, name: f.name }, form);
        for (const c of f.choices) make('option', { value: c, textContent: c, selected: c === value }, select);
      } else {
        make('input', { id, name: f.name, type: 'number', min: f.min, max: f.max, step: f.step, value, required: true },
          form);
      }
    }
    const row = make('p', { className: 'buttons' }, form);
    make('button', { type: 'submit', textContent: 'Save' }, row);
    make('button', { type: 'button', textContent: 'Cancel', onclick: () => dialog.close() }, row);
    form.addEventListener('submit', (e) => {
      e.preventDefault();
      const scan = form.elements.scan;
      if (Number(scan.value) > 0 && Number(scan.value) < 1) scan.value = '1';
      const words = FIELDS.map((f) => `${f.name}=${encodeURIComponent(form.elements[f.name].value)}`).join('&');
      try { localStorage.setItem(KEY, words); } catch (err) { /* private browsing: for this visit only */ }
      location.reload();
    });
    form.elements[FIELDS[0].name].focus();
  }

  link.addEventListener('click', open);
})();
