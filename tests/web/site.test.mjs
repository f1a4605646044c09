// The page's folder as a web host serves it: the page's files and nothing
// else.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { root } from './harness.mjs';

// Every file under a folder, as paths relative to it.
const files = (dir, under = '') => fs.readdirSync(path.join(dir, under), { withFileTypes: true }).flatMap((entry) => {
  const name = path.posix.join(under, entry.name);
  return entry.isDirectory() ? files(dir, name) : [name];
});

test('the site folder holds the page\'s files and nothing else', () => {
  assert.deepEqual(files(root).sort(), ['icons/zorvane-128.png', 'icons/zorvane-256.png', 'icons/zorvane-32.png',
    'icons/zorvane-48.png', 'icons/zorvane-64.png', 'index.html', 'manifest.webmanifest', 'page.js', 'sw.js',
    'zorvane.css', 'zorvane.js', 'zorvane.wasm']);
});
