// What the package ships: the files of a release, and TypeScript declarations
// that compile, with the README's example against them, under tsc --strict
// (TypeScript from package-lock.json).
import { strict as assert } from 'node:assert';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

const packageDir = fileURLToPath(new URL('../', import.meta.url));
const tsc = join(packageDir, 'node_modules/typescript/bin/tsc');

test('README example and declarations under tsc --strict', () => {
  const readme = readFileSync(join(packageDir, 'README.md'), 'utf8');
  const example = /```js\n([\s\S]*?)```/.exec(readme);
  assert.ok(example, 'README has a js example');
  const dir = mkdtempSync(join(tmpdir(), 'varizav-types-'));
  try {
    // The example as a module of a project that depends on the package.
    writeFileSync(join(dir, 'example.ts'), `${example[1]}export {};\n`);
    writeFileSync(join(dir, 'tsconfig.json'), JSON.stringify({
      compilerOptions: {
        strict: true, noEmit: true, target: 'es2022', module: 'es2022', moduleResolution: 'bundler',
        types: [], paths: { varizav: [join(packageDir, 'dist/varizav.d.ts')] },
      },
      files: ['example.ts'],
    }));
    const r = spawnSync(process.execPath, [tsc, '-p', dir], { encoding: 'utf8' });
    assert.equal(r.status, 0, r.stdout + r.stderr);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
});

test('the packed files', () => {
  const r = spawnSync('npm', ['pack', '--dry-run', '--json', '--ignore-scripts'], { cwd: packageDir, encoding: 'utf8' });
  assert.equal(r.status, 0, r.stderr);
  const files = JSON.parse(r.stdout)[0].files.map((f) => f.path);
  for (const want of ['LICENSE', 'README.md', 'varizav.js', 'bin/varizav-wasm.js', 'dist/varizav.d.ts',
    'dist/functions.js', 'dist/varizav-core.wasm']) {
    assert.ok(files.includes(want), `${want} in ${files}`);
  }
});
