// The native host tool that the package is compared with: VARIZAV_NATIVE, or
// the one `make build` leaves in build/. Tests that need it are skipped when
// it is missing, unless VARIZAV_REQUIRE_NATIVE=1 (make test-js).
import { existsSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

export const root = fileURLToPath(new URL('../../../', import.meta.url));
export const cli = fileURLToPath(new URL('../bin/varizav-wasm.js', import.meta.url));
export const native = process.env.VARIZAV_NATIVE ?? `${root}build/tools/varizav/varizav`;
const haveNative = existsSync(native);
export const skip = haveNative ? false : `no native tool at ${native} (make build)`;
if (!haveNative && process.env.VARIZAV_REQUIRE_NATIVE === '1') throw new Error(skip);
